#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/FlashIds.h"

/// Wrapper of the Flash player control.
class C_ShockwaveFlash : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/FlashIds.h).
  static constexpr const char* kClassId = FlashIds::kClassId;
  using enum FlashIds::Dispid;

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
