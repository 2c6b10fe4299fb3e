#include "settings/Settings.h"

#include <sys/stat.h>

#include "settings/IniFile.h"
#include "base/AtomicFile.h"

namespace {

// A read-only settings file is made writable at start-up, so that the write at exit succeeds
// and the file keeps its permissions afterwards.
void MakeWritable(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || (st.st_mode & S_IWUSR)) return;
  chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR);
}

void WriteRect(CIniFile& ini, const std::string& section, const Rect& rect) {
  ini.SetValueI(section, "Top", rect.top);
  ini.SetValueI(section, "Left", rect.left);
  ini.SetValueI(section, "Bottom", rect.bottom);
  ini.SetValueI(section, "Right", rect.right);
}

} // namespace

std::string SettingsPathIn(const std::string& directory) {
  if (!directory.empty() && directory.back() == '/') return directory + "setup.ini";
  return directory + "/setup.ini";
}

SettingsLoadResult LoadSettings(const std::string& path, Settings& settings) {
  SettingsLoadResult result;
  if (!FileExists(path)) {
    settings = Settings{};
    result.screenCaption = settings.WndTitle + settings.Version;
    return result;
  }
  MakeWritable(path);
  CIniFile ini(path);
  ini.ReadFile();

  // Entries the file lacks read as empty or 0; the defaults are for a missing file only.
  auto flag = [&](const char* section, const char* entry) {
    return ini.GetValueI(section, entry) != 0;
  };
  settings.WndTitle = ini.GetValue("App", "WndTitle");
  settings.Version = ini.GetValue("App", "Version");
  result.screenCaption = settings.WndTitle + settings.Version;
  result.toolBarCaption = result.screenCaption;
  settings.BgColor = ini.GetValueI("Screen", "BgColor");
  settings.CompanyName = ini.GetValue("App", "CompanyName");
  settings.CompanyAddress = ini.GetValue("App", "CompanyAddress");
  settings.CompanyOtherInfo = ini.GetValue("App", "CompanyOtherInfo");
  settings.DelPrompt = flag("Para", "DelPrompt");
  settings.TbarReSize = flag("Para", "TbarReSize");
  settings.Magnetism = flag("Para", "Magnetism");
  settings.EnableMove = flag("Para", "EnableMove");
  settings.MinWH = ini.GetValueI("Para", "MinWH");
  settings.AutoSave = flag("Para", "AutoSave");
  settings.SaveDelay = ini.GetValueI("Para", "SaveDelay");
  settings.MoveOnPlay = flag("Para", "MoveOnPlay");
  settings.AutoPlay = flag("Para", "AutoPlay");
  settings.SetCfAutoPlay = flag("Para", "SetCfAutoPlay");
  settings.LFile = ini.GetValue("Para", "LFile");
  settings.EnableFlash = flag("Para", "EnableFlash");
  settings.EnableGIF = flag("Para", "EnableGIF");
  settings.AutoClose = flag("Para", "AutoClose");
  settings.CloseTime = ini.GetValueF("Para", "CloseTime");
  settings.ShowGrid = flag("Para", "ShowGrid");
  settings.GridWidth = ini.GetValueI("Para", "GridWidth");
  settings.ConsoleListen = ini.GetValue("Console", "Listen");
  settings.ConsoleShows = ini.GetValue("Console", "Shows");
  Rect screen;
  screen.top = ini.GetValueI("Screen", "Top");
  screen.left = ini.GetValueI("Screen", "Left");
  screen.bottom = ini.GetValueI("Screen", "Bottom");
  screen.right = ini.GetValueI("Screen", "Right");
  result.screenRect = screen;
  result.fileFound = true;
  return result;
}

bool SaveSettings(const std::string& path, const Settings& settings, const WindowPlacement& windows,
                  const std::string& projectPath) {
  // A fresh file: what the old one held beyond these entries is dropped.
  CIniFile ini(path);
  ini.SetValue("App", "WndTitle", settings.WndTitle);
  ini.SetValue("App", "Version", settings.Version);
  ini.SetValue("App", "CompanyName", settings.CompanyName);
  ini.SetValue("App", "CompanyAddress", settings.CompanyAddress);
  ini.SetValue("App", "CompanyOtherInfo", settings.CompanyOtherInfo);
  ini.SetValueI("Para", "DelPrompt", settings.DelPrompt);
  ini.SetValueI("Para", "TbarReSize", settings.TbarReSize);
  ini.SetValueI("Para", "Magnetism", settings.Magnetism);
  ini.SetValueI("Para", "EnableMove", settings.EnableMove);
  ini.SetValueI("Para", "MinWH", settings.MinWH);
  ini.SetValueI("Para", "AutoSave", settings.AutoSave);
  ini.SetValueI("Para", "SaveDelay", settings.SaveDelay);
  ini.SetValueI("Para", "MoveOnPlay", settings.MoveOnPlay);
  ini.SetValueI("Para", "AutoPlay", settings.AutoPlay);
  ini.SetValueI("Para", "SetCfAutoPlay", settings.SetCfAutoPlay);
  ini.SetValueI("Para", "ShowGrid", settings.ShowGrid);
  ini.SetValueI("Para", "GridWidth", settings.GridWidth);
  ini.SetValue("Para", "LFile", settings.SetCfAutoPlay ? projectPath : settings.LFile);
  ini.SetValueI("Para", "EnableFlash", settings.EnableFlash);
  ini.SetValueI("Para", "EnableGIF", settings.EnableGIF);
  ini.SetValueI("Para", "AutoClose", settings.AutoClose);
  ini.SetValueF("Para", "CloseTime", settings.CloseTime);
  WriteRect(ini, "Screen", windows.screen);
  ini.SetValueI("Screen", "BgColor", settings.BgColor);
  WriteRect(ini, "ToolBar", windows.toolBar);
  WriteRect(ini, "PlayList", windows.playList);
  if (!settings.ConsoleListen.empty()) ini.SetValue("Console", "Listen", settings.ConsoleListen);
  if (!settings.ConsoleShows.empty()) ini.SetValue("Console", "Shows", settings.ConsoleShows);
  if (windows.propertyWindow) {
    ini.SetValueI("ParaWnd", "Top", windows.propertyWindow->y);
    ini.SetValueI("ParaWnd", "Left", windows.propertyWindow->x);
  }
  return ini.WriteFile();
}
