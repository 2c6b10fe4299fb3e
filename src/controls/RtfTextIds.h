#pragma once

// The RTF text control's class identifier and dispatch identifiers, shared by the program's
// wrapper (controls/RtfText.h) and the control (controls/RtfTextCtrl.h).

#include <cstdint>

namespace RtfTextIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{77009356-2813-43AD-A5EC-52A7626AD553}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kPlaySpeed = 0x40030000,
  kInStyle = 0x40030001,
  kOutStyle = 0x40030002,
  kDelayTime = 0x40030003,
  kFileName = 0x40030004,
  kLoopPlay = 0x40030007,
  kLoops = 0x40030008,
  kColor = 0x68030003,
  kFinished = 0x68030004,
  kAutoPlay = 0x68030000,
  kPrepare = 0x6003000B,
  kStart = 0x60030009,
  kStop = 0x6003000A,
};

} // namespace RtfTextIds
