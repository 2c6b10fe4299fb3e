#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"

/// Wrapper of the animated-GIF control.
class C_AniGif : public CControlWrapper {
public:
  /// The published class identifier.
  static constexpr const char* kClassId = "{CDFB604A-C2D2-11D3-BEC0-CB586B91B60E}";

  static constexpr int32_t kFileName = 0x68030003;
  static constexpr int32_t kAutoPlay = 0x68030004;

  using CControlWrapper::CControlWrapper;

  /// Gets the GIF file path (DISPID 0x68030003).
  std::string GetFileName() const;
  /// Sets the GIF file path (DISPID 0x68030003).
  void SetFileName(const std::string& value);
  /// Sets the auto-play flag (set true right after creation) (DISPID 0x68030004).
  void SetAutoPlay(bool value);
};
