#pragma once

#include <memory>
#include <string>

#include "controls/ControlModule.h"

/// A control library opened with dlopen and checked before any of its code runs: it exports
/// ZyntraControlAbiVersion, DllGetClassObject, DllRegisterServer, DllUnregisterServer and
/// DllCanUnloadNow, and its ABI version is ZYNTRA_CONTROL_ABI_VERSION. A library that passes
/// stays loaded for the rest of the process (its widgets and Qt's tables refer to its code); one
/// that fails is closed again.
class ControlLibrary {
public:
  /// Opens and checks the library at `path`. Null, with the reason in `error`, when the file is
  /// missing or not loadable, an entry point is missing, or the ABI version differs.
  static std::unique_ptr<ControlLibrary> Load(const std::string& path, std::string* error);

  /// The absolute path the library was loaded from.
  const std::string& path() const { return path_; }
  /// The class object for a class identifier, after checking it (same identifier, same ABI
  /// version, a create function); null, with the reason in `error`, otherwise.
  const ZyntraClassObject* GetClassObject(const std::string& clsid, std::string* error) const;
  /// Calls DllRegisterServer: records the library's classes in controls.ini.
  int RegisterServer() const { return registerServer_(); }
  /// Calls DllUnregisterServer: removes the library's classes from controls.ini.
  int UnregisterServer() const { return unregisterServer_(); }
  /// Calls DllCanUnloadNow: true when none of the library's controls is alive.
  bool CanUnloadNow() const { return canUnloadNow_() == kZyntraOk; }
  /// Looks up another exported symbol of the library (e.g. a test hook); null when absent.
  void* Symbol(const char* name) const;

private:
  ControlLibrary() = default;
  std::string path_;
  void* handle_ = nullptr;
  DllGetClassObjectFn getClassObject_ = nullptr;
  DllRegisterServerFn registerServer_ = nullptr;
  DllUnregisterServerFn unregisterServer_ = nullptr;
  DllCanUnloadNowFn canUnloadNow_ = nullptr;
};
