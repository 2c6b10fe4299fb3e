#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli/StderrPrompts.h"

namespace {

std::string Contents(std::FILE* f) {
  std::rewind(f);
  std::string text;
  for (int c; (c = std::fgetc(f)) != EOF;)
    text += static_cast<char>(c);
  return text;
}

TEST(StderrPrompts, PrintsEachMessageAsALineAndAnswersAsAClosedBox) {
  std::FILE* stream = std::tmpfile();
  ASSERT_NE(stream, nullptr);
  StderrPrompts prompts(stream);
  const struct {
    PromptButtons buttons;
    PromptAnswer answer;
  } cases[] = {
      {PromptButtons::Ok, PromptAnswer::Ok},
      {PromptButtons::OkCancel, PromptAnswer::Cancel},
      {PromptButtons::YesNo, PromptAnswer::No},
      {PromptButtons::YesNoCancel, PromptAnswer::Cancel},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(prompts.MessageBox("文件已经损坏或非本系统文件!", "System", c.buttons,
                                 PromptIcon::Exclamation),
              c.answer);
  }
  EXPECT_EQ(prompts.Messages(), 4);
  std::string line = "文件已经损坏或非本系统文件!\n";
  EXPECT_EQ(Contents(stream), line + line + line + line);

  EXPECT_FALSE(prompts.GetOpenFileName("VRX|*.vrx|", "", "").has_value());
  EXPECT_FALSE(prompts.GetSaveFileName("VRX|*.vrx|", "vrx", "").has_value());
  EXPECT_FALSE(prompts.ChooseColor(255).has_value());
  EXPECT_FALSE(prompts.ChooseFont(FontDesc{}).has_value());
  std::fclose(stream);
}

} // namespace
