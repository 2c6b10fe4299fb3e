// zyntra-regsvr: registers or unregisters a control library by calling its own entry points.
//
//   zyntra-regsvr LIB      DllRegisterServer: records the library's classes in controls.ini
//   zyntra-regsvr -u LIB   DllUnregisterServer: removes them
//
// The library is checked first (entry points, ABI version); exit status 0 on success, 1 when
// the library is refused or its entry point fails, 2 for a usage error.

#include <cstdio>
#include <cstring>
#include <string>

#include "controls/ControlLibrary.h"
#include "controls/ControlRegistry.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: zyntra-regsvr [-u] LIBRARY\n");
  return 2;
}

} // namespace

int main(int argc, char** argv) {
  bool unregister = false;
  const char* path = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "-u") == 0) {
      unregister = true;
    } else if (argv[i][0] == '-' && argv[i][1] != '\0') {
      return Usage();
    } else if (!path) {
      path = argv[i];
    } else {
      return Usage();
    }
  }
  if (!path) return Usage();

  std::string error;
  std::unique_ptr<ControlLibrary> library = ControlLibrary::Load(path, &error);
  if (!library) {
    std::fprintf(stderr, "zyntra-regsvr: %s\n", error.c_str());
    return 1;
  }
  const int status = unregister ? library->UnregisterServer() : library->RegisterServer();
  const char* action = unregister ? "DllUnregisterServer" : "DllRegisterServer";
  if (status != kZyntraOk) {
    std::fprintf(stderr, "zyntra-regsvr: %s of %s failed (status %d)\n", action,
                 library->path().c_str(), status);
    return 1;
  }
  std::printf("%s of %s succeeded (%s)\n", action, library->path().c_str(),
              ControlRegistry::DefaultPath().c_str());
  return 0;
}
