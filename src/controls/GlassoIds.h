#pragma once

// The Glasso label control's class identifier and dispatch identifiers (its `_Glasso`
// interface), shared by the program's wrapper (controls/Glasso.h) and the control
// (label/Glasso.h).

#include <cstdint>

namespace GlassoIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{D22E9DFE-EFDE-41BA-9285-A89D349B1CDB}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kCaption = 0x6803000E,
  kSetCaption = 0x60030010,
  kSetFont = 0x60030011,
  kFont = 0x6803000D,
  kFontBold = 0x6803000C,
  kFontItalic = 0x6803000B,
  kFontUnderline = 0x6803000A,
  kFontStrikethrough = 0x68030009,
  kFontName = 0x68030008,
  kFontSize = 0x68030007,
  kSetColor = 0x60030012,
  kColor = 0x68030006,
  kSetBgColor = 0x60030013,
  kBgColor = 0x68030005,
  kAlign = 0x68030004,
  kTransparent = 0x68030003,
  kBorder = 0x68030002,
  kSetBorderColor = 0x60030014,
  kBorderColor = 0x68030001,
  kEnable = 0x68030000,
};

} // namespace GlassoIds
