#pragma once

/// Powers the computer off. The program uses `systemctl poweroff`; tests record the call.
class PowerControl {
public:
  virtual ~PowerControl() = default;
  /// Asks the system to power off; false when the request could not be made.
  virtual bool PowerOff() = 0;
};
