#pragma once

// What a hosted control works through: its timers, the local time it shows and the dialogs it
// asks with. The control host is given one set when it is made and hands it to every control it
// creates, built-in or from a library (ZyntraClassObject::create), so that a control never makes
// or finds a scheduler, clock or dialog of its own. The struct crosses the library boundary:
// changing it changes ZYNTRA_CONTROL_ABI_VERSION.

class LocalClock;
class PowerControl;
class Prompts;
class Scheduler;

/// The seams of the screen window, lent to every control it holds. Not owned: they outlive the
/// host and every control made with them. The host creates controls only when `scheduler`,
/// `clock` and `prompts` are set; `power` may be null.
struct ControlServices {
  Scheduler* scheduler = nullptr; ///< every timer and tick of a control
  LocalClock* clock = nullptr;    ///< the local date and time a control shows
  Prompts* prompts = nullptr;     ///< colour, font and file choosers and message boxes
  PowerControl* power = nullptr;  ///< powering the computer off

  /// True when the members a control may rely on (scheduler, clock, prompts) are all set.
  bool Complete() const { return scheduler && clock && prompts; }
};
