#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "controls/Variant.h"

class QWidget;

/// The control's colour and font chooser (`CD1`): it holds the values the dialogs start from
/// and return. The choosers themselves are replaceable so that tests can script the answers;
/// by default they are QColorDialog and QFontDialog.
class CommonDialog {
public:
  /// Asks for a colour (0x00BBGGRR) starting from `initial`; nullopt when cancelled.
  using ColorChooser = std::function<std::optional<int32_t>(int32_t initial, QWidget* parent)>;
  /// Asks for a font starting from `initial`; nullopt when cancelled.
  using FontChooser =
      std::function<std::optional<FontDesc>(const FontDesc& initial, QWidget* parent)>;

  /// Colour shown first by ShowColor() and chosen by it.
  int32_t Color = 0;
  /// Font shown first by ShowFont() and chosen by it.
  FontDesc Font;

  /// Shows the colour chooser over `parent`; false (Color unchanged) when cancelled.
  bool ShowColor(QWidget* parent);
  /// Shows the font chooser over `parent`; false (Font unchanged) when cancelled.
  bool ShowFont(QWidget* parent);

  /// Replaces the colour chooser of every control; an empty function restores QColorDialog.
  static void SetColorChooser(ColorChooser chooser);
  /// Replaces the font chooser of every control; an empty function restores QFontDialog.
  static void SetFontChooser(FontChooser chooser);
};
