#include "schedule/TaskListFile.h"

#include "base/AtomicFile.h"
#include "model/Markup.h"
#include "base/NumberFormat.h"
#include "base/TextCodec.h"

namespace {

// The largest file read as a task list: millions of tasks, yet small enough that a large file
// chosen by mistake is refused at once instead of being decoded and indexed at length.
constexpr size_t kMaxTaskListBytes = size_t{256} << 20;

void SetError(std::string* error, std::string text) {
  if (error) *error = std::move(text);
}

// Finds the next child of that name after the one found last and reads the child found last:
// as in a project, a missing or misplaced child reads as the one before it (or as empty text
// when none was found yet).
std::string ReadChild(CMarkup& xml, const char* name) {
  xml.FindChildElement(name);
  return xml.GetChildData();
}

TaskItem ReadItem(CMarkup& xml) {
  TaskItem task;
  task.PStyle = ParseInt(ReadChild(xml, "PStyle"));
  task.FileName = ReadChild(xml, "FileName");
  task.WeekNo = ParseInt(ReadChild(xml, "WeekNo"));
  task.MonthNo = ParseInt(ReadChild(xml, "MonthNo"));
  task.Date = ParseDouble(ReadChild(xml, "Date"));
  task.BTime = ParseDouble(ReadChild(xml, "BTime"));
  task.ETime = ParseDouble(ReadChild(xml, "ETime"));
  return task;
}

} // namespace

std::string TaskListText(const std::vector<TaskItem>& tasks) {
  CMarkup xml;
  xml.AddElement("VORN");
  xml.AddChildElement("TASKS");
  xml.IntoElement();
  for (const TaskItem& task : tasks) {
    xml.AddChildElement("Item");
    xml.IntoElement();
    xml.AddChildElementInt("PStyle", task.PStyle);
    xml.AddChildElement("FileName", std::string_view(task.FileName));
    xml.AddChildElementInt("WeekNo", task.WeekNo);
    xml.AddChildElementInt("MonthNo", task.MonthNo);
    xml.AddChildElementDouble("Date", task.Date);
    xml.AddChildElementDouble("BTime", task.BTime);
    xml.AddChildElementDouble("ETime", task.ETime);
    xml.OutOfElement();
  }
  return std::string(kTaskListHeader) + "\r\n" + xml.GetDocument();
}

namespace {

bool ParseTaskText(std::string&& text, std::vector<TaskItem>& tasks) {
  tasks.clear();
  CMarkup xml;
  xml.AdoptDocument(std::move(text));
  if (!xml.FindElement("VORN")) return false;
  if (!xml.FindChildElement("TASKS")) return true;
  xml.IntoElement();
  while (xml.FindChildElement("Item")) {
    xml.IntoElement();
    tasks.push_back(ReadItem(xml));
    xml.OutOfElement();
  }
  return true;
}

} // namespace

bool ParseTaskList(const std::string& bytes, std::vector<TaskItem>& tasks) {
  return ParseTaskText(DecodeFileText(bytes), tasks);
}

bool LoadTaskList(const std::string& path, std::vector<TaskItem>& tasks, std::string* error) {
  tasks.clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error, kMaxTaskListBytes)) return false;
  std::string text = DecodeFileText(bytes);
  bytes = std::string(); // a large file needs its memory only once
  if (!ParseTaskText(std::move(text), tasks)) {
    SetError(error, path + ": no VORN root element");
    return false;
  }
  return true;
}

bool SaveTaskList(const std::string& path, const std::vector<TaskItem>& tasks, std::string* error) {
  return WriteFileAtomic(path, Utf8ToGb18030(TaskListText(tasks)), error);
}

bool ResaveTaskList(const std::string& in, const std::string& out, std::string* error) {
  std::vector<TaskItem> tasks;
  if (!LoadTaskList(in, tasks, error)) return false;
  return SaveTaskList(out, tasks, error);
}
