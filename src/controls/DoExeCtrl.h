#pragma once

#include <QPointer>

#include <memory>
#include <string>
#include <vector>

#include "controls/DoExeIds.h"
#include "controls/ControlWidget.h"
#include "model/Scheduler.h"

class QProcess;
class QtScheduler;

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
