#include "playlist/MotionTask.h"

#include <algorithm>

#include "model/ShowNode.h"
#include "playlist/MotionEffect.h"
#include "playlist/PlayHost.h"

namespace {

int64_t NonNegative(int64_t ms) { return std::max<int64_t>(ms, 0); }

} // namespace

MotionTask::MotionTask(Scheduler& scheduler, PlayHost& host, ShowNode& node, int32_t screenWidth,
                       int32_t screenHeight)
    : task_(Run(scheduler, host, node, screenWidth, screenHeight)) {}

void MotionTask::Start() { task_.Start(); }

CoTask MotionTask::Run(Scheduler& scheduler, PlayHost& host, ShowNode& node, int32_t screenWidth,
                       int32_t screenHeight) {
  std::shared_ptr<CoTaskState> state = co_await CurrentTaskState{};
  CControlWrapper* window = node.control.get();
  node.actionDone = false;
  node.savedRect = window ? window->GetWindowRect() : Rect{};
  MotionEffect effect(node.savedRect, screenWidth, screenHeight);

  // Moves the window to M: styles 1 to 8 directly, the others through the page list.
  auto moveTo = [&](int32_t style) {
    if (state->cancelled || !window) return;
    if (MotionEffect::MovesDirectly(style))
      window->MoveWindow(effect.Current());
    else
      host.PlayMoveObject(*window, effect.Current());
  };
  auto show = [&](bool visible) {
    if (!state->cancelled && window) window->ShowWindow(visible);
  };

  int64_t due = scheduler.now() + NonNegative(node.preInDelay);
  co_await WaitUntil(scheduler, due);

  const int32_t inStyle = node.inStyle;
  if (effect.BeginIn(inStyle)) {
    if (inStyle != 0) moveTo(inStyle);
    if (!(inStyle == 5 && node.type == ObjectKind::Movie)) show(true);
    while (effect.StepIn()) {
      moveTo(inStyle);
      due += NonNegative(node.inSpeed);
      co_await WaitUntil(scheduler, due);
    }
  }

  due += NonNegative(static_cast<int64_t>(node.delayTime) * 1000) + NonNegative(node.preOutDelay);
  co_await WaitUntil(scheduler, due);

  const int32_t outStyle = node.outStyle;
  effect.BeginOut(outStyle);
  while (effect.StepOut()) {
    moveTo(outStyle);
    due += NonNegative(node.outSpeed);
    co_await WaitUntil(scheduler, due);
  }
  if (outStyle != 0) show(false);
  if (!state->cancelled) node.actionDone = true;
}
