#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "base/Prompts.h"

class QFontDialog;
class QWidget;

/// Shows a set-up font dialog and tells whether the user chose OK.
using FontDialogRunner = std::function<bool(QFontDialog& dialog)>;

/// Asks for a font with Qt's font dialog, opened on `stored` (its family as ChoosableFamily
/// gives it, size, bold, italic, underline, strikethrough). What the user did not change keeps
/// the stored value (a stored 黑体 stays 黑体, 10.5 points stay 10.5); nullopt when cancelled.
/// `run` replaces the modal exec() (tests script the dialog with it).
std::optional<FontDesc> ChooseFontInDialog(const FontDesc& stored, QWidget* parent,
                                           const FontDialogRunner& run = {});

/// The Prompts seam with real Qt dialogs: QMessageBox, QFileDialog, QColorDialog, QFontDialog.
/// The only place of the program that opens these dialogs; everything else asks through
/// Prompts.
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
