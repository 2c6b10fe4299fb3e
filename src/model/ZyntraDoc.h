#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "controls/ControlFactory.h"
#include "controls/ControlWrapper.h"
#include "model/EditHistory.h"
#include "model/FrameInfo.h"
#include "model/Markup.h"
#include "model/ObjectKind.h"
#include "model/PageListLink.h"
#include "base/Prompts.h"
#include "base/Rect.h"
#include "model/ShowNode.h"

/// The project document: the tree of screen, pages and objects, its path, and the reading and
/// writing of project files (".vrx"). Owned by the page list; used on the user-interface thread
/// only.
class CZyntraDoc {
public:
  /// The document of the page list `pageList`; controls are made by `factory`, questions and
  /// messages go to `prompts`. The tree starts empty (the page list makes the first project).
  CZyntraDoc(PageListLink& pageList, ControlFactory& factory, Prompts& prompts);
  ~CZyntraDoc();
  CZyntraDoc(const CZyntraDoc&) = delete;
  CZyntraDoc& operator=(const CZyntraDoc&) = delete;

  // --- The tree -------------------------------------------------------------------------------

  /// Makes an object node with the defaults and attaches it (`AttachNode`).
  ShowNode* AddNode(ObjectKind kind, std::unique_ptr<CControlWrapper> control, std::string name);
  /// Makes a page node owning `info` and attaches it (it becomes current).
  ShowNode* AddNode(ObjectKind kind, std::unique_ptr<FrameInfo> info, std::string name);
  /// Makes the screen node (not owning its window) and attaches it; on an empty tree it becomes
  /// the root.
  ShowNode* AddNode(ObjectKind kind, CZyntraScr* screenWindow, std::string name);
  /// Attaches a node under current: on an empty tree it becomes root and current; otherwise it
  /// is appended to current's children and, if it is a container, becomes current.
  ShowNode* AttachNode(std::unique_ptr<ShowNode> node);
  /// Makes current's parent current; nothing when current or its parent is null.
  void GotoParent();
  /// Depth-first pre-order search from `start` for the exact name; null when not found.
  ShowNode* FindNode(const std::string& name, ShowNode* start) const;
  /// Deletes a node with its subtree and their controls or page records; a deleted current
  /// node makes its parent current. Null does nothing.
  void DeleteNode(ShowNode* node);
  /// Deletes the node with this name (searched from the root); false when there is none.
  bool DeleteNode(const std::string& name);
  /// Deletes the object whose control has exactly this rectangle; false when there is none.
  bool DeleteNode(const Rect& rect);
  /// The object (searched from the root, later children first) whose control window has
  /// exactly this rectangle in screen-window client coordinates; null when none.
  ShowNode* FindNodeByRect(int32_t left, int32_t top, int32_t right, int32_t bottom) const;
  /// The object of the current page under the point (edges included; the object added last
  /// wins); null when none.
  ShowNode* HitTestNode(int32_t x, int32_t y) const;
  /// The control of the object under the point, as `HitTestNode`; null when none.
  CControlWrapper* HitTest(int32_t x, int32_t y) const;
  /// The control of the node with this name; null when there is none or the tree is empty.
  CControlWrapper* GetControl(const std::string& name) const;
  /// Forgets the project after the page list has deleted the tree: path "", no root, current
  /// or playing page, empty navigator document and docText.
  void ResetDocument();

  /// Creates the hosted control of an object kind at `rect` (screen-window client
  /// coordinates), shown or hidden, wrapped in the kind's wrapper class. Null for a kind that
  /// is not an object kind; a control the factory could not make gives a wrapper without a
  /// window, whose calls all give empty defaults.
  std::unique_ptr<CControlWrapper> CreateControl(ObjectKind kind, const Rect& rect, bool visible);

  // --- The project file -----------------------------------------------------------------------

