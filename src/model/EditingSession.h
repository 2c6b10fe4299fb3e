#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/EditHistory.h"
#include "model/NamingCounters.h"
#include "model/ObjectKind.h"
#include "base/Rect.h"

class CControlWrapper;
class ControlFactory;
class CZyntraDoc;
class PageListLink;
class Prompts;
struct ShowNode;

/// What the windows are told when undo or redo changed the project under them.
class EditingView {
public:
  virtual ~EditingView() = default;
  /// The node is about to be deleted with everything under it: nothing may keep pointing
  /// into it.
  virtual void NodeGoing(ShowNode& node) = 0;
  /// Pages or objects were added, removed or reordered; `focus` is the node to show and select
  /// (the one added or moved; the page of an object removed; the page before a page removed,
  /// else the one after it, else the screen).
  virtual void StructureChanged(ShowNode& focus) = 0;
  /// A node was put back into an earlier or later state. `replaced` is the control it had
  /// before, when it got a new one (already gone: for comparing only); null when it kept it.
  virtual void StateRestored(ShowNode& node, const CControlWrapper* replaced) = 0;
  /// What can be undone or redone, or whether the project is modified, may have changed.
  virtual void HistoryChanged() = 0;
};

/// The rules of editing a project, apart from the windows that show it: the naming counters
/// that are kept with the project, how new pages and new objects are made (their names, sizes
/// and defaults), deleting, reordering and arranging, and the history of every change, which
/// undo and redo walk and whose saved point says whether the project is modified. The windows
/// call it and show what it did.
class EditingSession {
public:
  /// Edits `document`, which the caller keeps; messages go to `prompts`.
  EditingSession(CZyntraDoc& document, Prompts& prompts);
  /// Owns a new, empty project document of the page list `pageList`, whose controls `factory`
  /// makes; questions and messages go to `prompts`.
  EditingSession(PageListLink& pageList, ControlFactory& factory, Prompts& prompts);
  ~EditingSession();
  EditingSession(const EditingSession&) = delete;
  EditingSession& operator=(const EditingSession&) = delete;

  /// The project document edited.
  CZyntraDoc& Document() { return document_; }
  const CZyntraDoc& Document() const { return document_; }

  /// The counters kept with the project: the last number given to a page and to an object of
  /// each kind.
  NamingCounters& Counters() { return counters_; }
  const NamingCounters& Counters() const { return counters_; }
  /// A new or opened project: every counter back to 0 and a fresh history, unmodified. The
  /// first page of a new project is part of it, not a change.
  void ResetProject();
  /// A project was read from its file: the next new page is a change.
  void ProjectRead() { blank_ = false; }

  /// The node chosen in the page list or on the surface: the screen, a page or an object; null
  /// while there is no project.
  ShowNode* Current() const { return current_; }
  /// Chooses `node` (null: nothing). The document's current page, where new objects go, becomes
  /// the page of `node`, or the screen for the screen. A selected object other than `node` is
  /// no longer selected.
  void SetCurrent(ShowNode* node);
  /// The object selected on the surface, which is also current; null when none is.
  ShowNode* Selected() const { return selected_; }
  /// Selects the object `object` on the surface and makes it current; null drops the selection
  /// and leaves what is current.
  void Select(ShowNode* object);

  /// Tells the windows of what undo and redo do (null = nobody).
  void SetView(EditingView* view) { view_ = view; }
  /// While a show plays nothing is recorded and nothing is undone.
  void SetPlaying(bool playing) { playing_ = playing; }

  /// Runs a change of the nodes `nodes` (objects, pages or the screen) and records it as one
  /// step: what they were before and after. Nothing is recorded when nothing changed, while a
  /// show plays, or inside another change (the outer one records). With `merge` set, a step
  /// with the same `key` as the step just before it joins that one.
  void Change(const std::vector<ShowNode*>& nodes, const std::string& key, bool merge,
              const std::function<void()>& change);
  /// Takes the last change back; false when there is none or a show plays.
  bool Undo();
  /// Does the last change taken back again; false when there is none or a show plays.
  bool Redo();
  bool CanUndo() const { return !playing_ && history_.Undoable(); }
  bool CanRedo() const { return !playing_ && history_.Redoable(); }
  /// True when the project differs from the file it was last saved to or opened from (or is a
  /// new project that has been changed).
  bool Modified() const { return !history_.AtSavedPoint(); }
  /// The project was saved as it is now.
  void MarkSaved();
  /// The history, for looking at it.
  const EditHistory& History() const { return history_; }

