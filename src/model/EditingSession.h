#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "model/NamingCounters.h"
#include "model/ObjectKind.h"
#include "model/Rect.h"

class CZyntraDoc;
class Prompts;
struct ShowNode;

/// The rules of editing a project, apart from the windows that show it: the naming counters
/// that are kept with the project, and how new pages and new objects are made (their names,
/// sizes and defaults). The page list window calls it and shows what it made.
class EditingSession {
public:
  /// Edits `document`; messages (with the caption `title()` gives) go to `prompts`.
  EditingSession(CZyntraDoc& document, Prompts& prompts);

  /// The counters kept with the project: the last number given to a page and to an object of
  /// each kind.
  NamingCounters& Counters() { return counters_; }
  const NamingCounters& Counters() const { return counters_; }
  /// Every counter back to 0, for a new or opened project.
  void ResetCounters() { counters_ = NamingCounters{}; }

  /// A new page after the others, made current: "Page" + the incremented frame counter, shown
  /// until its objects end (play mode 0, 5 seconds), on the background colour `bg`.
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
  /// When the current page goes, the screen (root) becomes current. False when there is no such
  /// node, or it is the screen.
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
  /// True after a full-screen arrange that has not been undone by the next one.
  bool FullScreen() const { return fullScreen_; }

private:
  CZyntraDoc& document_;
  Prompts& prompts_;
  NamingCounters counters_;
  Rect restoreRect_{10, 10, 80, 80};
  bool fullScreen_ = false;
};
