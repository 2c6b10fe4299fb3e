#pragma once

#include <QListWidget>

#include <cstdint>

/// An owner-drawn list box whose lines each carry a colour (0x00BBGGRR). An unselected line is
/// drawn on the window colour in its own colour (the system text colour when it is 0); a
/// selected line is filled with its colour and its text drawn in the inverse colour. Lines
/// have a fixed height.
class CColorListBox : public QListWidget {
  Q_OBJECT
public:
  explicit CColorListBox(QWidget* parent = nullptr);

  /// Appends a line in a colour; its index.
  int AddLine(const QString& text, int32_t colour);
  /// Inserts a line at `index` (appends when out of range); its index.
  int InsertLine(int index, const QString& text, int32_t colour);
  /// Sets a line's colour and redraws the list at once; nothing for a bad index.
  void SetLineColour(int index, int32_t colour);
  /// A line's colour (0 for a bad index).
  int32_t LineColour(int index) const;
  /// The colour a line is filled with or written in, by the drawing rules above.
  static QColor TextColour(int32_t colour, bool selected, const QPalette& palette);
};
