#include "controls/RtfLayout.h"

#include <algorithm>
#include <string>

namespace {

struct StyleName {
  const char* name;
  RtfMotion motion;
};

// Entry and exit names list the same directions in the same order.
constexpr StyleName kEntryNames[] = {
    {"无", RtfMotion::None},         {"上进", RtfMotion::Up},
    {"下进", RtfMotion::Down},       {"左进", RtfMotion::Left},
    {"右进", RtfMotion::Right},      {"右下进", RtfMotion::RightDown},
    {"左下进", RtfMotion::LeftDown}, {"右上进", RtfMotion::RightUp},
    {"左上进", RtfMotion::LeftUp},
};
constexpr StyleName kExitNames[] = {
    {"无", RtfMotion::None},         {"上出", RtfMotion::Up},
    {"下出", RtfMotion::Down},       {"左出", RtfMotion::Left},
    {"右出", RtfMotion::Right},      {"右下出", RtfMotion::RightDown},
    {"左下出", RtfMotion::LeftDown}, {"右上出", RtfMotion::RightUp},
    {"左上出", RtfMotion::LeftUp},
};

template <size_t N> RtfMotion Lookup(const StyleName (&names)[N], std::string_view name) {
  for (const StyleName& s : names)
    if (name == s.name) return s.motion;
  return RtfMotion::None;
}

// Unit direction of a motion: x to the right, y downwards.
Point Direction(RtfMotion m) {
  switch (m) {
  case RtfMotion::None: return {0, 0};
  case RtfMotion::Up: return {0, -1};
  case RtfMotion::Down: return {0, 1};
  case RtfMotion::Left: return {-1, 0};
  case RtfMotion::Right: return {1, 0};
  case RtfMotion::RightDown: return {1, 1};
  case RtfMotion::LeftDown: return {-1, 1};
  case RtfMotion::RightUp: return {1, -1};
  case RtfMotion::LeftUp: return {-1, -1};
  }
  return {0, 0};
}

Point Scale(Point p, int64_t num, int64_t den) {
  if (den <= 0) return {0, 0};
  return {static_cast<int32_t>(p.x * num / den), static_cast<int32_t>(p.y * num / den)};
}

} // namespace

std::vector<RtfScreenful> RtfLayout::CutScreenfuls(const std::vector<RtfLineBox>& lines,
                                                   int height) {
  height = std::max(height, 1);
  std::vector<RtfScreenful> out;
  bool open = false;
  RtfScreenful page;
  for (const RtfLineBox& line : lines) {
    int top = line.top;
    int bottom = std::max(line.bottom, line.top);
    if (open && bottom - page.top <= height) {
      page.bottom = std::max(page.bottom, bottom);
      continue;
    }
    if (open) out.push_back(page);
    // A line taller than a screenful is shown in slices.
    while (bottom - top > height) {
      out.push_back({top, top + height});
      top += height;
    }
    page = {top, bottom};
    open = true;
  }
  if (open) out.push_back(page);
  return out;
}

RtfMotion RtfLayout::EntryStyle(std::string_view name) { return Lookup(kEntryNames, name); }

RtfMotion RtfLayout::ExitStyle(std::string_view name) { return Lookup(kExitNames, name); }

int64_t RtfLayout::StepMs(int playSpeed) { return 101 - std::clamp(playSpeed, 1, 100); }

RtfLayout::RtfLayout(std::vector<RtfScreenful> screenfuls, RtfShowSettings settings)
    : screenfuls_(std::move(screenfuls)), settings_(settings) {
  settings_.width = std::max(settings_.width, 0);
  settings_.height = std::max(settings_.height, 0);
  settings_.stepMs = std::max<int64_t>(settings_.stepMs, 0);
  settings_.stayMs = std::max<int64_t>(settings_.stayMs, 0);
  settings_.runs = std::max(settings_.runs, 0);
}

int RtfLayout::Steps(RtfMotion m) const {
  Point d = Direction(m);
  return std::max(d.x ? settings_.width : 0, d.y ? settings_.height : 0);
}

Point RtfLayout::Displacement(RtfMotion m) const {
  Point d = Direction(m);
  return {d.x * settings_.width, d.y * settings_.height};
}

int64_t RtfLayout::RunMs() const {
  int64_t perScreenful = (EntrySteps() + ExitSteps()) * settings_.stepMs + settings_.stayMs;
  return perScreenful * static_cast<int64_t>(screenfuls_.size());
}

RtfFrame RtfLayout::At(int64_t t) const {
  t = std::max<int64_t>(t, 0);
  RtfFrame f;
  const int64_t run = RunMs();
  const int runs = settings_.runs;
  if (screenfuls_.empty() || (runs > 0 && t >= run * runs)) {
    f.phase = runs > 0 ? RtfPhase::Finished : RtfPhase::Idle;
    f.run = runs;
    return f;
  }
  if (run == 0) { // endless runs that take no time: the first screenful stays
    f.phase = RtfPhase::Staying;
    f.screenful = 0;
    return f;
  }
  const int64_t inMs = EntrySteps() * settings_.stepMs;
  const int64_t perScreenful = run / static_cast<int64_t>(screenfuls_.size());
  f.run = static_cast<int>(t / run);
  int64_t within = t % run;
  f.screenful = static_cast<int>(within / perScreenful);
  int64_t u = within % perScreenful;
  if (u < inMs) {
    f.phase = RtfPhase::Entering;
    int steps = EntrySteps();
    int64_t k = u / settings_.stepMs;
    Point start = Displacement(settings_.entry);
    f.offset = Scale({-start.x, -start.y}, steps - k, steps);
  } else if (u < inMs + settings_.stayMs) {
    f.phase = RtfPhase::Staying;
  } else {
    f.phase = RtfPhase::Leaving;
    int64_t k = (u - inMs - settings_.stayMs) / std::max<int64_t>(settings_.stepMs, 1);
    f.offset = Scale(Displacement(settings_.exit), k, ExitSteps());
  }
  return f;
}

int64_t RtfLayout::NextChange(int64_t t) const {
  t = std::max<int64_t>(t, 0);
  const int64_t run = RunMs();
  if (screenfuls_.empty() || run == 0) return -1;
  if (settings_.runs > 0 && t >= run * settings_.runs) return -1;
  const int64_t perScreenful = run / static_cast<int64_t>(screenfuls_.size());
  const int64_t base = t - t % perScreenful;
  const int64_t u = t - base;
  const int64_t inMs = EntrySteps() * settings_.stepMs;
  const int64_t step = settings_.stepMs;
  if (u < inMs) return base + (u / step + 1) * step;
  if (u < inMs + settings_.stayMs) return base + inMs + settings_.stayMs;
  int64_t leaving = u - inMs - settings_.stayMs;
  return base + inMs + settings_.stayMs + (leaving / step + 1) * step;
}
