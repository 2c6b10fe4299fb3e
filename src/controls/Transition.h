#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "base/Rect.h"

/// The picture transitions of the picture-effect control, in the order of their names.
enum class TransitionEffect {
  Cut,              ///< "无效果": the new picture replaces the old one at once
  HorizontalBlinds, ///< "水平百叶窗": horizontal slats open downwards
  VerticalBlinds,   ///< "垂直百叶窗": vertical slats open rightwards
  BoxOut,           ///< "中间向四周": a box opens from the centre
  BoxIn,            ///< "四周向中间": a box closes from the edges towards the centre
  MoveUp,           ///< "上移": the picture slides in from below, moving up
  MoveDown,         ///< "下移": the picture slides in from above, moving down
  MoveLeft,         ///< "左移": the picture slides in from the right, moving left
  MoveRight,        ///< "右移": the picture slides in from the left, moving right
  WipeUp,           ///< "上拉": revealed from the bottom edge upwards
  WipeDown,         ///< "下拉": revealed from the top edge downwards
  WipeLeft,         ///< "左拉": revealed from the right edge leftwards
  WipeRight,        ///< "右拉": revealed from the left edge rightwards
  GrowVertical,     ///< "垂直放大": grows in height from the middle line
  GrowHorizontal,   ///< "水平放大": grows in width from the middle column
};

/// Number of slats of the blinds transitions.
inline constexpr int kBlindSlats = 10;
/// Interval of transition frames in milliseconds (the display's frame rate).
inline constexpr int64_t kTransitionFrameMs = 16;

/// The effect called `name` (UTF-8); an unknown name is a cut.
TransitionEffect TransitionEffectFromName(std::string_view name);

/// How long the transition lasts: (101 − speed) × 20 ms with the speed held to 1…100; a cut
/// takes no time.
int64_t TransitionDurationMs(TransitionEffect effect, int speed);

/// Where the new picture appears at one moment of a transition: the whole new frame is drawn
/// scaled into `target` and only the parts inside `visible` show; the rest shows the old frame.
struct TransitionFrame {
  Rect target;
  std::vector<Rect> visible;
  friend bool operator==(const TransitionFrame&, const TransitionFrame&) = default;
};

/// The geometry of `effect` over a width × height area at progress 0…1 (clamped). At progress 1
/// every effect shows the whole new frame; empty rectangles are left out of `visible`.
TransitionFrame TransitionGeometry(TransitionEffect effect, int width, int height, double progress);
