#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"

/// Wrapper of the Flash player control.
class C_ShockwaveFlash : public CControlWrapper {
public:
  /// The published class identifier.
  static constexpr const char* kClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";

  static constexpr int32_t kMovie = 0x66;
  static constexpr int32_t kLoop = 0x6A;
  static constexpr int32_t kPlaying = 0x7D;
  static constexpr int32_t kPlay = 0x70;
  static constexpr int32_t kStop = 0x71;

  using CControlWrapper::CControlWrapper;

  /// Gets the movie file path (DISPID 0x66).
  std::string GetMovie() const;
  /// Sets the movie file path (DISPID 0x66).
  void SetMovie(const std::string& value);
  /// Gets the loop flag (DISPID 0x6A).
  bool GetLoop() const;
  /// Sets the loop flag (DISPID 0x6A).
  void SetLoop(bool value);
  /// Sets the playing flag: true starts, false stops (DISPID 0x7D).
  void SetPlaying(bool value);
  /// Plays (DISPID 0x70).
  void Play();
  /// Stops (DISPID 0x71).
  void Stop();
};
