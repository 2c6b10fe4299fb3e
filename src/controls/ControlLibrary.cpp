#include "controls/ControlLibrary.h"

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

#include "controls/ControlRegistry.h"
#include "base/AtomicFile.h"

namespace {

std::string AbsolutePath(const std::string& path) {
  char resolved[PATH_MAX];
  if (realpath(path.c_str(), resolved)) return resolved;
  return path;
}

void SetError(std::string* error, const std::string& text) {
  if (error) *error = text;
}

} // namespace

std::unique_ptr<ControlLibrary> ControlLibrary::Load(const std::string& path, std::string* error) {
  if (path.empty() || !FileExists(path)) {
    SetError(error, "control library " + path + " does not exist");
    return nullptr;
  }
  std::unique_ptr<ControlLibrary> library(new ControlLibrary);
  library->path_ = AbsolutePath(path);
  dlerror();
  library->handle_ = dlopen(library->path_.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library->handle_) {
    const char* reason = dlerror();
    SetError(error, "control library " + library->path_ +
                        " cannot be loaded: " + (reason ? reason : "unknown reason"));
    return nullptr;
  }
  auto fail = [&](const std::string& why) -> std::unique_ptr<ControlLibrary> {
    SetError(error, "control library " + library->path_ + " refused: " + why);
    dlclose(library->handle_);
    return nullptr;
  };
  auto find = [&](const char* name) { return dlsym(library->handle_, name); };

  auto abiVersion = reinterpret_cast<ZyntraControlAbiVersionFn>(find("ZyntraControlAbiVersion"));
  library->getClassObject_ = reinterpret_cast<DllGetClassObjectFn>(find("DllGetClassObject"));
  library->registerServer_ = reinterpret_cast<DllRegisterServerFn>(find("DllRegisterServer"));
  library->unregisterServer_ = reinterpret_cast<DllUnregisterServerFn>(find("DllUnregisterServer"));
  library->canUnloadNow_ = reinterpret_cast<DllCanUnloadNowFn>(find("DllCanUnloadNow"));
  const std::pair<const char*, bool> required[] = {
      {"DllGetClassObject", library->getClassObject_ != nullptr},
      {"DllRegisterServer", library->registerServer_ != nullptr},
      {"DllUnregisterServer", library->unregisterServer_ != nullptr},
      {"DllCanUnloadNow", library->canUnloadNow_ != nullptr},
      {"ZyntraControlAbiVersion", abiVersion != nullptr},
  };
  for (auto& [name, present] : required) {
    if (!present) return fail(std::string("entry point ") + name + " is missing");
  }
  const int version = abiVersion();
  if (version != ZYNTRA_CONTROL_ABI_VERSION) {
    return fail("it was built for control ABI version " + std::to_string(version) +
                ", this program needs version " + std::to_string(ZYNTRA_CONTROL_ABI_VERSION));
  }
  return library;
}

const ZyntraClassObject* ControlLibrary::GetClassObject(const std::string& clsid,
                                                        std::string* error) const {
  const ZyntraClassObject* object = nullptr;
  const int status = getClassObject_(clsid.c_str(), &object);
  if (status != kZyntraOk || !object) {
    SetError(error, "control library " + path_ + " has no class " + clsid);
    return nullptr;
  }
  if (object->abiVersion != ZYNTRA_CONTROL_ABI_VERSION) {
    SetError(error, "control library " + path_ + " answers class " + clsid +
                        " with a class object of control ABI version " +
                        std::to_string(object->abiVersion) + ", this program needs version " +
                        std::to_string(ZYNTRA_CONTROL_ABI_VERSION));
    return nullptr;
  }
  if (!object->clsid || ControlRegistry::NormalizeClassId(object->clsid) !=
                            ControlRegistry::NormalizeClassId(clsid)) {
    SetError(error,
             "control library " + path_ + " answers class " + clsid + " with another class object");
    return nullptr;
  }
  if (!object->create) {
    SetError(error, "control library " + path_ + " has no create function for " + clsid);
    return nullptr;
  }
  return object;
}

void* ControlLibrary::Symbol(const char* name) const { return dlsym(handle_, name); }
