#pragma once

#include <QWidget>

#include <cstdint>

#include "base/Rect.h"

class QAction;
class QActionGroup;
class QMenuBar;
class QToolBar;

/// What the tool bar window forwards its commands to: the screen window, and through it the
/// page list. The tool bar holds no logic of its own.
class ToolBarOwner {
public:
  virtual ~ToolBarOwner() = default;
  /// Arms the surface's insert mode with an object kind, or turns it off.
  virtual void SetInsertMode(bool on, int32_t kind) = 0;
  /// Hands a command to the page list (file, play 4106, test request 1032, options, about, exit,
  /// play control, delete 4103).
  virtual void PageListCommand(int id) = 0;
  /// The page list's CreateObject with a kind and a rectangle.
  virtual void PageListCreateObject(int32_t kind, const Rect& rect) = 0;
  /// Aligns, centres or toggles full screen on the selected object.
  virtual void ArrangeObject(int code) = 0;
  /// Repaints the screen window.
  virtual void RepaintSurface() = 0;
};

/// The tool bar window "同步屏播放系统": the main menu and the 18-position button strip.
class CDToolBar : public QWidget {
  Q_OBJECT
public:
  /// Builds the menu and the strip and presses "选择". `owner` may be set later.
  /// A window of its own; with `parent` it belongs to that window and stays above it.
  explicit CDToolBar(ToolBarOwner* owner = nullptr, QWidget* parent = nullptr);
  /// Presses the "选择" button, which releases the other object buttons and turns insert off.
  void ResetToSelect();
  /// Runs a button command (139 … 178) as a click on that button would.
  void OnButtonCommand(int id);
  /// Runs a main-menu command as choosing that item would.
  void OnMenuCommand(int id);
  /// Greys the undo and redo items of the 控件 menu when there is nothing to undo or redo.
  void SetEditCommands(bool canUndo, bool canRedo);
  /// The action of a command identifier (buttons and menu items), or null.
  QAction* ActionFor(int id) const;
  /// The command identifier of the pressed check-group button.
  int CheckedTool() const;
  /// The strip of buttons.
  QToolBar* ButtonStrip() const { return strip_; }
  /// The main menu.
  QMenuBar* MainMenu() const { return menu_; }

protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  void BuildMenu();
  void BuildStrip();
  void Cancel();

  ToolBarOwner* owner_;
  QMenuBar* menu_ = nullptr;
  QToolBar* strip_ = nullptr;
  QActionGroup* tools_ = nullptr;
};
