#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QTimeEdit>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "schedule/DlgPterm.h"
#include "schedule/FakeTaskPlayer.h"
#include "schedule/TaskListFile.h"
#include "support/ScriptedPrompts.h"

namespace {

std::string Fixture(const std::string& name) {
  return std::string(ZYNTRA_TEST_DATA) + "/schedule/" + name;
}

class DlgPtermTest : public testing::Test {
protected:
  template <class W> W* Get(const char* name) {
    W* w = dialog.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QComboBox* Condition() { return Get<QComboBox>("conditionList"); }
  QListWidget* List() { return Get<QListWidget>("taskList"); }
  // Enabled state of the inputs: condition list, date, begin, end, weekday, day of month.
  std::vector<bool> Enabled() {
    return {Condition()->isEnabled(),
            Get<QDateEdit>("datePicker")->isEnabled(),
            Get<QTimeEdit>("beginTimePicker")->isEnabled(),
            Get<QTimeEdit>("endTimePicker")->isEnabled(),
            Get<QSpinBox>("weekNoEdit")->isEnabled(),
            Get<QSpinBox>("monthNoEdit")->isEnabled()};
  }
  std::vector<bool> ButtonsEnabled() {
    std::vector<bool> enabled;
    for (int id = CDlgPterm::New; id <= CDlgPterm::Stop; ++id)
      enabled.push_back(dialog.ButtonAction(id)->isEnabled());
    return enabled;
  }
  void Add(const std::string& path) {
    prompts.openPaths.push_back(path);
    dialog.OnCommand(CDlgPterm::Add);
  }
  QStringList Rows() {
    QStringList rows;
    for (int i = 0; i < List()->count(); ++i)
      rows << List()->item(i)->text();
    return rows;
  }
  std::vector<std::string> Files() {
    std::vector<std::string> files;
    for (const TaskItem& task : dialog.Tasks())
      files.push_back(task.FileName);
    return files;
  }

  TempDir dir;
  ScriptedPrompts prompts;
  VirtualScheduler scheduler{0};
  SchedulerLocalClock clock{scheduler, ToDateTimeNumber({2024, 6, 3, 10, 15, 0, 0})};
  FakeTaskPlayer player{clock};
  CDlgPterm dialog{prompts, scheduler, clock, player};
};

TEST_F(DlgPtermTest, ShowsTheButtonsConditionsAndLabels) {
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("播放控制"));
  QStringList texts;
  QList<QAction*> actions = Get<QToolBar>("taskToolBar")->actions();
  for (int i = 0; i < actions.size(); ++i) {
    texts << actions[i]->text();
    EXPECT_EQ(actions[i]->data().toInt(), 166 + i);
    EXPECT_NE(dialog.findChild<QToolButton*>(QStringLiteral("ctl%1").arg(166 + i)), nullptr);
  }
  EXPECT_EQ(texts, QStringList({"新建", "添加", "删除", "打开", "另存", "保存", "上移", "下移",
                                "播放", "停止"}));
  QStringList conditions;
  for (int i = 0; i < Condition()->count(); ++i)
    conditions << Condition()->itemText(i);
  EXPECT_EQ(conditions, QStringList({"直接播放", "每天定时播放", "每周定时播放", "每月定时播放",
                                     "特定日期时间播放"}));
  EXPECT_EQ(Get<QLabel>("dateLabel")->text(), QStringLiteral("日期"));
  EXPECT_EQ(Get<QLabel>("timeLabel")->text(), QStringLiteral("时间段"));
  EXPECT_EQ(Get<QLabel>("toLabel")->text(), QStringLiteral("到"));
  EXPECT_EQ(Get<QLabel>("weekNoLabel")->text(), QStringLiteral("每周几"));
  EXPECT_EQ(Get<QLabel>("monthNoLabel")->text(), QStringLiteral("每月几号"));
  EXPECT_EQ(Get<QLabel>("noteLabel")->text(),
            QStringLiteral("播放时间段必须从小到大的排列,直接播放必须放在列表的最前面"));
  EXPECT_EQ(Get<QSpinBox>("weekNoEdit")->minimum(), 0);
  EXPECT_EQ(Get<QSpinBox>("weekNoEdit")->maximum(), 6);
  EXPECT_EQ(Get<QSpinBox>("monthNoEdit")->minimum(), 1);
  EXPECT_EQ(Get<QSpinBox>("monthNoEdit")->maximum(), 31);
  EXPECT_EQ(Enabled(), std::vector<bool>(6, false));
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(10, true));
  for (QWidget* w : dialog.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
    EXPECT_FALSE(w->objectName().isEmpty()) << w->metaObject()->className();
}

TEST_F(DlgPtermTest, AddedTaskIsDirectTodayAndConditionsEnableTheirInputs) {
  Add("/shows/sub/早间.vrx");
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"同步屏播放文件|*.vrx|"}));
  EXPECT_EQ(Rows(), QStringList({"早间.vrx"}));
  EXPECT_EQ(List()->currentRow(), 0);
  EXPECT_TRUE(dialog.Modified());
  const TaskItem& task = dialog.Tasks()[0];
  EXPECT_EQ(task.PStyle, 0);
  EXPECT_EQ(task.WeekNo, 0);
  EXPECT_EQ(task.MonthNo, 1);
  EXPECT_EQ(task.Date, ToDateTimeNumber(2024, 6, 3));
  EXPECT_EQ(task.BTime, 0.0);
  EXPECT_EQ(task.ETime, 0.0);
  EXPECT_EQ(Get<QDateEdit>("datePicker")->date(), QDate(2024, 6, 3));

  //                                     list  date   begin  end    week   month
  const std::vector<bool> table[] = {{true, false, false, false, false, false},
                                     {true, false, true, true, false, false},
                                     {true, false, true, true, true, false},
                                     {true, false, true, true, false, true},
                                     {true, true, true, true, false, false}};
  EXPECT_EQ(Enabled(), table[0]);
  for (int style : {1, 2, 3, 4, 0}) {
    Condition()->setCurrentIndex(style);
    EXPECT_EQ(dialog.Tasks()[0].PStyle, style);
    EXPECT_EQ(Enabled(), table[style]) << style;
  }
  Add("C:\\节目\\晚间.vrx");
  Add("plain.vrx");
  EXPECT_EQ(Rows(), QStringList({"早间.vrx", "晚间.vrx", "plain.vrx"}));

  // Selecting a row shows its task and the inputs of its condition.
  Condition()->setCurrentIndex(3);
  List()->setCurrentRow(0);
  EXPECT_EQ(Condition()->currentIndex(), 0);
  EXPECT_EQ(Enabled(), table[0]);
  List()->setCurrentRow(2);
  EXPECT_EQ(Condition()->currentIndex(), 3);
  EXPECT_EQ(Enabled(), table[3]);

  prompts.openPaths.push_back(std::nullopt); // a cancelled chooser adds nothing
  dialog.OnCommand(CDlgPterm::Add);
  EXPECT_EQ(dialog.Tasks().size(), 3u);
}

