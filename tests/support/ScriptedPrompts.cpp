#include "support/ScriptedPrompts.h"

PromptAnswer ScriptedPrompts::MessageBox(const std::string& text, const std::string& caption,
                                         PromptButtons buttons, PromptIcon icon) {
  messages.push_back({text, caption, buttons, icon});
  if (answers.empty()) return PromptAnswer::Ok;
  PromptAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

std::optional<std::string> ScriptedPrompts::GetOpenFileName(const std::string& filter,
                                                            const std::string& defaultExt,
                                                            const std::string&) {
  fileAsks.push_back({false, filter, defaultExt});
  filters.push_back(filter);
  if (!openPaths.empty()) return Next(openPaths);
  return NextFile();
}

std::optional<std::string> ScriptedPrompts::GetSaveFileName(const std::string& filter,
                                                            const std::string& defaultExt,
                                                            const std::string&) {
  fileAsks.push_back({true, filter, defaultExt});
  filters.push_back(filter);
  saveExtensions.push_back(defaultExt);
  if (!savePaths.empty()) return Next(savePaths);
  return NextFile();
}

std::optional<std::string> ScriptedPrompts::NextFile() {
  if (files.empty()) return std::nullopt;
  std::optional<std::string> file = files.front();
  files.pop_front();
  return file;
}
