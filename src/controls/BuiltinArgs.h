#pragma once

#include <string_view>
#include <vector>

#include "controls/HostedControl.h"
#include "controls/Variant.h"

// Argument checks shared by the Invoke() of the controls built into the program. Like a dual
// interface, numbers of any width (and booleans) are taken where a number is expected; strings
// only where a string is.

/// True for a value that converts to a number: bool, i2, i4, r8, date, currency.
inline bool IsNumberArg(const Variant& v) { return v.isNumber(); }

/// True when `args` has exactly the shape given, one letter per argument: 'S' a string, 'N' a
/// number.
inline bool ArgsMatch(const std::vector<Variant>& args, std::string_view shape) {
  if (args.size() != shape.size()) return false;
  for (size_t i = 0; i < args.size(); ++i) {
    bool ok = shape[i] == 'S' ? args[i].type() == Variant::Type::String : IsNumberArg(args[i]);
    if (!ok) return false;
  }
  return true;
}

/// True for the two put kinds.
inline bool IsPutKind(InvokeKind kind) {
  return kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
}

/// Answers a get or a method with a result.
inline InvokeStatus Reply(Variant* result, Variant value) {
  if (result) *result = std::move(value);
  return InvokeStatus::Ok;
}

/// The value of a put when it is a number or a boolean, else null.
inline const Variant* NumberArg(const std::vector<Variant>& args) {
  return !args.empty() && args.back().isNumber() ? &args.back() : nullptr;
}

/// The value of a put when it is a string, else null.
inline const Variant* StringArg(const std::vector<Variant>& args) {
  return !args.empty() && args.back().type() == Variant::Type::String ? &args.back() : nullptr;
}
