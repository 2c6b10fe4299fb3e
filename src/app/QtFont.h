#pragma once

#include <QFont>
#include <functional>
#include <optional>

#include "controls/Variant.h"

class QFontDialog;
class QWidget;

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

/// Shows a set-up font dialog and tells whether the user chose OK.
using FontDialogRunner = std::function<bool(QFontDialog& dialog)>;

/// Asks for a font with Qt's font dialog, opened on `stored` (its family as ChoosableFamily
/// gives it, size, bold, italic, underline, strikethrough). What the user did not change keeps
/// the stored value (a stored 黑体 stays 黑体, 10.5 points stay 10.5); nullopt when cancelled.
/// `run` replaces the modal exec() (tests script the dialog with it).
std::optional<FontDesc> ChooseFontInDialog(const FontDesc& stored, QWidget* parent,
                                           const FontDialogRunner& run = {});
