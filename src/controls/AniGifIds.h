#pragma once

// The animated-GIF control's class identifier and dispatch identifiers, shared by the
// program's wrapper (controls/AniGif.h) and the control (controls/AniGifCtrl.h).

#include <cstdint>

namespace AniGifIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{CDFB604A-C2D2-11D3-BEC0-CB586B91B60E}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kFileName = 0x68030003, ///< get/put string: the GIF file
  kAutoPlay = 0x68030004, ///< put bool: true plays the animation in a loop, false stays still
};

} // namespace AniGifIds
