#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"

/// Wrapper of the media player control.
class C_MPlayer : public CControlWrapper {
public:
  /// The published class identifier.
  static constexpr const char* kClassId = "{22D6F312-B0F6-11D0-94AB-0080C74C7E95}";

  static constexpr int32_t kFileName = 0x402;
  static constexpr int32_t kCurrentPosition = 0x403;
  static constexpr int32_t kPlayCount = 0x406;
  static constexpr int32_t kPlayState = 0x42C;
  static constexpr int32_t kAutoStart = 0x3F9;
  static constexpr int32_t kShowControls = 0x17;
  static constexpr int32_t kEnabled = -514;
  static constexpr int32_t kPlay = 0x7D1;
  static constexpr int32_t kStop = 0x7D3;

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
