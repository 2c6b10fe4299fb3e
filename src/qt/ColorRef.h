#pragma once

#include <QColor>

#include <cstdint>

// Colours are kept as 0x00BBGGRR values (red in the low byte) everywhere outside Qt. Header-only,
// because the control libraries use it too.

/// A 0x00BBGGRR colour as a QColor (the high byte is ignored).
inline QColor ColorFromRef(int32_t c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

/// A QColor as 0x00BBGGRR.
inline int32_t ColorRefOf(const QColor& c) { return c.red() | (c.green() << 8) | (c.blue() << 16); }
