#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/Prompts.h"

/// Prompts for core tests: records every message and chooser call and answers from scripts.
class ScriptedPrompts : public Prompts {
public:
  /// One message box shown.
  struct Message {
    std::string text;
    std::string caption;
    PromptButtons buttons;
    PromptIcon icon;
  };
  /// One file chooser shown.
  struct FileAsk {
    bool save;
    std::string filter;
    std::string defaultExt;
  };

  std::vector<Message> messages;
  std::vector<FileAsk> fileAsks;
  /// Answers to message boxes in order; Ok when the script is used up.
  std::deque<PromptAnswer> answers;
  /// Answers to file choosers in order (nullopt = cancelled); cancelled when used up.
  std::deque<std::optional<std::string>> files;

  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override;
  std::optional<std::string> GetOpenFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<std::string> GetSaveFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<int32_t> ChooseColor(int32_t) override { return std::nullopt; }
  std::optional<FontDesc> ChooseFont(const FontDesc&) override { return std::nullopt; }

private:
  std::optional<std::string> NextFile();
};
