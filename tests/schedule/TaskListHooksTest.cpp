#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include <memory>

#include "app/AppTestSupport.h"
#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "schedule/DlgPterm.h"
#include "schedule/TaskListHooks.h"
#include "schedule/TaskListFile.h"
#include "support/FakeWidgetControls.h"
#include "support/ScriptedPrompts.h"

namespace {

class TaskListHooksTest : public testing::Test {
protected:
  void TearDown() override { screen.reset(); }
  CZyntraScr& Start() {
    screen.reset();
    AppServices s;
    s.prompts = &prompts;
    s.scheduler = &scheduler;
    s.clock = &clock;
    s.settingsPath = dir.File("setup.ini");
    s.addTaskList = [](CZyntraScr& screen) { InstallTaskList(screen); };
    s.makeControlFactory = [](QWidget* parent) {
      return std::make_unique<FakeWidgetControlFactory>(parent);
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
    screen->Initialise();
    return *screen;
  }
  // A project with a second page, saved through the page list of a screen window that is then
  // closed.
  std::string SaveProject(const std::string& name) {
    Start();
    screen->PageList()->NewPage();
    prompts.savePaths.push_back(dir.File(name));
    EXPECT_TRUE(screen->PageList()->SaveProjectAs());
    screen.reset(); // writes its settings file now, not over the test's own
    return dir.File(name);
  }
  bool ToolWindowsVisible() const {
    return screen->ToolBar()->isVisible() && screen->PageList()->isVisible();
  }

  TempDir dir;
  ScriptedPrompts prompts;
  VirtualScheduler scheduler{0};
  SchedulerLocalClock clock{scheduler, ToDateTimeNumber({2024, 6, 3, 10, 0, 0, 0})};
  std::unique_ptr<CZyntraScr> screen;
};

TEST_F(TaskListHooksTest, StartUpTaskListPlaysModelessAtTheBottomLeft) {
  const std::string project = SaveProject("show.vrx");
  TaskItem task;
  task.FileName = project;
  ASSERT_TRUE(SaveTaskList(dir.File("list.tak"), {task}));
  ASSERT_TRUE(WriteFileAtomic(dir.File("setup.ini"),
                              "[Para]\r\nAutoPlay=1\r\nLFile=" + dir.File("list.tak") + "\r\n"));

  CZyntraScr& s = Start();
  auto* dialog = s.findChild<CDlgPterm*>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_FALSE(dialog->isModal());
  const QRect display = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(dialog->pos(), QPoint(display.x(), display.y() + display.height() - 50));
  EXPECT_EQ(dialog->Path(), dir.File("list.tak"));
  EXPECT_TRUE(dialog->GetSchedule().Started());
  EXPECT_FALSE(s.ToolBar()->isVisible());
  EXPECT_FALSE(s.PageList()->isVisible());
  EXPECT_FALSE(s.MenuEnabled());

  EXPECT_EQ(s.PageList()->Document().Path(), "");
  scheduler.advance(1000); // the first scan loads the project through the document
  EXPECT_EQ(s.PageList()->Document().Path(), project);
  EXPECT_EQ(s.PageList()->Document().Root()->children.size(), 2u);
  EXPECT_TRUE(prompts.messages.empty()) << prompts.Texts();

  dialog->reject();
  EXPECT_TRUE(ToolWindowsVisible());
  EXPECT_TRUE(s.MenuEnabled());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(s.findChild<CDlgPterm*>(), nullptr) << "a closed start-up dialog is freed";
  // Only the page list's own auto-save timer is left (no power control in this test).
  EXPECT_EQ(scheduler.pending(), 1u);
}

TEST_F(TaskListHooksTest, ScheduleSelectsTheFirstPageOfAStoppedTimedTask) {
  const std::string project = SaveProject("show.vrx");
  TaskItem task;
  task.FileName = project;
  task.PStyle = static_cast<int32_t>(PlayStyle::Daily);
  task.BTime = ToDateTimeNumber({1899, 12, 30, 10, 0, 0, 0});
  task.ETime = ToDateTimeNumber({1899, 12, 30, 10, 0, 1, 0});
  ASSERT_TRUE(SaveTaskList(dir.File("list.tak"), {task}));
  CZyntraScr& s = Start();
  s.OpenTaskListFile(dir.File("list.tak"));
  scheduler.advance(1000); // 10:00:01: started
  ASSERT_EQ(s.PageList()->Document().Path(), project);
  ASSERT_TRUE(s.PageList()->SelectItemByText("Page2"));
  scheduler.advance(1000); // 10:00:02: outside its window, back to the first page
  EXPECT_EQ(s.PageList()->Document().Current()->name, "Page1");
  s.findChild<CDlgPterm*>()->reject();
}

TEST_F(TaskListHooksTest, PlayControlCommandOpensTheDialogModally) {
  CZyntraScr& s = Start();
  bool seen = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<CDlgPterm*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    seen = true;
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("播放控制"));
    EXPECT_FALSE(s.ToolBar()->isVisible());
    EXPECT_FALSE(s.PageList()->isVisible());
    EXPECT_FALSE(s.MenuEnabled());
    dialog->reject();
  });
  s.PageList()->OnCommand(cmd::PlayControl);
  EXPECT_TRUE(seen);
  EXPECT_TRUE(ToolWindowsVisible());
  EXPECT_TRUE(s.MenuEnabled());
}

} // namespace
