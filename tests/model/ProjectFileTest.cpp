#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "controls/Clock.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "controls/MPlayer.h"
#include "controls/ShockwaveFlash.h"
#include "base/AtomicFile.h"
#include "base/TextCodec.h"
#include "model/ZyntraDoc.h"
#include "support/TestProject.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

const std::string kFixtures = std::string(ZYNTRA_TEST_DATA) + "/model/";

std::string Bytes(const std::string& path) {
  std::string bytes;
  ReadFileBytes(path, bytes);
  return bytes;
}

using Project = TestProject;

std::string Copy(const TempDir& dir, const std::string& fixture) {
  std::string path = dir / fixture;
  fs::copy_file(kFixtures + fixture, path);
  return path;
}

const char* const kFixtureNames[] = {
    "picture", "clock",   "movie",         "flash",    "gif",        "exe",
    "label",   "rtftext", "label_special", "no_pages", "empty_page", "all_kinds",
};

// Each hand-written file, opened and saved again, gives exactly its expected bytes; saving once
// more gives the same bytes, and the expected file is its own resave.
TEST(ProjectFile, FixturesResaveToTheirExpectedBytes) {
  for (const char* name : kFixtureNames) {
    SCOPED_TRACE(name);
    TempDir dir;
    const std::string expected = Bytes(kFixtures + name + ".expected.vrx");
    ASSERT_FALSE(expected.empty());

    Project p;
    std::string path = Copy(dir, std::string(name) + ".vrx");
    ASSERT_TRUE(p.doc.OpenDocument(path));
    EXPECT_EQ(p.doc.Path(), path);
    ASSERT_TRUE(p.doc.SaveDocument());
    EXPECT_EQ(Bytes(path), expected);
    ASSERT_TRUE(p.doc.SaveDocument());
    EXPECT_EQ(Bytes(path), expected);
    EXPECT_TRUE(p.prompts.messages.empty());

    Project again;
    std::string copy = Copy(dir, std::string(name) + ".expected.vrx");
    ASSERT_TRUE(again.doc.OpenDocument(copy));
    ASSERT_TRUE(again.doc.SaveDocument());
    EXPECT_EQ(Bytes(copy), expected);
  }
}

TEST(ProjectFile, OpeningBuildsTheTreeItemsAndShowsTheLastPage) {
  TempDir dir;
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(Copy(dir, "all_kinds.vrx")));
  EXPECT_EQ(p.pageList.log, (std::vector<std::string>{
                                "ClearProject",
                                "MoveScreen 0 0 1280 800",
                                "AppendPageItem Page1 1",
                                "AppendObjectItem Image2 3",
                                "AppendObjectItem Timer1 4",
                                "AppendObjectItem Video1 5",
                                "AppendObjectItem Flash1 6",
                                "AppendPageItem Page3 1",
                                "AppendObjectItem Gif1 7",
                                "AppendObjectItem Program1 8",
                                "AppendObjectItem Text4 2",
                                "AppendObjectItem RTF1 7",
                                "ProjectRead",
                                "ShowPage Page3",
                            }));
  EXPECT_EQ(p.pageList.Counters(), (NamingCounters{3, 1, 2, 1, 1, 1, 1, 4, 1}));
  EXPECT_EQ(p.doc.Current(), p.Node("Page3"));
  EXPECT_EQ(p.doc.Root()->name, "同步屏播放系统"); // the title, not the file's name
  const FrameInfo& page3 = *p.Node("Page3")->frame;
  EXPECT_EQ(page3.TTL_Kind, 1);
  EXPECT_EQ(page3.seconds, 20);
  EXPECT_FALSE(page3.ybPlay); // "true" is not "True"
  EXPECT_EQ(page3.BgPicture, "p3.jpg");
  EXPECT_EQ(p.Node("Page1")->frame->bg, 9830400);

  // Every control is made hidden at its rectangle; the node keeps its stored fields and gets
  // the defaults of the fields never stored.
  ASSERT_EQ(p.factory.creations.size(), 8u);
  for (const auto& c : p.factory.creations)
    EXPECT_FALSE(c.visible);
  EXPECT_EQ(p.factory.creations[4].rect, (Rect{-30, -10, 170, 90}));
  ShowNode* movie = p.Node("Video1");
  EXPECT_EQ(movie->actionStyle, 1);
  EXPECT_EQ(movie->inStyle, 5);
  EXPECT_EQ(movie->inSpeed, 8);
  EXPECT_EQ(movie->delayTime, 10);
  EXPECT_EQ(movie->outStyle, 6);
  EXPECT_EQ(movie->outSpeed, 8);
  EXPECT_TRUE(p.Node("Flash1")->reserve);
  EXPECT_TRUE(p.Node("Text4")->topmost);
  EXPECT_TRUE(movie->visible && movie->unlocked && movie->actionDone);
  EXPECT_TRUE(p.Node("Flash1")->ControlAs<C_ShockwaveFlash>()->GetLoop());
  EXPECT_EQ(p.doc.DocText(), DecodeFileText(Bytes(kFixtures + "all_kinds.vrx")));
}

