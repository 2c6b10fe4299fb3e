#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/EffectBoxIds.h"

/// Wrapper of the picture-effect control: an ordered list of pictures (items numbered from 1),
/// each shown with a named transition effect, a speed and a stay time.
class C_EffectBox : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/EffectBoxIds.h).
  static constexpr const char* kClassId = EffectBoxIds::kClassId;
  using enum EffectBoxIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the background picture path (DISPID 0x40030002).
  std::string GetBgPicture() const;
  /// Sets the background picture path (DISPID 0x40030002).
  void SetBgPicture(const std::string& value);
  /// Gets the number of items (DISPID 0x40030003).
  int16_t GetItemCount() const;
  /// Gets the repeat-endlessly flag (DISPID 0x40030004).
  bool GetLoopPlay() const;
  /// Sets the repeat-endlessly flag (DISPID 0x40030004).
  void SetLoopPlay(bool value);
  /// Gets the play count (0 means endless) (DISPID 0x40030005).
  int16_t GetLoops() const;
  /// Sets the play count (0 means endless) (DISPID 0x40030005).
  void SetLoops(int16_t value);
  /// Gets the flag that stretches pictures to the control (DISPID 0x40030006).
  bool GetStretch() const;
  /// Sets the flag that stretches pictures to the control (DISPID 0x40030006).
  void SetStretch(bool value);
  /// Gets the background colour (0x00BBGGRR) (DISPID 0x68030000).
  int32_t GetColor() const;
  /// Sets the background colour (0x00BBGGRR) (DISPID 0x68030000).
  void SetColor(int32_t value);
  /// Gets the finished flag: true when the picture run has ended (DISPID 0x68030001).
  bool GetFinished() const;
  /// Sets the auto-play flag (set false right after creation) (DISPID 0x68030002).
  void SetAutoPlay(bool value);
  /// Removes all items (DISPID 0x60030005).
  void RemoveAll();
  /// Appends an item: picture path, effect name, speed, stay time (DISPID 0x60030006).
  void AddItem(const std::string& source, const std::string& effect, int16_t speed, int16_t delay);
  /// Item's picture path (items from 1) (DISPID 0x60030007).
  std::string GetItemSource(int16_t index) const;
  /// Item's effect name (DISPID 0x60030008).
  std::string GetItemEffect(int16_t index) const;
  /// Item's speed (DISPID 0x60030009).
  int16_t GetItemSpeed(int16_t index) const;
  /// Item's stay time (DISPID 0x6003000A).
  int16_t GetItemDelay(int16_t index) const;
  /// Starts playing (DISPID 0x6003000B).
  void Start();
  /// Stops playing (DISPID 0x6003000C).
  void Stop();
};
