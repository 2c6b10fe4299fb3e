#pragma once

#include "controls/HostedControl.h"
#include "model/Rect.h"

class QWidget;
class Scheduler;

/// The scheduler the built-in controls use unless they are given one: the one set with
/// SetControlScheduler, else precise Qt timers on the UI thread (living as long as the process).
Scheduler& DefaultControlScheduler();

/// Makes every built-in control created from now on (picture effect, GIF, launcher, movie, RTF
/// text) take its time from `scheduler`; null goes back to Qt timers. A headless preview plays
/// a show in virtual time this way. The scheduler must outlive the controls made meanwhile.
void SetControlScheduler(Scheduler* scheduler);
/// The scheduler set with SetControlScheduler; null when none is set.
Scheduler* ControlSchedulerOverride();