// Each kind gets its creation-time settings, then its stored values in file order.
TEST(ProjectFile, ReadingSetsControlsInTheDefinedOrder) {
  TempDir dir;
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(Copy(dir, "all_kinds.vrx")));
  using V = std::vector<std::string>;
  EXPECT_EQ(p.Told("Image2"), (V{
                                  "put 0x68030002 false",
                                  "call 0x60030006 \"图片/春天.jpg\" \"无效果\" i2:5 i2:3",
                                  "call 0x60030006 \"/home/show/b.png\" \"水平放大\" i2:10 i2:0",
                                  "put 0x40030004 false",
                                  "put 0x40030005 i2:1",
                                  "put 0x68030000 i4:16744576",
                                  "put 0x40030002 \"\"",
                                  "put 0x40030006 true",
                              }));
  EXPECT_EQ(p.Told("Timer1"),
            (V{
                "put 0x6803000C false",          "put 0x68030000 true",
                "put 0x4003000A i2:2",           "put 0x4003000C date:40000.125000",
                "put 0x4003000D \"距春节还有\"", "put 0x4003000E \"天\"",
                "put 0x40030007 i2:0",           "put 0x40030008 i2:-5",
                "put 0x40030009 i2:30",          "put 0x4003000B i2:60",
                "put 0x68030005 i4:9830400",     "put 0x68030004 i4:65535",
                "put 0x68030001 i4:255",         "put 0x68030002 false",
                "put 0x6803000B \"宋体\"",       "put 0x6803000A i2:12",
                "put 0x68030008 false",          "put 0x68030006 false",
                "put 0x68030007 true",           "put 0x68030009 true",
            }));
  EXPECT_EQ(p.Told("Video1"), (V{
                                  "show 0",
                                  "put -514 false",
                                  "put 0x17 false",
                                  "put 0x3F9 false",
                                  "put 0x402 \"视频/广告.avi\"",
                                  "put 0x406 i4:0",
                              }));
  EXPECT_EQ(p.Told("Flash1"), (V{
                                  "put 0x7D false",
                                  "enable 0",
                                  "put 0x66 \"/home/show/片头.swf\"",
                                  "put 0x6A true",
                              }));
  EXPECT_EQ(p.Told("Gif1"), (V{
                                "put 0x68030004 true",
                                "enable 0",
                                "put 0x68030003 \"动画.gif\"",
                            }));
  EXPECT_EQ(p.Told("Program1"), (V{
                                    "call 0x3 \"/usr/bin/xclock\" \"-digital -update 1\"",
                                    "call 0x3 \"notepad.exe\" \"\"",
                                }));
  EXPECT_EQ(p.Told("Text4"), (V{
                                 "put 0x68030000 false",
                                 "put 0x6803000E \"欢迎光临\"",
                                 "put 0x68030006 i4:65280",
                                 "put 0x68030005 i4:0",
                                 "put 0x68030001 i4:255",
                                 "put 0x68030004 i2:1",
                                 "put 0x68030003 i2:1",
                                 "put 0x68030002 i2:0",
                                 "put 0x68030008 \"黑体\"",
                                 "put 0x68030007 i4:200000",
                                 "put 0x6803000B false",
                                 "put 0x68030009 false",
                                 "put 0x6803000A false",
                                 "put 0x6803000C true",
                             }));
  EXPECT_EQ(p.Told("RTF1"), (V{
                                "put 0x68030000 false",
                                "put 0x40030004 \"通知.rtf\"",
                                "put 0x40030001 \"左移\"",
                                "put 0x40030003 i2:5",
                                "put 0x40030002 \"上移\"",
                                "put 0x40030000 i2:3",
                                "put 0x40030007 false",
                                "put 0x40030008 i2:1",
                                "put 0x68030003 i4:10092543",
                            }));
}

const char* const kHead = "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n";

