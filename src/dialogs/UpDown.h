#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

/// An up-down control bound to a buddy edit: its arrows (and the Up and Down keys in the edit)
/// step the number in the edit by one inside the range. The edit itself takes any text; a
/// number outside the range stays as typed until an arrow brings it back inside.
class CUpDown : public QWidget {
  Q_OBJECT
public:
  /// Attaches to `buddy` (which keeps its own text) with the range `min` … `max`.
  CUpDown(QLineEdit* buddy, int min, int max, QWidget* parent);

  /// The lower end of the range.
  int Minimum() const { return min_; }
  /// The upper end of the range.
  int Maximum() const { return max_; }
  /// Sets the position, clamped into the range, and writes it into the buddy.
  void SetPos(int pos);
  /// The position: the buddy's number clamped into the range, or the last position when the
  /// buddy holds no number.
  int Pos() const;
  /// Steps the position by `delta` (one arrow click is ±1) and writes it into the buddy.
  void Step(int delta);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  QLineEdit* buddy_;
  QToolButton *up_, *down_;
  int min_, max_;
  mutable int pos_;
};
