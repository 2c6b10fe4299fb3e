#pragma once

#include "model/Prompts.h"

/// The clock library's own Prompts: Qt's standard message box, file, colour and font dialogs.
/// The clock only uses the font chooser (SetFont); the rest is there so that the default is a
/// complete Prompts.
class ClockDialogs : public Prompts {
public:
  /// QMessageBox with the given buttons and icon.
  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override;
  /// QFileDialog::getOpenFileName with the "Description|*.ext|" filter converted.
  std::optional<std::string> GetOpenFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  /// QFileDialog::getSaveFileName, the default extension added when the name has none.
  std::optional<std::string> GetSaveFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  /// QColorDialog on a 0x00BBGGRR value.
  std::optional<int32_t> ChooseColor(int32_t initial) override;
  /// QFontDialog with name, size, bold, italic, underline and strikethrough.
  std::optional<FontDesc> ChooseFont(const FontDesc& initial) override;
};
