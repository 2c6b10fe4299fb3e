#include "controls/RtfText.h"

int16_t C_RtfText::GetPlaySpeed() const { return GetI2(kPlaySpeed); }
void C_RtfText::SetPlaySpeed(int16_t value) { PutI2(kPlaySpeed, value); }
std::string C_RtfText::GetInStyle() const { return GetString(kInStyle); }
void C_RtfText::SetInStyle(const std::string& value) { PutString(kInStyle, value); }
std::string C_RtfText::GetOutStyle() const { return GetString(kOutStyle); }
void C_RtfText::SetOutStyle(const std::string& value) { PutString(kOutStyle, value); }
int16_t C_RtfText::GetDelayTime() const { return GetI2(kDelayTime); }
void C_RtfText::SetDelayTime(int16_t value) { PutI2(kDelayTime, value); }
std::string C_RtfText::GetFileName() const { return GetString(kFileName); }
void C_RtfText::SetFileName(const std::string& value) { PutString(kFileName, value); }
bool C_RtfText::GetLoopPlay() const { return GetBool(kLoopPlay); }
void C_RtfText::SetLoopPlay(bool value) { PutBool(kLoopPlay, value); }
int16_t C_RtfText::GetLoops() const { return GetI2(kLoops); }
void C_RtfText::SetLoops(int16_t value) { PutI2(kLoops, value); }
int32_t C_RtfText::GetColor() const { return GetI4(kColor); }
void C_RtfText::SetColor(int32_t value) { PutI4(kColor, value); }
bool C_RtfText::GetFinished() const { return GetBool(kFinished); }
void C_RtfText::SetAutoPlay(bool value) { PutBool(kAutoPlay, value); }
void C_RtfText::Prepare() { Method(kPrepare); }
void C_RtfText::Start() { Method(kStart); }
void C_RtfText::Stop() { Method(kStop); }
