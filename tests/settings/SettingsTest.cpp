#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

#include "app/AppTestSupport.h"
#include "settings/Settings.h"

namespace {

// "同步播放系统" in GB18030.
const std::string kTitleGb = "\xCD\xAC\xB2\xBD\xB2\xA5\xB7\xC5\xCF\xB5\xCD\xB3";

WindowPlacement SomeWindows() {
  WindowPlacement windows;
  windows.screen = Rect{0, 0, 404, 190};
  windows.toolBar = Rect{0, 0, 1272, 70};
  windows.playList = Rect{-4, 70, 166, 792};
  return windows;
}

// A settings value with every member away from its default.
Settings Changed() {
  Settings s;
  s.WndTitle = "演示";
  s.Version = "2.5";
  s.CompanyName = "公司";
  s.CompanyAddress = "Addr=1";
  s.CompanyOtherInfo = "x";
  s.DelPrompt = s.TbarReSize = s.Magnetism = s.EnableMove = true;
  s.MinWH = 30;
  s.AutoSave = true;
  s.SaveDelay = 3;
  s.MoveOnPlay = s.AutoPlay = true;
  s.ShowGrid = false;
  s.GridWidth = 16;
  s.LFile = "/shows/a.tak";
  s.EnableFlash = s.EnableGIF = s.AutoClose = true;
  s.CloseTime = 0.75;
  s.BgColor = 0xFF8000;
  return s;
}

TEST(Settings, MissingFileGivesTheDefaults) {
  TempDir dir;
  Settings settings = Changed();
  SettingsLoadResult result = LoadSettings(dir.File("setup.ini"), settings);
  EXPECT_FALSE(result.fileFound);
  EXPECT_EQ(result.screenCaption, "同步播放系统(Orlume)1.0");
  EXPECT_FALSE(result.toolBarCaption.has_value()); // keeps the caption of its layout
  EXPECT_FALSE(result.screenRect.has_value());     // keeps its created place and size
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(settings.WndTitle, "同步播放系统(Orlume)");
  EXPECT_TRUE(settings.ShowGrid);
  EXPECT_EQ(settings.GridWidth, 10);
  EXPECT_EQ(settings.MinWH, 50);
  EXPECT_FALSE(settings.AutoSave);
  EXPECT_EQ(settings.SaveDelay, 10);
  EXPECT_EQ(settings.BgColor, 0);
  EXPECT_FALSE(FileExists(dir.File("setup.ini"))); // loading creates nothing
}

TEST(Settings, EntriesMissingFromAFileReadAsEmptyOrZero) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[Para]\r\nGridWidth =16\r\nAutoPlay=1\r\n"));
  Settings settings;
  SettingsLoadResult result = LoadSettings(path, settings);
  EXPECT_TRUE(result.fileFound);
  EXPECT_EQ(result.screenCaption, "");
  EXPECT_EQ(result.toolBarCaption, std::optional<std::string>(""));
  EXPECT_EQ(result.screenRect, std::optional<Rect>(Rect{}));
  Settings expected;
  expected.WndTitle = expected.Version = "";
  expected.MinWH = expected.SaveDelay = expected.GridWidth = 0; // "GridWidth " is another name
  expected.ShowGrid = false;
  expected.AutoPlay = true;
  EXPECT_EQ(settings, expected);
}

