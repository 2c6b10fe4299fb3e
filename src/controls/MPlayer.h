#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/MPlayerIds.h"

/// Wrapper of the media player control.
class C_MPlayer : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/MPlayerIds.h).
  static constexpr const char* kClassId = MPlayerIds::kClassId;
  using enum MPlayerIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the media file name (DISPID 0x402).
  std::string GetFileName() const;
  /// Sets the media file name (DISPID 0x402).
  void SetFileName(const std::string& value);
  /// Sets the playing position (set to 0.0 before each start) (DISPID 0x403).
  void SetCurrentPosition(double value);
  /// Gets the play count (0 means endless) (DISPID 0x406).
  int32_t GetPlayCount() const;
  /// Sets the play count (0 means endless) (DISPID 0x406).
  void SetPlayCount(int32_t value);
  /// Gets the play state (0 means stopped) (DISPID 0x42C).
  int32_t GetPlayState() const;
  /// Sets the auto-start flag (set false at creation) (DISPID 0x3F9).
  void SetAutoStart(bool value);
  /// Sets the flag that shows the player's own panel (set false at creation) (DISPID 0x17).
  void SetShowControls(bool value);
  /// Sets the standard enabled flag (set false at creation) (DISPID -514).
  void SetEnabled(bool value);
  /// Starts playing (DISPID 0x7D1).
  void Play();
  /// Stops (DISPID 0x7D3).
  void Stop();
};
