#include "playlist/MotionEffect.h"

#include <cmath>
#include <limits>

namespace {

const char* const kInNames[kMotionStyleCount] = {
    "无",       "向上进",   "向下进",     "向左进",     "向右进",     "从左上进",  "从左下进",
    "从右上进", "从右下进", "放大",       "垂直放大",   "水平放大",   "向上拉进",  "向下拉进",
    "向左拉进", "向右拉进", "向左上拉进", "向左下拉进", "向右上拉进", "向右下拉进"};

const char* const kOutNames[kMotionStyleCount] = {
    "无",       "向上出",   "向下出",     "向左出",     "向右出",     "向左上出",  "向左下出",
    "向右上出", "向右下出", "缩小",       "垂直缩小",   "水平缩小",   "向上拉出",  "向下拉出",
    "向左拉出", "向右拉出", "向左上拉出", "向左下拉出", "向右上拉出", "向右下拉出"};

// A single-precision value cut toward zero. Values a window rectangle cannot hold (and NaN)
// are clamped instead of overflowing.
int32_t Cut(float value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483520.0f) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483520.0f) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

// The single-precision quotient of two integers. A zero divisor (an object with its right edge
// on the screen's left edge, say) gives 0 rather than an infinity that no rectangle can hold.
float Quotient(int32_t dividend, int32_t divisor) {
  if (divisor == 0) return 0.0f;
  return static_cast<float>(dividend) / static_cast<float>(divisor);
}

float F(int32_t value) { return static_cast<float>(value); }

} // namespace

const char* InEffectName(int32_t style) {
  return style >= 0 && style < kMotionStyleCount ? kInNames[style] : "";
}

const char* OutEffectName(int32_t style) {
  return style >= 0 && style < kMotionStyleCount ? kOutNames[style] : "";
}

MotionEffect::MotionEffect(const Rect& design, int32_t screenWidth, int32_t screenHeight)
    : r_(design), pw_(screenWidth), ph_(screenHeight), w_(design.Width()), h_(design.Height()),
      a_(w_ != 0 ? F(h_) / F(w_) : 0.0f), cx_((design.left + design.right) / 2),
      cy_((design.top + design.bottom) / 2), m_(design) {}

bool MotionEffect::BeginIn(int32_t style) {
  const int32_t L = r_.left, T = r_.top, Rt = r_.right, B = r_.bottom, W = w_, H = h_;
  in_ = true;
  style_ = style;
  v_ = 0;
  q_ = 0.0f;
  switch (style) {
  case 0: m_ = r_; break;
  case 1: m_ = {L, ph_, Rt, ph_ + H}; break;
  case 2: m_ = {L, -H, Rt, 0}; break;
  case 3: m_ = {pw_, T, pw_ + W, B}; break;
  case 4: m_ = {-W, T, 0, B}; break;
  case 5:
    m_ = {-W, -H, 0, 0};
    q_ = Quotient(T + H, L + W);
    break;
  case 6:
    m_ = {-W, ph_, 0, ph_ + H};
    q_ = Quotient(ph_ - T, L + W);
    break;
  case 7:
    m_ = {pw_, -H, pw_ + W, 0};
    q_ = Quotient(T + H, pw_ - L);
    v_ = 1;
    break;
  case 8:
    m_ = {pw_, ph_, pw_ + W, ph_ + H};
    q_ = Quotient(ph_ - T, pw_ - L);
    v_ = 1;
    break;
  case 9: m_ = {cx_ - 1, cy_ - 1, cx_ + 1, cy_ + 1}; break;
  case 10: m_ = {L, cy_ - 1, Rt, cy_ + 1}; break;
  case 11: m_ = {cx_ - 1, T, cx_ + 1, B}; break;
  case 12: m_ = {L, B, Rt, B}; break;
  case 13: m_ = {L, T, Rt, T}; break;
  case 14: m_ = {Rt, T, Rt + 1, B}; break;
  case 15: m_ = {L, T, L + 1, B}; break;
  case 16: m_ = {Rt - 1, B - 1, Rt, B}; break;
  case 17: m_ = {Rt - 1, T, Rt, T + 1}; break;
  case 18: m_ = {L, B - 1, L + 1, B}; break;
  case 19: m_ = {L, T, L + 1, T + 1}; break;
  default:
    m_ = r_;
    style_ = -1;
    return false;
  }
  if (style >= 16) v_ = 1;
  return true;
}

void MotionEffect::BeginOut(int32_t style) {
  const int32_t L = r_.left, T = r_.top, Rt = r_.right, B = r_.bottom;
  in_ = false;
  style_ = style >= 1 && style < kMotionStyleCount ? style : 0;
  v_ = style_ == 9 ? 2 : 1;
  q_ = 0.0f;
  switch (style_) {
  case 5: q_ = Quotient(B, Rt); break;
  case 6: q_ = Quotient(ph_ - T, Rt); break;
  case 7: q_ = Quotient(B, pw_ - L); break;
  case 8: q_ = Quotient(ph_ - T, pw_ - L); break;
  default: break;
  }
}

