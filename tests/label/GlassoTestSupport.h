#pragma once

#include <QImage>
#include <cstdlib>
#include <optional>
#include <vector>

#include "label/CommonDialog.h"
#include "label/Glasso.h"

// Drives a control only through its dispatch interface, as the program does.

inline InvokeStatus Put(HostedControl& c, GlassoIds::Dispid id, const Variant& v) {
  return c.Invoke(static_cast<int32_t>(id), InvokeKind::PropertyPut, {v}, nullptr);
}

inline Variant Get(HostedControl& c, GlassoIds::Dispid id) {
  Variant v;
  c.Invoke(static_cast<int32_t>(id), InvokeKind::PropertyGet, {}, &v);
  return v;
}

inline InvokeStatus Call(HostedControl& c, GlassoIds::Dispid id) {
  return c.Invoke(static_cast<int32_t>(id), InvokeKind::Method, {}, nullptr);
}

/// Saves a picture for a person to look at when ZYNTRA_SCREENSHOT_DIR names a folder.
inline void SaveShot(const QImage& image, const char* name) {
  if (const char* dir = getenv("ZYNTRA_SCREENSHOT_DIR")) {
    image.save(QString::fromUtf8(dir) + "/" + name);
  }
}

/// Scripts the colour and font choosers for one test and records what they were shown.
/// nullopt answers act as Cancel. The real dialogs come back when the script ends.
class ScriptedChoosers {
public:
  ScriptedChoosers() {
    CommonDialog::SetColorChooser([this](int32_t initial, QWidget*) {
      colorsShown.push_back(initial);
      return colorAnswer;
    });
    CommonDialog::SetFontChooser([this](const FontDesc& initial, QWidget*) {
      fontsShown.push_back(initial);
      return fontAnswer;
    });
  }
  ~ScriptedChoosers() {
    CommonDialog::SetColorChooser(nullptr);
    CommonDialog::SetFontChooser(nullptr);
  }
  ScriptedChoosers(const ScriptedChoosers&) = delete;
  ScriptedChoosers& operator=(const ScriptedChoosers&) = delete;

  std::optional<int32_t> colorAnswer;
  std::optional<FontDesc> fontAnswer;
  std::vector<int32_t> colorsShown;
  std::vector<FontDesc> fontsShown;
};
