// The ".tak" reader: any bytes as a task list file. A list that reads is written and read
// again and must give the same tasks (date-times within the "%e" rounding).

#include <cmath>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "base/TextCodec.h"
#include "schedule/TaskListFile.h"

namespace {

bool HasPrivateUse(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (c == 0xEE || (c == 0xEF && next >= 0x80 && next <= 0xA3)) return true;
  }
  return false;
}

bool Close(double a, double b) {
  if (std::isnan(a) || std::isnan(b)) return std::isnan(a) && std::isnan(b);
  if (a == b) return true;
  return std::fabs(a - b) <= std::fabs(a) * 1e-5;
}

} // namespace

int FuzzTaskList(const uint8_t* data, size_t size) {
  const std::string bytes(AsText(data, size));
  std::vector<TaskItem> tasks;
  const bool parsed = ParseTaskList(bytes, tasks);

  const std::string path = WriteFuzzFile("in.tak", bytes);
  std::vector<TaskItem> loaded;
  std::string error;
  FuzzCheck(LoadTaskList(path, loaded, &error) == parsed, "loading agrees with parsing");
  if (!parsed) {
    FuzzCheck(tasks.empty() && loaded.empty(), "a refused file gives no tasks");
    FuzzCheck(!error.empty(), "a refused file says why");
    return 0;
  }

  std::vector<TaskItem> again;
  FuzzCheck(ParseTaskList(Utf8ToGb18030(TaskListText(tasks)), again), "written list reads");
  FuzzCheck(again.size() == tasks.size(), "written list keeps its tasks");
  for (size_t i = 0; i < tasks.size(); ++i) {
    FuzzCheck(again[i].PStyle == tasks[i].PStyle && again[i].WeekNo == tasks[i].WeekNo &&
                  again[i].MonthNo == tasks[i].MonthNo,
              "integers survive writing");
    // Raw bytes of the file survive; of the private-use characters a UTF-8 file may hold, a
    // few come back as other characters by design (see TextCodec.h).
    if (!HasPrivateUse(tasks[i].FileName))
      FuzzCheck(again[i].FileName == tasks[i].FileName, "the file name survives writing");
    FuzzCheck(Close(again[i].Date, tasks[i].Date) && Close(again[i].BTime, tasks[i].BTime) &&
                  Close(again[i].ETime, tasks[i].ETime),
              "date-times survive writing");
  }
  return 0;
}
