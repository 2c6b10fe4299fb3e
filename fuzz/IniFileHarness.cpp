// CIniFile::ReadFile: any bytes as "setup.ini", read into memory, looked up, written and read
// again; and the program's settings loaded from the same bytes. A file written from memory
// must read back to the same file.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "base/AtomicFile.h"

int FuzzIniFile(const uint8_t* data, size_t size) {
  const std::string path = WriteFuzzFile("setup.ini", AsText(data, size));
  CIniFile ini(path);
  FuzzCheck(ini.ReadFile(), "an existing file reads");
  (void)ini.GetValue("App", "WndTitle");
  (void)ini.GetValueI("Para", "MinWH");
  (void)ini.GetValueF("Para", "CloseTime");
  (void)ini.GetValue("", "");

  Settings settings;
  (void)LoadSettings(path, settings);

  ini.path = FuzzTempPath("out.ini");
  FuzzCheck(ini.WriteFile(), "memory can be written");
  CIniFile second(ini.path);
  FuzzCheck(second.ReadFile(), "the written file reads");
  second.path = FuzzTempPath("out2.ini");
  FuzzCheck(second.WriteFile(), "memory can be written again");
  return 0;
}
