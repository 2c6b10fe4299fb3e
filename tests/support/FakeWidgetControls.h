#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/ControlFactory.h"
#include "controls/ControlWidget.h"

/// A control widget that keeps every put by DISPID and answers gets with the last value put,
/// and records method calls. Stands in for real controls in window tests.
class FakeWidgetControl : public ControlWidget {
public:
  FakeWidgetControl(const std::string& clsid, QWidget* parent) : ControlWidget(clsid, parent) {}
  InvokeStatus Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                      Variant* result) override {
    if (kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef) {
      if (args.empty()) return InvokeStatus::BadArgs;
      values[dispid] = args.back();
      return InvokeStatus::Ok;
    }
    if (kind == InvokeKind::Method) calls.push_back(dispid);
    auto it = values.find(dispid);
    if (result) *result = it == values.end() ? Variant() : it->second;
    return InvokeStatus::Ok;
  }
  std::map<int32_t, Variant> values;
  std::vector<int32_t> calls;
};

/// Makes FakeWidgetControls as children of a parent widget; remembers the class ids asked for.
class FakeWidgetControlFactory : public ControlFactory {
public:
  explicit FakeWidgetControlFactory(QWidget* parent) : parent_(parent) {}
  std::unique_ptr<HostedControl> CreateControl(const std::string& clsid, const Rect& rect,
                                               bool visible) override {
    created.push_back(clsid);
    auto control = std::make_unique<FakeWidgetControl>(clsid, parent_);
    control->MoveWindow(rect);
    control->ShowWindow(visible);
    return control;
  }
  std::vector<std::string> created;

private:
  QWidget* parent_;
};