bool MotionEffect::StepIn() { return in_ && Step(); }

bool MotionEffect::StepOut() { return !in_ && Step(); }

bool MotionEffect::Step() {
  const int32_t L = r_.left, T = r_.top, Rt = r_.right, B = r_.bottom, W = w_, H = h_;
  const int32_t v = v_;
  Rect& m = m_;
  if (in_) {
    switch (style_) {
    case 1:
      if (!(m.top > T)) return false;
      --m.top, --m.bottom;
      return true;
    case 2:
      if (!(m.top < T)) return false;
      ++m.top, ++m.bottom;
      return true;
    case 3:
      if (!(m.left > L)) return false;
      --m.left, --m.right;
      return true;
    case 4:
      if (!(m.right < Rt)) return false;
      ++m.left, ++m.right;
      return true;
    case 5:
    case 6:
      if (!(v <= Rt)) return false;
      ++m.left, ++m.right;
      m.top = style_ == 5 ? Cut(F(v) * q_ - F(H)) : Cut(F(ph_) - F(v) * q_);
      m.bottom = m.top + H;
      break;
    case 7:
    case 8:
      if (!(v <= pw_ - L)) return false;
      --m.left, --m.right;
      m.top = style_ == 7 ? Cut(F(v) * q_ - F(H)) : Cut(F(ph_) - F(v) * q_);
      m.bottom = m.top + H;
      break;
    case 9:
      if (!(v < Rt - cx_)) return false;
      --m.left, ++m.right;
      m.top = Cut(F(cy_) - F(v) * a_);
      m.bottom = Cut(F(cy_) + F(v) * a_);
      break;
    case 10:
      if (!(m.top > T)) return false;
      --m.top, ++m.bottom;
      return true;
    case 11:
      if (!(m.left > L)) return false;
      --m.left, ++m.right;
      return true;
    case 12:
      if (!(m.top > T)) return false;
      --m.top;
      return true;
    case 13:
      if (!(m.bottom < B)) return false;
      ++m.bottom;
      return true;
    case 14:
      if (!(m.left > L)) return false;
      --m.left;
      return true;
    case 15:
      if (!(m.right < Rt)) return false;
      ++m.right;
      return true;
    case 16:
    case 17:
      if (!(v <= W)) return false;
      m.left = Rt - v;
      if (style_ == 16)
        m.top = Cut(F(B) - F(v) * a_);
      else
        m.bottom = Cut(F(T) + F(v) * a_);
      break;
    case 18:
    case 19:
      if (!(v <= W)) return false;
      m.right = L + v;
      if (style_ == 18)
        m.top = Cut(F(B) - F(v) * a_);
      else
        m.bottom = Cut(F(T) + F(v) * a_);
      break;
    default: return false;
    }
    ++v_;
    return true;
  }

  switch (style_) {
  case 1:
    if (!(m.bottom > 0)) return false;
    --m.top, --m.bottom;
    return true;
  case 2:
    if (!(m.top < ph_)) return false;
    ++m.top, ++m.bottom;
    return true;
  case 3:
    if (!(m.right > 0)) return false;
    --m.left, --m.right;
    return true;
  case 4:
    if (!(m.left < pw_)) return false;
    ++m.left, ++m.right;
    return true;
  case 5:
  case 6:
    if (!(v < Rt)) return false;
    --m.left, --m.right;
    m.top = style_ == 5 ? Cut(F(T) - F(v) * q_) : Cut(F(T) + F(v) * q_);
    m.bottom = m.top + H;
    break;
  case 7:
  case 8:
    if (!(v < pw_ - L)) return false;
    ++m.left, ++m.right;
    m.top = style_ == 7 ? Cut(F(T) - F(v) * q_) : Cut(F(T) + F(v) * q_);
    m.bottom = m.top + H;
    break;
  case 9:
    if (!(v < Rt - cx_)) return false;
    ++m.left, --m.right;
    m.top = Cut(F(T) + F(v) * a_);
    m.bottom = Cut(F(B) - F(v) * a_);
    break;
  case 10:
    if (!(v < cy_ - T)) return false;
    ++m.top, --m.bottom;
    break;
  case 11:
    if (!(v < Rt - cx_)) return false;
    ++m.left, --m.right;
    break;
  case 12:
  case 13:
    if (!(v < H)) return false;
    if (style_ == 12)
      --m.bottom;
    else
      ++m.top;
    break;
  case 14:
  case 15:
    if (!(v < W)) return false;
    if (style_ == 14)
      --m.right;
    else
      ++m.left;
    break;
  case 16:
  case 17:
    if (!(v < W)) return false;
    --m.right;
    if (style_ == 16)
      m.bottom = Cut(F(B) - F(v) * a_);
    else
      m.top = Cut(F(T) + F(v) * a_);
    break;
  case 18:
  case 19:
    if (!(v < W)) return false;
    ++m.left;
    if (style_ == 18)
      m.bottom = Cut(F(B) - F(v) * a_);
    else
      m.top = Cut(F(T) + F(v) * a_);
    break;
  default: return false;
  }
  ++v_;
  return true;
}
