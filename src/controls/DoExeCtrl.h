#pragma once

#include <QPointer>

#include <string>
#include <vector>

#include "controls/DoExeIds.h"
#include "controls/ControlWidget.h"
#include "base/Scheduler.h"

class Prompts;
class QProcess;

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
  using Dispid = DoExeIds::Dispid;
  using enum DoExeIds::Dispid;
  /// How long a program may take to end after stop asked it before it is killed.
  static constexpr int64_t kKillDelayMs = 2000;
  /// Side of the program icon shown while designing.
  static constexpr int kIconSize = 32;

  /// A control timed by `scheduler` whose editor picks programs with `prompts` (both kept, not
  /// owned; they must outlive the control).
  DoExeCtrl(QWidget* parent, Scheduler& scheduler, Prompts& prompts);
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

  Scheduler& scheduler_;
  Prompts& prompts_;
  std::vector<ProgramEntry> programs_;
  std::vector<QPointer<QProcess>> launched_;
  std::vector<Scheduler::TimerId> killTimers_;
};
