#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Rect.h"

/// What one page, object or the screen is apart from the nodes under it, as the editing history
/// keeps it: its own element of the project file (an object's control properties, a page's
/// record, the screen's counters and rectangle; never the nodes under it), and for an object
/// its rectangle, timing and effects, and the design-time hide and freeze flags.
struct NodeState {
  std::string name;
  std::string element;
  Rect rect;
  bool reserve = false;
  bool topmost = false;
  int32_t actionStyle = 0;
  int32_t preInDelay = 0;
  int32_t preOutDelay = 0;
  int32_t inStyle = 0;
  int32_t inSpeed = 0;
  int32_t delayTime = 0;
  int32_t outStyle = 0;
  int32_t outSpeed = 0;
  bool visible = true;
  bool unlocked = true;

  bool operator==(const NodeState&) const = default;
};

/// One step of the history: what a command changed, enough to take it back and to do it again.
/// A step may change the tree (a node added, removed or moved among its siblings) and the
/// states of nodes; only those nodes are kept, never a copy of the project.
struct EditStep {
  enum class Structure {
    None,     ///< only states changed
    Insert,   ///< `subtree` was added under `parent` at `index`
    Remove,   ///< `subtree` was removed from under `parent` at `index`
    MoveUp,   ///< `name` changed places with its previous sibling
    MoveDown, ///< `name` changed places with its next sibling
  };
  Structure structure = Structure::None;
  /// The node added, removed or moved.
  std::string name;
  /// Insert and Remove: the parent's name and the node's position among its children.
  std::string parent;
  size_t index = 0;
  /// Insert and Remove: the node with everything under it, as its element of the project file.
  std::string subtree;
  /// The states of the changed nodes before and after the command, in the same order.
  std::vector<NodeState> before, after;
  /// The full-screen toggle's state (flag, restore rectangle) before and after, when the step
  /// changed it.
  struct FullScreenState {
    bool on = false;
    Rect restore;
    bool operator==(const FullScreenState&) const = default;
  };
  std::optional<FullScreenState> fullScreenBefore, fullScreenAfter;
  /// Steps with the same key that follow each other may become one (typing in one field, an
  /// arrow key held down); empty = never.
  std::string mergeKey;

  /// The memory the step keeps, roughly.
  size_t Bytes() const;
};

/// The list of steps that can be undone and redone, and the point where the project was saved.
/// Qt-free; it only keeps steps: the editing session carries them out.
class EditHistory {
public:
  /// The steps kept at most take about this much memory; the oldest go first.
  static constexpr size_t kMaxBytes = size_t{64} << 20;

  /// Adds a step after the last one done; the steps that were undone go. With `merge` set and a
  /// key equal to that of the last step done (which must be the newest and not the saved
  /// point), the two become one; a merged step that changes nothing goes.
  void Push(EditStep step, bool merge);
  /// The step that Undo takes back, or null.
  const EditStep* Undoable() const { return done_ ? &steps_[done_ - 1] : nullptr; }
  /// The step that Redo does again, or null.
  const EditStep* Redoable() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }
  /// Moves back over the step Undoable gave (after it was taken back).
  void StepBack();
  /// Moves forward over the step Redoable gave (after it was done again).
  void StepForward();
  /// True when the project is as it was last saved (or opened, or made new).
  bool AtSavedPoint() const { return saved_ == done_; }
  /// The project was saved as it is now.
  void MarkSaved() { saved_ = done_; }
  /// A fresh history for a new or opened project, at its saved point.
  void Clear();
  /// The number of steps kept.
  size_t Size() const { return steps_.size(); }
  /// The memory the steps keep, roughly.
  size_t Bytes() const { return bytes_; }

private:
  void DropOldest();

  std::vector<EditStep> steps_;
  size_t done_ = 0;
  // Where the saved state is in the list; none once the steps that led to it are gone.
  std::optional<size_t> saved_ = 0;
  size_t bytes_ = 0;
};
