#include "console/CapturingPrompts.h"

CapturingPrompts::Capture::Capture(CapturingPrompts& prompts)
    : prompts_(prompts), outer_(!prompts.capturing_) {
  if (outer_) {
    prompts_.capturing_ = true;
    prompts_.messages_.clear();
  }
}

CapturingPrompts::Capture::~Capture() {
  if (outer_) prompts_.capturing_ = false;
}

PromptAnswer CapturingPrompts::MessageBox(const std::string& text, const std::string& caption,
                                          PromptButtons buttons, PromptIcon icon) {
  if (!capturing_) return shown_.MessageBox(text, caption, buttons, icon);
  messages_.push_back(text);
  switch (buttons) {
  case PromptButtons::Ok: return PromptAnswer::Ok;
  case PromptButtons::YesNo: return PromptAnswer::No;
  case PromptButtons::OkCancel:
  case PromptButtons::YesNoCancel: return PromptAnswer::Cancel;
  }
  return PromptAnswer::Cancel;
}

std::optional<std::string> CapturingPrompts::GetOpenFileName(const std::string& filter,
                                                             const std::string& defaultExt,
                                                             const std::string& initialPath) {
  if (capturing_) return std::nullopt;
  return shown_.GetOpenFileName(filter, defaultExt, initialPath);
}

std::optional<std::string> CapturingPrompts::GetSaveFileName(const std::string& filter,
                                                             const std::string& defaultExt,
                                                             const std::string& initialPath) {
  if (capturing_) return std::nullopt;
  return shown_.GetSaveFileName(filter, defaultExt, initialPath);
}

std::optional<int32_t> CapturingPrompts::ChooseColor(int32_t initial) {
  if (capturing_) return std::nullopt;
  return shown_.ChooseColor(initial);
}

std::optional<FontDesc> CapturingPrompts::ChooseFont(const FontDesc& initial) {
  if (capturing_) return std::nullopt;
  return shown_.ChooseFont(initial);
}