TEST_F(DlgPtermTest, InputsAreStoredInTheSelectedTaskAndWrittenExactly) {
  Add("/shows/早间.vrx");
  Condition()->setCurrentIndex(1);
  Get<QTimeEdit>("beginTimePicker")->setTime(QTime(8, 0, 0));
  Get<QTimeEdit>("endTimePicker")->setTime(QTime(9, 0, 0));
  Add("D:\\节目\\b.vrx");
  Condition()->setCurrentIndex(2);
  Get<QSpinBox>("weekNoEdit")->setValue(6);
  Get<QTimeEdit>("endTimePicker")->setTime(QTime(23, 59, 59));
  EXPECT_EQ(SecondsOfDay(dialog.Tasks()[0].BTime), 8 * 3600);
  EXPECT_EQ(dialog.Tasks()[0].WeekNo, 0) << "the other task is untouched";

  const std::string path = dir.File("list.tak");
  prompts.savePaths.push_back(path);
  dialog.OnCommand(CDlgPterm::Save); // no file yet: Save As
  EXPECT_EQ(prompts.filters.back(), "播放任务文件|*.tak|");
  EXPECT_EQ(prompts.saveExtensions, (std::vector<std::string>{"tak"}));
  EXPECT_EQ(dialog.Path(), path);
  EXPECT_FALSE(dialog.Modified());
  EXPECT_EQ(FileBytes(path), FileBytes(Fixture("dialog.expected.tak")));

  Get<QSpinBox>("monthNoEdit")->setValue(31); // stored even while its condition is off
  EXPECT_EQ(dialog.Tasks()[1].MonthNo, 31);
  Get<QDateEdit>("datePicker")->setDate(QDate(2024, 12, 24));
  EXPECT_EQ(dialog.Tasks()[1].Date, ToDateTimeNumber(2024, 12, 24));
  EXPECT_TRUE(dialog.Modified());
  dialog.OnCommand(CDlgPterm::Save); // to the same file, without asking
  EXPECT_EQ(prompts.savePaths.size(), 0u);
  EXPECT_EQ(prompts.filters.size(), 3u);
  std::vector<TaskItem> reread;
  ASSERT_TRUE(LoadTaskList(path, reread));
  EXPECT_EQ(reread[1].MonthNo, 31);
}

