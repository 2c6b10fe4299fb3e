#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/FontObject.h"

/// Wrapper of the Glasso transparent label control.
class C_Glasso : public CControlWrapper {
public:
  /// The published class identifier.
  static constexpr const char* kClassId = "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}";

  static constexpr int32_t kCaption = 0x6803000E;
  static constexpr int32_t kSetCaption = 0x60030010;
  static constexpr int32_t kFont = 0x6803000D;
  static constexpr int32_t kFontBold = 0x6803000C;
  static constexpr int32_t kFontItalic = 0x6803000B;
  static constexpr int32_t kFontUnderline = 0x6803000A;
  static constexpr int32_t kFontStrikethrough = 0x68030009;
  static constexpr int32_t kFontName = 0x68030008;
  static constexpr int32_t kFontSize = 0x68030007;
  static constexpr int32_t kColor = 0x68030006;
  static constexpr int32_t kBgColor = 0x68030005;
  static constexpr int32_t kBorderColor = 0x68030001;
  static constexpr int32_t kAlign = 0x68030004;
  static constexpr int32_t kTransparent = 0x68030003;
  static constexpr int32_t kBorder = 0x68030002;
  static constexpr int32_t kEnable = 0x68030000;

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