TEST(Settings, LoadsEveryEntry) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[Screen]\nRight=1024\nBottom=768\nLeft=-8\nTop=12\n"
                                    "BgColor=16744448\n"
                                    "[App]\nVersion=2.5\nWndTitle=\xD1\xDD\xCA\xBE\n"
                                    "CompanyName=\xB9\xAB\xCB\xBE\nCompanyAddress=Addr=1\n"
                                    "CompanyOtherInfo=x\n"
                                    "[Para]\nDelPrompt=1\nTbarReSize=7\nMagnetism=1\nEnableMove=1\n"
                                    "MinWH=30\nAutoSave=1\nSaveDelay=3\nMoveOnPlay=1\nAutoPlay=1\n"
                                    "SetCfAutoPlay=0\nShowGrid=0\nGridWidth=16\n"
                                    "LFile=/shows/a.tak\nEnableFlash=1\nEnableGIF=-1\nAutoClose=1\n"
                                    "CloseTime=7.500000e-01\n"
                                    "[ToolBar]\nTop=5\n"));
  Settings settings;
  SettingsLoadResult result = LoadSettings(path, settings);
  EXPECT_EQ(settings, Changed());
  EXPECT_EQ(result.screenCaption, "演示2.5");
  EXPECT_EQ(result.toolBarCaption, std::optional<std::string>("演示2.5"));
  EXPECT_EQ(result.screenRect, std::optional<Rect>(Rect{-8, 12, 1024, 768}));
}

TEST(Settings, SavesTheFixedLayout) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  ASSERT_TRUE(SaveSettings(path, Settings{}, SomeWindows(), "/shows/open.vrx"));
  EXPECT_EQ(FileBytes(path), "[App]\r\nWndTitle=" + kTitleGb +
                                 "(Orlume)\r\nVersion=1.0\r\nCompanyName=\r\nCompanyAddress=\r\n"
                                 "CompanyOtherInfo=\r\n\r\n"
                                 "[Para]\r\nDelPrompt=0\r\nTbarReSize=0\r\nMagnetism=0\r\n"
                                 "EnableMove=0\r\nMinWH=50\r\nAutoSave=0\r\nSaveDelay=10\r\n"
                                 "MoveOnPlay=0\r\nAutoPlay=0\r\nSetCfAutoPlay=0\r\nShowGrid=1\r\n"
                                 "GridWidth=10\r\nLFile=\r\nEnableFlash=0\r\nEnableGIF=0\r\n"
                                 "AutoClose=0\r\nCloseTime=0.000000e+00\r\n\r\n"
                                 "[Screen]\r\nTop=0\r\nLeft=0\r\nBottom=190\r\nRight=404\r\n"
                                 "BgColor=0\r\n\r\n"
                                 "[ToolBar]\r\nTop=0\r\nLeft=0\r\nBottom=70\r\nRight=1272\r\n\r\n"
                                 "[PlayList]\r\nTop=70\r\nLeft=-4\r\nBottom=792\r\nRight=166\r\n"
                                 "\r\n");
}

TEST(Settings, SavesTheProjectPathAndThePropertyWindow) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  Settings settings = Changed();
  settings.SetCfAutoPlay = true;
  WindowPlacement windows = SomeWindows();
  windows.propertyWindow = Point{300, 200};
  // The project was never played; its path still becomes LFile.
  ASSERT_TRUE(SaveSettings(path, settings, windows, "/shows/新.vrx"));
  EXPECT_EQ(settings.LFile, "/shows/a.tak");
  EXPECT_EQ(FileBytes(path), "[App]\r\nWndTitle=\xD1\xDD\xCA\xBE\r\nVersion=2.5\r\n"
                             "CompanyName=\xB9\xAB\xCB\xBE\r\nCompanyAddress=Addr=1\r\n"
                             "CompanyOtherInfo=x\r\n\r\n"
                             "[Para]\r\nDelPrompt=1\r\nTbarReSize=1\r\nMagnetism=1\r\n"
                             "EnableMove=1\r\nMinWH=30\r\nAutoSave=1\r\nSaveDelay=3\r\n"
                             "MoveOnPlay=1\r\nAutoPlay=1\r\nSetCfAutoPlay=1\r\nShowGrid=0\r\n"
                             "GridWidth=16\r\nLFile=/shows/\xD0\xC2.vrx\r\nEnableFlash=1\r\n"
                             "EnableGIF=1\r\nAutoClose=1\r\nCloseTime=7.500000e-01\r\n\r\n"
                             "[Screen]\r\nTop=0\r\nLeft=0\r\nBottom=190\r\nRight=404\r\n"
                             "BgColor=16744448\r\n\r\n"
                             "[ToolBar]\r\nTop=0\r\nLeft=0\r\nBottom=70\r\nRight=1272\r\n\r\n"
                             "[PlayList]\r\nTop=70\r\nLeft=-4\r\nBottom=792\r\nRight=166\r\n\r\n"
                             "[ParaWnd]\r\nTop=200\r\nLeft=300\r\n\r\n");

  // Never saved: the empty path is written.
  ASSERT_TRUE(SaveSettings(path, settings, windows, ""));
  Settings back;
  LoadSettings(path, back);
  EXPECT_EQ(back.LFile, "");
}

