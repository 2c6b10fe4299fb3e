#pragma once

#include <string>
#include <vector>

#include "base/PowerControl.h"

/// Powers the machine off with `systemctl poweroff` (started directly, not through a shell).
class SystemPowerControl : public PowerControl {
public:
  /// The command to run; tests may point it at a harmless program.
  explicit SystemPowerControl(std::vector<std::string> command = {"systemctl", "poweroff"})
      : command_(std::move(command)) {}
  /// Starts the command and waits for it; true when it ran and exited with status 0.
  bool PowerOff() override;

private:
  std::vector<std::string> command_;
};
