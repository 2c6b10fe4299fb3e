#include "controls/AniGif.h"

std::string C_AniGif::GetFileName() const { return GetString(kFileName); }
void C_AniGif::SetFileName(const std::string& value) { PutString(kFileName, value); }
void C_AniGif::SetAutoPlay(bool value) { PutBool(kAutoPlay, value); }
