#pragma once

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

#include "label/Glasso.h"
#include "base/Prompts.h"

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

/// The prompts of a label in a test: scripts the colour and font choosers and records what they
/// were shown; nullopt answers act as Cancel. A label has no message boxes or file choosers, so
/// asking for one fails the test.
class ScriptedChoosers : public Prompts {
public:
  PromptAnswer MessageBox(const std::string& text, const std::string&, PromptButtons,
                          PromptIcon) override {
    ADD_FAILURE() << "a label showed a message box: " << text;
    return PromptAnswer::Cancel;
  }
  std::optional<std::string> GetOpenFileName(const std::string& filter, const std::string&,
                                             const std::string&) override {
    ADD_FAILURE() << "a label asked for a file to open: " << filter;
    return std::nullopt;
  }
  std::optional<std::string> GetSaveFileName(const std::string& filter, const std::string&,
                                             const std::string&) override {
    ADD_FAILURE() << "a label asked for a file to save: " << filter;
    return std::nullopt;
  }
  std::optional<int32_t> ChooseColor(int32_t initial) override {
    colorsShown.push_back(initial);
    return colorAnswer;
  }
  std::optional<FontDesc> ChooseFont(const FontDesc& initial) override {
    fontsShown.push_back(initial);
    return fontAnswer;
  }

  std::optional<int32_t> colorAnswer;
  std::optional<FontDesc> fontAnswer;
  std::vector<int32_t> colorsShown;
  std::vector<FontDesc> fontsShown;
};
