#include "controls/ShockwaveFlash.h"

std::string C_ShockwaveFlash::GetMovie() const { return GetString(kMovie); }
void C_ShockwaveFlash::SetMovie(const std::string& value) { PutString(kMovie, value); }
bool C_ShockwaveFlash::GetLoop() const { return GetBool(kLoop); }
void C_ShockwaveFlash::SetLoop(bool value) { PutBool(kLoop, value); }
void C_ShockwaveFlash::SetPlaying(bool value) { PutBool(kPlaying, value); }
void C_ShockwaveFlash::Play() { Method(kPlay); }
void C_ShockwaveFlash::Stop() { Method(kStop); }
