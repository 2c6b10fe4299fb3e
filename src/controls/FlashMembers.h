#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "controls/FlashIds.h"
#include "controls/HostedControl.h"

/// The dispatch members of the Flash player control and the state they hold, shared by the
/// player and its stand-in so that both answer every member alike.
class FlashMembers {
public:
  /// Class identifier of the Flash player control.
  static constexpr const char* kClassId = FlashIds::kClassId;

  /// The published DISPIDs.
  using Dispid = FlashIds::Dispid;
  using enum FlashIds::Dispid;

  /// What an invoke changed, so the player knows what to redo.
  enum class Change { None, Movie, Playing };

  /// Applies one invoke. A put of FileName or Loop reports Movie when the value changed (the
  /// movie has to be loaded again); play, stop and Playing puts report Playing when the state
  /// changed. Unknown DISPIDs, wrong kinds and missing arguments change nothing.
  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result, Change* change);

  /// The movie file path as last put ("" at first).
  const std::string& fileName() const { return fileName_; }
  /// True when the main timeline loops (the default).
  bool loop() const { return loop_; }
  /// True when the movie should play (the default, as a freshly loaded movie plays).
  bool playing() const { return playing_; }

private:
  std::string fileName_;
  bool loop_ = true;
  bool playing_ = true;
};
