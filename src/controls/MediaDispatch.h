#pragma once

#include <vector>

#include "controls/HostedControl.h"
#include "controls/Variant.h"

// Argument checks shared by the built-in media controls' Invoke().
namespace media_dispatch {

/// True for the two put kinds.
inline bool IsPut(InvokeKind kind) {
  return kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
}

/// The value of a put when it is a number or a boolean, else null.
inline const Variant* NumberArg(const std::vector<Variant>& args) {
  if (args.empty()) return nullptr;
  switch (args.back().type()) {
  case Variant::Type::Bool:
  case Variant::Type::I2:
  case Variant::Type::I4:
  case Variant::Type::R8:
  case Variant::Type::Date:
  case Variant::Type::Currency: return &args.back();
  default: return nullptr;
  }
}

/// The value of a put when it is a string, else null.
inline const Variant* StringArg(const std::vector<Variant>& args) {
  if (args.empty() || args.back().type() != Variant::Type::String) return nullptr;
  return &args.back();
}

/// Hands a property value to the caller.
inline InvokeStatus Return(Variant* result, Variant value) {
  if (result) *result = std::move(value);
  return InvokeStatus::Ok;
}

} // namespace media_dispatch
