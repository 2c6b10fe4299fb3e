#include "model/EditHistory.h"

#include <algorithm>

size_t EditStep::Bytes() const {
  size_t n = sizeof(EditStep) + name.size() + parent.size() + subtree.size() + mergeKey.size();
  for (const auto* states : {&before, &after})
    for (const NodeState& s : *states)
      n += sizeof(NodeState) + s.name.size() + s.element.size();
  return n;
}

void EditHistory::Push(EditStep step, bool merge) {
  if (merge && !step.mergeKey.empty() && done_ > 0 && done_ == steps_.size() && saved_ != done_) {
    EditStep& last = steps_[done_ - 1];
    if (last.structure == EditStep::Structure::None &&
        step.structure == EditStep::Structure::None && last.mergeKey == step.mergeKey &&
        last.before.size() == step.after.size()) {
      bytes_ -= last.Bytes();
      last.after = std::move(step.after);
      if (last.before == last.after) { // typed and taken back: nothing is left of it
        steps_.pop_back();
        --done_;
      } else {
        bytes_ += last.Bytes();
      }
      return;
    }
  }
  while (steps_.size() > done_) {
    bytes_ -= steps_.back().Bytes();
    steps_.pop_back();
  }
  if (saved_ && *saved_ > done_) saved_.reset(); // the saved state can no longer be reached
  bytes_ += step.Bytes();
  steps_.push_back(std::move(step));
  ++done_;
  while (bytes_ > kMaxBytes && steps_.size() > 1)
    DropOldest();
}

void EditHistory::DropOldest() {
  bytes_ -= steps_.front().Bytes();
  steps_.erase(steps_.begin());
  --done_;
  if (saved_) {
    if (*saved_ == 0)
      saved_.reset();
    else
      --*saved_;
  }
}

void EditHistory::StepBack() {
  if (done_ > 0) --done_;
}

void EditHistory::StepForward() {
  if (done_ < steps_.size()) ++done_;
}

void EditHistory::Clear() {
  steps_.clear();
  done_ = 0;
  saved_ = 0;
  bytes_ = 0;
}
