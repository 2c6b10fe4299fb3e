#pragma once

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/AppServices.h"
#include "app/DToolBar.h"
#include "app/RectTracker.h"
#include "settings/Settings.h"
#include "model/ObjectKind.h"
#include "base/Prompts.h"
#include "base/Rect.h"

class CControlWrapper;
class CDPlayList;
class ControlFactory;
class EditingSession;
class QMenu;
class RepeatingTimer;
struct ShowNode;

/// The screen window: the borderless rectangle of the desktop that the LED screen mirrors. It
/// is the design and play surface, hosts every object's control as a child widget, holds the
/// settings, and owns the tool bar window and the page list window.
///
/// Split by concern: ZyntraScr.cpp (life cycle, settings, exit), ZyntraScr_Paint.cpp,
/// ZyntraScr_Commands.cpp (selection, surface commands, arrange, property windows),
/// ZyntraScr_Mouse.cpp (pressing, dragging, drawing, double click, status texts),
/// ZyntraScr_Keys.cpp (the key filter and the object key handler), ZyntraScr_Menu.cpp.
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
  /// Leaves at once without the save question (the system asked the program to end: a
  /// terminal's Ctrl+C, a hang-up, a service stop): stops playing and ends the run.
  void LeaveWithoutAsking();
  /// Writes the settings and destroys the tool windows (the window's destruction steps).
  void Shutdown();

  // --- Operations other windows call ---------------------------------------------------------
  /// Selects an object on the surface and makes it current (nothing when it is already
  /// selected); null drops the selection.
  void SelectObject(ShowNode* object);
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
  /// Fills the open property window from the current node.
  void LoadPropertyWindow(int code);
  /// Fills the open property window again (after undo or redo changed what it shows).
  void ReloadPropertyWindow();
  /// Greys or enables the undo and redo commands as the history allows.
  void UpdateEditCommands();
  /// Runs a change of `nodes` as one step of the editing history (see EditingSession::Change);
  /// without a page list, just runs it.
  void Edit(const std::vector<ShowNode*>& nodes, const std::string& key, bool merge,
            const std::function<void()>& change);
  /// True when the project has changes that are not saved.
  bool Modified() const;

  // --- Mouse (ZyntraScr_Mouse.cpp); points in client coordinates, nothing while playing ----
  /// Left button down: draws a new object in insert mode, else selects and starts moving or
  /// resizing; the surface then holds the mouse until the release.
  void OnLButtonDown(Point p, const QPoint& globalPos);
  /// Mouse movement: follows a running drag, creates a drawn object, shows the cursor of the
  /// tracker part, moves the whole window with EnableMove and shows the position.
  void OnMouseMove(Point p, const QPoint& globalPos);
  /// Left button up: ends a running drag (the rectangle is applied) and releases the mouse.
  void OnLButtonUp(Point p);
  /// Double click: the property window of the selection, or of the page and screen (120).
  void OnLButtonDblClk();

  // --- Keys (ZyntraScr_Keys.cpp) --------------------------------------------------------------
  /// The filter every key-down for this window, its objects and its tool windows passes before
  /// it is dispatched; true when the key is used up here. `repeat`: the key is held down.
  bool FilterKeyDown(int key, Qt::KeyboardModifiers modifiers = {}, bool repeat = false);
  /// The key handler of program, Flash and GIF objects: Page Up / Page Down move the selected
  /// tree item, Delete deletes it.
  void OnObjectKey(int key);

  // --- Context menu (ZyntraScr_Menu.cpp) --------------------------------------------------------
  /// Builds the context menu for the present state; each action carries its command in data().
  QMenu* BuildContextMenu(QWidget* parent);
  /// Right button down: shows the context menu at a desktop point and runs the chosen command;
  /// nothing unless menuEnabled.
  void ShowContextMenu(const QPoint& globalPos);

  // --- ToolBarOwner ---------------------------------------------------------------------------
  void SetInsertMode(bool on, int32_t kind) override;
  void PageListCommand(int id) override;
  void PageListCreateObject(int32_t kind, const Rect& rect) override;
  void RepaintSurface() override { update(); }

  // --- What the other windows read and set -----------------------------------------------------
  /// The page list window; null before Initialise and after Shutdown.
  CDPlayList* PageList() const { return pageList_; }
  /// The tool bar window; null before Initialise and after Shutdown.
  CDToolBar* ToolBar() const { return toolBar_; }
  /// The property window that is open; null when none is.
  QWidget* OpenPropertyWindow() const { return propertyWnd_.data(); }
  /// The kind code of the property window last opened (120 = page and screen).
  int PropertyKind() const { return propertyKind_; }
  /// The node chosen in the page list or on the surface (the editing session's); null while
  /// there is no project.
  ShowNode* CurrentNode() const;
  /// The control window of the object selected on the surface; null when none is.
  CControlWrapper* SelectedWindow() const;
  /// Draws the selection's tracker afresh where its object now is (after its control changed).
  void RefreshSelection();
  /// The tracker of the selection, or of the object being drawn; null when neither.
  const RectTracker* Tracker() const { return tracker_.get(); }
  /// False while a move or resize drag hides the selection's tracker.
  bool TrackerShown() const { return showTracker_; }
  /// Insert mode: the next press on the surface draws an object of InsertKind.
  bool InsertMode() const { return insertMode_; }
  ObjectKind InsertKind() const { return insertKind_; }
  /// A new object is being drawn.
  bool Drawing() const { return drawing_; }
  /// A show plays on the surface (set by the page list when playback starts and stops).
  bool Playing() const { return playing_; }
  void SetPlaying(bool playing) { playing_ = playing; }
  /// The context menu and the property windows are allowed (not while the task list runs).
  bool MenuEnabled() const { return menuEnabled_; }
  void SetMenuEnabled(bool enabled) { menuEnabled_ = enabled; }
  /// The window is in the always-on-top band (see ApplyTopmost).
  bool Topmost() const { return topmost_; }
  /// The settings of setup.ini, which the windows read and change.
  Settings& Config() { return settings_; }
  const Settings& Config() const { return settings_; }

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
  /// How a task list file is opened in the task list window and played (given by the schedule
  /// module); without one, OpenTaskListFile does nothing and returns false.
  void SetTaskListOpener(std::function<void(const std::string&)> opener) {
    openTaskListFile_ = std::move(opener);
  }
  /// Opens the task list window on `path` and plays it; false when there is no task list.
  bool OpenTaskListFile(const std::string& path);
  /// How the property window of a kind code (120 = page and screen) is made (given by the
  /// program; without one no property window opens); it returns null for a code without one.
  /// The window must implement PropertyWindow.
  using PropertyWindowFactory = std::function<QWidget*(int code, CZyntraScr& screen)>;
  void SetPropertyWindowFactory(PropertyWindowFactory factory) {
    propertyWindowFactory_ = std::move(factory);
  }
  /// True once ExitSystem decided to leave.
  bool Leaving() const { return leaving_; }

