#pragma once

#include <cstdint>
#include <string>

/// The record of one page, owned by the page node.
struct FrameInfo {
  /// How the page ends: 0 = when all its objects have finished; 1 = after `seconds`; other
  /// values end the page at once.
  int32_t TTL_Kind = 0;
  /// Page time in seconds for TTL_Kind 1.
  int32_t seconds = 5;
  /// Background colour (0x00BBGGRR) of the screen while the page is shown.
  int32_t bg = 0;
  /// Background picture of the page ("" = none).
  std::string BgPicture;
  /// Serial play: the page's objects start one after another, each when the previous ended.
  bool ybPlay = false;
};
