// Files from anywhere: huge, binary, deeply nested, with enormous values or absurd rectangles.
// Each gives the program's message or opens as far as it is a project; none crashes, and a
// refused file leaves the open project as it was.

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "settings/IniFile.h"
#include "controls/DoExe.h"
#include "controls/Glasso.h"
#include "controls/RtfReader.h"
#include "controls/SplitArguments.h"
#include "base/AtomicFile.h"
#include "model/Markup.h"
#include "base/TextCodec.h"
#include "schedule/TaskListFile.h"
#include "support/TestProject.h"
#include "support/TempDir.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kDamaged = "文件已经损坏或非本系统文件!";
constexpr const char* kHeader =
    "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n";

std::string Write(const std::string& path, const std::string& bytes) {
  EXPECT_TRUE(WriteFileAtomic(path, bytes));
  return path;
}

// Bytes no text editor made: every value 0-255, NULs and '<' included, from a fixed seed.
std::string BinaryBytes(size_t size, uint64_t seed) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) {
    seed ^= seed << 13;
    seed ^= seed >> 7;
    seed ^= seed << 17;
    bytes[i] = static_cast<char>(seed >> 32);
  }
  return bytes;
}

// A project with one page: `inside` goes into the page element.
std::string Project(const std::string& inside, const std::string& pageAttributes = "") {
  return std::string(kHeader) +
         "<VRX>\r\n<Screen frameCount=\"1\" X=\"0\" Y=\"0\" W=\"800\" H=\"600\">\r\n"
         "<Frame TTL_Kind=\"1\" seconds=\"5\"" +
         pageAttributes + " Name=\"Page1\" Type=\"-2\">\r\n" + inside +
         "</Frame>\r\n</Screen>\r\n</VRX>\r\n";
}

std::string Object(const std::string& element, const std::string& name, const std::string& body,
                   const std::string& x = "1", const std::string& y = "2",
                   const std::string& w = "30", const std::string& h = "40") {
  return "<" + element + " Name=\"" + name + "\">\r\n" + body + "<X>" + x + "</X>\r\n<Y>" + y +
         "</Y>\r\n<W>" + w + "</W>\r\n<H>" + h + "</H>\r\n</" + element + ">\r\n";
}

std::string Repeat(const std::string& text, size_t times) {
  std::string out;
  out.reserve(text.size() * times);
  for (size_t i = 0; i < times; ++i)
    out += text;
  return out;
}

} // namespace

// Files that are no project: one message, and nothing of the open project changes.
TEST(HostileInput, FilesThatAreNoProjectAreReportedAndChangeNothing) {
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"binary renamed .vrx", BinaryBytes(256 * 1024, 0x9E3779B97F4A7C15ull)},
      {"executable renamed .vrx", std::string("\x7F"
                                              "ELF\x02\x01\x01\0\0\0\0\0\0\0\0\0",
                                              16) +
                                      BinaryBytes(4096, 7)},
      {"empty", ""},
      {"UTF-16 project", std::string("\xFF\xFE<\0V\0R\0X\0>\0<\0/\0V\0R\0X\0>\0", 22)},
      {"100,000 nested elements never closed",
       std::string(kHeader) + "<VRX><Screen>" + Repeat("<Frame>", 100000)},
      {"unclosed attribute value",
       std::string(kHeader) + "<VRX><Screen Name=\"" + std::string(1 << 20, 'x')},
      {"no screen element", std::string(kHeader) + "<VRX><Frame/></VRX>"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    TestProject p;
    p.Object(ObjectKind::Label, Rect{1, 2, 3, 4});
    p.doc.SetPath(dir / "current.vrx");
    const std::string before = p.doc.DocText();
    p.pageList.log.clear();

    EXPECT_FALSE(p.doc.OpenDocument(Write(dir / "hostile.vrx", c.bytes)));
    ASSERT_EQ(p.prompts.messages.size(), 1u);
    EXPECT_EQ(p.prompts.messages[0].text, kDamaged);
    EXPECT_EQ(p.prompts.messages[0].caption, "System");
    EXPECT_EQ(p.prompts.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_TRUE(p.pageList.log.empty());
    EXPECT_EQ(p.doc.Path(), dir / "current.vrx");
    EXPECT_EQ(p.factory.LiveCount(), 1u);
    EXPECT_NE(p.Node("Text1"), nullptr);
    EXPECT_EQ(p.doc.DocText(), before);
  }
}

