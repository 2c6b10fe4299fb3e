#include "controls/ControlWrapper.h"

CControlWrapper::CControlWrapper(std::unique_ptr<HostedControl> control)
    : control_(std::move(control)) {}

CControlWrapper::~CControlWrapper() = default;

std::string CControlWrapper::ClassId() const {
  return control_ ? control_->ClassId() : std::string();
}

Rect CControlWrapper::GetWindowRect() const {
  return control_ ? control_->GetWindowRect() : Rect{};
}

void CControlWrapper::MoveWindow(const Rect& rect) {
  if (control_) control_->MoveWindow(rect);
}

void CControlWrapper::ShowWindow(bool show) {
  if (control_) control_->ShowWindow(show);
}

bool CControlWrapper::IsWindowVisible() const { return control_ && control_->IsWindowVisible(); }

void CControlWrapper::EnableWindow(bool enable) {
  if (control_) control_->EnableWindow(enable);
}

bool CControlWrapper::IsWindowEnabled() const { return control_ && control_->IsWindowEnabled(); }

void CControlWrapper::BringToTop() {
  if (control_) control_->BringToTop();
}

void CControlWrapper::SetTopmost(bool topmost) {
  if (control_) control_->SetTopmost(topmost);
}

Variant CControlWrapper::Call(int32_t dispid, InvokeKind kind,
                              const std::vector<Variant>& args) const {
  Variant result;
  if (!control_) return result;
  // Callers never act on failures: whatever a failed call may have left in the result is
  // dropped so that the caller sees the empty default.
  if (control_->Invoke(dispid, kind, args, &result) != InvokeStatus::Ok) return Variant();
  return result;
}
