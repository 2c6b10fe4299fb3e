#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "controls/DoExeCtrl.h"
#include "controls/DoExeEditor.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"

namespace {

using D = DoExeCtrl::Dispid;

// Child processes are real; waiting for them is bounded, never a fixed sleep.
constexpr int kChildWaitMs = 10000;

class DoExeCtrlTest : public testing::Test {
protected:
  DoExeCtrlTest() : exe(nullptr, clock, prompts) {}
  ~DoExeCtrlTest() override {
    for (QProcess* p : exe.findChildren<QProcess*>()) {
      if (p->state() != QProcess::NotRunning) {
        p->kill();
        p->waitForFinished(kChildWaitMs);
      }
    }
  }

  void Add(const std::string& name, const std::string& parameters) {
    EXPECT_EQ(exe.Invoke(D::kAddProgram, InvokeKind::Method,
                         {Variant::FromString(name), Variant::FromString(parameters)}, nullptr),
              InvokeStatus::Ok);
  }
  void Call(int32_t dispid) {
    EXPECT_EQ(exe.Invoke(dispid, InvokeKind::Method, {}, nullptr), InvokeStatus::Ok);
  }
  Variant Get(int32_t dispid, std::vector<Variant> args = {}) {
    Variant v;
    EXPECT_EQ(exe.Invoke(dispid, InvokeKind::PropertyGet, args, &v), InvokeStatus::Ok);
    return v;
  }
  bool Finished() { return Get(D::kFinished).toBool(); }
  bool WaitFinished() {
    return QTest::qWaitFor([&] { return Finished(); }, kChildWaitMs);
  }

  QTemporaryDir dir;
  VirtualScheduler clock;
  ScriptedPrompts prompts;
  DoExeCtrl exe;
};

TEST_F(DoExeCtrlTest, ListNumberedFromZero) {
  EXPECT_EQ(Get(D::kCount), Variant::FromI2(0));
  Add("/usr/bin/first", "-a 'b c'");
  Add("/opt/second", "");
  EXPECT_EQ(Get(D::kCount), Variant::FromI2(2));
  EXPECT_EQ(Get(D::kName, {Variant::FromI2(0)}), Variant::FromString("/usr/bin/first"));
  EXPECT_EQ(Get(D::kPara, {Variant::FromI2(0)}), Variant::FromString("-a 'b c'"));
  EXPECT_EQ(Get(D::kName, {Variant::FromI2(1)}), Variant::FromString("/opt/second"));
  EXPECT_EQ(Get(D::kPara, {Variant::FromI2(1)}), Variant::FromString(""));

  Variant v;
  EXPECT_EQ(exe.Invoke(D::kName, InvokeKind::PropertyGet, {Variant::FromI2(2)}, &v),
            InvokeStatus::Failed);
  EXPECT_EQ(exe.Invoke(D::kPara, InvokeKind::PropertyGet, {Variant::FromI2(-1)}, &v),
            InvokeStatus::Failed);
  EXPECT_EQ(exe.Invoke(D::kName, InvokeKind::PropertyGet, {}, &v), InvokeStatus::BadArgs);
  EXPECT_EQ(exe.Invoke(D::kAddProgram, InvokeKind::Method, {Variant::FromString("x")}, &v),
            InvokeStatus::BadArgs);
  EXPECT_EQ(exe.Invoke(D::kRun, InvokeKind::PropertyGet, {}, &v), InvokeStatus::BadKind);
  EXPECT_EQ(exe.Invoke(D::kFinished, InvokeKind::PropertyPut, {Variant::FromBool(true)}, &v),
            InvokeStatus::BadKind);
  EXPECT_EQ(exe.Invoke(4, InvokeKind::Method, {}, &v), InvokeStatus::UnknownMember);
  EXPECT_TRUE(v.isEmpty());
}

TEST_F(DoExeCtrlTest, FinishedWhenEveryProgramHasEnded) {
  EXPECT_TRUE(Finished()); // before any run
  Add("/bin/sh", "-c 'sleep 0.2'");
  Add("/no/such/program", "x");
  Add("", "");
  Add(dir.path().toStdString(), ""); // a folder is not a program
  Call(D::kRun);
  EXPECT_FALSE(Finished());
  ASSERT_TRUE(WaitFinished());
  // Running again starts the list again.
  Call(D::kRun);
  EXPECT_FALSE(Finished());
  ASSERT_TRUE(WaitFinished());
}

TEST_F(DoExeCtrlTest, ParametersReachTheProgramLiterally) {
  QString out = dir.filePath("args.txt");
  // The test's own script prints each argument it gets on a line of its own.
  Add("/bin/sh", "-c 'for a; do printf \"%s\\n\" \"$a\"; done > \"$0\"' '" + out.toStdString() +
                     "' $HOME * \"a b\" ';echo' '`id`' $(id) ~");
  Call(D::kRun);
  ASSERT_TRUE(WaitFinished());
  QFile file(out);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), "$HOME\n*\na b\n;echo\n`id`\n$(id)\n~\n");
}

