#pragma once

#include <string>

#include "model/NamingCounters.h"
#include "base/Rect.h"

struct ShowNode;

/// What the project document needs of the page list that owns it (and, through it, of the
/// screen window and the tree view). The page list window implements it.
class PageListLink {
public:
  virtual ~PageListLink() = default;

  /// Empties the project for a new or opened one: counters to 0, the screen's selection
  /// dropped, all tree items deleted, the document's root deleted (every node and control),
  /// `ResetDocument`, then a root item with the program title and a new screen root node.
  virtual void ClearProject() = 0;
  /// Adds a new page after the others ("Page" + the incremented frame counter, default
  /// record), makes it current and appends and selects its tree item.
  virtual void NewPage() = 0;
  /// The naming counters kept with the project.
  virtual NamingCounters& Counters() = 0;
  /// Appends a tree item (text, image) under the root item; it becomes the current page item
  /// and the selection.
  virtual void AppendPageItem(const std::string& name, int image) = 0;
  /// Appends a tree item (text, image) under the current page item.
  virtual void AppendObjectItem(const std::string& name, int image) = 0;
  /// The project file is read: every item appended since ClearProject is shown at once, and
  /// the last page item appended is the selection.
  virtual void ProjectRead() = 0;
  /// Shows a page on the screen window: its background colour and its objects.
  virtual void ShowPage(ShowNode& page) = 0;
  /// The program title (setting "WndTitle"): the root's name and the caption of messages.
  virtual std::string ProgramTitle() const = 0;
  /// The screen window's rectangle in desktop coordinates.
  virtual Rect ScreenRect() const = 0;
  /// Moves the screen window to a rectangle in desktop coordinates and repaints it.
  virtual void MoveScreen(const Rect& rect) = 0;
};
