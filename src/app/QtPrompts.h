#pragma once

#include <QString>

#include "model/Prompts.h"

class QWidget;

/// The Prompts seam with real Qt dialogs: QMessageBox, QFileDialog, QColorDialog, QFontDialog.
class QtPrompts : public Prompts {
public:
  /// Dialogs belong to the active window of the program, or to `parent` (may be null) when
  /// none is active.
  explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  PromptAnswer MessageBox(const std::string& text, const std::string& caption,
                          PromptButtons buttons, PromptIcon icon) override;
  std::optional<std::string> GetOpenFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<std::string> GetSaveFileName(const std::string& filter,
                                             const std::string& defaultExt,
                                             const std::string& initialPath) override;
  std::optional<int32_t> ChooseColor(int32_t initial) override;
  std::optional<FontDesc> ChooseFont(const FontDesc& initial) override;

  /// Turns a "Description|*.a;*.b|…|" filter into Qt's "Description (*.a *.b);;…" form.
  static QString ToQtFilter(const std::string& filter);

private:
  QWidget* Owner() const;
  QWidget* parent_;
};
