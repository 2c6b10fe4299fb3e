#pragma once

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "controls/ControlWidget.h"
#include "model/Scheduler.h"

class QProcess;
class QtScheduler;

/// Class identifier of the program-launcher control.
inline constexpr char kDoExeClsid[] = "{AA0FE940-F70F-48DA-9F6C-3C3B9DF6819A}";

/// One program of the launcher: the program path and its parameter string.
struct ProgramEntry {
  std::string name;
  std::string parameters;
  friend bool operator==(const ProgramEntry&, const ProgramEntry&) = default;
};

/// The program-launcher control: a list of programs started together and stopped together.
/// Parameters are split into arguments like shell words but never pass through a shell.
class DoExeCtrl : public ControlWidget {
public:
  /// The dispatch members.
  enum DispId : int32_t {
    kCount = 1,      ///< get i2: number of programs
    kFinished = 2,   ///< get bool: no launched program is still running
    kAdd = 3,        ///< method (string name, string parameters): append a program
    kRun = 5,        ///< method: start every program in order
    kStop = 6,       ///< method: ask the programs to end, kill them after kKillDelayMs
    kEdit = 7,       ///< method: edit the list in a modal dialog
    kName = 8,       ///< indexed get (i2 index from 0) → string
    kParameters = 9, ///< indexed get (i2 index from 0) → string
  };
  /// How long a program may take to end after stop asked it before it is killed.
  static constexpr int64_t kKillDelayMs = 2000;
  /// Side of the program icon shown while designing.
  static constexpr int kIconSize = 32;

  /// A control timed by `scheduler` (kept, not owned), or by its own Qt timers when null.
  explicit DoExeCtrl(QWidget* parent, Scheduler* scheduler = nullptr);
  ~DoExeCtrl() override;

  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override;

  /// The list of programs.
  const std::vector<ProgramEntry>& Programs() const { return programs_; }

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  void Run();
  void Stop();
  void Edit();
  bool Finished() const;

  std::unique_ptr<QtScheduler> ownScheduler_;
  Scheduler& scheduler_;
  std::vector<ProgramEntry> programs_;
  std::vector<QPointer<QProcess>> launched_;
  std::vector<Scheduler::TimerId> killTimers_;
};