TEST_F(DlgPtermTest, DeleteSelectsTheNeighbourAndDisablesInputsWhenEmpty) {
  for (const char* f : {"/a.vrx", "/b.vrx", "/c.vrx", "/d.vrx"})
    Add(f);
  List()->setCurrentRow(2);
  dialog.OnCommand(CDlgPterm::Delete);
  EXPECT_EQ(Rows(), QStringList({"a.vrx", "b.vrx", "d.vrx"}));
  EXPECT_EQ(List()->currentRow(), 1) << "the row before it";
  List()->setCurrentRow(0);
  dialog.OnCommand(CDlgPterm::Delete);
  EXPECT_EQ(Rows(), QStringList({"b.vrx", "d.vrx"}));
  EXPECT_EQ(List()->currentRow(), 0) << "the first row when the first went";
  EXPECT_EQ(Files(), (std::vector<std::string>{"/b.vrx", "/d.vrx"}));
  dialog.OnCommand(CDlgPterm::Delete);
  dialog.OnCommand(CDlgPterm::Delete);
  EXPECT_TRUE(dialog.Tasks().empty());
  EXPECT_EQ(Enabled(), std::vector<bool>(6, false));
  dialog.OnCommand(CDlgPterm::Delete); // nothing left, nothing selected
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DlgPtermTest, MoveSwapsWithTheNeighbourAndKeepsTheSelection) {
  for (const char* f : {"/a.vrx", "/b.vrx", "/c.vrx"})
    Add(f);
  Condition()->setCurrentIndex(4); // c is an on-date task
  List()->setCurrentRow(2);
  dialog.OnCommand(CDlgPterm::MoveUp);
  EXPECT_EQ(Rows(), QStringList({"a.vrx", "c.vrx", "b.vrx"}));
  EXPECT_EQ(List()->currentRow(), 1);
  EXPECT_EQ(Condition()->currentIndex(), 4);
  dialog.OnCommand(CDlgPterm::MoveUp);
  dialog.OnCommand(CDlgPterm::MoveUp); // already first
  EXPECT_EQ(Files(), (std::vector<std::string>{"/c.vrx", "/a.vrx", "/b.vrx"}));
  EXPECT_EQ(List()->currentRow(), 0);
  List()->setCurrentRow(1);
  dialog.OnCommand(CDlgPterm::MoveDown);
  dialog.OnCommand(CDlgPterm::MoveDown); // already last
  EXPECT_EQ(Rows(), QStringList({"c.vrx", "b.vrx", "a.vrx"}));
  EXPECT_EQ(List()->currentRow(), 2);
}

TEST_F(DlgPtermTest, OpenReadsAListAndReportsADamagedFile) {
  prompts.openPaths.push_back(Fixture("tasks.tak"));
  dialog.OnCommand(CDlgPterm::Open);
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"播放任务文件|*.tak|"}));
  EXPECT_EQ(Rows(), QStringList({"开业庆典.vrx", "早间新闻.vrx", "周日 & 假日<晚>.vrx", ""}));
  EXPECT_FALSE(dialog.Modified());
  EXPECT_EQ(dialog.Path(), "") << "an opened list is saved through Save As";
  EXPECT_TRUE(prompts.messages.empty());

  prompts.openPaths.push_back(Fixture("not-vorn.tak"));
  dialog.OnCommand(CDlgPterm::Open);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "文件已经损坏或非本系统文件!");
  EXPECT_EQ(prompts.messages[0].caption, "System");
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Exclamation);
  EXPECT_TRUE(dialog.Tasks().empty());
  EXPECT_EQ(List()->count(), 0);

  prompts.openPaths.push_back(dir.File("missing.tak"));
  dialog.OnCommand(CDlgPterm::Open);
  EXPECT_EQ(prompts.Texts(), "文件已经损坏或非本系统文件! | 文件已经损坏或非本系统文件!");
}

TEST_F(DlgPtermTest, NewAsksToSaveAModifiedList) {
  Add("/a.vrx");
  const std::string path = dir.File("kept.tak");

  // OK, but the file chooser is cancelled: the list stays.
  prompts.answers.push_back(PromptAnswer::Ok);
  prompts.savePaths.push_back(std::nullopt);
  EXPECT_FALSE(dialog.NewList());
  EXPECT_EQ(dialog.Tasks().size(), 1u);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "文件已经修改,是否要保存?");
  EXPECT_EQ(prompts.messages[0].caption, "系统");
  EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::OkCancel);
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Question);

  // OK and a file: saved, then emptied.
  prompts.answers.push_back(PromptAnswer::Ok);
  prompts.savePaths.push_back(path);
  dialog.OnCommand(CDlgPterm::New);
  EXPECT_TRUE(FileExists(path));
  EXPECT_TRUE(dialog.Tasks().empty());
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(Condition()->currentIndex(), 0);
  EXPECT_EQ(Enabled(), std::vector<bool>(6, false));
  EXPECT_FALSE(dialog.Modified());
  EXPECT_EQ(dialog.Path(), "") << "the new list must not overwrite the saved one";

  // Cancel: not saved, emptied all the same.
  Add("/b.vrx");
  prompts.answers.push_back(PromptAnswer::Cancel);
  dialog.OnCommand(CDlgPterm::New);
  EXPECT_TRUE(dialog.Tasks().empty());
  std::vector<TaskItem> saved;
  ASSERT_TRUE(LoadTaskList(path, saved));
  ASSERT_EQ(saved.size(), 1u);
  EXPECT_EQ(saved[0].FileName, "/a.vrx");

  // Unmodified: no question.
  dialog.OnCommand(CDlgPterm::New);
  EXPECT_EQ(prompts.messages.size(), 3u);
}

