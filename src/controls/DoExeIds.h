#pragma once

// The program-launcher control's class identifier and dispatch identifiers, shared by the
// program's wrapper (controls/DoExe.h) and the control (controls/DoExeCtrl.h).

#include <cstdint>

namespace DoExeIds {

/// The published class identifier.
inline constexpr char kClassId[] = "{AA0FE940-F70F-48DA-9F6C-3C3B9DF6819A}";

/// The published dispatch identifiers.
enum Dispid : int32_t {
  kCount = 1,      ///< get i2: number of programs
  kFinished = 2,   ///< get bool: no launched program is still running
  kAddProgram = 3, ///< method (string name, string parameters): append a program
  kRun = 5,        ///< method: start every program in order
  kStop = 6,       ///< method: ask the programs to end, kill them after a delay
  kEditList = 7,   ///< method: edit the list in a modal dialog
  kName = 8,       ///< indexed get (i2 index from 0) → string
  kPara = 9,       ///< indexed get (i2 index from 0) → string
};

} // namespace DoExeIds
