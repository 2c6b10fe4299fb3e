#include "controls/Glasso.h"

std::string C_Glasso::GetCaption() const { return GetString(kCaption); }
void C_Glasso::SetCaption(const std::string& value) { PutString(kCaption, value); }
void C_Glasso::SetCaption() { Method(kSetCaption); }
CFontObject C_Glasso::GetFont() const { return CFontObject(Get(kFont)); }
void C_Glasso::SetFontBold(bool value) { PutBool(kFontBold, value); }
void C_Glasso::SetFontItalic(bool value) { PutBool(kFontItalic, value); }
void C_Glasso::SetFontUnderline(bool value) { PutBool(kFontUnderline, value); }
void C_Glasso::SetFontStrikethrough(bool value) { PutBool(kFontStrikethrough, value); }
void C_Glasso::SetFontName(const std::string& value) { PutString(kFontName, value); }
void C_Glasso::SetFontSize(int32_t value) { PutI4(kFontSize, value); }
int32_t C_Glasso::GetColor() const { return GetI4(kColor); }
void C_Glasso::SetColor(int32_t value) { PutI4(kColor, value); }
int32_t C_Glasso::GetBgColor() const { return GetI4(kBgColor); }
void C_Glasso::SetBgColor(int32_t value) { PutI4(kBgColor, value); }
int32_t C_Glasso::GetBorderColor() const { return GetI4(kBorderColor); }
void C_Glasso::SetBorderColor(int32_t value) { PutI4(kBorderColor, value); }
int16_t C_Glasso::GetAlign() const { return GetI2(kAlign); }
void C_Glasso::SetAlign(int16_t value) { PutI2(kAlign, value); }
int16_t C_Glasso::GetTransparent() const { return GetI2(kTransparent); }
void C_Glasso::SetTransparent(int16_t value) { PutI2(kTransparent, value); }
int16_t C_Glasso::GetBorder() const { return GetI2(kBorder); }
void C_Glasso::SetBorder(int16_t value) { PutI2(kBorder, value); }
void C_Glasso::SetEnable(bool value) { PutBool(kEnable, value); }
