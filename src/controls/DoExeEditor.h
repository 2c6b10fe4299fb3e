#pragma once

#include <QDialog>

#include <vector>

#include "controls/DoExeCtrl.h"

class Prompts;
class QTableWidget;

/// The program launcher's own editor: a modal dialog with one row per program (program path and
/// parameters) and buttons to add, remove, edit and reorder rows.
class DoExeEditor : public QDialog {
  Q_OBJECT

public:
  /// The filter of the file chooser behind "添加": any file, described as a program.
  static constexpr const char* kProgramFilter = "程序|*|";

  /// Opens on a copy of `programs`; nothing changes outside until the caller takes Programs().
  /// "添加" asks for the program file with `prompts` (kept; it must outlive the editor).
  DoExeEditor(const std::vector<ProgramEntry>& programs, Prompts& prompts,
              QWidget* parent = nullptr);

  /// The rows as they stand, in order.
  std::vector<ProgramEntry> Programs() const;

private:
  void AddRow(const QString& program, const QString& parameters);
  void Add();
  void Remove();
  void EditCurrent();
  void Move(int delta);

  Prompts& prompts_;
  QTableWidget* table_;
};
