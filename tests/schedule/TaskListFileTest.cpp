#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/AppTestSupport.h"
#include "base/DateTime.h"
#include "schedule/TaskListFile.h"

namespace {

std::string Fixture(const std::string& name) {
  return std::string(ZYNTRA_TEST_DATA) + "/schedule/" + name;
}

// The tasks of the hand-written fixture "tasks.tak", built here field by field.
std::vector<TaskItem> FixtureTasks() {
  const double june3 = ToDateTimeNumber(2024, 6, 3);
  auto time = [](int h, int m, int s) { return ToDateTimeNumber({1899, 12, 30, h, m, s, 0}); };
  return {
      {TaskState::Waiting, "/home/show/开业庆典.vrx", 0, 0, 1, june3, 0.0, 0.0},
      {TaskState::Waiting, "/home/show/早间新闻.vrx", 1, 0, 1, june3, time(8, 0, 0), time(9, 0, 0)},
      {TaskState::Waiting, "D:\\节目\\周日 & 假日<晚>.vrx", 2, 0, 31, june3 + 1, time(18, 30, 0),
       time(23, 59, 59)},
      {TaskState::Waiting, "", 4, -1, 2147483647, -365.0, 0.5, 0.25},
  };
}

TEST(TaskListFile, WritesTheHandWrittenLayoutByteForByte) {
  TempDir dir;
  ASSERT_TRUE(SaveTaskList(dir.File("out.tak"), FixtureTasks()));
  EXPECT_EQ(FileBytes(dir.File("out.tak")), FileBytes(Fixture("tasks.tak")));
}

TEST(TaskListFile, ReadsEveryFieldInOrder) {
  std::vector<TaskItem> tasks;
  ASSERT_TRUE(LoadTaskList(Fixture("tasks.tak"), tasks));
  const std::vector<TaskItem> expected = FixtureTasks();
  ASSERT_EQ(tasks.size(), expected.size());
  for (size_t i = 0; i < tasks.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(tasks[i].State, TaskState::Waiting);
    EXPECT_EQ(tasks[i].FileName, expected[i].FileName);
    EXPECT_EQ(tasks[i].PStyle, expected[i].PStyle);
    EXPECT_EQ(tasks[i].WeekNo, expected[i].WeekNo);
    EXPECT_EQ(tasks[i].MonthNo, expected[i].MonthNo);
    EXPECT_EQ(tasks[i].Date, expected[i].Date);
    // Seven significant digits: the times come back to the second.
    EXPECT_EQ(SecondsOfDay(tasks[i].BTime), SecondsOfDay(expected[i].BTime));
    EXPECT_EQ(SecondsOfDay(tasks[i].ETime), SecondsOfDay(expected[i].ETime));
  }
}

TEST(TaskListFile, ResavesHandWrittenFilesExactly) {
  TempDir dir;
  struct Case {
    const char* input;
    const char* expected;
  } cases[] = {
      {"tasks.tak", "tasks.tak"},                // the program's own layout stays as it is
      {"legacy.tak", "legacy.expected.tak"},     // wide exponents, tabs, LF, order, gaps
      {"utf8.tak", "utf8.expected.tak"},         // declared UTF-8 comes back as GB2312
      {"no-items.tak", "no-items.expected.tak"}, // an empty list
      {"no-tasks.tak", "no-tasks.expected.tak"}, // a root without "TASKS"
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.input);
    const std::string out = dir.File(std::string(c.input) + ".out");
    std::string error;
    EXPECT_TRUE(ResaveTaskList(Fixture(c.input), out, &error)) << error;
    EXPECT_EQ(FileBytes(out), FileBytes(Fixture(c.expected)));
  }
}

TEST(TaskListFile, RefusesWhatIsNotATaskList) {
  TempDir dir;
  for (const char* name : {"not-vorn.tak", "broken.tak", "missing.tak"}) {
    SCOPED_TRACE(name);
    std::vector<TaskItem> tasks{TaskItem{}};
    std::string error;
    EXPECT_FALSE(LoadTaskList(Fixture(name), tasks, &error));
    EXPECT_TRUE(tasks.empty());
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ResaveTaskList(Fixture(name), dir.File("out.tak"), &error));
    EXPECT_FALSE(FileExists(dir.File("out.tak")));
  }
}

TEST(TaskListFile, FailedWriteKeepsTheOldFile) {
  TempDir dir;
  std::string error;
  EXPECT_FALSE(SaveTaskList(dir.File("no/such/folder/x.tak"), FixtureTasks(), &error));
  EXPECT_FALSE(error.empty());
}

TEST(TaskListFile, NumbersIgnoreTheUserLocale) {
  GermanLocale german;
  if (!german.active()) GTEST_SKIP() << "de_DE.UTF-8 is not installed";
  TempDir dir;
  ASSERT_TRUE(SaveTaskList(dir.File("out.tak"), FixtureTasks()));
  EXPECT_EQ(FileBytes(dir.File("out.tak")), FileBytes(Fixture("tasks.tak")));
  std::vector<TaskItem> tasks;
  ASSERT_TRUE(LoadTaskList(Fixture("legacy.tak"), tasks));
  EXPECT_EQ(tasks[0].Date, 38765.0);
  EXPECT_EQ(tasks[0].BTime, 0.375);
}

} // namespace

namespace {

// Children are found forward only: a missing or misplaced child reads as the child found last
// in its item, as in a project, or as 0 before any was found.
TEST(TaskListFile, AMissingChildReadsTheChildFoundLast) {
  struct Case {
    const char* item;
    int pStyle;
    const char* fileName;
    double bTime;
    double eTime;
  };
  const Case cases[] = {
      {"<PStyle>1</PStyle><BTime>5.000000e-01</BTime>", 1, "1", 0.5, 0.5},
      {"<FileName>a.vrx</FileName><PStyle>2</PStyle>", 2, "2", 2.0, 2.0},
      {"<BTime>2.5e-1</BTime><PStyle>3</PStyle><ETime>7.5e-1</ETime>", 3, "3", 3.0, 0.75},
      {"<ETime>7.5e-1</ETime>", 0, "", 0.0, 0.75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.item);
    std::vector<TaskItem> tasks;
    ASSERT_TRUE(ParseTaskList(
        std::string("<VORN><TASKS><Item>") + c.item + "</Item></TASKS></VORN>", tasks));
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(tasks[0].PStyle, c.pStyle);
    EXPECT_EQ(tasks[0].FileName, c.fileName);
    EXPECT_DOUBLE_EQ(tasks[0].BTime, c.bTime);
    EXPECT_DOUBLE_EQ(tasks[0].ETime, c.eTime);
  }
}

} // namespace