std::string Wrap(const std::string& page) {
  return std::string(kHead) + "<VRX>\r\n<Screen frameCount=\"1\" X=\"0\" Y=\"0\" W=\"800\" " +
         "H=\"600\" Name=\"t\" Type=\"-1\">\r\n<Frame Name=\"Page1\" Type=\"-2\">\r\n" + page +
         "</Frame>\r\n</Screen>\r\n</VRX>\r\n";
}

// Finding only moves forward: a missing child reads as the child found last in its element, or
// as empty text when none was found yet; a missing group leaves the control's defaults.
TEST(ProjectFile, MissingChildrenReadAsTheChildFoundLast) {
  TempDir dir;
  std::string path = dir / "missing.vrx";
  ASSERT_TRUE(WriteFileAtomic(path, Wrap("<Movie Name=\"Video1\" Type=\"124\">\r\n"
                                         "<FileName>3.avi</FileName>\r\n"
                                         "<reserve>True</reserve>\r\n<X>15</X>\r\n"
                                         "<W>30</W>\r\n<H>40</H>\r\n</Movie>\r\n"
                                         "<Gif Name=\"Gif1\" Type=\"126\"/>\r\n"
                                         "<Label Name=\"Text1\" Type=\"131\">\r\n"
                                         "<Caption>hi</Caption>\r\n</Label>\r\n")));
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  ShowNode* movie = p.Node("Video1");
  ASSERT_NE(movie, nullptr);
  EXPECT_TRUE(movie->reserve);
  EXPECT_TRUE(movie->topmost); // "reserve" was the child found last
  EXPECT_EQ(p.factory.creations[0].rect, (Rect{15, 15, 45, 55})); // Y read "15" from X
  EXPECT_EQ(movie->outSpeed, 40);                                 // the last child, "H"
  EXPECT_EQ(movie->ControlAs<C_MPlayer>()->GetPlayCount(), 3);    // "Loops" missing: "3.avi"
  EXPECT_EQ(p.Told("Gif1").back(), "put 0x68030003 \"\"");        // nothing found yet: empty text
  for (const std::string& line : p.Told("Text1"))                 // no "Font" group: no font puts
    EXPECT_EQ(line.find("0x68030008"), std::string::npos) << line;
}

TEST(ProjectFile, UnknownElementsBuildNothingAndTheTagDecidesTheKind) {
  TempDir dir;
  std::string path = dir / "odd.vrx";
  ASSERT_TRUE(WriteFileAtomic(path, Wrap("<Video Name=\"Video1\" Type=\"124\"/>\r\n"
                                         "<Clock Name=\"Timer1\" Type=\"131\"/>\r\n"
                                         "<Gif Name=\"Gif1\" Type=\"126\"/>\r\n")));
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  EXPECT_EQ(p.Node("Video1"), nullptr);
  ASSERT_EQ(p.factory.creations.size(), 2u);
  ASSERT_NE(p.Node("Timer1"), nullptr);
  EXPECT_EQ(p.Node("Timer1")->type, ObjectKind::Clock);
  EXPECT_NE(p.Node("Timer1")->ControlAs<C_Clock>(), nullptr);
  EXPECT_NE(p.Node("Gif1"), nullptr);
}

TEST(ProjectFile, ProjectsWithoutPagesOrObjectsOpen) {
  TempDir dir;
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(Copy(dir, "no_pages.vrx")));
  EXPECT_TRUE(p.doc.Root()->children.empty());
  EXPECT_EQ(p.doc.Current(), p.doc.Root());
  EXPECT_EQ(p.pageList.log,
            (std::vector<std::string>{"ClearProject", "MoveScreen 100 50 900 650", "ProjectRead"}));
  EXPECT_EQ(p.pageList.Counters().frameCount, 2);

  ASSERT_TRUE(p.doc.OpenDocument(Copy(dir, "empty_page.vrx")));
  ShowNode* page = p.Node("Page1");
  ASSERT_NE(page, nullptr);
  EXPECT_TRUE(page->children.empty());
  EXPECT_EQ(p.doc.Current(), page);
  EXPECT_TRUE(page->frame->ybPlay);
  EXPECT_EQ(page->frame->BgPicture, "背景/夜空.jpg");
}

