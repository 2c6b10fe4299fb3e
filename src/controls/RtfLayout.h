#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Rect.h"

/// A laid-out line of text: its top and bottom (exclusive) in document pixels.
struct RtfLineBox {
  int top = 0;
  int bottom = 0;
};

/// The document rows [top, bottom) shown together as one screenful.
struct RtfScreenful {
  int top = 0;
  int bottom = 0;
  friend bool operator==(const RtfScreenful&, const RtfScreenful&) = default;
};

/// Direction a screenful moves while it enters or leaves.
enum class RtfMotion { None, Up, Down, Left, Right, RightDown, LeftDown, RightUp, LeftUp };

/// What a screenful is doing at a moment of the show.
enum class RtfPhase { Entering, Staying, Leaving, Finished, Idle };

/// The picture at one moment: which screenful, and where it is against its resting place.
struct RtfFrame {
  RtfPhase phase = RtfPhase::Idle;
  int run = 0;        ///< runs completed before this one
  int screenful = -1; ///< index of the screenful shown, -1 for none
  Point offset;       ///< displacement of the screenful from its place, in pixels
};

/// How a show runs.
struct RtfShowSettings {
  int width = 0;  ///< control width: the distance of horizontal moves
  int height = 0; ///< control height: the distance of vertical moves
  RtfMotion entry = RtfMotion::None;
  RtfMotion exit = RtfMotion::None;
  int64_t stepMs = 51; ///< pause after each one-pixel step
  int64_t stayMs = 0;  ///< time a screenful rests in place
  int runs = 1;        ///< runs of all screenfuls; 0 is endless
};

/// The geometry and time line of the RTF text show: text cut into screenfuls, each entering,
/// staying and leaving in turn, run after run. Moves are deadline based: step k of a move is
/// due k × stepMs after the move began, so a frame is a pure function of the elapsed time.
class RtfLayout {
public:
  /// Cuts lines (in document order) into screenfuls of at most `height` pixels without
  /// splitting a line; a line taller than the height is cut into height-sized slices.
  static std::vector<RtfScreenful> CutScreenfuls(const std::vector<RtfLineBox>& lines, int height);
  /// The entry style of a name ("无", "上进", "下进", "左进", "右进", "右下进", "左下进",
  /// "右上进", "左上进"); any other name is None.
  static RtfMotion EntryStyle(std::string_view name);
  /// The exit style of a name ("无", "上出", "下出", "左出", "右出", "右下出", "左下出",
  /// "右上出", "左上出"); any other name is None.
  static RtfMotion ExitStyle(std::string_view name);
  /// Milliseconds per one-pixel step at a play speed; speeds outside 1 to 100 are clamped.
  static int64_t StepMs(int playSpeed);

  RtfLayout() = default;
  /// A show of the screenfuls with the settings.
  RtfLayout(std::vector<RtfScreenful> screenfuls, RtfShowSettings settings);

  /// The screenfuls in order.
  const std::vector<RtfScreenful>& Screenfuls() const { return screenfuls_; }
  /// One-pixel steps of an entry (0 for None).
  int EntrySteps() const { return Steps(settings_.entry); }
  /// One-pixel steps of an exit (0 for None).
  int ExitSteps() const { return Steps(settings_.exit); }
  /// Duration of one run of every screenful.
  int64_t RunMs() const;
  /// The frame `t` ms after the start (t < 0 counts as 0).
  RtfFrame At(int64_t t) const;
  /// The next time after `t` at which the frame changes; -1 when it never will.
  int64_t NextChange(int64_t t) const;

private:
  int Steps(RtfMotion m) const;
  Point Displacement(RtfMotion m) const;

  std::vector<RtfScreenful> screenfuls_;
  RtfShowSettings settings_;
};
