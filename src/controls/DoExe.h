#pragma once

#include <cstdint>
#include <string>

#include "controls/ControlWrapper.h"
#include "controls/DoExeIds.h"

/// Wrapper of the program-launcher control: a list of programs numbered from 0, each a name
/// (command) and a parameter string.
class C_DoExe : public CControlWrapper {
public:
  /// The published class identifier and dispatch identifiers (controls/DoExeIds.h).
  static constexpr const char* kClassId = DoExeIds::kClassId;
  using enum DoExeIds::Dispid;

  using CControlWrapper::CControlWrapper;

  /// Gets the number of programs (DISPID 1).
  int16_t GetCount() const;
  /// Gets the finished flag: true when the launched programs have ended (DISPID 2).
  bool GetFinished() const;
  /// Appends a program (DISPID 3).
  void AddProgram(const std::string& name, const std::string& parameters);
  /// Runs the list (DISPID 5).
  void Run();
  /// Stops the launched programs (DISPID 6).
  void Stop();
  /// Opens the control's own editor for the list (DISPID 7).
  void EditList();
  /// Program name (programs from 0) (DISPID 8).
  std::string GetName(int16_t index) const;
  /// Program's parameters (DISPID 9).
  std::string GetPara(int16_t index) const;
};
