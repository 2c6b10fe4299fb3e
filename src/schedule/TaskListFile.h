#pragma once

#include <string>
#include <vector>

#include "schedule/TaskItem.h"

// Task list files (".tak"): the declaration line, then root "VORN" with one child "TASKS" that
// holds one "Item" per task, in list order. Each "Item" holds "PStyle", "FileName", "WeekNo",
// "MonthNo", "Date", "BTime", "ETime" in this order: integers as "%d", date-times as "%e".
// One element per line, CR LF line ends, GB18030 bytes under the declared GB2312.
//
// Reading searches the children of an item forward only, in the order above: a child that is
// missing or out of order reads as the child found last in that item (an Item without "ETime"
// ends at its "BTime"), or as 0 and an empty name when none was found yet. Date-times accept any
// exponent width ("3.876500e+004").

/// The first line of every task list file.
inline constexpr const char* kTaskListHeader =
    "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>";
/// The message shown for a file that cannot be read or has no "VORN" root.
inline constexpr const char* kDamagedTaskFile = "文件已经损坏或非本系统文件!";

/// The file's text (UTF-8, declaration line included) for a list of tasks.
std::string TaskListText(const std::vector<TaskItem>& tasks);
/// Reads the tasks (state Waiting) from file text in any declared encoding. False, with no
/// tasks, when the text has no "VORN" root element (or cannot be indexed).
bool ParseTaskList(const std::string& bytes, std::vector<TaskItem>& tasks);
/// Reads a task list file. False with no tasks when the file cannot be read, is no regular file,
/// is larger than 256 MiB or is not a task list; `error` (when given) then says which.
bool LoadTaskList(const std::string& path, std::vector<TaskItem>& tasks,
                  std::string* error = nullptr);
/// Writes a task list file atomically as GB18030. False (old file untouched) when it cannot be
/// written; `error` says why.
bool SaveTaskList(const std::string& path, const std::vector<TaskItem>& tasks,
                  std::string* error = nullptr);
/// Reads the task list `in` and writes it to `out` in the program's own layout (the command
/// line's resave). False, with nothing written, when `in` cannot be read or is not a task list,
/// or when `out` cannot be written; `error` says why.
bool ResaveTaskList(const std::string& in, const std::string& out, std::string* error = nullptr);
