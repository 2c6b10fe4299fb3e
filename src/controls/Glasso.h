#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/GlassoIds.h"
#include "controls/FontObject.h"

/// Wrapper of the Glasso transparent label control.
class C_Glasso : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/GlassoIds.h).
  static constexpr const char* kClassId = GlassoIds::kClassId;
  using enum GlassoIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the text (DISPID 0x6803000E).
  std::string GetCaption() const;
  /// Sets the text (DISPID 0x6803000E).
  void SetCaption(const std::string& value);
  /// Opens the control's caption editor (DISPID 0x60030010).
  void SetCaption();
  /// The font object of the label (DISPID 0x6803000D); empty when the call failed.
  CFontObject GetFont() const;
  /// Sets the bold flag of the font (DISPID 0x6803000C).
  void SetFontBold(bool value);
  /// Sets the italic flag of the font (DISPID 0x6803000B).
  void SetFontItalic(bool value);
  /// Sets the underline flag of the font (DISPID 0x6803000A).
  void SetFontUnderline(bool value);
  /// Sets the strikethrough flag of the font (DISPID 0x68030009).
  void SetFontStrikethrough(bool value);
  /// Sets the font face name (DISPID 0x68030008).
  void SetFontName(const std::string& value);
  /// Sets the font size in ten-thousandths of a point (20 pt = 200000) (DISPID 0x68030007).
  void SetFontSize(int32_t value);
  /// Gets the text colour (DISPID 0x68030006).
  int32_t GetColor() const;
  /// Sets the text colour (DISPID 0x68030006).
  void SetColor(int32_t value);
  /// Gets the background colour (DISPID 0x68030005).
  int32_t GetBgColor() const;
  /// Sets the background colour (DISPID 0x68030005).
  void SetBgColor(int32_t value);
  /// Gets the border colour (DISPID 0x68030001).
  int32_t GetBorderColor() const;
  /// Sets the border colour (DISPID 0x68030001).
  void SetBorderColor(int32_t value);
  /// Gets the alignment (DISPID 0x68030004).
  int16_t GetAlign() const;
  /// Sets the alignment (DISPID 0x68030004).
  void SetAlign(int16_t value);
  /// Gets the transparency setting (DISPID 0x68030003).
  int16_t GetTransparent() const;
  /// Sets the transparency setting (DISPID 0x68030003).
  void SetTransparent(int16_t value);
  /// Gets the border setting (DISPID 0x68030002).
  int16_t GetBorder() const;
  /// Sets the border setting (DISPID 0x68030002).
  void SetBorder(int16_t value);
  /// Sets the enabled flag (DISPID 0x68030000).
  void SetEnable(bool value);
};
