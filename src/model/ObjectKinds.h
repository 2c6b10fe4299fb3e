#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "controls/ControlWrapper.h"
#include "controls/HostedControl.h"
#include "model/NamingCounters.h"
#include "model/ObjectKind.h"

/// Everything the program knows about one node kind, kept in one table.
struct KindInfo {
  /// The kind.
  ObjectKind kind;
  /// Element name in project files ("Picture").
  const char* element;
  /// Base of new names ("Image" + counter); null for the screen (it takes the program title).
  const char* baseName;
  /// Index of the kind's image in the page list's tree image list.
  int treeImage;
  /// The kind's naming counter; null for the screen.
  int32_t NamingCounters::*counter;
  /// Class identifier of the kind's hosted control; null for the screen and pages.
  const char* classId;
  /// Wraps a created control in the kind's wrapper class; null for the screen and pages.
  std::unique_ptr<CControlWrapper> (*wrap)(std::unique_ptr<HostedControl>);

  /// True for the eight object kinds (those with a hosted control).
  bool IsObject() const { return classId != nullptr; }
};

/// All kinds: the screen, the page, then the eight object kinds in the order of their numbers.
std::span<const KindInfo> AllKinds();
/// The entry of a kind; null for a number that is not a kind.
const KindInfo* FindKind(ObjectKind kind);
/// The entry whose file element has this name (case-sensitive); null when none has.
const KindInfo* FindKindByElement(std::string_view element);