TEST_F(DoExeCtrlTest, StopTerminatesAndKillsAfterTwoSeconds) {
  QString ready = dir.filePath("ready");
  Add("/bin/sleep", "30");
  Add("/bin/sh", "-c \"trap '' TERM; : > '" + ready.toStdString() + "'; exec sleep 30\"");
  Call(D::kRun);
  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(ready); }, kChildWaitMs));
  QList<QProcess*> processes = exe.findChildren<QProcess*>();
  ASSERT_EQ(processes.size(), 2);
  QSignalSpy sleepEnded(processes[0], &QProcess::finished);
  QSignalSpy stubbornEnded(processes[1], &QProcess::finished);

  Call(D::kStop); // asks, and does not wait
  EXPECT_FALSE(Finished());
  ASSERT_TRUE(sleepEnded.count() > 0 || sleepEnded.wait(kChildWaitMs));
  EXPECT_EQ(processes[0]->exitStatus(), QProcess::CrashExit); // ended by SIGTERM
  EXPECT_FALSE(Finished()); // the one ignoring SIGTERM is still running
  clock.advance(DoExeCtrl::kKillDelayMs - 1);
  QTest::qWait(0);
  EXPECT_EQ(processes[1]->state(), QProcess::Running);
  clock.advance(1);
  ASSERT_TRUE(stubbornEnded.count() > 0 || stubbornEnded.wait(kChildWaitMs));
  EXPECT_TRUE(Finished());
  EXPECT_EQ(clock.pending(), 0u);
}

// Finds the modal editor once it is open and runs `act` on it.
void WhenEditorOpens(std::function<void(DoExeEditor*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (auto* editor = qobject_cast<DoExeEditor*>(QApplication::activeModalWidget())) {
      poll->stop();
      poll->deleteLater();
      act(editor);
    }
  });
  poll->start(0);
}

QPushButton* Button(QWidget* w, const char* name) {
  return w->findChild<QPushButton*>(QString::fromLatin1(name));
}

TEST_F(DoExeCtrlTest, EditorReordersRemovesAndAdds) {
  DoExeEditor editor({{"/a", "1"}, {"/b", "2"}, {"/c", "3"}}, prompts);
  prompts.openPaths = {"/new/prog", std::nullopt, ""};
  auto* table = editor.findChild<QTableWidget*>("programTable");
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QStringLiteral("程序"));
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QStringLiteral("参数"));
  table->setCurrentCell(2, 0);
  Button(&editor, "upButton")->click();
  Button(&editor, "upButton")->click();
  Button(&editor, "upButton")->click(); // already first: nothing moves
  EXPECT_EQ(editor.Programs(), (std::vector<ProgramEntry>{{"/c", "3"}, {"/a", "1"}, {"/b", "2"}}));
  Button(&editor, "downButton")->click();
  table->setCurrentCell(2, 1);
  Button(&editor, "removeButton")->click();
  Button(&editor, "addButton")->click();
  table->item(2, 1)->setText("--x 'y z'");
  EXPECT_EQ(editor.Programs(),
            (std::vector<ProgramEntry>{{"/a", "1"}, {"/c", "3"}, {"/new/prog", "--x 'y z'"}}));
  // A cancelled chooser, or one that answers no file, adds nothing.
  Button(&editor, "addButton")->click();
  Button(&editor, "addButton")->click();
  EXPECT_EQ(editor.Programs().size(), 3u);
  // Each "添加" asked once for an open file, of any type, described as a program.
  ASSERT_EQ(prompts.fileAsks.size(), 3u);
  for (const ScriptedPrompts::FileAsk& ask : prompts.fileAsks) {
    EXPECT_FALSE(ask.save);
    EXPECT_EQ(ask.filter, "程序|*|");
  }
  EXPECT_TRUE(prompts.openPaths.empty());
}

TEST_F(DoExeCtrlTest, EditMethodOpensModalEditorOkKeepsCancelDrops) {
  Add("/a", "1");
  Add("/b", "2");
  WhenEditorOpens([](DoExeEditor* editor) {
    editor->findChild<QTableWidget*>("programTable")->setCurrentCell(0, 0);
    Button(editor, "removeButton")->click();
    Button(editor, "okButton")->click();
  });
  Call(D::kEditList);
  EXPECT_EQ(exe.Programs(), (std::vector<ProgramEntry>{{"/b", "2"}}));
  WhenEditorOpens([](DoExeEditor* editor) {
    editor->findChild<QTableWidget*>("programTable")->setCurrentCell(0, 0);
    Button(editor, "removeButton")->click();
    Button(editor, "cancelButton")->click();
  });
  Call(D::kEditList);
  EXPECT_EQ(Get(D::kCount), Variant::FromI2(1));
}

TEST_F(DoExeCtrlTest, ShowsAProgramIconWhileDesigning) {
  exe.resize(32, 32);
  QImage shot = exe.grab().toImage();
  QImage blank(shot.size(), shot.format());
  blank.fill(exe.palette().color(QPalette::Window));
  EXPECT_NE(shot, blank);
}

} // namespace
