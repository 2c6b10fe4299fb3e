#pragma once

#include <cstdint>
#include <string>

/// A font as controls and the font chooser exchange it. `size` is in points.
struct FontDesc {
  std::string name;
  double size = 9.0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;
  int16_t weight = 400;
  int16_t charset = 0;
  friend bool operator==(const FontDesc&, const FontDesc&) = default;
};
