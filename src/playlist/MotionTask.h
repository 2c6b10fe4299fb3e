#pragma once

#include <cstdint>

#include "base/Scheduler.h"
#include "playlist/CoTask.h"

class PlayHost;
struct ShowNode;

/// The motion of one object with actionStyle 1, started by the page list when the object
/// starts and kept in the node's `actionThread`: it saves the design rectangle (`savedRect`),
/// waits preInDelay, plays the in effect, holds for delayTime seconds and preOutDelay ms, plays
/// the out effect and hides the window after a non-zero out style; `actionDone` is false
/// throughout. Step k of an effect is due k × speed after the effect began, and the whole
/// motion runs on deadlines from its start, so late timers never add up. Moves of styles 1 to
/// 8 are made on the window directly, those of 9 to 19 through WM_PLAY_MOVE_OBJECT.
class MotionTask {
public:
  /// A motion of `node` on a play surface of `screenWidth` × `screenHeight`; `host` answers
  /// its move requests. Nothing happens until Start.
  MotionTask(Scheduler& scheduler, PlayHost& host, ShowNode& node, int32_t screenWidth,
             int32_t screenHeight);

  /// Runs the motion up to its first wait: actionDone false, savedRect saved.
  void Start();
  /// Ends the motion at once; the window stays as it is and actionDone is left to the caller.
  void Stop() { task_.Cancel(); }
  /// True while the motion runs (started, neither finished nor stopped).
  bool Running() const { return task_.Running(); }

private:
  static CoTask Run(Scheduler& scheduler, PlayHost& host, ShowNode& node, int32_t screenWidth,
                    int32_t screenHeight);

  CoTask task_;
};
