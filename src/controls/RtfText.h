#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/RtfTextIds.h"

/// Wrapper of the RTF text control.
class C_RtfText : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/RtfTextIds.h).
  static constexpr const char* kClassId = RtfTextIds::kClassId;
  using enum RtfTextIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the play speed (DISPID 0x40030000).
  int16_t GetPlaySpeed() const;
  /// Sets the play speed (DISPID 0x40030000).
  void SetPlaySpeed(int16_t value);
  /// Gets the entry style, by name (DISPID 0x40030001).
  std::string GetInStyle() const;
  /// Sets the entry style, by name (DISPID 0x40030001).
  void SetInStyle(const std::string& value);
  /// Gets the exit style, by name (DISPID 0x40030002).
  std::string GetOutStyle() const;
  /// Sets the exit style, by name (DISPID 0x40030002).
  void SetOutStyle(const std::string& value);
  /// Gets the stay time in seconds (DISPID 0x40030003).
  int16_t GetDelayTime() const;
  /// Sets the stay time in seconds (DISPID 0x40030003).
  void SetDelayTime(int16_t value);
  /// Gets the RTF or text file path (DISPID 0x40030004).
  std::string GetFileName() const;
  /// Sets the RTF or text file path (DISPID 0x40030004).
  void SetFileName(const std::string& value);
  /// Gets the repeat-endlessly flag (DISPID 0x40030007).
  bool GetLoopPlay() const;
  /// Sets the repeat-endlessly flag (DISPID 0x40030007).
  void SetLoopPlay(bool value);
  /// Gets the play count (0 means endless) (DISPID 0x40030008).
  int16_t GetLoops() const;
  /// Sets the play count (0 means endless) (DISPID 0x40030008).
  void SetLoops(int16_t value);
  /// Gets the background colour (DISPID 0x68030003).
  int32_t GetColor() const;
  /// Sets the background colour (DISPID 0x68030003).
  void SetColor(int32_t value);
  /// Gets the finished flag: true when the text run has ended (DISPID 0x68030004).
  bool GetFinished() const;
  /// Sets the auto-play flag (set false right after creation) (DISPID 0x68030000).
  void SetAutoPlay(bool value);
  /// Prepares; always called just before Start (DISPID 0x6003000B).
  void Prepare();
  /// Starts (DISPID 0x60030009).
  void Start();
  /// Stops (DISPID 0x6003000A).
  void Stop();
};
