#pragma once

#include <cstdint>

/// Kind of a project tree node, stored as "Type". Negative values are containers; values from
/// 122 up are objects. The numbers are also the command identifiers that create each kind.
enum class ObjectKind : int32_t {
  Screen = -1,
  Frame = -2, ///< a page
  Picture = 122,
  Clock = 123,
  Movie = 124,
  Flash = 125,
  Gif = 126,
  Exe = 128,   ///< an external program
  Label = 131, ///< a text
  RtfText = 138,
};

/// The kind's number as stored in files and used as a command identifier.
constexpr int32_t KindValue(ObjectKind kind) { return static_cast<int32_t>(kind); }