// Files up to 256 MiB are read as projects and task lists; one byte more and they are refused
// at once, without being read. The files are sparse: the project text, then zero bytes up to
// the size, which the navigator ignores after the top element.
TEST(HostileInput, TwoHundredFiftySixMebibytesIsTheLargestFileRead) {
  constexpr off_t kLimit = off_t{256} << 20;
  TempDir dir;
  const std::string project = Project(Object("Label", "Text1", ""));
  const std::string list = std::string(kHeader) + "<VORN><TASKS><Item/></TASKS></VORN>";
  auto sparse = [&](const std::string& name, const std::string& text, off_t size) {
    const std::string path = Write(dir / name, text);
    EXPECT_EQ(truncate(path.c_str(), size), 0);
    return path;
  };
  for (off_t size : {kLimit, kLimit + 1, off_t{1} << 40}) {
    SCOPED_TRACE(size);
    const bool fits = size == kLimit;
    TestProject p;
    EXPECT_EQ(p.doc.OpenDocument(sparse("padded.vrx", project, size)), fits);
    EXPECT_EQ(p.prompts.Texts(), fits ? "" : kDamaged);
    EXPECT_EQ(p.Node("Text1") != nullptr, fits);
    fs::remove(dir / "padded.vrx");

    std::vector<TaskItem> tasks;
    const std::string path = sparse("padded.tak", list, size);
    std::string error;
    EXPECT_EQ(LoadTaskList(path, tasks, &error), fits);
    EXPECT_EQ(tasks.size(), fits ? 1u : 0u);
    EXPECT_EQ(error, fits ? "" : path + ": larger than 268435456 bytes");
    fs::remove(path);
  }
}

// What is no regular file is refused at once with the message: a device that never ends, a
// FIFO nobody writes to (which would wait forever), a folder and a socket. Settings, RTF and
// text files read nothing from them either.
TEST(HostileInput, DevicesFifosFoldersAndSocketsAreRefusedAtOnce) {
  TempDir dir;
  const std::string fifo = dir / "pipe.vrx";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir / "folder.vrx";
  fs::create_directory(folder);
  const std::string socketPath = dir / "socket.vrx";
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketPath.c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  for (const std::string& path :
       {std::string("/dev/zero"), std::string("/dev/urandom"), fifo, folder, socketPath}) {
    SCOPED_TRACE(path);
    TestProject p;
    EXPECT_FALSE(p.doc.OpenDocument(path));
    EXPECT_EQ(p.prompts.Texts(), kDamaged);
    EXPECT_NE(p.Node("Page1"), nullptr);

    std::vector<TaskItem> tasks;
    EXPECT_FALSE(LoadTaskList(path, tasks));

    std::string bytes;
    std::string error;
    EXPECT_FALSE(ReadFileBytes(path, bytes, &error));
    EXPECT_TRUE(bytes.empty());
    if (path != socketPath) {
      EXPECT_EQ(error, path + ": not a regular file");
    }

    CIniFile ini(path);
    EXPECT_FALSE(ini.ReadFile());
    EXPECT_EQ(ini.GetValue("App", "WndTitle"), "");

    RtfDocument doc;
    EXPECT_FALSE(RtfReader::ReadFile(path, &doc));
  }
  close(sock);
}

// A correct project of 20 MB, its size in long captions, opens and saves byte for byte.
TEST(HostileInput, TwentyMegabyteProjectOpensAndSavesUnchanged) {
  TempDir dir;
  const std::string caption = Repeat("同步屏播放系统 LED ", 1100000); // 21 MB in GB18030
  TestProject writer;
  writer.Object(ObjectKind::Label, Rect{0, 0, 100, 50});
  writer.Node("Text1")->ControlAs<C_Glasso>()->SetCaption(caption);
  const std::string path = dir / "big.vrx";
  ASSERT_TRUE(writer.doc.SaveTo(path));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(path, bytes));
  ASSERT_GT(bytes.size(), 20000000u);

  TestProject p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  EXPECT_TRUE(p.prompts.messages.empty());
  EXPECT_EQ(p.Node("Text1")->ControlAs<C_Glasso>()->GetCaption(), caption);
  ASSERT_TRUE(p.doc.SaveTo(dir / "again.vrx"));
  std::string again;
  ASSERT_TRUE(ReadFileBytes(dir / "again.vrx", again));
  EXPECT_TRUE(again == bytes);
}

