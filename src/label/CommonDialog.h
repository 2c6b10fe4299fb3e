#pragma once

#include <cstdint>

#include "controls/Variant.h"

class Prompts;

/// The control's colour and font chooser (`CD1`): it holds the values the choosers start from
/// and return, and asks with the prompts the control was created with.
class CommonDialog {
public:
  /// Choosers shown through `prompts` (kept, not owned; it must outlive this object).
  explicit CommonDialog(Prompts& prompts) : prompts_(prompts) {}

  /// Colour shown first by ShowColor() and chosen by it.
  int32_t Color = 0;
  /// Font shown first by ShowFont() and chosen by it.
  FontDesc Font;

  /// Shows the colour chooser; false (Color unchanged) when cancelled.
  bool ShowColor();
  /// Shows the font chooser; false (Font unchanged) when cancelled.
  bool ShowFont();

private:
  Prompts& prompts_;
};
