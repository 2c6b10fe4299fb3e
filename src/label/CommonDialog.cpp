#include "label/CommonDialog.h"

#include "base/Prompts.h"

bool CommonDialog::ShowColor() {
  std::optional<int32_t> chosen = prompts_.ChooseColor(Color);
  if (!chosen) return false;
  Color = *chosen;
  return true;
}

bool CommonDialog::ShowFont() {
  std::optional<FontDesc> chosen = prompts_.ChooseFont(Font);
  if (!chosen) return false;
  Font = *chosen;
  return true;
}
