#pragma once

#include <string>
#include <vector>

#include "base/Prompts.h"

/// The program's prompts with a quiet mode for the console: normally every call goes to the
/// real prompts; while a Capture lives, nothing is shown — a message box is recorded and
/// answered as if closed (Ok for a lone Ok button, else Cancel, or No where there is no Cancel),
/// and every chooser is cancelled. A command run for the console so never leaves a dialog
/// waiting on a wall nobody stands in front of.
class CapturingPrompts : public Prompts {
public:
  /// Quiet mode while it lives (nested captures record into the outermost).
  class Capture {
  public:
    explicit Capture(CapturingPrompts& prompts);
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;
    /// The texts of the message boxes answered so far, in order.
    const std::vector<std::string>& Messages() const { return prompts_.messages_; }

  private:
    CapturingPrompts& prompts_;
    bool outer_;
  };

  /// Prompts that pass every call to `shown` outside a capture.
  explicit CapturingPrompts(Prompts& shown) : shown_(shown) {}

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

private:
  Prompts& shown_;
  bool capturing_ = false;
  std::vector<std::string> messages_;
};