TEST(Settings, RewriteDropsUnknownEntriesAndKeepsOneOfEachInPlace) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[Extra]\nA=1\n[Para]\nGridWidth=16\nMine=2\nGridWidth=24\n"
                                    "[ParaWnd]\nTop=1\nLeft=2\n"));
  Settings settings;
  LoadSettings(path, settings);
  EXPECT_EQ(settings.GridWidth, 24);
  ASSERT_TRUE(SaveSettings(path, settings, SomeWindows(), ""));
  const std::string bytes = FileBytes(path);
  for (const char* gone : {"[Extra]", "Mine=", "[ParaWnd]", "GridWidth=16"})
    EXPECT_EQ(bytes.find(gone), std::string::npos) << gone;
  EXPECT_NE(bytes.find("ShowGrid=0\r\nGridWidth=24\r\nLFile=\r\n"), std::string::npos);
  EXPECT_EQ(bytes.find("GridWidth="), bytes.rfind("GridWidth="));
}

TEST(Settings, RoundTripKeepsEveryMemberAndCloseTimeToSevenDigits) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  Settings saved = Changed();
  saved.CloseTime = 38353.765432; // date part kept as the number was given
  WindowPlacement windows = SomeWindows();
  ASSERT_TRUE(SaveSettings(path, saved, windows, "ignored"));
  Settings loaded;
  SettingsLoadResult result = LoadSettings(path, loaded);
  EXPECT_DOUBLE_EQ(loaded.CloseTime, 38353.77);
  loaded.CloseTime = saved.CloseTime;
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(result.screenRect, std::optional<Rect>(windows.screen));
}

TEST(Settings, ReadOnlyFileIsMadeWritableAndRewritten) {
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  ASSERT_TRUE(WriteFileAtomic(path, "[Para]\nGridWidth=16\n"));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  Settings settings;
  LoadSettings(path, settings);
  struct stat st;
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  EXPECT_EQ(settings.GridWidth, 16);
  settings.GridWidth = 12;
  ASSERT_TRUE(SaveSettings(path, settings, SomeWindows(), ""));
  EXPECT_NE(FileBytes(path).find("GridWidth=12\r\n"), std::string::npos);
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
}

TEST(Settings, CloseTimeUsesAPointUnderAGermanLocale) {
  GermanLocale german;
  ASSERT_TRUE(german.active()) << "de_DE.UTF-8 is expected to be installed";
  TempDir dir;
  const std::string path = dir.File("setup.ini");
  Settings settings;
  settings.CloseTime = 0.5625; // 13:30
  ASSERT_TRUE(SaveSettings(path, settings, SomeWindows(), ""));
  EXPECT_NE(FileBytes(path).find("\r\nCloseTime=5.625000e-01\r\n"), std::string::npos);
  Settings back;
  LoadSettings(path, back);
  EXPECT_EQ(back.CloseTime, 0.5625);
}

TEST(Settings, UnwritableFileIsReportedToTheCaller) {
  TempDir dir;
  EXPECT_FALSE(SaveSettings(dir.File("gone/setup.ini"), Settings{}, SomeWindows(), ""));
}

TEST(Settings, PathIsSetupIniInTheFolder) {
  EXPECT_EQ(SettingsPathIn("/home/show"), "/home/show/setup.ini");
  EXPECT_EQ(SettingsPathIn("/"), "/setup.ini");
}

} // namespace
