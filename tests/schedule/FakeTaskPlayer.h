#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/DateTime.h"
#include "base/LocalClock.h"
#include "schedule/TaskPlayer.h"

/// "MM-DD hh:mm:ss" of a local date-time number.
inline std::string Stamp(double now) {
  const DateTimeParts p = FromDateTimeNumber(now);
  char text[32];
  std::snprintf(text, sizeof text, "%02d-%02d %02d:%02d:%02d", p.month, p.day, p.hour, p.minute,
                p.second);
  return text;
}

// The page list as the schedule sees it: every call is logged; a play runs until the test ends
// its passes (Finish) or the schedule stops it.
class FakeTaskPlayer : public TaskPlayer {
public:
  explicit FakeTaskPlayer(const LocalClock& clock) : clock_(clock) {}
  void OpenProject(const std::string& path) override {
    log.push_back("open " + path + " at " + Stamp(clock_.now()));
    if (onOpen) onOpen();
  }
  void SetPassCount(int32_t passes) override { log.push_back("passes " + std::to_string(passes)); }
  void PlayAll() override {
    log.push_back("play");
    running = true;
    ended = false;
  }
  void StopQuietly() override {
    log.push_back("stop");
    if (running) ended = true;
    running = false;
  }
  bool PlaybackEnded() const override { return ended; }
  void ShowFirstPage() override { log.push_back("first page"); }

  /// The play's last pass has ended (it stays "running" until a stop, like the page list).
  void Finish() { ended = true; }
  /// The "open" entries only.
  std::vector<std::string> Opens() const {
    std::vector<std::string> opens;
    for (const auto& entry : log)
      if (entry.rfind("open ", 0) == 0) opens.push_back(entry);
    return opens;
  }
  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log)
      n += e == entry;
    return n;
  }

  std::vector<std::string> log;
  std::function<void()> onOpen;
  bool running = false;
  bool ended = true;

private:
  const LocalClock& clock_;
};
