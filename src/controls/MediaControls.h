#pragma once

#include "controls/HostedControl.h"
#include "model/Rect.h"

class QWidget;
class Scheduler;

/// Class identifier of the movie control.
inline constexpr char kMPlayerClassId[] = "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}";
/// Class identifier of the RTF text control.
inline constexpr char kRtfTextClassId[] = "{77009356-2813-43AD-A5EC-52A7626AD553}";

/// Creates the movie control as a child of `parent` at `rect`, shown or hidden. Never null.
HostedControl* CreateMPlayerCtrl(QWidget* parent, const Rect& rect, bool visible);
/// Creates the RTF text control as a child of `parent` at `rect`, shown or hidden. Never null.
HostedControl* CreateRtfTextCtrl(QWidget* parent, const Rect& rect, bool visible);

/// The scheduler the built-in controls use unless they are given one: the one set with
/// SetControlScheduler, else precise Qt timers on the UI thread (living as long as the process).
Scheduler& DefaultControlScheduler();

/// Makes every built-in control created from now on (picture effect, GIF, launcher, movie, RTF
/// text) take its time from `scheduler`; null goes back to Qt timers. A headless preview plays
/// a show in virtual time this way. The scheduler must outlive the controls made meanwhile.
void SetControlScheduler(Scheduler* scheduler);
/// The scheduler set with SetControlScheduler; null when none is set.
Scheduler* ControlSchedulerOverride();
