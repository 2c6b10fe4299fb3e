// zyntra_crash_writer: saves a large project, a task list and "setup.ini" the way the program
// does, for the crash-safety test that kills it.
//
//   zyntra_crash_writer versions DIR   writes every file in version A and B as NAME.A, NAME.B
//   zyntra_crash_writer loop DIR       saves DIR/show.vrx, DIR/tasks.tak and DIR/setup.ini in
//                                      version A, then B, and so on, writing "<" to standard
//                                      output before each save and ">" after it, until killed
//                                      or the output is closed
//
// Both versions of a file are large and differ throughout, so a half-written file can never
// pass for either.

#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "settings/Settings.h"
#include "controls/Glasso.h"
#include "schedule/TaskListFile.h"
#include "support/TestProject.h"

namespace {

constexpr int kPages = 20;
constexpr int kObjectsPerPage = 150;
constexpr int kTasks = 4000;

// A project of 20 pages of 150 labels each, their captions naming the version.
struct Version {
  explicit Version(char v) : tag(1, v) {
    for (int page = 0; page < kPages; ++page) {
      if (page > 0) project.pageList.NewPage();
      for (int i = 0; i < kObjectsPerPage; ++i) {
        ShowNode* node = project.Object(ObjectKind::Label, Rect{i, page, i + 50, page + 20});
        node->ControlAs<C_Glasso>()->SetCaption("版本 " + tag + " 第" + std::to_string(page) +
                                                "页 对象" + std::to_string(i));
      }
    }
    for (int i = 0; i < kTasks; ++i) {
      TaskItem task;
      task.FileName = "/home/show/" + tag + "/节目" + std::to_string(i) + ".vrx";
      task.PStyle = i % 5;
      task.WeekNo = i % 7;
      task.MonthNo = 1 + i % 31;
      task.Date = 38353.0 + i;
      task.BTime = (i % 24) / 24.0;
      task.ETime = (i % 24 + 1) / 24.0;
      tasks.push_back(task);
    }
    settings.WndTitle = "同步播放系统 " + tag;
    settings.CompanyOtherInfo = std::string(2000, v);
    settings.MinWH = v;
    windows.screen = Rect{v, v, 1024, 768};
  }

  // Saves the three files under the given names, reporting around each save when asked; false
  // when one could not be written.
  bool Save(const std::string& project, const std::string& taskList, const std::string& ini,
            bool report) {
    auto saved = [report](auto&& save) {
      if (report && !Report("<")) return false;
      return save() && (!report || Report(">"));
    };
    return saved([&] { return this->project.doc.SaveTo(project); }) &&
           saved([&] { return SaveTaskList(taskList, tasks); }) && saved([&] {
             return SaveSettings(ini, settings, windows, "/home/show/" + tag + ".vrx");
           });
  }

  static bool Report(const char* mark) { return write(STDOUT_FILENO, mark, 1) == 1; }

  std::string tag;
  TestProject project;
  std::vector<TaskItem> tasks;
  Settings settings;
  WindowPlacement windows;
};

} // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: zyntra_crash_writer versions|loop DIR\n");
    return 2;
  }
  const std::string mode = argv[1];
  const std::string dir = argv[2];
  Version a('A');
  Version b('B');
  if (mode == "versions") {
    for (Version* v : {&a, &b}) {
      const std::string suffix = "." + v->tag;
      if (!v->Save(dir + "/show.vrx" + suffix, dir + "/tasks.tak" + suffix,
                   dir + "/setup.ini" + suffix, false))
        return 1;
    }
    return 0;
  }
  if (mode != "loop") return 2;
  // A lost parent closes the pipe: the next report fails and the loop ends.
  for (;;) {
    for (Version* v : {&a, &b})
      if (!v->Save(dir + "/show.vrx", dir + "/tasks.tak", dir + "/setup.ini", true)) return 1;
  }
}
