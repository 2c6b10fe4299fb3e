#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "base/FontDesc.h"

/// Icons of a message box.
enum class PromptIcon { None, Information, Exclamation, Question, Stop };
/// Button sets of a message box.
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
/// The button the user chose (Cancel also when the box was closed).
enum class PromptAnswer { Ok, Cancel, Yes, No };

/// Everything that asks the user: message boxes, file choosers, colour and font choosers.
/// The GUI shows real dialogs; tests script the answers and check the exact texts.
class Prompts {
public:
  virtual ~Prompts() = default;
  /// Shows a message box and returns the chosen button.
  virtual PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                                  PromptButtons buttons, PromptIcon icon) = 0;
  /// File-open chooser. `filter` is in the "Description|*.ext|…|" form; nullopt = cancelled.
  virtual std::optional<std::string> GetOpenFileName(const std::string& filter,
                                                     const std::string& defaultExt,
                                                     const std::string& initialPath) = 0;
  /// File-save chooser, same conventions; nullopt = cancelled.
  virtual std::optional<std::string> GetSaveFileName(const std::string& filter,
                                                     const std::string& defaultExt,
                                                     const std::string& initialPath) = 0;
  /// Colour chooser on a 0x00BBGGRR value; nullopt = cancelled.
  virtual std::optional<int32_t> ChooseColor(int32_t initial) = 0;
  /// Font chooser; nullopt = cancelled.
  virtual std::optional<FontDesc> ChooseFont(const FontDesc& initial) = 0;
};
