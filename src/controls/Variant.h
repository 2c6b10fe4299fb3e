#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "base/FontDesc.h"

/// A value passed to or returned from a hosted control's dispatch member.
class Variant {
public:
  enum class Type { Empty, Bool, I2, I4, R8, Date, Currency, String, Font };

  Variant() = default;
  static Variant FromBool(bool v) { return Variant(Type::Bool, v); }
  static Variant FromI2(int16_t v) { return Variant(Type::I2, static_cast<int32_t>(v)); }
  static Variant FromI4(int32_t v) { return Variant(Type::I4, v); }
  static Variant FromR8(double v) { return Variant(Type::R8, v); }
  static Variant FromDate(double v) { return Variant(Type::Date, v); }
  /// Currency: a fixed-point number in ten-thousandths (1.5 is 15000).
  static Variant FromCurrency(int64_t tenThousandths) {
    return Variant(Type::Currency, tenThousandths);
  }
  static Variant FromString(std::string v) { return Variant(Type::String, std::move(v)); }
  static Variant FromFont(FontDesc v) { return Variant(Type::Font, std::move(v)); }

  Type type() const { return type_; }
  bool isEmpty() const { return type_ == Type::Empty; }
  /// True for a value that converts to a number, as a dual interface coerces it: bool, i2,
  /// i4, r8, date or currency.
  bool isNumber() const {
    return type_ == Type::Bool || type_ == Type::I2 || type_ == Type::I4 || type_ == Type::R8 ||
           type_ == Type::Date || type_ == Type::Currency;
  }

  /// Value as bool: true for non-zero numbers and bool true; false otherwise.
  bool toBool() const;
  /// Value as a 16-bit integer (numbers are cut toward zero, currency to whole units).
  int16_t toI2() const { return static_cast<int16_t>(toI4()); }
  /// Value as a 32-bit integer (numbers are cut toward zero, currency to whole units).
  int32_t toI4() const;
  /// Value as a double (dates as their day number; currency in units).
  double toR8() const;
  /// Currency in ten-thousandths (other numbers are scaled).
  int64_t toCurrency() const;
  /// The string, or "" for any other type.
  std::string toString() const;
  /// The font, or a default font for any other type.
  FontDesc toFont() const;

  friend bool operator==(const Variant&, const Variant&) = default;

private:
  using Value = std::variant<std::monostate, bool, int32_t, int64_t, double, std::string, FontDesc>;
  Variant(Type t, Value v) : type_(t), value_(std::move(v)) {}
  Type type_ = Type::Empty;
  Value value_;
};

inline bool Variant::toBool() const {
  switch (type_) {
  case Type::Bool: return std::get<bool>(value_);
  case Type::I2:
  case Type::I4: return std::get<int32_t>(value_) != 0;
  case Type::Currency: return std::get<int64_t>(value_) != 0;
  case Type::R8:
  case Type::Date: return std::get<double>(value_) != 0.0;
  default: return false;
  }
}

inline int32_t Variant::toI4() const {
  switch (type_) {
  case Type::Bool: return std::get<bool>(value_) ? -1 : 0; // VARIANT_TRUE is -1
  case Type::I2:
  case Type::I4: return std::get<int32_t>(value_);
  case Type::Currency: return static_cast<int32_t>(std::get<int64_t>(value_) / 10000);
  case Type::R8:
  case Type::Date: {
    double d = std::get<double>(value_);
    if (!(d == d) || d >= 2147483648.0 || d < -2147483648.0) return 0;
    return static_cast<int32_t>(d);
  }
  default: return 0;
  }
}

inline double Variant::toR8() const {
  switch (type_) {
  case Type::Bool: return std::get<bool>(value_) ? -1.0 : 0.0;
  case Type::I2:
  case Type::I4: return std::get<int32_t>(value_);
  case Type::Currency: return static_cast<double>(std::get<int64_t>(value_)) / 10000.0;
  case Type::R8:
  case Type::Date: return std::get<double>(value_);
  default: return 0.0;
  }
}

inline int64_t Variant::toCurrency() const {
  if (type_ == Type::Currency) return std::get<int64_t>(value_);
  return static_cast<int64_t>(toR8() * 10000.0);
}

inline std::string Variant::toString() const {
  return type_ == Type::String ? std::get<std::string>(value_) : std::string();
}

inline FontDesc Variant::toFont() const {
  return type_ == Type::Font ? std::get<FontDesc>(value_) : FontDesc();
}
