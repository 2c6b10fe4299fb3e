#pragma once

#include <QIcon>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "model/EditingSession.h"
#include "model/NamingCounters.h"
#include "model/ObjectKind.h"
#include "model/PageListLink.h"
#include "base/Rect.h"
#include "playlist/PlayWindows.h"

class AutoSaveTimer;
class CZyntraDoc;
class Playback;
class PowerOffTimer;
class CZyntraScr;
class QStatusBar;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;
struct ShowNode;

/// The page list window "对象列表": the project tree (screen, pages, objects), where pages and
/// objects are made, deleted, reordered and selected. It owns the editing session (the project
/// document, its counters and history) and routes the file commands to it.
class CDPlayList : public QWidget, public PageListLink, public PlayWindows, public EditingView {
  Q_OBJECT
public:
  /// Builds the tool bar, tree and status bar; the document starts empty.
  explicit CDPlayList(CZyntraScr* screen);
  ~CDPlayList() override;

  /// Runs a command of the page list (tool bar, main menu, surface; see CommandIds.h).
  void OnCommand(int id);
  /// Adds a page at the end and makes it current.
  void NewPage() override;
  /// Makes an object of a kind on the current page at a rectangle (normalised, at least MinWH;
  /// programs 32 × 32). False with a message when there is no current page or no such kind.
  bool CreateObject(int32_t kind, Rect rect);
  /// Deletes the selected tree item's node (asking first when DelPrompt is on).
  void DeleteSelected();
  /// Moves the selected item up or down among its siblings; the tree is rebuilt.
  void MoveItem(bool up);
  /// New project: asks to save a modified one first. False when cancelled.
  bool NewProject();
  /// Open: asks to save a modified project first, then opens "default" (the chooser).
  bool OpenProject();
  /// Saves; clears the modified flag on success.
  bool SaveProject();
  /// Saves under a new name; clears the modified flag on success.
  bool SaveProjectAs();
  /// Takes the last change back / does it again; the tree, the surface and an open property
  /// window show the result.
  void Undo();
  void Redo();

  /// The project document.
  CZyntraDoc& Document() const { return session_->Document(); }
  /// The tree view (identifier 1000).
  QTreeWidget* Tree() const { return tree_; }
  /// The status bar's text.
  QString StatusText() const;
  /// Shows a text in the status bar (simple mode).
  void SetStatusText(const QString& text);
  /// Selects the tree item with this text (pages and objects), which runs the selection
  /// handling; false when none has it.
  bool SelectItemByText(const std::string& text);
  /// Selects the current page's item (the surface's press on empty space).
  void SelectCurrentPageItem();
  /// Hides or shows the objects of a page.
  void ShowPageObjects(ShowNode* page, bool show);
  /// How the task list window is opened (given by the schedule module); without one the task
  /// list command does nothing.
  void SetTaskListOpener(std::function<void()> opener) { openTaskList_ = std::move(opener); }
  /// The rules of editing the project.
  EditingSession& Session() { return *session_; }
  /// The playback engine (play, test, stop, the requests 1025 to 1034); null without a
  /// scheduler.
  Playback* Player() const { return playback_.get(); }

  // --- The play requests of the screen window, the tool bar and the schedule ------------------
  /// Tests the current page, as the test command (1032).
  void PlayTest();
  /// Plays without hiding the tool windows and without a current page (1033).
  void PlayAll();
  /// Stops without showing the tool windows (1034).
  void PlayStopQuiet();

  // --- PlayWindows -----------------------------------------------------------------------------
  void ShowToolWindows(bool show) override;
  void DropSelection() override;
  void SetPlaying(bool playing) override;
  void SetBackground(int32_t colour) override;
  void Repaint() override;
  void ShowPageForDesign(ShowNode& page) override;
  int32_t ScreenWidth() const override;
  int32_t ScreenHeight() const override;

  // --- PageListLink ---------------------------------------------------------------------------
  void ClearProject() override;
  NamingCounters& Counters() override { return session_->Counters(); }
  void AppendPageItem(const std::string& name, int image) override;
  void AppendObjectItem(const std::string& name, int image) override;
  void ProjectRead() override;
  void ShowPage(ShowNode& page) override;
  std::string ProgramTitle() const override;
  Rect ScreenRect() const override;
  void MoveScreen(const Rect& rect) override;

  // --- EditingView: what undo and redo did ----------------------------------------------------
  void NodeGoing(ShowNode& node) override;
  void StructureChanged(ShowNode& focus) override;
  void StateRestored(ShowNode& node, const CControlWrapper* replaced) override;
  void HistoryChanged() override;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  /// The node a tree item stands for (by its text); null when none.
  ShowNode* ItemNode(QTreeWidgetItem* item) const;
  void OnSelectionChanged();
  void RebuildTree();
  /// Asks "是否保存对文件…的修改?" when modified; false when the user cancelled or the save
  /// did not happen.
  bool AskToSaveChanges();
  /// A new tree item under `parent` (expanded); without a parent, a root item outside the
  /// view.
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, const std::string& text, int image);
  /// Puts the root item built outside the view into it, every item expanded.
  void ShowTree();
  void SelectItem(QTreeWidgetItem* item);

  CZyntraScr* screen_;
  std::unique_ptr<EditingSession> session_; ///< the project and the rules of editing it
  std::unique_ptr<Playback> playback_;
  std::unique_ptr<AutoSaveTimer> autoSave_;
  std::unique_ptr<PowerOffTimer> powerOff_;
  QTreeWidget* tree_ = nullptr;
  QToolBar* toolBar_ = nullptr;
  QStatusBar* statusBar_ = nullptr;
  QTreeWidgetItem* rootItem_ = nullptr;
  QTreeWidgetItem* currentPageItem_ = nullptr;
  bool rebuilding_ = false;
  std::function<void()> openTaskList_;
  bool treeShown_ = false;          ///< the root item is in the view
  std::map<int, QIcon> treeImages_; ///< the tree's images, by number, as drawn
};
