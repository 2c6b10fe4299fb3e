#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "base/Prompts.h"

/// Prompts for tests: records every message and chooser call and answers from scripts.
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
  /// Answers to open (save) choosers only; taken before `files` while not empty.
  std::deque<std::optional<std::string>> openPaths, savePaths;
  /// The filter of every chooser shown, and the default extension of every save chooser.
  std::vector<std::string> filters, saveExtensions;

  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override;
  std::optional<std::string> GetOpenFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<std::string> GetSaveFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<int32_t> ChooseColor(int32_t) override { return Next(colors); }
  std::optional<FontDesc> ChooseFont(const FontDesc&) override { return Next(fonts); }

  /// Answers to the colour chooser in order (nullopt = cancelled); cancelled when used up.
  std::deque<std::optional<int32_t>> colors;
  /// Answers to the font chooser in order (nullopt = cancelled); cancelled when used up.
  std::deque<std::optional<FontDesc>> fonts;

  /// The texts of all message boxes so far, joined by " | ".
  std::string Texts() const {
    std::string all;
    for (const auto& m : messages)
      all += (all.empty() ? "" : " | ") + m.text;
    return all;
  }

private:
  std::optional<std::string> NextFile();
  template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};
