#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/AniGifIds.h"

/// Wrapper of the animated-GIF control.
class C_AniGif : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/AniGifIds.h).
  static constexpr const char* kClassId = AniGifIds::kClassId;
  using enum AniGifIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the GIF file path (DISPID 0x68030003).
  std::string GetFileName() const;
  /// Sets the GIF file path (DISPID 0x68030003).
  void SetFileName(const std::string& value);
  /// Sets the auto-play flag (set true right after creation) (DISPID 0x68030004).
  void SetAutoPlay(bool value);
};
