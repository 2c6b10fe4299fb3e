#pragma once

// Where the clock control library takes its time and its dialogs from.
//
// Every clock of the process reads one Scheduler (its one-second tick), one LocalClock (the
// time it shows) and one Prompts (the font chooser of SetFont). By default these are a precise
// Qt-timer scheduler, the system's local time and Qt's dialogs. A test or benchmark replaces
// them through the exported C function ZyntraClockSetSeams, looked up with dlsym on the loaded
// library (ControlLibrary::Symbol):
//
//   auto set = reinterpret_cast<ZyntraClockSetSeamsFn>(library->Symbol(kZyntraClockSetSeams));
//   set(&virtualScheduler, &localClock, &fakePrompts);   // nullptr restores a default
//
// Set the seams before creating clocks and restore them (all nullptr) after destroying them: a
// clock cancels its pending tick on the scheduler it was scheduled with, so that scheduler must
// outlive the clock's tick. The objects stay owned by the caller.

#include "controls/ControlModule.h"

class LocalClock;
class Prompts;
class Scheduler;

/// Name of the exported setter.
inline constexpr const char* kZyntraClockSetSeams = "ZyntraClockSetSeams";

extern "C" {
/// Replaces the seams of every clock; a null argument restores that seam's default.
typedef void (*ZyntraClockSetSeamsFn)(Scheduler* scheduler, LocalClock* clock, Prompts* prompts);
}

/// The scheduler the clocks tick with now.
Scheduler& ClockScheduler();
/// The local clock the clocks show.
LocalClock& ClockLocalClock();
/// The dialogs SetFont shows.
Prompts& ClockPrompts();
