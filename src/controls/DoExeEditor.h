#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "controls/DoExeCtrl.h"

class QTableWidget;

/// The program launcher's own editor: a modal dialog with one row per program (program path and
/// parameters) and buttons to add, remove, edit and reorder rows.
class DoExeEditor : public QDialog {
  Q_OBJECT

public:
  /// Opens on a copy of `programs`; nothing changes outside until the caller takes Programs().
  explicit DoExeEditor(const std::vector<ProgramEntry>& programs, QWidget* parent = nullptr);

  /// The rows as they stand, in order.
  std::vector<ProgramEntry> Programs() const;
  /// Replaces the file chooser of "添加" (default: a file-open dialog); an empty answer adds
  /// nothing.
  void SetFileChooser(std::function<QString()> chooser) { chooseFile_ = std::move(chooser); }

private:
  void AddRow(const QString& program, const QString& parameters);
  void Add();
  void Remove();
  void EditCurrent();
  void Move(int delta);

  QTableWidget* table_;
  std::function<QString()> chooseFile_;
};