// Files from Windows PCs and text editors: bytes of code page 936 that are no GB18030 open
// and are saved back byte for byte, in projects and task lists; a file an editor saved as UTF-8
// with a byte order mark, under the old GB2312 declaration, reads as UTF-8.
TEST(HostileInput, WindowsAndEditorBytesSurviveOpenAndSave) {
  TempDir dir;
  std::string fixture;
  ASSERT_TRUE(ReadFileBytes(std::string(ZYNTRA_TEST_DATA) + "/model/label.expected.vrx", fixture));
  const std::string caption = "<Caption>\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9</Caption>";
  ASSERT_NE(fixture.find(caption), std::string::npos);
  const char* const captions[] = {
      "<Caption>\x80"
      "100 \xFF\xCD\r\n\x81\x7F\xB0</Caption>",          // euro, 0xFF, lone lead bytes
      "<Caption>\xB0&lt;\x83\x39\xD8\x38\xCD</Caption>", // private-use code, lead at end
  };
  for (const char* replaced : captions) {
    SCOPED_TRACE(replaced);
    std::string bytes = fixture;
    bytes.replace(bytes.find(caption), caption.size(), replaced);
    TestProject p;
    ASSERT_TRUE(p.doc.OpenDocument(Write(dir / "windows.vrx", bytes)));
    EXPECT_TRUE(p.prompts.messages.empty());
    ASSERT_TRUE(p.doc.SaveTo(dir / "saved.vrx"));
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(dir / "saved.vrx", saved));
    EXPECT_TRUE(saved == bytes);
  }
  {
    TestProject p;
    std::string bytes = fixture;
    bytes.replace(bytes.find(caption), caption.size(), "<Caption>\x80\xFF</Caption>");
    ASSERT_TRUE(p.doc.OpenDocument(Write(dir / "euro.vrx", bytes)));
    EXPECT_EQ(VisibleText(p.Node("Text1")->ControlAs<C_Glasso>()->GetCaption()), "€\xEF\xBF\xBD");
  }
  {
    const std::string list = std::string(kHeader) +
                             "<VORN>\r\n<TASKS>\r\n<Item>\r\n<PStyle>0</PStyle>\r\n"
                             "<FileName>C:\\\x80\xFF\xCD.vrx</FileName>\r\n</Item>\r\n"
                             "</TASKS>\r\n</VORN>\r\n";
    std::vector<TaskItem> tasks;
    ASSERT_TRUE(LoadTaskList(Write(dir / "windows.tak", list), tasks));
    ASSERT_EQ(tasks.size(), 1u);
    EXPECT_EQ(VisibleText(tasks[0].FileName), "C:\\€\xEF\xBF\xBD\xEF\xBF\xBD.vrx");
    ASSERT_TRUE(SaveTaskList(dir / "saved.tak", tasks));
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(dir / "saved.tak", saved));
    EXPECT_NE(saved.find("<FileName>C:\\\x80\xFF\xCD.vrx</FileName>"), std::string::npos);
  }
  {
    // The editor kept the declaration and wrote UTF-8 with its mark.
    const std::string utf8 =
        "\xEF\xBB\xBF" + Project(Object("Label", "Text1", "<Caption>欢迎光临</Caption>\r\n"));
    TestProject p;
    ASSERT_TRUE(p.doc.OpenDocument(Write(dir / "edited.vrx", utf8)));
    EXPECT_EQ(p.Node("Text1")->ControlAs<C_Glasso>()->GetCaption(), "欢迎光临");
    ASSERT_TRUE(p.doc.SaveTo(dir / "saved.vrx"));
    std::string saved;
    ASSERT_TRUE(ReadFileBytes(dir / "saved.vrx", saved));
    EXPECT_NE(saved.find("<Caption>\xBB\xB6\xD3\xAD\xB9\xE2\xC1\xD9</Caption>"), std::string::npos);
  }
}

