#pragma once

#include <cstdint>

/// Per-kind counters that make node names unique: a new node is named its kind's base name plus
/// the incremented counter. They never decrease while a project lives; a new project zeroes
/// them and an opened project takes them from its file.
struct NamingCounters {
  int32_t frameCount = 0;
  int32_t proTextCount = 0;
  int32_t effectBoxCount = 0;
  int32_t clockCount = 0;
  int32_t mPlayerCount = 0;
  int32_t flashCount = 0;
  int32_t gifCount = 0;
  int32_t labelCount = 0;
  int32_t exeCount = 0;
  friend bool operator==(const NamingCounters&, const NamingCounters&) = default;
};
