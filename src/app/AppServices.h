#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/ControlServices.h"

class ControlFactory;
class CZyntraScr;
class LocalClock;
class PowerControl;
class Prompts;
class QWidget;
class Scheduler;

/// The seams the windows work through. The program passes the real ones (Qt dialogs and
/// timers, the control host, systemctl); tests pass fakes.
struct AppServices {
  Prompts* prompts = nullptr;
  Scheduler* scheduler = nullptr;
  LocalClock* clock = nullptr;
  PowerControl* power = nullptr;
  /// Makes the control factory whose controls become children of the screen window.
  std::function<std::unique_ptr<ControlFactory>(QWidget* screenWindow)> makeControlFactory;
  /// Adds the task list to the windows once the tool windows are made, before the settings are
  /// read (so that a task list file set to play at start-up can open); none = no task list.
  std::function<void(CZyntraScr& screen)> addTaskList;
  /// Path of "setup.ini" (the working directory at start-up).
  std::string settingsPath;

  /// The same scheduler, clock, prompts and power control for the controls of the screen
  /// window, so that they wait, tell the time and ask as the windows do.
  ControlServices ForControls() const { return {scheduler, clock, prompts, power}; }
};
