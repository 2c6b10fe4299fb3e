#include "controls/FontObject.h"

#include <cmath>

Variant CFontObject::Get(int32_t dispid) const {
  if (font_.type() != Variant::Type::Font) return Variant();
  const FontDesc f = font_.toFont();
  switch (dispid) {
  case kName: return Variant::FromString(f.name);
  case kSize: return Variant::FromCurrency(std::llround(f.size * 10000.0));
  case kBold: return Variant::FromBool(f.bold);
  case kItalic: return Variant::FromBool(f.italic);
  case kUnderline: return Variant::FromBool(f.underline);
  case kStrikethrough: return Variant::FromBool(f.strikethrough);
  case kWeight: return Variant::FromI2(f.weight);
  case kCharset: return Variant::FromI2(f.charset);
  default: return Variant();
  }
}
