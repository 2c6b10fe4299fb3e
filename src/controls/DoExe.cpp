#include "controls/DoExe.h"

int16_t C_DoExe::GetCount() const { return GetI2(kCount); }
bool C_DoExe::GetFinished() const { return GetBool(kFinished); }
void C_DoExe::AddProgram(const std::string& name, const std::string& parameters) {
  Method(kAddProgram, {Variant::FromString(name), Variant::FromString(parameters)});
}
void C_DoExe::Run() { Method(kRun); }
void C_DoExe::Stop() { Method(kStop); }
void C_DoExe::EditList() { Method(kEditList); }
std::string C_DoExe::GetName(int16_t index) const {
  return Get(kName, {Variant::FromI2(index)}).toString();
}
std::string C_DoExe::GetPara(int16_t index) const {
  return Get(kPara, {Variant::FromI2(index)}).toString();
}
