#include "support/FakeControls.h"

#include <cmath>
#include <cstdio>

#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"

namespace {

std::string Hex(int32_t dispid) {
  char text[16];
  if (dispid < 0)
    std::snprintf(text, sizeof text, "%d", dispid);
  else
    std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(dispid));
  return text;
}

std::string Describe(const char* what, int32_t dispid, const std::vector<Variant>& args) {
  std::string line = std::string(what) + " " + Hex(dispid);
  for (const Variant& a : args)
    line += " " + DescribeVariant(a);
  return line;
}

// The label's font as the control reports it: the font puts it was given, its size kept in
// whole points (halves to the even neighbour), the weight following bold, the GB2312 charset.
Variant LabelFont(const std::map<int32_t, Variant>& props) {
  auto prop = [&props](int32_t id) {
    auto it = props.find(id);
    return it == props.end() ? Variant() : it->second;
  };
  FontDesc font;
  font.name = prop(C_Glasso::kFontName).toString();
  font.size = std::nearbyint(prop(C_Glasso::kFontSize).toI4() / 10000.0);
  font.bold = prop(C_Glasso::kFontBold).toBool();
  font.italic = prop(C_Glasso::kFontItalic).toBool();
  font.underline = prop(C_Glasso::kFontUnderline).toBool();
  font.strikethrough = prop(C_Glasso::kFontStrikethrough).toBool();
  font.weight = font.bold ? 700 : 400;
  font.charset = 134;
  return Variant::FromFont(font);
}

} // namespace

std::string DescribeVariant(const Variant& v) {
  char text[64];
  switch (v.type()) {
  case Variant::Type::Empty: return "empty";
  case Variant::Type::Bool: return v.toBool() ? "true" : "false";
  case Variant::Type::I2: return "i2:" + std::to_string(v.toI4());
  case Variant::Type::I4: return "i4:" + std::to_string(v.toI4());
  case Variant::Type::R8: std::snprintf(text, sizeof text, "r8:%g", v.toR8()); return text;
  case Variant::Type::Date: std::snprintf(text, sizeof text, "date:%.6f", v.toR8()); return text;
  case Variant::Type::Currency: return "cy:" + std::to_string(v.toCurrency());
  case Variant::Type::String: return "\"" + v.toString() + "\"";
  case Variant::Type::Font: return "font:" + v.toFont().name;
  }
  return "?";
}

FakeControl::FakeControl(std::string clsid, Rect rect, bool visible, FakeControlFactory* owner,
                         uint64_t serial)
    : clsid_(std::move(clsid)), rect_(rect), visible_(visible), owner_(owner), serial_(serial) {}

FakeControl::~FakeControl() {
  if (owner_) owner_->Forget(this);
}

InvokeStatus FakeControl::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                 Variant* result) {
  calls.push_back({dispid, kind, args});
  if (kind == InvokeKind::PropertyGet)
    trace.push_back(Describe("get", dispid, args));
  else if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef)
    trace.push_back(Describe("put", dispid, args));
  else if (kind == InvokeKind::Method)
    trace.push_back(Describe("call", dispid, args));
  if (failAll || failing.count(dispid)) {
    if (result) *result = Variant::FromString("garbage");
    return InvokeStatus::Failed;
  }
  Variant answer;
  InvokeStatus status = Answer(dispid, kind, args, answer);
  if (result) *result = answer;
  return status;
}

InvokeStatus FakeControl::Answer(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                 Variant& result) {
  auto index = [&args](int base) { return args.empty() ? -1 : args[0].toI4() - base; };
  auto field = [this](int i, size_t f) {
    return i >= 0 && i < static_cast<int>(items_.size()) && f < items_[i].size() ? items_[i][f]
                                                                                 : Variant();
  };
  if (clsid_ == C_EffectBox::kClassId) {
    switch (dispid) {
    case C_EffectBox::kAddItem:
      if (args.size() != 4) return InvokeStatus::BadArgs;
      items_.push_back(args);
      return InvokeStatus::Ok;
    case C_EffectBox::kRemoveAll: items_.clear(); return InvokeStatus::Ok;
    case C_EffectBox::kItemCount:
      result = Variant::FromI2(static_cast<int16_t>(items_.size()));
      return InvokeStatus::Ok;
    case C_EffectBox::kGetItemSource: result = field(index(1), 0); return InvokeStatus::Ok;
    case C_EffectBox::kGetItemEffect: result = field(index(1), 1); return InvokeStatus::Ok;
    case C_EffectBox::kGetItemSpeed: result = field(index(1), 2); return InvokeStatus::Ok;
    case C_EffectBox::kGetItemDelay: result = field(index(1), 3); return InvokeStatus::Ok;
    default: break;
    }
  } else if (clsid_ == C_DoExe::kClassId) {
    switch (dispid) {
    case C_DoExe::kAddProgram:
      if (args.size() != 2) return InvokeStatus::BadArgs;
      items_.push_back(args);
      return InvokeStatus::Ok;
    case C_DoExe::kCount:
      result = Variant::FromI2(static_cast<int16_t>(items_.size()));
      return InvokeStatus::Ok;
    case C_DoExe::kName: result = field(index(0), 0); return InvokeStatus::Ok;
    case C_DoExe::kPara: result = field(index(0), 1); return InvokeStatus::Ok;
    default: break;
    }
  } else if (clsid_ == C_Glasso::kClassId && dispid == C_Glasso::kFont &&
             kind == InvokeKind::PropertyGet && !props.count(dispid)) {
    result = LabelFont(props);
    return InvokeStatus::Ok;
  }

  if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
    if (args.empty()) return InvokeStatus::BadArgs;
    props[dispid] = args.back();
  } else if (kind == InvokeKind::PropertyGet) {
    auto it = props.find(dispid);
    if (it != props.end()) result = it->second;
  }
  return InvokeStatus::Ok;
}

void FakeControl::MoveWindow(const Rect& rect) {
  rect_ = rect;
  trace.push_back("move " + std::to_string(rect.left) + " " + std::to_string(rect.top) + " " +
                  std::to_string(rect.right) + " " + std::to_string(rect.bottom));
}

void FakeControl::ShowWindow(bool show) {
  visible_ = show;
  trace.push_back(show ? "show 1" : "show 0");
}

void FakeControl::EnableWindow(bool enable) {
  enabled_ = enable;
  trace.push_back(enable ? "enable 1" : "enable 0");
}

void FakeControl::BringToTop() { trace.push_back("raise"); }

void FakeControl::SetTopmost(bool topmost) {
  topmost_ = topmost;
  trace.push_back(topmost ? "topmost 1" : "topmost 0");
}

std::unique_ptr<HostedControl> FakeControlFactory::CreateControl(const std::string& clsid,
                                                                 const Rect& rect, bool visible) {
  creations.push_back({clsid, rect, visible});
  if (refuse.count(clsid)) return nullptr;
  auto control = std::make_unique<FakeControl>(clsid, rect, visible, this, ++made_);
  live_[made_] = control.get();
  return control;
}

FakeControl* FakeControlFactory::Of(const HostedControl* control) {
  return dynamic_cast<FakeControl*>(const_cast<HostedControl*>(control));
}

std::vector<FakeControl*> FakeControlFactory::Live() const {
  std::vector<FakeControl*> controls;
  for (const auto& [serial, control] : live_)
    controls.push_back(control);
  return controls;
}

void FakeControlFactory::Forget(FakeControl* control) {
  live_.erase(control->serial_);
  destroyed.push_back(control->ClassId());
}
