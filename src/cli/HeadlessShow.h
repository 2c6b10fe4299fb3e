#pragma once

#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <memory>
#include <string>

#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"

class CZyntraDoc;
class CZyntraScr;
class Prompts;
struct ShowNode;

/// A project on the program's own screen window, never shown, with the program's controls, in
/// virtual time: the stage of the headless tools. Everything that waits (playback, motion
/// effects, the built-in controls, the clocks' tick) waits on one VirtualScheduler, and the
/// clocks show `start` plus the virtual time that has passed. The settings are the defaults
/// (a setup.ini in a private temporary folder), so auto-save and power-off stay off.
/// The stage's controls are created with its own scheduler, clock and prompts.
class HeadlessShow {
public:
  /// A screen window with an empty project; messages go to `prompts`.
  HeadlessShow(Prompts& prompts, double start);
  ~HeadlessShow();
  HeadlessShow(const HeadlessShow&) = delete;
  HeadlessShow& operator=(const HeadlessShow&) = delete;

  /// Opens a project file with its controls; the program's title becomes the file's screen
  /// name, which the program writes back. False when the file is damaged or not a project
  /// ("文件已经损坏或非本系统文件!" went to the prompts).
  bool Open(const std::string& path);
  /// The project document.
  CZyntraDoc& Document();
  /// The screen window.
  CZyntraScr& Screen() { return *screen_; }

  /// Number of pages, in play order.
  int PageCount() const;
  /// Shows a page for design (0 = first in play order) and hides the others; false when there
  /// is no such page.
  bool ShowPage(int index);
  /// Runs the clocks of a page (0 = first in play order) as playing starts them: countdowns
  /// reset, then every clock ticks from the next second of its local time on.
  void StartClocks(int index);
  /// Starts playing the project from its first page (command 4106).
  void Play();
  /// Moves the virtual time to `ms` after the stage was made, running what falls due on the
  /// way, then lets Qt handle the events those callbacks posted.
  void AdvanceTo(int64_t ms);
  /// Virtual milliseconds since the stage was made.
  int64_t Now() const { return scheduler_.now(); }

  /// The screen window as it looks at the screen's size: its background, then every visible
  /// object in z-order (no grid, frames or selection).
  QImage Render();

private:
  ShowNode* Page(int index) const;

  VirtualScheduler scheduler_;
  SchedulerLocalClock clock_;
  QTemporaryDir settingsDir_;
  std::unique_ptr<CZyntraScr> screen_;
};