// Characters outside GB2312 survive: the file is GB18030 bytes under the GB2312 declaration.
TEST(ProjectFile, NoCharacterIsLost) {
  TempDir dir;
  Project p;
  std::string path = Copy(dir, "label_special.vrx");
  ASSERT_TRUE(p.doc.OpenDocument(path));
  EXPECT_EQ(p.Node("Text1")->ControlAs<C_Glasso>()->GetCaption(),
            "价格<10元 & 送礼 \"好\" 'x' > 𠀀😀 &copy; &nbsp;");
  ASSERT_TRUE(p.doc.SaveDocument());
  const std::string bytes = Bytes(path);
  EXPECT_NE(bytes.find("\x95\x32\x82\x36"), std::string::npos); // U+20000
  EXPECT_NE(bytes.find("\x94\x39\xFC\x36"), std::string::npos); // U+1F600
  EXPECT_EQ(bytes.rfind(kHead, 0), 0u);

  // A file declared as UTF-8 is read as UTF-8 and written back as GB18030.
  std::string utf8 = dir / "utf8.vrx";
  std::string text = Wrap("<Label Name=\"Text1\" Type=\"131\">\r\n<Caption>中文</Caption>\r\n"
                          "</Label>\r\n");
  text.replace(text.find("GB2312"), 6, "UTF-8");
  ASSERT_TRUE(WriteFileAtomic(utf8, text));
  Project q;
  ASSERT_TRUE(q.doc.OpenDocument(utf8));
  EXPECT_EQ(q.Node("Text1")->ControlAs<C_Glasso>()->GetCaption(), "中文");
  ASSERT_TRUE(q.doc.SaveDocument());
  EXPECT_NE(Bytes(utf8).find("<Caption>\xD6\xD0\xCE\xC4</Caption>\r\n"), std::string::npos);
}

