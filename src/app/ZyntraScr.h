#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/AppServices.h"
#include "app/DToolBar.h"
#include "app/Settings.h"
#include "model/ObjectKind.h"
#include "model/Rect.h"

class CControlWrapper;
class CDPlayList;
class ControlFactory;
struct ShowNode;

/// The screen window: the borderless rectangle of the desktop that the LED screen mirrors. It
/// is the design and play surface, hosts every object's control as a child widget, holds the
/// settings, and owns the tool bar window and the page list window.
///
/// Split by concern: ZyntraScr.cpp (life cycle, settings, exit), ZyntraScr_Paint.cpp,
/// ZyntraScr_Commands.cpp (selection, surface commands, arrange, property windows).
class CZyntraScr : public QWidget, public ToolBarOwner {
  Q_OBJECT
public:
  /// Constructs the window (not yet initialised): settings path and member defaults.
  explicit CZyntraScr(AppServices services);
  ~CZyntraScr() override;

  /// Initialisation: tool windows placed from the available screen geometry, LoadSettings,
  /// an empty project with one page, then auto-play of `LFile` when configured.
  void Initialise();
  /// Leaves the program: asks to save a modified project (Cancel, or a save that was
  /// cancelled or failed, keeps running), stops playing, ends the run. True when leaving.
  bool ExitSystem();
  /// Writes the settings and destroys the tool windows (the window's destruction steps).
  void Shutdown();

  // --- Operations other windows call ---------------------------------------------------------
  /// Selects an object's window (nothing when it is already selected); marks the project
  /// modified.
  void SelectObject(CControlWrapper* window);
  /// Closes the property window and drops the selection.
  void ClearSelection();
  /// Sets the surface background (and the current page's colour) and repaints.
  void SetSurfaceColour(int32_t colour);
  /// Runs a surface command 111 … 176.
  void SurfaceCommand(int id);
  /// Aligns, centres or toggles full screen on the selected object (codes 104, 98, 100, 102,
  /// 101, 36); nothing without a selection.
  void ArrangeObject(int code) override;
  /// Opens (or re-shows) the property window of a kind code (120 = page and screen).
  void ShowPropertyWindow(int code);
  /// Fills the open property window from currentNode.
  void LoadPropertyWindow(int code);

  // --- ToolBarOwner ---------------------------------------------------------------------------
  void SetInsertMode(bool on, int32_t kind) override;
  void PageListCommand(int id) override;
  void PageListCreateObject(int32_t kind, const Rect& rect) override;
  void RepaintSurface() override { update(); }

  // --- State read and written by the other windows --------------------------------------------
  CDPlayList* pageList = nullptr;
  CDToolBar* toolBar = nullptr;
  int propertyKind = 0;
  QPointer<QWidget> propertyWnd;
  ShowNode* currentNode = nullptr;
  CControlWrapper* selectedWnd = nullptr;
  ObjectKind insertKind = ObjectKind::Label;
  bool insertMode = false;
  bool drawing = false;
  bool playing = false;
  bool menuEnabled = true;
  bool modified = false;
  bool topmost = false;
  Settings settings;
  Rect restoreRect{10, 10, 80, 80};
  bool fullScreen = false;
  bool showTracker = true;

  /// The seams the window was made with.
  const AppServices& Services() const { return services_; }
  /// The factory that makes controls as children of this window.
  ControlFactory& Factory() { return *factory_; }
  /// The screen window's rectangle in desktop coordinates.
  Rect DesktopRect() const;
  /// Moves the screen window to a desktop rectangle.
  void MoveToDesktopRect(const Rect& r);
  /// Puts the window in or out of the always-on-top band.
  void ApplyTopmost(bool on);
  /// Paints the surface as designed or played into a painter (used by paintEvent and by the
  /// headless renderer, which passes design = false to leave out grid and selection).
  void PaintSurface(QPainter& p, bool design);
  /// Opens the task list window on a file and plays it (set by the schedule module).
  std::function<void(const std::string&)> openTaskListFile;
  /// Makes the property window of a kind code (120 = page and screen); null for a code without
  /// one. The window must implement PropertyWindow.
  std::function<QWidget*(int code, CZyntraScr& screen)> propertyWindowFactory;
  /// True once ExitSystem decided to leave.
  bool Leaving() const { return leaving_; }

signals:
  /// The run is over: the application should quit.
  void exitRequested();

protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

private:
  AppServices services_;
  std::unique_ptr<ControlFactory> factory_;
  bool leaving_ = false;
  bool shutDown_ = false;
};