// Pages nested 100,000 deep each become a page of the screen; objects nested in objects build
// only the outer object; 100,000 objects on a page come and go in linear time.
TEST(HostileInput, HundredThousandNestedElementsOpen) {
  constexpr int kDepth = 100000;
  TempDir dir;
  {
    std::string text = std::string(kHeader) + "<VRX><Screen W=\"800\" H=\"600\">";
    for (int i = 0; i < kDepth; ++i)
      text += "<Frame Name=\"P" + std::to_string(i) + "\">";
    text += Object("Label", "Deep", "");
    for (int i = 0; i < kDepth; ++i)
      text += "</Frame>";
    text += "</Screen></VRX>";
    TestProject p;
    ASSERT_TRUE(p.doc.OpenDocument(Write(dir / "pages.vrx", text)));
    EXPECT_TRUE(p.prompts.messages.empty());
    ASSERT_EQ(p.doc.Root()->children.size(), static_cast<size_t>(kDepth));
    EXPECT_EQ(p.doc.Root()->children.back()->name, "P99999");
    ASSERT_EQ(p.doc.Root()->children.back()->children.size(), 1u);
    EXPECT_EQ(p.doc.Root()->children.back()->children[0]->name, "Deep");
    EXPECT_EQ(p.pageList.log.back(), "ShowPage P99999");
  }
  {
    const std::string nested =
        Repeat("<Label Name=\"inner\">", kDepth) + Repeat("</Label>", kDepth);
    TestProject p;
    ASSERT_TRUE(p.doc.OpenDocument(
        Write(dir / "objects.vrx", Project(Object("Label", "Outer", nested + "\r\n")))));
    ASSERT_EQ(p.factory.LiveCount(), 1u);
    EXPECT_NE(p.Node("Outer"), nullptr);
  }
  {
    // A page of 100,000 objects side by side opens, and goes again when the next file opens.
    TestProject p;
    ASSERT_TRUE(p.doc.OpenDocument(
        Write(dir / "wide.vrx", Project(Repeat("<Label Name=\"t\"/>\r\n", kDepth)))));
    EXPECT_EQ(p.factory.LiveCount(), static_cast<size_t>(kDepth));
    ASSERT_TRUE(p.doc.OpenDocument(Write(dir / "small.vrx", Project(""))));
    EXPECT_EQ(p.factory.LiveCount(), 0u);
    EXPECT_EQ(p.factory.destroyed.size(), static_cast<size_t>(kDepth));
  }
  {
    // The navigator goes all the way in and out again.
    CMarkup m;
    m.SetDocument(Repeat("<a>", kDepth) + "<b>text</b>" + Repeat("</a>", kDepth));
    ASSERT_TRUE(m.FindElement("a"));
    int depth = 0;
    while (m.IntoElement())
      ++depth;
    EXPECT_EQ(depth, kDepth);
    EXPECT_EQ(m.GetTagName(), "b");
    while (m.OutOfElement())
      --depth;
    EXPECT_EQ(depth, 0);
    EXPECT_EQ(m.GetTagName(), "a");
  }
  {
    std::vector<TaskItem> tasks;
    const std::string list = std::string(kHeader) + "<VORN><TASKS>" + Repeat("<Item>", kDepth) +
                             "<PStyle>2</PStyle>" + Repeat("</Item>", kDepth) + "</TASKS></VORN>";
    ASSERT_TRUE(ParseTaskList(list, tasks));
    EXPECT_EQ(tasks.size(), 1u);
  }
  {
    const RtfDocument doc =
        RtfReader::Read("{\\rtf1 " + Repeat("{\\b ", kDepth) + "x" + Repeat("}", kDepth) + "}");
    EXPECT_EQ(doc.PlainText(), "x");
  }
}

// Values of a megabyte read whole, entities decoded, and survive saving.
TEST(HostileInput, MegabyteAttributeValuesReadWholeAndSurviveSaving) {
  TempDir dir;
  const std::string name(1 << 20, 'N');
  const std::string picture = Repeat("图&amp;&lt;", (1 << 20) / 12);
  const std::string decoded = Repeat("图&<", (1 << 20) / 12);
  const std::string text =
      std::string(kHeader) + "<VRX><Screen W=\"800\" H=\"600\" Name=\"" + name +
      "\"><Frame TTL_Kind=\"1\" BgPicture=\"" + picture + "\" Name=\"" + name + "\">" +
      Object("Label", name, "<Caption>" + picture + "</Caption>") + "</Frame></Screen></VRX>";
  const std::string path = Write(dir / "big.vrx", Utf8ToGb18030(text));

  TestProject p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  const ShowNode& page = *p.doc.Root()->children.at(0);
  EXPECT_EQ(page.name, name);
  EXPECT_EQ(page.frame->BgPicture, decoded);
  ASSERT_EQ(page.children.size(), 1u);
  EXPECT_EQ(page.children[0]->name, name);
  EXPECT_EQ(page.children[0]->ControlAs<C_Glasso>()->GetCaption(), decoded);

  ASSERT_TRUE(p.doc.SaveDocument());
  TestProject again;
  ASSERT_TRUE(again.doc.OpenDocument(path));
  const ShowNode& page2 = *again.doc.Root()->children.at(0);
  EXPECT_EQ(page2.frame->BgPicture, decoded);
  EXPECT_EQ(page2.children.at(0)->name, name);
  EXPECT_EQ(page2.children.at(0)->ControlAs<C_Glasso>()->GetCaption(), decoded);

  // A settings line of a megabyte.
  CIniFile ini(Write(dir / "setup.ini", "[App]\r\nWndTitle=" + name + "\r\n"));
  ASSERT_TRUE(ini.ReadFile());
  EXPECT_EQ(ini.GetValue("App", "WndTitle"), name);
}