// A file that is missing, damaged or foreign is reported and the open project stays as it was.
TEST(ProjectFile, AFailedOpenKeepsTheCurrentProject) {
  TempDir dir;
  struct Case {
    const char* what;
    std::string text; // "" = no file at all
  } cases[] = {
      {"missing", ""},
      {"not XML", "hello"},
      {"other XML", std::string(kHead) + "<TaskList/>\r\n"},
      {"broken", std::string(kHead) + "<VRX><Screen></VRX>\r\n"},
      {"no screen", std::string(kHead) + "<VRX/>\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Project p;
    p.pageList.CreateObject(ObjectKind::Clock, {1, 2, 3, 4});
    p.doc.SetPath("/shows/current.vrx");
    p.pageList.log.clear();
    ShowNode* root = p.doc.Root();
    ShowNode* current = p.doc.Current();
    std::string path = dir / (std::string(c.what) + ".vrx");
    if (!c.text.empty()) {
      ASSERT_TRUE(WriteFileAtomic(path, c.text));
    }

    EXPECT_FALSE(p.doc.OpenDocument(path));
    ASSERT_EQ(p.prompts.messages.size(), 1u);
    EXPECT_EQ(p.prompts.messages[0].text, "文件已经损坏或非本系统文件!");
    EXPECT_EQ(p.prompts.messages[0].caption, "System");
    EXPECT_EQ(p.prompts.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(p.pageList.log.empty());
    EXPECT_EQ(p.doc.Root(), root);
    EXPECT_EQ(p.doc.Current(), current);
    EXPECT_EQ(p.doc.Path(), "/shows/current.vrx");
    ASSERT_EQ(p.factory.LiveCount(), 1u);
    EXPECT_TRUE(p.factory.Live()[0]->IsWindowVisible());
  }
}

TEST(ProjectFile, OpenWithDefaultAsksForTheFile) {
  TempDir dir;
  Project p;
  EXPECT_FALSE(p.doc.OpenDocument("default")); // cancelled: nothing changes
  ASSERT_EQ(p.prompts.fileAsks.size(), 1u);
  EXPECT_FALSE(p.prompts.fileAsks[0].save);
  EXPECT_EQ(p.prompts.fileAsks[0].filter, "VRX同步屏播放文件|*.vrx|");
  EXPECT_TRUE(p.pageList.log.empty());
  EXPECT_NE(p.Node("Page1"), nullptr);

  std::string path = Copy(dir, "gif.vrx");
  p.prompts.files.push_back(path);
  EXPECT_TRUE(p.doc.OpenDocument("default"));
  EXPECT_EQ(p.doc.Path(), path);
  EXPECT_NE(p.Node("Gif1"), nullptr);
}

TEST(ProjectFile, SaveAsAsksForANameAndKeepsThePathOnlyWhenWritten) {
  TempDir dir;
  Project p;
  EXPECT_FALSE(p.doc.SaveDocument()); // untitled: asks, and the answer is cancel
  ASSERT_EQ(p.prompts.fileAsks.size(), 1u);
  EXPECT_TRUE(p.prompts.fileAsks[0].save);
  EXPECT_EQ(p.prompts.fileAsks[0].filter, "VRX同步屏播放文件|*.vrx|");
  EXPECT_EQ(p.prompts.fileAsks[0].defaultExt, "vrx");
  EXPECT_TRUE(dir.Files().empty());

  std::string path = dir / "show.vrx";
  p.prompts.files.push_back(path);
  EXPECT_TRUE(p.doc.SaveDocument());
  EXPECT_EQ(p.doc.Path(), path);
  const std::string expected =
      std::string(kHead) +
      "<VRX>\r\n<Screen frameCount=\"1\" proTextCount=\"0\" effectBoxCount=\"0\" "
      "clockCount=\"0\" mPlayerCount=\"0\" flashCount=\"0\" gifCount=\"0\" labelCount=\"0\" "
      "exeCount=\"0\" X=\"0\" Y=\"0\" W=\"1024\" H=\"768\" Name=\"同步屏播放系统\" "
      "Type=\"-1\">\r\n<Frame TTL_Kind=\"0\" seconds=\"5\" ybPlay=\"False\" bg=\"0\" "
      "BgPicture=\"\" Name=\"Page1\" Type=\"-2\"/>\r\n</Screen>\r\n</VRX>\r\n";
  EXPECT_EQ(Bytes(path), Utf8ToGb18030(expected));
  EXPECT_EQ(p.doc.DocText(), expected.substr(std::string(kHead).size()));

  // A name that cannot be written: reported, false, the path stays.
  std::string bad = dir / "no-such-folder/show.vrx";
  p.prompts.files.push_back(bad);
  EXPECT_FALSE(p.doc.SaveDocumentAs());
  EXPECT_EQ(p.doc.Path(), path);
  ASSERT_EQ(p.prompts.messages.size(), 1u);
  EXPECT_EQ(p.prompts.messages[0].text, "文件保存失败：" + bad);
  EXPECT_EQ(p.prompts.messages[0].caption, "同步屏播放系统");
  EXPECT_EQ(p.prompts.messages[0].icon, PromptIcon::Exclamation);
}

TEST(ProjectFile, AFailedSaveIsReportedAndLeavesNoPartialFile) {
  TempDir dir;
  Project p;
  // The target is a folder: the new file cannot replace it.
  std::string target = dir / "folder.vrx";
  fs::create_directory(target);
  p.doc.SetPath(target);
  EXPECT_FALSE(p.doc.SaveDocument());
  EXPECT_EQ(p.doc.Path(), target);
  ASSERT_EQ(p.prompts.messages.size(), 1u);
  EXPECT_EQ(p.prompts.messages[0].text, "文件保存失败：" + target);
  EXPECT_TRUE(fs::is_directory(target));
  EXPECT_EQ(dir.Files(), std::vector<std::string>{"folder.vrx"}); // no temporary file left

  // Saving over an existing file replaces it whole.
  std::string file = dir / "old.vrx";
  ASSERT_TRUE(WriteFileAtomic(file, std::string(100000, 'x')));
  p.doc.SetPath(file);
  EXPECT_TRUE(p.doc.SaveDocument());
  EXPECT_EQ(Bytes(file), Utf8ToGb18030(std::string(kHead) + p.doc.DocText()));
  EXPECT_EQ(dir.Files().size(), 2u);
}

TEST(ProjectFile, NewDocumentStartsOverWithPage1) {
  TempDir dir;
  Project p;
  ASSERT_TRUE(p.doc.OpenDocument(Copy(dir, "all_kinds.vrx")));
  p.pageList.log.clear();
  p.doc.NewDocument();
  EXPECT_EQ(p.pageList.log,
            (std::vector<std::string>{"ClearProject", "NewPage", "AppendPageItem Page1 1"}));
  EXPECT_EQ(p.pageList.Counters(), (NamingCounters{1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(p.factory.LiveCount() == 0);
  EXPECT_EQ(p.doc.Path(), "");
  EXPECT_EQ(p.doc.Current(), p.Node("Page1"));
  EXPECT_EQ(p.doc.Root()->children.size(), 1u);
}

// Numbers are written in the C locale whatever the user's locale.
TEST(ProjectFile, ALocaleWithDecimalCommaDoesNotChangeTheFile) {
  bool active = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    if (std::setlocale(LC_ALL, name)) {
      active = true;
      break;
    }
  if (!active) GTEST_SKIP() << "no locale with a decimal comma installed";
  TempDir dir;
  Project p;
  std::string path = Copy(dir, "clock.vrx");
  ASSERT_TRUE(p.doc.OpenDocument(path));
  ASSERT_TRUE(p.doc.SaveDocument());
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(Bytes(path), Bytes(kFixtures + "clock.expected.vrx"));
}

} // namespace
