#pragma once

#include <cstdio>

#include "base/Prompts.h"

/// The prompts of the headless tools: nobody is there to answer, so every message box prints
/// its text as one line on a stream (stderr) and answers as a closed box would (Cancel, or No
/// where there is no Cancel); every chooser is cancelled.
class StderrPrompts : public Prompts {
public:
  /// Prompts that print to `stream` (stderr unless a test passes another).
  explicit StderrPrompts(std::FILE* stream = stderr) : stream_(stream) {}

  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override;
  std::optional<std::string> GetOpenFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<std::string> GetSaveFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<int32_t> ChooseColor(int32_t initial) override;
  std::optional<FontDesc> ChooseFont(const FontDesc& initial) override;

  /// Number of message boxes shown so far.
  int Messages() const { return messages_; }

private:
  std::FILE* stream_;
  int messages_ = 0;
};