// Rectangles at and beyond the ends of the integers are kept within what a window can be, and
// saving gives the rectangles read; negative sizes stay as the file has them.
TEST(HostileInput, HugeAndNegativeRectanglesOpenWithinWindowLimits) {
  constexpr int32_t kMax = 1 << 24;
  struct Case {
    const char *x, *y, *w, *h;
    Rect expected;
  };
  const Case cases[] = {
      {"2147483647", "2147483647", "2147483647", "2147483647", {kMax, kMax, 2 * kMax, 2 * kMax}},
      {"-2147483648",
       "-2147483648",
       "-2147483648",
       "-2147483648",
       {-kMax, -kMax, -2 * kMax, -2 * kMax}},
      {"-2147483648", "2147483647", "2147483647", "-2147483648", {-kMax, kMax, 0, 0}},
      // atoi keeps the low 32 bits: 1215752191 and -1215752191.
      {"99999999999", "-99999999999", "1", "1", {kMax, -kMax, kMax + 1, -kMax + 1}},
      {"-50", "-60", "-10", "-20", {-50, -60, -60, -80}},
      {"16777216", "-16777216", "16777217", "-16777217", {kMax, -kMax, 2 * kMax, -2 * kMax}},
      {"10", "20", "0", "0", {10, 20, 10, 20}},
  };
  TempDir dir;
  std::string objects;
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    objects += Object("Label", "Text" + std::to_string(i + 1), "", c.x, c.y, c.w, c.h);
  }
  const std::string path = Write(
      dir / "rects.vrx", std::string(kHeader) +
                             "<VRX><Screen X=\"2147483647\" Y=\"-2147483648\" W=\"2147483647\" "
                             "H=\"-1\"><Frame TTL_Kind=\"1\" Name=\"Page1\">" +
                             objects + "</Frame></Screen></VRX>");
  TestProject p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  EXPECT_EQ(p.pageList.screen, (Rect{kMax, -kMax, 2 * kMax, -kMax - 1}));
  ASSERT_EQ(p.factory.creations.size(), std::size(cases));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(p.factory.creations[i].rect, cases[i].expected) << i;

  ASSERT_TRUE(p.doc.SaveDocument());
  TestProject again;
  ASSERT_TRUE(again.doc.OpenDocument(path));
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(again.factory.creations[i].rect, cases[i].expected) << i;
  EXPECT_EQ(again.pageList.screen, p.pageList.screen);
}

// Parameters of a program item are text: separators, substitutions, backticks and quotes come
// back exactly as stored and split into literal words; no shell ever sees them.
TEST(HostileInput, ProgramParametersStayLiteral) {
  const std::string para =
      "a; rm -rf ~ $(touch /tmp/x) `id` \"q u\" 'r s' \\\" & | > <in &amp; $HOME";
  std::string escaped;
  for (char c : para) {
    switch (c) {
    case '&': escaped += "&amp;"; break;
    case '<': escaped += "&lt;"; break;
    case '>': escaped += "&gt;"; break;
    default: escaped += c;
    }
  }
  TempDir dir;
  const std::string path =
      Write(dir / "exe.vrx", Project(Object("Exe", "Program1",
                                            "<Item>\r\n<Name>/bin/echo</Name>\r\n<Para>" + escaped +
                                                "</Para>\r\n</Item>\r\n")));
  TestProject p;
  ASSERT_TRUE(p.doc.OpenDocument(path));
  const C_DoExe* exe = p.Node("Program1")->ControlAs<C_DoExe>();
  ASSERT_NE(exe, nullptr);
  ASSERT_EQ(exe->GetCount(), 1);
  EXPECT_EQ(exe->GetPara(0), para);
  EXPECT_EQ(SplitArguments(exe->GetPara(0)),
            (std::vector<std::string>{"a;", "rm", "-rf", "~", "$(touch", "/tmp/x)", "`id`", "q u",
                                      "r s", "\"", "&", "|", ">", "<in", "&amp;", "$HOME"}));

  ASSERT_TRUE(p.doc.SaveDocument());
  TestProject again;
  ASSERT_TRUE(again.doc.OpenDocument(path));
  EXPECT_EQ(again.Node("Program1")->ControlAs<C_DoExe>()->GetPara(0), para);
}
