#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/ClockIds.h"

/// Wrapper of the clock control (dial, countdown and date/time text clock).
class C_Clock : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/ClockIds.h).
  static constexpr const char* kClassId = ClockIds::kClassId;
  using enum ClockIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the hour correction (DISPID 0x40030007).
  int16_t GetRetouchHour() const;
  /// Sets the hour correction (DISPID 0x40030007).
  void SetRetouchHour(int16_t value);
  /// Gets the minute correction (DISPID 0x40030008).
  int16_t GetRetouchMinute() const;
  /// Sets the minute correction (DISPID 0x40030008).
  void SetRetouchMinute(int16_t value);
  /// Gets the second correction (DISPID 0x40030009).
  int16_t GetRetouchSecond() const;
  /// Sets the second correction (DISPID 0x40030009).
  void SetRetouchSecond(int16_t value);
  /// Gets the display style (DISPID 0x4003000A).
  int16_t GetStyle() const;
  /// Sets the display style (DISPID 0x4003000A).
  void SetStyle(int16_t value);
  /// Gets the total time (DISPID 0x4003000B).
  int16_t GetTotalTime() const;
  /// Sets the total time (DISPID 0x4003000B).
  void SetTotalTime(int16_t value);
  /// Gets the target date (days since 1899-12-30) (DISPID 0x4003000C).
  double GetTargetDate() const;
  /// Sets the target date (days since 1899-12-30) (DISPID 0x4003000C).
  void SetTargetDate(double value);
  /// Gets the text shown before the value (DISPID 0x4003000D).
  std::string GetPreText() const;
  /// Sets the text shown before the value (DISPID 0x4003000D).
  void SetPreText(const std::string& value);
  /// Gets the text shown after the value (DISPID 0x4003000E).
  std::string GetLasText() const;
  /// Sets the text shown after the value (DISPID 0x4003000E).
  void SetLasText(const std::string& value);
  /// Gets the finished flag (DISPID 0x4003000F).
  bool GetFinished() const;
  /// Sets the enabled flag (DISPID 0x6803000C).
  void SetEnabled(bool value);
  /// Gets the font face name (DISPID 0x6803000B).
  std::string GetFontName() const;
  /// Sets the font face name (DISPID 0x6803000B).
  void SetFontName(const std::string& value);
  /// Gets the font size in points (DISPID 0x6803000A).
  int16_t GetFontSize() const;
  /// Sets the font size in points (DISPID 0x6803000A).
  void SetFontSize(int16_t value);
  /// Gets the bold flag of the font (DISPID 0x68030009).
  bool GetFontBold() const;
  /// Sets the bold flag of the font (DISPID 0x68030009).
  void SetFontBold(bool value);
  /// Gets the italic flag of the font (DISPID 0x68030008).
  bool GetFontItalic() const;
  /// Sets the italic flag of the font (DISPID 0x68030008).
  void SetFontItalic(bool value);
  /// Gets the underline flag of the font (DISPID 0x68030007).
  bool GetFontUnderline() const;
  /// Sets the underline flag of the font (DISPID 0x68030007).
  void SetFontUnderline(bool value);
  /// Gets the strikethrough flag of the font (DISPID 0x68030006).
  bool GetFontStrikethrough() const;
  /// Sets the strikethrough flag of the font (DISPID 0x68030006).
  void SetFontStrikethrough(bool value);
  /// Gets the background colour (DISPID 0x68030005).
  int32_t GetBgColor() const;
  /// Sets the background colour (DISPID 0x68030005).
  void SetBgColor(int32_t value);
  /// Gets the text colour (DISPID 0x68030004).
  int32_t GetFgColor() const;
  /// Sets the text colour (DISPID 0x68030004).
  void SetFgColor(int32_t value);
  /// Gets the border colour (DISPID 0x68030001).
  int32_t GetBorderColor() const;
  /// Sets the border colour (DISPID 0x68030001).
  void SetBorderColor(int32_t value);
  /// Gets the border flag (DISPID 0x68030002).
  bool GetBorder() const;
  /// Sets the border flag (DISPID 0x68030002).
  void SetBorder(bool value);
  /// Sets the running flag: true runs the clock, false halts it (DISPID 0x68030000).
  void SetPlay(bool value);
  /// Opens the control's font dialog (DISPID 0x6003001D).
  void SetFont();
  /// Resets the count (DISPID 0x6003001E).
  void Reset();
};
