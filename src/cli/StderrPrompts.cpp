#include "cli/StderrPrompts.h"

PromptAnswer StderrPrompts::MessageBox(const std::string& text, const std::string&,
                                       PromptButtons buttons, PromptIcon) {
  ++messages_;
  std::fprintf(stream_, "%s\n", text.c_str());
  std::fflush(stream_);
  switch (buttons) {
  case PromptButtons::Ok: return PromptAnswer::Ok;
  case PromptButtons::YesNo: return PromptAnswer::No;
  default: return PromptAnswer::Cancel;
  }
}

std::optional<std::string> StderrPrompts::GetOpenFileName(const std::string&, const std::string&,
                                                          const std::string&) {
  return std::nullopt;
}

std::optional<std::string> StderrPrompts::GetSaveFileName(const std::string&, const std::string&,
                                                          const std::string&) {
  return std::nullopt;
}

std::optional<int32_t> StderrPrompts::ChooseColor(int32_t) { return std::nullopt; }

std::optional<FontDesc> StderrPrompts::ChooseFont(const FontDesc&) { return std::nullopt; }
