#pragma once

#include <cstdint>
#include <string>

#include "controls/Variant.h"

/// The standard font object a control returns from a font property, read through its dispatch
/// members: name (0), size (2, currency), bold (3), italic (4), underline (5),
/// strikethrough (6), weight (7) and character set (8). A font object that was not returned
/// (failed call) answers every member with its empty default.
class CFontObject {
public:
  static constexpr int32_t kName = 0;
  static constexpr int32_t kSize = 2;
  static constexpr int32_t kBold = 3;
  static constexpr int32_t kItalic = 4;
  static constexpr int32_t kUnderline = 5;
  static constexpr int32_t kStrikethrough = 6;
  static constexpr int32_t kWeight = 7;
  static constexpr int32_t kCharset = 8;

  CFontObject() = default;
  /// Wraps the value a control's font property returned.
  explicit CFontObject(Variant font) : font_(std::move(font)) {}

  /// Reads one member by DISPID; empty for an unknown member or an empty font object.
  Variant Get(int32_t dispid) const;

  /// Face name (DISPID 0).
  std::string GetName() const { return Get(kName).toString(); }
  /// Size in ten-thousandths of a point (DISPID 2, currency): 20 points is 200000.
  int64_t GetSize() const { return Get(kSize).toCurrency(); }
  /// Bold (DISPID 3).
  bool GetBold() const { return Get(kBold).toBool(); }
  /// Italic (DISPID 4).
  bool GetItalic() const { return Get(kItalic).toBool(); }
  /// Underline (DISPID 5).
  bool GetUnderline() const { return Get(kUnderline).toBool(); }
  /// Strikethrough (DISPID 6).
  bool GetStrikethrough() const { return Get(kStrikethrough).toBool(); }
  /// Weight, 400 normal, 700 bold (DISPID 7).
  int16_t GetWeight() const { return Get(kWeight).toI2(); }
  /// Character set (DISPID 8).
  int16_t GetCharset() const { return Get(kCharset).toI2(); }

private:
  Variant font_;
};
