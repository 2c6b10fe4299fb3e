#include "controls/Transition.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

namespace {

constexpr std::array<std::string_view, 15> kEffectNames = {
    "无效果", "水平百叶窗", "垂直百叶窗", "中间向四周", "四周向中间",
    "上移",   "下移",       "左移",       "右移",       "上拉",
    "下拉",   "左拉",       "右拉",       "垂直放大",   "水平放大",
};

int32_t Part(int32_t length, double progress) {
  return static_cast<int32_t>(std::lround(length * progress));
}

void AddVisible(std::vector<Rect>& out, Rect r) {
  if (!r.IsEmpty()) out.push_back(r);
}

// Moves the target by dx, dy and makes the part of it inside the w × h area visible.
void ShowTarget(TransitionFrame& f, int32_t w, int32_t h, int32_t dx, int32_t dy) {
  f.target.OffsetRect(dx, dy);
  AddVisible(f.visible, {std::max(0, f.target.left), std::max(0, f.target.top),
                         std::min(w, f.target.right), std::min(h, f.target.bottom)});
}

} // namespace

TransitionEffect TransitionEffectFromName(std::string_view name) {
  for (size_t i = 0; i < kEffectNames.size(); ++i) {
    if (kEffectNames[i] == name) return static_cast<TransitionEffect>(i);
  }
  return TransitionEffect::Cut;
}

int64_t TransitionDurationMs(TransitionEffect effect, int speed) {
  if (effect == TransitionEffect::Cut) return 0;
  return (101 - std::clamp(speed, 1, 100)) * int64_t{20};
}

TransitionFrame TransitionGeometry(TransitionEffect effect, int width, int height,
                                   double progress) {
  const int32_t w = std::max(0, width);
  const int32_t h = std::max(0, height);
  const double p = std::isnan(progress) ? 1.0 : std::clamp(progress, 0.0, 1.0);
  const Rect full{0, 0, w, h};
  TransitionFrame f{full, {}};
  switch (effect) {
  case TransitionEffect::Cut: AddVisible(f.visible, full); break;
  case TransitionEffect::HorizontalBlinds:
    // Each slat owns its share of the height, so the slats tile the area without gaps.
    for (int i = 0; i < kBlindSlats; ++i) {
      int32_t top = h * i / kBlindSlats;
      int32_t bottom = h * (i + 1) / kBlindSlats;
      AddVisible(f.visible, {0, top, w, top + Part(bottom - top, p)});
    }
    break;
  case TransitionEffect::VerticalBlinds:
    for (int i = 0; i < kBlindSlats; ++i) {
      int32_t left = w * i / kBlindSlats;
      int32_t right = w * (i + 1) / kBlindSlats;
      AddVisible(f.visible, {left, 0, left + Part(right - left, p), h});
    }
    break;
  case TransitionEffect::BoxOut: {
    int32_t bw = Part(w, p);
    int32_t bh = Part(h, p);
    int32_t left = (w - bw) / 2;
    int32_t top = (h - bh) / 2;
    AddVisible(f.visible, {left, top, left + bw, top + bh});
    break;
  }
  case TransitionEffect::BoxIn: {
    // The old frame shrinks to a centred hole; the new one covers the frame around it.
    int32_t hw = Part(w, 1.0 - p);
    int32_t hh = Part(h, 1.0 - p);
    Rect hole{(w - hw) / 2, (h - hh) / 2, (w - hw) / 2 + hw, (h - hh) / 2 + hh};
    if (hole.IsEmpty()) {
      AddVisible(f.visible, full);
      break;
    }
    AddVisible(f.visible, {0, 0, w, hole.top});
    AddVisible(f.visible, {0, hole.bottom, w, h});
    AddVisible(f.visible, {0, hole.top, hole.left, hole.bottom});
    AddVisible(f.visible, {hole.right, hole.top, w, hole.bottom});
    break;
  }
  case TransitionEffect::MoveUp: ShowTarget(f, w, h, 0, Part(h, 1.0 - p)); break;
  case TransitionEffect::MoveDown: ShowTarget(f, w, h, 0, -Part(h, 1.0 - p)); break;
  case TransitionEffect::MoveLeft: ShowTarget(f, w, h, Part(w, 1.0 - p), 0); break;
  case TransitionEffect::MoveRight: ShowTarget(f, w, h, -Part(w, 1.0 - p), 0); break;
  case TransitionEffect::WipeUp: AddVisible(f.visible, {0, h - Part(h, p), w, h}); break;
  case TransitionEffect::WipeDown: AddVisible(f.visible, {0, 0, w, Part(h, p)}); break;
  case TransitionEffect::WipeLeft: AddVisible(f.visible, {w - Part(w, p), 0, w, h}); break;
  case TransitionEffect::WipeRight: AddVisible(f.visible, {0, 0, Part(w, p), h}); break;
  case TransitionEffect::GrowVertical: {
    int32_t gh = Part(h, p);
    f.target = {0, (h - gh) / 2, w, (h - gh) / 2 + gh};
    ShowTarget(f, w, h, 0, 0);
    break;
  }
  case TransitionEffect::GrowHorizontal: {
    int32_t gw = Part(w, p);
    f.target = {(w - gw) / 2, 0, (w - gw) / 2 + gw, h};
    ShowTarget(f, w, h, 0, 0);
    break;
  }
  }
  return f;
}
