#include "app/ColorRef.h"
#include "label/CommonDialog.h"

#include <QColorDialog>

#include "app/QtFont.h"

namespace {

std::optional<int32_t> QtChooseColor(int32_t initial, QWidget* parent) {
  QColor chosen = QColorDialog::getColor(ColorFromRef(initial), parent);
  if (!chosen.isValid()) return std::nullopt;
  return ColorRefOf(chosen);
}

std::optional<FontDesc> QtChooseFont(const FontDesc& initial, QWidget* parent) {
  return ChooseFontInDialog(initial, parent);
}

CommonDialog::ColorChooser& ColorHook() {
  static CommonDialog::ColorChooser hook = QtChooseColor;
  return hook;
}

CommonDialog::FontChooser& FontHook() {
  static CommonDialog::FontChooser hook = QtChooseFont;
  return hook;
}

} // namespace

bool CommonDialog::ShowColor(QWidget* parent) {
  std::optional<int32_t> chosen = ColorHook()(Color, parent);
  if (!chosen) return false;
  Color = *chosen;
  return true;
}

bool CommonDialog::ShowFont(QWidget* parent) {
  std::optional<FontDesc> chosen = FontHook()(Font, parent);
  if (!chosen) return false;
  Font = *chosen;
  return true;
}

void CommonDialog::SetColorChooser(ColorChooser chooser) {
  ColorHook() = chooser ? std::move(chooser) : ColorChooser(QtChooseColor);
}

void CommonDialog::SetFontChooser(FontChooser chooser) {
  FontHook() = chooser ? std::move(chooser) : FontChooser(QtChooseFont);
}