TEST_F(DlgPtermTest, AFileThatCannotBeWrittenIsReported) {
  Add("/a.vrx");
  const std::string path = dir.File("no/such/folder/x.tak");
  prompts.savePaths.push_back(path);
  EXPECT_FALSE(dialog.SaveListAs());
  EXPECT_EQ(prompts.Texts(), "文件保存失败：" + path);
  EXPECT_TRUE(dialog.Modified());
  EXPECT_EQ(dialog.Path(), "");
}

TEST_F(DlgPtermTest, PlayRunsTheScheduleUntilStop) {
  dialog.OnCommand(CDlgPterm::Play);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "无任务可用于播放,请添加任务然后播放.");
  EXPECT_EQ(prompts.messages[0].caption, "系统");
  EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Information);
  EXPECT_FALSE(dialog.GetSchedule().Started());

  Add("/shows/a.vrx");
  Add("/shows/b.vrx");
  dialog.OnCommand(CDlgPterm::Play);
  std::vector<bool> playing(10, false);
  playing[9] = true;
  EXPECT_EQ(ButtonsEnabled(), playing);
  scheduler.advance(1000);
  EXPECT_EQ(player.Opens(), (std::vector<std::string>{"open /shows/a.vrx at 06-03 10:15:01"}));
  EXPECT_EQ(List()->currentRow(), 0) << "the started task is selected";
  player.Finish();
  scheduler.advance(1000);
  EXPECT_EQ(List()->currentRow(), 1);

  player.log.clear();
  dialog.OnCommand(CDlgPterm::Stop);
  EXPECT_EQ(player.log, (std::vector<std::string>{"stop"}));
  EXPECT_EQ(ButtonsEnabled(), std::vector<bool>(10, true));
  EXPECT_FALSE(dialog.GetSchedule().Started());
  EXPECT_EQ(scheduler.pending(), 0u);
}

TEST_F(DlgPtermTest, OpeningHidesTheMainWindowsAndClosingStopsAndBringsThemBack) {
  std::vector<bool> calls;
  dialog.mainWindowsShown = [&](bool shown) { calls.push_back(shown); };
  Add("/a.vrx");
  dialog.show();
  EXPECT_EQ(calls, (std::vector<bool>{false}));
  dialog.OnCommand(CDlgPterm::Play);
  scheduler.advance(1000);
  player.log.clear();
  dialog.reject(); // the close box or Esc
  EXPECT_EQ(calls, (std::vector<bool>{false, true}));
  EXPECT_EQ(player.log, (std::vector<std::string>{"stop"}));
  EXPECT_FALSE(dialog.GetSchedule().Started());
  EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DlgPtermTest, StartUpFileIsReadShownAndPlayed) {
  dialog.PlayFile(Fixture("tasks.tak"));
  EXPECT_EQ(dialog.Path(), Fixture("tasks.tak"));
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.GetSchedule().Started());
  EXPECT_FALSE(dialog.ButtonAction(CDlgPterm::Play)->isEnabled());
  EXPECT_TRUE(dialog.ButtonAction(CDlgPterm::Stop)->isEnabled());
  scheduler.advance(1000);
  EXPECT_EQ(player.Opens().size(), 1u);
  dialog.reject();
}

TEST(DlgPtermRowText, IsTheNameAfterTheLastSlashOrBackslash) {
  EXPECT_EQ(CDlgPterm::RowText("/home/show/a.vrx"), QStringLiteral("a.vrx"));
  EXPECT_EQ(CDlgPterm::RowText("C:\\节目\\b.vrx"), QStringLiteral("b.vrx"));
  EXPECT_EQ(CDlgPterm::RowText("mixed\\dir/c.vrx"), QStringLiteral("c.vrx"));
  EXPECT_EQ(CDlgPterm::RowText("d.vrx"), QStringLiteral("d.vrx"));
  EXPECT_EQ(CDlgPterm::RowText("dir/"), QStringLiteral(""));
}

} // namespace
