#include "controls/DoExeCtrl.h"

#include <QIcon>
#include <QPainter>
#include <QProcess>
#include <QStyle>

#include <algorithm>
#include <csignal>
#include <sys/prctl.h>
#include <unistd.h>

#include "controls/BuiltinArgs.h"
#include "controls/DoExeEditor.h"
#include "controls/SplitArguments.h"

DoExeCtrl::DoExeCtrl(QWidget* parent, Scheduler& scheduler, Prompts& prompts)
    : ControlWidget(DoExeIds::kClassId, parent), scheduler_(scheduler), prompts_(prompts) {}

DoExeCtrl::~DoExeCtrl() {
  for (Scheduler::TimerId id : killTimers_)
    scheduler_.cancel(id);
  // Programs still running when their object goes away are ended with it; QProcess reaps them.
  for (QProcess* p : launched_) {
    if (p && p->state() != QProcess::NotRunning) p->kill();
  }
}

InvokeStatus DoExeCtrl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                               Variant* result) {
  const bool get = kind == InvokeKind::PropertyGet;
  switch (dispid) {
  case kCount:
  case kFinished:
    if (!get) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    if (dispid == kFinished) return Reply(result, Variant::FromBool(Finished()));
    return Reply(result, Variant::FromI2(static_cast<int16_t>(programs_.size())));
  case kAddProgram:
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "SS")) return InvokeStatus::BadArgs;
    programs_.push_back({args[0].toString(), args[1].toString()});
    update();
    return InvokeStatus::Ok;
  case kRun:
  case kStop:
  case kEditList:
    if (kind != InvokeKind::Method) return InvokeStatus::BadKind;
    if (!args.empty()) return InvokeStatus::BadArgs;
    if (dispid == kRun) Run();
    if (dispid == kStop) Stop();
    if (dispid == kEditList) Edit();
    return InvokeStatus::Ok;
  case kName:
  case kPara: {
    if (!get) return InvokeStatus::BadKind;
    if (!ArgsMatch(args, "N")) return InvokeStatus::BadArgs;
    int index = args[0].toI2();
    if (index < 0 || static_cast<size_t>(index) >= programs_.size()) return InvokeStatus::Failed;
    const ProgramEntry& e = programs_[index];
    return Reply(result, Variant::FromString(dispid == kName ? e.name : e.parameters));
  }
  default: return InvokeStatus::UnknownMember;
  }
}

void DoExeCtrl::Run() {
  // Forget the programs that have ended; those still running stay watched.
  std::erase_if(launched_, [](const QPointer<QProcess>& p) {
    if (p && p->state() != QProcess::NotRunning) return false;
    if (p) p->deleteLater();
    return true;
  });
  for (const ProgramEntry& entry : programs_) {
    auto* process = new QProcess(this);
    QStringList arguments;
    for (const std::string& a : SplitArguments(entry.parameters)) {
      arguments << QString::fromStdString(a);
    }
    process->setProgram(QString::fromStdString(entry.name));
    process->setArguments(arguments);
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    // The programs belong to the player: if it dies, even by SIGKILL, the kernel ends them too.
    // The parent may already be gone between fork and prctl, hence the second check.
    const pid_t player = ::getpid();
    process->setChildProcessModifier([player] {
      ::prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (::getppid() != player) ::_exit(127);
    });
    // A program that cannot start simply ends up not running; nothing else to do about it.
    process->start();
    launched_.push_back(process);
  }
}

void DoExeCtrl::Stop() {
  std::vector<QPointer<QProcess>> ending;
  for (const QPointer<QProcess>& p : launched_) {
    if (p && p->state() != QProcess::NotRunning) {
      p->terminate();
      ending.push_back(p);
    }
  }
  if (ending.empty()) return;
  auto id = std::make_shared<Scheduler::TimerId>(0);
  *id = scheduler_.callAfter(kKillDelayMs, [this, ending, id] {
    std::erase(killTimers_, *id);
    for (const QPointer<QProcess>& p : ending) {
      if (p && p->state() != QProcess::NotRunning) p->kill();
    }
  });
  killTimers_.push_back(*id);
}

bool DoExeCtrl::Finished() const {
  return std::none_of(launched_.begin(), launched_.end(), [](const QPointer<QProcess>& p) {
    return p && p->state() != QProcess::NotRunning;
  });
}

void DoExeCtrl::Edit() {
  QPointer<DoExeCtrl> self(this);
  QPointer<DoExeEditor> editor = new DoExeEditor(programs_, prompts_, this);
  int answer = editor->exec();
  // The control (and the editor with it) may have gone while the editor's loop ran.
  if (!self || !editor) return;
  if (answer == QDialog::Accepted) programs_ = editor->Programs();
  delete editor;
  update();
}

void DoExeCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QIcon icon = QIcon::fromTheme(QStringLiteral("application-x-executable"),
                                style()->standardIcon(QStyle::SP_ComputerIcon));
  icon.paint(&p, QRect(0, 0, kIconSize, kIconSize));
}
