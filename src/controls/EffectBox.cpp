#include "controls/EffectBox.h"

std::string C_EffectBox::GetBgPicture() const { return GetString(kBgPicture); }
void C_EffectBox::SetBgPicture(const std::string& value) { PutString(kBgPicture, value); }
int16_t C_EffectBox::GetItemCount() const { return GetI2(kItemCount); }
bool C_EffectBox::GetLoopPlay() const { return GetBool(kLoopPlay); }
void C_EffectBox::SetLoopPlay(bool value) { PutBool(kLoopPlay, value); }
int16_t C_EffectBox::GetLoops() const { return GetI2(kLoops); }
void C_EffectBox::SetLoops(int16_t value) { PutI2(kLoops, value); }
bool C_EffectBox::GetStretch() const { return GetBool(kStretch); }
void C_EffectBox::SetStretch(bool value) { PutBool(kStretch, value); }
int32_t C_EffectBox::GetColor() const { return GetI4(kColor); }
void C_EffectBox::SetColor(int32_t value) { PutI4(kColor, value); }
bool C_EffectBox::GetFinished() const { return GetBool(kFinished); }
void C_EffectBox::SetAutoPlay(bool value) { PutBool(kAutoPlay, value); }
void C_EffectBox::RemoveAll() { Method(kRemoveAll); }
void C_EffectBox::AddItem(const std::string& source, const std::string& effect, int16_t speed,
                          int16_t delay) {
  Method(kAddItem, {Variant::FromString(source), Variant::FromString(effect),
                    Variant::FromI2(speed), Variant::FromI2(delay)});
}
std::string C_EffectBox::GetItemSource(int16_t index) const {
  return Call(kGetItemSource, InvokeKind::Method, {Variant::FromI2(index)}).toString();
}
std::string C_EffectBox::GetItemEffect(int16_t index) const {
  return Call(kGetItemEffect, InvokeKind::Method, {Variant::FromI2(index)}).toString();
}
int16_t C_EffectBox::GetItemSpeed(int16_t index) const {
  return Call(kGetItemSpeed, InvokeKind::Method, {Variant::FromI2(index)}).toI2();
}
int16_t C_EffectBox::GetItemDelay(int16_t index) const {
  return Call(kGetItemDelay, InvokeKind::Method, {Variant::FromI2(index)}).toI2();
}
void C_EffectBox::Start() { Method(kStart); }
void C_EffectBox::Stop() { Method(kStop); }
