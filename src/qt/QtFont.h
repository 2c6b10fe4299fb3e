#pragma once

#include <QFont>

#include "base/FontDesc.h"

/// The Qt font that draws `desc`: its family, point size (when above 0), bold, italic,
/// underline and strikethrough.
QFont QFontOf(const FontDesc& desc);
/// Gives `font` the family, point size (when above 0), bold, italic, underline and
/// strikethrough of `desc`; the rest of `font` stays.
void ApplyFontDesc(QFont& font, const FontDesc& desc);

/// `base` with the family, point size, bold, italic, underline and strikethrough of `font`;
/// the weight follows bold (700 or 400), the charset stays.
FontDesc FontDescOf(const QFont& font, FontDesc base = {});

/// The family a font chooser can select for `font`: the font database's own spelling of the
/// family when it is installed, else the family fontconfig draws it with (黑体 → Noto Sans CJK SC).
QString ChoosableFamily(const QFont& font);
