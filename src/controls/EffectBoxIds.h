#pragma once

// The picture-effect control's class identifier and dispatch identifiers, shared by the
// program's wrapper (controls/EffectBox.h) and the control (controls/EffectBoxCtrl.h).

#include <cstdint>

namespace EffectBoxIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{B9EF8D8A-4AD4-11DE-B2D7-00D009C22011}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kBgPicture = 0x40030002,     ///< get/put string: background picture path
  kItemCount = 0x40030003,     ///< get i2: number of items
  kLoopPlay = 0x40030004,      ///< get/put bool: repeat endlessly
  kLoops = 0x40030005,         ///< get/put i2: number of runs, 0 = endless
  kStretch = 0x40030006,       ///< get/put bool: scale pictures to the control
  kColor = 0x68030000,         ///< get/put colour 0x00BBGGRR: background colour
  kFinished = 0x68030001,      ///< get bool: the runs have ended
  kAutoPlay = 0x68030002,      ///< put bool: the window takes mouse and keyboard input
  kRemoveAll = 0x60030005,     ///< method: remove all items
  kAddItem = 0x60030006,       ///< method (path, effect name, i2 speed, i2 stay)
  kGetItemSource = 0x60030007, ///< method (i2 index from 1) → string
  kGetItemEffect = 0x60030008, ///< method (i2 index) → string
  kGetItemSpeed = 0x60030009,  ///< method (i2 index) → i2
  kGetItemDelay = 0x6003000A,  ///< method (i2 index) → i2
  kStart = 0x6003000B,         ///< method: play from the first item
  kStop = 0x6003000C,          ///< method: stop and clear the picture
};

} // namespace EffectBoxIds
