#pragma once

// The clock control's class identifier and dispatch identifiers, shared by the program's
// wrapper (controls/Clock.h) and the control (clock/ClockCtrl.h).

#include <cstdint>

namespace ClockIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{15AC02EE-C7A7-11D9-B2D4-00D009C22011}";

/// The published dispatch identifiers, in interface order.
enum Dispid : int32_t {
  kRetouchHour = 0x40030007,
  kRetouchMinute = 0x40030008,
  kRetouchSecond = 0x40030009,
  kStyle = 0x4003000A,
  kTotalTime = 0x4003000B,
  kTargetDate = 0x4003000C,
  kPreText = 0x4003000D,
  kLasText = 0x4003000E,
  kFinished = 0x4003000F,
  kShowTimer = 0x6003000E,
  kDrawTimer = 0x60030014,
  kEnabled = 0x6803000C,
  kSetFont = 0x6003001D,
  kFontName = 0x6803000B,
  kFontSize = 0x6803000A,
  kFontBold = 0x68030009,
  kFontItalic = 0x68030008,
  kFontUnderline = 0x68030007,
  kFontStrikethrough = 0x68030006,
  kBgColor = 0x68030005,
  kFgColor = 0x68030004,
  kTransparent = 0x68030003,
  kBorder = 0x68030002,
  kBorderColor = 0x68030001,
  kPlay = 0x68030000,
  kReset = 0x6003001E,
};

} // namespace ClockIds
