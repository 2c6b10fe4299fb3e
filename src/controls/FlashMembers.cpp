#include "controls/FlashMembers.h"

namespace {

bool IsPut(InvokeKind kind) {
  return kind == InvokeKind::PropertyPut || kind == InvokeKind::PropertyPutRef;
}

} // namespace

InvokeStatus FlashMembers::Invoke(int32_t dispid, InvokeKind kind, const std::vector<Variant>& args,
                                  Variant* result, Change* change) {
  if (change) *change = Change::None;
  Change changed = Change::None;
  auto setPlaying = [&](bool play) {
    if (playing_ != play) changed = Change::Playing;
    playing_ = play;
  };
  InvokeStatus status = InvokeStatus::Ok;
  switch (dispid) {
  case kMovie:
  case kLoop:
  case kPlaying:
    if (kind == InvokeKind::PropertyGet) {
      if (result) {
        if (dispid == kMovie)
          *result = Variant::FromString(fileName_);
        else
          *result = Variant::FromBool(dispid == kLoop ? loop_ : playing_);
      }
    } else if (!IsPut(kind)) {
      status = InvokeStatus::BadKind;
    } else if (args.empty()) {
      status = InvokeStatus::BadArgs;
    } else if (dispid == kMovie) {
      if (args.back().type() != Variant::Type::String) return InvokeStatus::BadArgs;
      if (fileName_ != args.back().toString()) changed = Change::Movie;
      fileName_ = args.back().toString();
    } else if (dispid == kLoop) {
      if (loop_ != args.back().toBool()) changed = Change::Movie;
      loop_ = args.back().toBool();
    } else {
      setPlaying(args.back().toBool());
    }
    break;
  case kPlay:
  case kStop:
    if (kind != InvokeKind::Method)
      status = InvokeStatus::BadKind;
    else
      setPlaying(dispid == kPlay);
    break;
  default: status = InvokeStatus::UnknownMember;
  }
  if (change) *change = changed;
  return status;
}