signals:
  /// The run is over: the application should quit.
  void exitRequested();

protected:
  void paintEvent(QPaintEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  /// Routes key-downs and the mouse on object windows to the surface (installed on the
  /// application by the constructor).
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  /// Which status timer runs while a tracker is dragged.
  enum class StatusTimer { Position = 1, Size = 2 };
  void StartStatusTimer(StatusTimer which, int64_t periodMs);
  void StopStatusTimer();
  void ShowTrackerStatus();
  void EndTrackerDrag(bool cancelled);
  /// The object selected on the surface; null when none is.
  ShowNode* SelectedNode() const;
  void SetSurfaceCursor(Qt::CursorShape shape, const QPoint& clientPos);
  void UpdateDragFrame();
  void PaintDragFrame();
  bool IsOwnKeyTarget(QWidget* receiver) const;
  bool FilterMouse(QWidget* receiver, QEvent* event);

  PromptAnswer AskToSave();
  void Leave();

  /// The editing session of the page list; null without one.
  EditingSession* Session() const;

  AppServices services_;
  std::unique_ptr<ControlFactory> factory_;
  CDPlayList* pageList_ = nullptr;
  CDToolBar* toolBar_ = nullptr;
  int propertyKind_ = 0;
  QPointer<QWidget> propertyWnd_;
  ObjectKind insertKind_ = ObjectKind::Label;
  bool insertMode_ = false;
  bool drawing_ = false;
  bool playing_ = false;
  bool menuEnabled_ = true;
  bool topmost_ = false;
  Settings settings_;
  bool showTracker_ = true;
  // Where the left button went down (client coordinates).
  Point downPoint_;
  // The left button is down on the surface, which holds the mouse.
  bool mouseDown_ = false;
  std::unique_ptr<RectTracker> tracker_;
  std::function<void(const std::string&)> openTaskListFile_;
  PropertyWindowFactory propertyWindowFactory_;
  bool leaving_ = false;
  bool asking_ = false;
  bool shutDown_ = false;
  // A tracker drag runs from the press to the release: the creation drag, or a move or resize.
  bool creationDrag_ = false;
  std::unique_ptr<RepeatingTimer> statusTimer_;
  // Shows the dragged rectangle above the object windows (the surface paints below them).
  QWidget* dragFrame_ = nullptr;
  StatusTimer statusKind_ = StatusTimer::Position;
  // Moving the window: its desktop position and the mouse's at the press.
  QPoint windowAtDown_, globalAtDown_;
  // The key-down last seen by the filter, and where: a key that no widget took travels up to
  // the parents and passes the filter again, but counts once.
  const QEvent* lastKey_ = nullptr;
  QPointer<QWidget> lastKeyReceiver_;
};
