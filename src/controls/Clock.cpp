#include "controls/Clock.h"

int16_t C_Clock::GetRetouchHour() const { return GetI2(kRetouchHour); }
void C_Clock::SetRetouchHour(int16_t value) { PutI2(kRetouchHour, value); }
int16_t C_Clock::GetRetouchMinute() const { return GetI2(kRetouchMinute); }
void C_Clock::SetRetouchMinute(int16_t value) { PutI2(kRetouchMinute, value); }
int16_t C_Clock::GetRetouchSecond() const { return GetI2(kRetouchSecond); }
void C_Clock::SetRetouchSecond(int16_t value) { PutI2(kRetouchSecond, value); }
int16_t C_Clock::GetStyle() const { return GetI2(kStyle); }
void C_Clock::SetStyle(int16_t value) { PutI2(kStyle, value); }
int16_t C_Clock::GetTotalTime() const { return GetI2(kTotalTime); }
void C_Clock::SetTotalTime(int16_t value) { PutI2(kTotalTime, value); }
double C_Clock::GetTargetDate() const { return GetR8(kTargetDate); }
void C_Clock::SetTargetDate(double value) { PutDate(kTargetDate, value); }
std::string C_Clock::GetPreText() const { return GetString(kPreText); }
void C_Clock::SetPreText(const std::string& value) { PutString(kPreText, value); }
std::string C_Clock::GetLasText() const { return GetString(kLasText); }
void C_Clock::SetLasText(const std::string& value) { PutString(kLasText, value); }
bool C_Clock::GetFinished() const { return GetBool(kFinished); }
void C_Clock::SetEnabled(bool value) { PutBool(kEnabled, value); }
std::string C_Clock::GetFontName() const { return GetString(kFontName); }
void C_Clock::SetFontName(const std::string& value) { PutString(kFontName, value); }
int16_t C_Clock::GetFontSize() const { return GetI2(kFontSize); }
void C_Clock::SetFontSize(int16_t value) { PutI2(kFontSize, value); }
bool C_Clock::GetFontBold() const { return GetBool(kFontBold); }
void C_Clock::SetFontBold(bool value) { PutBool(kFontBold, value); }
bool C_Clock::GetFontItalic() const { return GetBool(kFontItalic); }
void C_Clock::SetFontItalic(bool value) { PutBool(kFontItalic, value); }
bool C_Clock::GetFontUnderline() const { return GetBool(kFontUnderline); }
void C_Clock::SetFontUnderline(bool value) { PutBool(kFontUnderline, value); }
bool C_Clock::GetFontStrikethrough() const { return GetBool(kFontStrikethrough); }
void C_Clock::SetFontStrikethrough(bool value) { PutBool(kFontStrikethrough, value); }
int32_t C_Clock::GetBgColor() const { return GetI4(kBgColor); }
void C_Clock::SetBgColor(int32_t value) { PutI4(kBgColor, value); }
int32_t C_Clock::GetFgColor() const { return GetI4(kFgColor); }
void C_Clock::SetFgColor(int32_t value) { PutI4(kFgColor, value); }
int32_t C_Clock::GetBorderColor() const { return GetI4(kBorderColor); }
void C_Clock::SetBorderColor(int32_t value) { PutI4(kBorderColor, value); }
bool C_Clock::GetBorder() const { return GetBool(kBorder); }
void C_Clock::SetBorder(bool value) { PutBool(kBorder, value); }
void C_Clock::SetPlay(bool value) { PutBool(kPlay, value); }
void C_Clock::SetFont() { Method(kSetFont); }
void C_Clock::Reset() { Method(kReset); }