  /// A new page after the others, made current (in the document and here): "Page" + the incremented
  /// frame counter, shown until its objects end (play mode 0, 5 seconds), on the background colour
  /// `bg`.
  ShowNode& NewPage(int32_t bg);

  /// A new object of `kind` on the current page, made current: the base name of its kind +
  /// its incremented counter, at `rect` (normalised, at least `minWH` wide and high; a program
  /// is always 32 × 32 at the rectangle's corner), its control made visible, raised and given
  /// the defaults of its kind (a text on the background colour `screenBg`). Null, after a
  /// message captioned `title`, when no page is current ("没有当前页，不能创建对象！") or
  /// `kind` is no object ("无此控件！"); nothing is counted then.
  ShowNode* CreateObject(int32_t kind, Rect rect, int32_t minWH, int32_t screenBg,
                         const std::string& title);

  /// Whether to go on with a delete: without asking when `ask` is false, else the answer to
  /// "您真的要删除吗?" (captioned `title`).
  bool ConfirmDelete(bool ask, const std::string& title);
  /// Deletes the page or object named `name` with everything under it (its controls close).
  /// When the current page goes, the screen (root) becomes the current page; when what is
  /// current goes, the current page becomes current, and a selection inside it is dropped. False
  /// when there is no such node, or it is the screen.
  bool Delete(const std::string& name);
  /// Swaps the page or object named `name` with its previous (`up`) or next sibling. False when
  /// there is no such node or no such sibling.
  bool MoveSibling(const std::string& name, bool up);

  /// Where an arrange code (cmd::Arrange) puts an object at `object` on a surface of
  /// `surface`: against its top, bottom, left or right edge, centred on it (halves truncated
  /// toward zero), or full screen and back to where it was. There is one restore rectangle and
  /// one full-screen flag for the whole surface, whichever object is arranged. None for another
  /// code.
  std::optional<Rect> Arrange(int code, Rect object, const Rect& surface);
  /// Arranges the object `object` by an arrange code on a surface of `surface` (see Arrange) as
  /// one step; false when the code puts it nowhere.
  bool ArrangeObject(ShowNode& object, int code, const Rect& surface);
  /// Moves the object `object`'s window to `rect` as one step. With `merge` set, a move that
  /// follows a move of the same object made the same way (`how`: "nudge" for the arrow keys)
  /// joins it: a key held down is one step.
  void MoveObject(ShowNode& object, const Rect& rect, const std::string& how = {},
                  bool merge = false);
  /// Hides a shown object or shows a hidden one, on the surface too, as one step.
  void ToggleHidden(ShowNode& object);
  /// Freezes an object (the mouse no longer moves or sizes it) or frees a frozen one, as one
  /// step.
  void ToggleFrozen(ShowNode& object);

  /// True after a full-screen arrange that has not been undone by the next one.
  bool FullScreen() const { return fullScreen_; }

private:
  void Record(EditStep step, bool merge);
  void Replay(const EditStep& step, bool forward);
  void RemoveNode(const std::string& name);
  bool SwapSibling(ShowNode& node, bool up);
  std::vector<NodeState> Capture(const std::vector<ShowNode*>& nodes);
  void Restore(const std::vector<NodeState>& states);
  void Tell(const std::function<void(EditingView&)>& what);

  std::unique_ptr<CZyntraDoc> owned_; // when the session made the document
  CZyntraDoc& document_;
  Prompts& prompts_;
  NamingCounters counters_;
  Rect restoreRect_{10, 10, 80, 80};
  bool fullScreen_ = false;
  EditHistory history_;
  EditingView* view_ = nullptr;
  ShowNode* current_ = nullptr;
  ShowNode* selected_ = nullptr;
  bool playing_ = false;
  bool changing_ = false;  // inside Change
  bool replaying_ = false; // inside Undo or Redo
  bool blank_ = false;     // cleared, and no page made yet
};
