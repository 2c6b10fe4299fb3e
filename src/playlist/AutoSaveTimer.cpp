#include "playlist/AutoSaveTimer.h"

#include <utility>

AutoSaveTimer::AutoSaveTimer(Scheduler& scheduler, const Settings& settings, Project project)
    : settings_(settings), project_(std::move(project)),
      timer_(scheduler, kPeriodMs, [this] { Tick(); }) {}

void AutoSaveTimer::Tick() {
  ++minutes_;
  if (!settings_.AutoSave || minutes_ < settings_.SaveDelay) return;
  std::string path = project_.path();
  if (path.empty()) path = kAutoSaveFileName;
  project_.saveTo(path);
  minutes_ = 0;
  // The auto-save file is a scratch copy: the project never takes it as its own file, also
  // when it was opened from one (then its path is a full one).
  const std::string& own = project_.path();
  const size_t slash = own.find_last_of("/\\");
  if (!own.empty() && own.compare(slash == std::string::npos ? 0 : slash + 1, std::string::npos,
                                  kAutoSaveFileName) == 0)
    project_.setPath("");
}
