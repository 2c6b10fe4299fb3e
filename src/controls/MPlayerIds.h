#pragma once

// The media player control's class identifier and dispatch identifiers, shared by the
// program's wrapper (controls/MPlayer.h) and the control (controls/MPlayerCtrl.h).

#include <cstdint>

namespace MPlayerIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kFileName = 0x402,
  kCurrentPosition = 0x403,
  kPlayCount = 0x406,
  kPlayState = 0x42C,
  kShowControls = 0x17,
  kAutoStart = 0x3F9,
  kEnabled = -514,
  kPlay = 0x7D1,
  kStop = 0x7D3,
};

} // namespace MPlayerIds
