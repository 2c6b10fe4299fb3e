#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "model/Prompts.h"

/// Prompts with scripted answers: every question is recorded with its exact text, and answered
/// from the queues (message boxes default to Cancel/Ok, choosers to cancelled when empty).
class ScriptedPrompts : public Prompts {
public:
  struct Message {
    std::string text, caption;
    PromptButtons buttons;
    PromptIcon icon;
  };

  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override {
    messages.push_back({text, caption, buttons, icon});
    if (!answers.empty()) {
      PromptAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    return buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
  std::optional<std::string> GetOpenFileName(const std::string& filter, const std::string&,
                                             const std::string&) override {
    filters.push_back(filter);
    return Next(openPaths);
  }
  std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string& ext,
                                             const std::string&) override {
    filters.push_back(filter);
    saveExtensions.push_back(ext);
    return Next(savePaths);
  }
  std::optional<int32_t> ChooseColor(int32_t) override { return Next(colors); }
  std::optional<FontDesc> ChooseFont(const FontDesc&) override { return Next(fonts); }

  /// The texts of all message boxes so far, joined by " | ".
  std::string Texts() const {
    std::string all;
    for (const auto& m : messages)
      all += (all.empty() ? "" : " | ") + m.text;
    return all;
  }

  std::deque<PromptAnswer> answers;
  std::deque<std::optional<std::string>> openPaths, savePaths;
  std::deque<std::optional<int32_t>> colors;
  std::deque<std::optional<FontDesc>> fonts;
  std::vector<Message> messages;
  std::vector<std::string> filters, saveExtensions;

private:
  template <class T> static std::optional<T> Next(std::deque<std::optional<T>>& q) {
    if (q.empty()) return std::nullopt;
    auto v = q.front();
    q.pop_front();
    return v;
  }
};