  /// Hides the current page's objects, has the page list clear the project and add Page1.
  void NewDocument();
  /// Opens a project file; "default" asks for one first. The file is checked before anything
  /// is cleared: a file that cannot be read, is larger than 16 MiB or is not a project is
  /// reported ("文件已经损坏或非本系统文件!") and the current project, its path and state stay.
  /// True when a project was loaded.
  bool OpenDocument(const std::string& path);
  /// Saves to the path, or asks for one (`SaveDocumentAs`) when untitled. A file that cannot be
  /// written is reported ("文件保存失败：" + path) and gives false.
  bool SaveDocument();
  /// Writes the project to a file without asking, reporting or changing the path (auto-save);
  /// false when the file could not be written.
  bool SaveTo(const std::string& path) { return WriteProject(path); }
  /// Asks for a file name (".vrx" added, overwriting confirmed by the chooser) and saves there;
  /// the path changes only when the file was written. False when cancelled or not written.
  bool SaveDocumentAs();

  // --- Parts of the project as text, for the editing history -------------------------------

  /// The node with everything under it, as its element of the project file.
  std::string SubtreeText(const ShowNode& node);
  /// Builds the nodes of a text that SubtreeText gave under `parent`, at position `index` of its
  /// children (at the end when beyond it), with their controls hidden and no tree items; what
  /// is current stays. Null when the text holds no page or object.
  ShowNode* InsertSubtree(ShowNode& parent, size_t index, const std::string& text);
  /// What the node is apart from the nodes under it.
  NodeState CaptureState(const ShowNode& node);
  /// Puts the node back into a state CaptureState gave for it. An object whose control
  /// properties differ gets a new control, made from the state, shown when its page is current
  /// and it is not hidden; the control it replaced is given back (null when it was kept).
  std::unique_ptr<CControlWrapper> ApplyState(ShowNode& node, const NodeState& state);

  // --- State ----------------------------------------------------------------------------------

  /// The screen node; null only while the project is being cleared.
  ShowNode* Root() const { return root_.get(); }
  /// The current page, where new objects go; the root when no page is current.
  ShowNode* Current() const { return current_; }
  /// Makes a node of the tree current (selection of a page or the root).
  void SetCurrent(ShowNode* node) { current_ = node; }
  /// The page the play task is showing, or null.
  ShowNode* PlayingPage() const { return playingPage_; }
  /// Sets the page the play task is showing.
  void SetPlayingPage(ShowNode* page) { playingPage_ = page; }
  /// Tells the document that a show plays: objects moved by their motion tasks are then
  /// written at their design rectangles (saved by the task), not where they are this moment.
  void SetPlaybackActive(bool active) { playbackActive_ = active; }
  /// The project's file ("" = untitled).
  const std::string& Path() const { return path_; }
  /// Sets the project's file without reading or writing it.
  void SetPath(std::string path) { path_ = std::move(path); }
  /// The document text (UTF-8) as last written or read.
  const std::string& DocText() const { return docText_; }

  /// The filter of the project file choosers.
  static constexpr const char* kFileFilter = "VRX同步屏播放文件|*.vrx|";
  /// The first line of every project file.
  static constexpr const char* kHeader =
      "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>";

private:
  ShowNode* FindByRect(ShowNode* node, const Rect& rect) const;
  ShowNode* FindByPoint(ShowNode* node, int32_t x, int32_t y) const;
  void HideCurrentPageObjects();

  // Writing (ZyntraDoc_File.cpp).
  bool WriteProject(const std::string& path);
  void WriteNode(const ShowNode& node);
  void WriteCommon(const ShowNode& node);
  void WriteProperties(const ShowNode& node);
  void ReportSaveFailure(const std::string& path);

  // Reading (ZyntraDoc_File.cpp).
  void ReadProject();
  void ReadNodes();
  bool ReadNode();
  void ReadProperties(ObjectKind kind, CControlWrapper& control);
  void ReadCounters();
  void ReadFrameInfo(FrameInfo& info);

  PageListLink& pageList_;
  std::unique_ptr<ShowNode> root_;
  ShowNode* current_ = nullptr;
  ShowNode* playingPage_ = nullptr;
  bool playbackActive_ = false;
  // What WriteNode leaves out for CaptureState: the nodes under it, an object's common values.
  bool writeChildren_ = true;
  bool writeCommon_ = true;
  // While InsertSubtree reads: the page list is not told of the nodes made.
  bool inserting_ = false;
  std::string path_;
  CMarkup markup_;
  std::string docText_;
  ControlFactory& factory_;
  Prompts& prompts_;
};
