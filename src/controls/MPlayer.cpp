#include "controls/MPlayer.h"

std::string C_MPlayer::GetFileName() const { return GetString(kFileName); }
void C_MPlayer::SetFileName(const std::string& value) { PutString(kFileName, value); }
void C_MPlayer::SetCurrentPosition(double value) { PutR8(kCurrentPosition, value); }
int32_t C_MPlayer::GetPlayCount() const { return GetI4(kPlayCount); }
void C_MPlayer::SetPlayCount(int32_t value) { PutI4(kPlayCount, value); }
int32_t C_MPlayer::GetPlayState() const { return GetI4(kPlayState); }
void C_MPlayer::SetAutoStart(bool value) { PutBool(kAutoStart, value); }
void C_MPlayer::SetShowControls(bool value) { PutBool(kShowControls, value); }
void C_MPlayer::SetEnabled(bool value) { PutBool(kEnabled, value); }
void C_MPlayer::Play() { Method(kPlay); }
void C_MPlayer::Stop() { Method(kStop); }
