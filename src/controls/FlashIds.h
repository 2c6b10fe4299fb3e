#pragma once

// The Flash player control's class identifier and dispatch identifiers, shared by the
// program's wrapper (controls/ShockwaveFlash.h) and the player's side (controls/FlashMembers.h,
// the stand-in and the player library).

#include <cstdint>

namespace FlashIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kMovie = 0x66,   ///< get/put string: movie file path
  kLoop = 0x6A,    ///< get/put bool: the main timeline starts again after its last frame
  kPlay = 0x70,    ///< method: play
  kStop = 0x71,    ///< method: stop on the current frame
  kPlaying = 0x7D, ///< get/put bool: true plays, false stops
};

} // namespace FlashIds
