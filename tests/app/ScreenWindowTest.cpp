#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/ZyntraScr.h"
#include "controls/Glasso.h"
#include "model/ShowNode.h"
#include "base/VirtualScheduler.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "support/FakeWidgetControls.h"
#include "support/ScriptedPrompts.h"

namespace {

namespace fs = std::filesystem;

class ScreenWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zyntra-scr-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    screen.reset();
    fs::remove_all(dir);
  }
  // Makes and initialises the screen window with fake controls and scripted prompts.
  CZyntraScr& Start() {
    AppServices s;
    s.prompts = &prompts;
    s.scheduler = &scheduler;
    s.settingsPath = (dir / "setup.ini").string();
    s.makeControlFactory = [this](QWidget* parent) {
      auto f = std::make_unique<FakeWidgetControlFactory>(parent);
      factory = f.get();
      return f;
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
    screen->Initialise();
    return *screen;
  }
  CDPlayList& List() { return *screen->PageList(); }
  CZyntraDoc& Doc() { return List().Document(); }
  QStringList TreeTexts() {
    QStringList out;
    for (QTreeWidgetItemIterator it(List().Tree()); *it; ++it)
      out << (*it)->text(0);
    return out;
  }
  int ControlCount() {
    // By dynamic_cast: the fake has no meta-object for findChildren to tell it apart.
    int n = 0;
    for (QWidget* child : screen->findChildren<QWidget*>())
      n += dynamic_cast<FakeWidgetControl*>(child) != nullptr;
    return n;
  }

  fs::path dir;
  ScriptedPrompts prompts;
  VirtualScheduler scheduler;
  FakeWidgetControlFactory* factory = nullptr;
  std::unique_ptr<CZyntraScr> screen;
};

TEST_F(ScreenWindowTest, StartsWithoutSettingsAtTheFixedPlaces) {
  CZyntraScr& s = Start();
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(s.geometry().topLeft(), QPoint(0, 0));
  EXPECT_EQ(s.windowTitle(), QStringLiteral("同步播放系统(Orlume)1.0"));
  EXPECT_EQ(s.ToolBar()->windowTitle(), QStringLiteral("同步屏播放系统"));
  // Outer rectangles, frame included.
  EXPECT_EQ(s.ToolBar()->frameGeometry(), QRect(avail.x(), avail.y(), avail.width() - 8, 70));
  EXPECT_EQ(s.PageList()->frameGeometry(),
            QRect(avail.x(), avail.y() + 70, 170, avail.height() - 8 - 70));
  // Both belong to the screen window, which keeps them above itself.
  EXPECT_EQ(s.ToolBar()->parentWidget(), &s);
  EXPECT_EQ(s.PageList()->parentWidget(), &s);
  EXPECT_EQ(s.PageList()->windowTitle(), QStringLiteral("对象列表"));
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1"}));
  ASSERT_NE(Doc().Current(), nullptr);
  EXPECT_EQ(Doc().Current()->name, "Page1");
  EXPECT_EQ(s.CurrentNode(), Doc().Current());
  EXPECT_FALSE(s.Modified());
}

TEST_F(ScreenWindowTest, PagesAreNamedByACounterThatNeverGoesBack) {
  Start();
  List().NewPage();
  EXPECT_EQ(Doc().Current()->name, "Page2");
  ASSERT_TRUE(List().SelectItemByText("Page1"));
  List().DeleteSelected();
  EXPECT_EQ(Doc().Current(), Doc().Root()); // the current page went: the root is current
  List().NewPage();
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page2", "Page3"}));
  EXPECT_EQ(List().StatusText(), QStringLiteral("帧：Page3 对象：Page3"));
}

TEST_F(ScreenWindowTest, CreateObjectNormalisesAndAppliesMinimumAndDefaults) {
  CZyntraScr& s = Start();
  s.Config().BgColor = 0x123456;
  ASSERT_TRUE(List().CreateObject(131, Rect{100, 80, 95, 75})); // 5 × 5, drawn backwards
  ShowNode* text = Doc().FindNode("Text1", Doc().Root());
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->control->GetWindowRect(), (Rect{95, 75, 145, 125}));
  EXPECT_TRUE(text->control->IsWindowVisible());
  auto* glasso = text->ControlAs<C_Glasso>();
  ASSERT_NE(glasso, nullptr);
  EXPECT_EQ(glasso->GetCaption(), "文字");
  EXPECT_EQ(glasso->GetColor(), 0x00FF00);
  EXPECT_EQ(glasso->GetBgColor(), 0x123456);
  EXPECT_EQ(s.CurrentNode(), text); // created objects are selected
  EXPECT_EQ(s.SelectedWindow(), text->control.get());

  ASSERT_TRUE(List().CreateObject(128, Rect{10, 20, 300, 400}));
  EXPECT_EQ(Doc().FindNode("Program1", Doc().Root())->control->GetWindowRect(),
            (Rect{10, 20, 42, 52}));
  EXPECT_FALSE(Doc().FindNode("Program1", Doc().Root())->control->IsWindowEnabled());

  EXPECT_FALSE(List().CreateObject(127, Rect{0, 0, 10, 10}));
  EXPECT_EQ(prompts.Texts(), "无此控件！");
  EXPECT_EQ(prompts.messages.back().icon, PromptIcon::Information);

  ASSERT_TRUE(List().SelectItemByText("同步播放系统(Orlume)"));
  EXPECT_FALSE(List().CreateObject(123, Rect{0, 0, 10, 10}));
  EXPECT_EQ(prompts.messages.back().text, "没有当前页，不能创建对象！");
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1", "Text1", "Program1"}));
}

TEST_F(ScreenWindowTest, DeletingAPageDestroysOnlyItsControls) {
  CZyntraScr& s = Start();
  s.Config().DelPrompt = true;
  List().CreateObject(123, Rect{0, 0, 60, 60});
  List().NewPage();
  List().CreateObject(122, Rect{0, 0, 60, 60});
  List().CreateObject(122, Rect{70, 0, 130, 60});
  EXPECT_EQ(ControlCount(), 3);

  ASSERT_TRUE(List().SelectItemByText("Page2"));
  prompts.answers.push_back(PromptAnswer::No);
  List().DeleteSelected();
  EXPECT_EQ(ControlCount(), 3);
  EXPECT_EQ(prompts.messages.back().text, "您真的要删除吗?");
  EXPECT_EQ(prompts.messages.back().buttons, PromptButtons::YesNo);

  prompts.answers.push_back(PromptAnswer::Yes);
  List().DeleteSelected();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(ControlCount(), 1);
  EXPECT_NE(Doc().FindNode("Timer1", Doc().Root()), nullptr);
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1", "Timer1"}));
  EXPECT_EQ(s.CurrentNode(), Doc().Root());
}

TEST_F(ScreenWindowTest, MovingItemsChangesThePlayOrder) {
  Start();
  List().NewPage();
  List().NewPage();
  ASSERT_TRUE(List().SelectItemByText("Page1"));
  List().MoveItem(true); // first page up: nothing
  auto order = [&] {
    std::string names;
    for (auto& p : Doc().Root()->children)
      names += p->name + " ";
    return names;
  };
  EXPECT_EQ(order(), "Page1 Page2 Page3 ");
  List().MoveItem(false);
  EXPECT_EQ(order(), "Page2 Page1 Page3 ");
  EXPECT_EQ(List().Tree()->selectedItems().at(0)->text(0), QStringLiteral("Page1"));
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScreenWindowTest, SelectingAnObjectOfAnotherPageLeavesTheSelection) {
  CZyntraScr& s = Start();
  List().CreateObject(131, Rect{0, 0, 60, 60});
  List().NewPage();
  ShowNode* page2 = Doc().Current();
  ASSERT_TRUE(List().SelectItemByText("Text1"));
  EXPECT_EQ(Doc().Current(), page2);
  EXPECT_EQ(s.SelectedWindow(), nullptr);
  EXPECT_EQ(List().StatusText(), QStringLiteral("帧：Page2 对象：Text1"));
}

TEST_F(ScreenWindowTest, ArrangeAndTheSharedFullScreenRectangle) {
  CZyntraScr& s = Start();
  s.resize(400, 300);
  List().CreateObject(131, Rect{10, 10, 60, 40});
  List().CreateObject(131, Rect{100, 100, 180, 150});
  ShowNode* textA = Doc().FindNode("Text1", Doc().Root());
  ShowNode* textB = Doc().FindNode("Text2", Doc().Root());
  CControlWrapper* a = textA->control.get();
  CControlWrapper* b = textB->control.get();
  s.ClearSelection();
  s.ArrangeObject(101); // nothing selected: nothing happens
  EXPECT_EQ(b->GetWindowRect(), (Rect{100, 100, 180, 150}));
  s.SelectObject(textA);
  s.ArrangeObject(102);
  EXPECT_EQ(a->GetWindowRect(), (Rect{350, 10, 400, 60}));
  s.ArrangeObject(101);
  EXPECT_EQ(a->GetWindowRect(), (Rect{175, 125, 225, 175}));
  s.SurfaceCommand(176); // full screen on A
  EXPECT_EQ(a->GetWindowRect(), (Rect{0, 0, 400, 300}));
  s.ClearSelection();
  s.SelectObject(textB);
  s.ArrangeObject(36); // B gets the rectangle A had
  EXPECT_EQ(b->GetWindowRect(), (Rect{175, 125, 225, 175}));
}

TEST_F(ScreenWindowTest, LeavingAsksToSaveAndCancelKeepsRunning) {
  CZyntraScr& s = Start();
  List().NewPage();
  prompts.answers.push_back(PromptAnswer::Cancel);
  EXPECT_FALSE(s.ExitSystem());
  EXPECT_EQ(prompts.messages.back().text, "文件已经修改，是否保存文件?");
  EXPECT_EQ(prompts.messages.back().caption, "同步播放系统(Orlume)");
  EXPECT_FALSE(s.Leaving());

  // Yes on an untitled project asks for a name; cancelling that keeps the work.
  prompts.answers.push_back(PromptAnswer::Yes);
  EXPECT_FALSE(s.ExitSystem());
  EXPECT_EQ(prompts.fileAsks.back().filter, "VRX同步屏播放文件|*.vrx|");

  prompts.answers.push_back(PromptAnswer::Yes);
  prompts.files.push_back((dir / "show.vrx").string());
  EXPECT_TRUE(s.ExitSystem());
  EXPECT_TRUE(fs::exists(dir / "show.vrx"));
  s.Shutdown();
  EXPECT_TRUE(fs::exists(dir / "setup.ini"));
  EXPECT_EQ(s.PageList(), nullptr);
}

TEST_F(ScreenWindowTest, EscapeAndCloseRequestsDoNotEndTheRun) {
  CZyntraScr& s = Start();
  QTest::keyClick(&s, Qt::Key_Escape);
  QCloseEvent close;
  QCoreApplication::sendEvent(&s, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_FALSE(s.Leaving());
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScreenWindowTest, AutoPlayOpensOnlyALowerCaseVrxName) {
  {
    Start();
    List().CreateObject(131, Rect{0, 0, 60, 60});
    prompts.files.push_back((dir / "auto.vrx").string());
    ASSERT_TRUE(List().SaveProjectAs());
    screen.reset();
  }
  for (auto [name, opened] : {std::pair{"auto.VRX", false}, std::pair{"auto.vrx", true}}) {
    if (std::string(name) != "auto.vrx")
      fs::copy_file(dir / "auto.vrx", dir / name, fs::copy_options::overwrite_existing);
    std::string ini = "[Para]\r\nAutoPlay=1\r\nLFile=" + (dir / name).string() + "\r\n";
    FILE* f = fopen((dir / "setup.ini").c_str(), "wb");
    fwrite(ini.data(), 1, ini.size(), f);
    fclose(f);
    Start();
    EXPECT_EQ(Doc().FindNode("Text1", Doc().Root()) != nullptr, opened) << name;
    screen.reset();
  }
}

} // namespace

namespace {

TEST_F(ScreenWindowTest, NewAndOpenAskBeforeDiscardingChanges) {
  CZyntraScr& s = Start();
  List().CreateObject(131, Rect{0, 0, 60, 60});
  ASSERT_TRUE(s.Modified());

  // Yes, then the save chooser is cancelled: nothing is discarded.
  prompts.answers = {PromptAnswer::Yes};
  EXPECT_FALSE(List().NewProject());
  EXPECT_EQ(prompts.messages.back().text, "是否保存对文件的修改?");
  EXPECT_EQ(prompts.messages.back().buttons, PromptButtons::YesNoCancel);
  EXPECT_NE(Doc().FindNode("Text1", Doc().Root()), nullptr);
  EXPECT_TRUE(s.Modified());

  // Open asks the same question; Cancel keeps everything and shows no chooser.
  const size_t choosers = prompts.fileAsks.size();
  prompts.answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(List().OpenProject());
  EXPECT_EQ(prompts.messages.back().text, "是否保存对文件的修改?");
  EXPECT_EQ(prompts.fileAsks.size(), choosers);
  EXPECT_NE(Doc().FindNode("Text1", Doc().Root()), nullptr);

  // Yes with a path saves first, then opens the chosen project.
  const std::string first = (dir / "first.vrx").string();
  prompts.answers = {PromptAnswer::Yes};
  prompts.files = {first, std::nullopt}; // save as, then the open chooser is cancelled
  EXPECT_FALSE(List().OpenProject());
  EXPECT_TRUE(fs::exists(first));
  EXPECT_FALSE(s.Modified()); // the save cleared it
  EXPECT_EQ(Doc().Path(), first);

  // No discards: New makes Page1 of an empty project.
  List().NewPage();
  prompts.answers = {PromptAnswer::No};
  EXPECT_TRUE(List().NewProject());
  EXPECT_EQ(Doc().FindNode("Text1", Doc().Root()), nullptr);
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1"}));
  EXPECT_FALSE(s.Modified());
}

} // namespace

namespace {

TEST_F(ScreenWindowTest, PlayAndStopCommandsReachPlayback) {
  CZyntraScr& s = Start();
  s.show();
  List().CreateObject(131, Rect{0, 0, 60, 60});
  s.ToolBar()->OnButtonCommand(151); // 播放
  EXPECT_TRUE(s.Playing());
  EXPECT_FALSE(s.ToolBar()->isVisible());
  EXPECT_FALSE(List().isVisible());
  EXPECT_EQ(s.SelectedWindow(), nullptr);
  scheduler.advance(1000);
  List().OnCommand(4107);
  EXPECT_FALSE(s.Playing());
  EXPECT_TRUE(s.ToolBar()->isVisible());
  EXPECT_TRUE(List().isVisible());

  s.SurfaceCommand(111); // test the current page
  EXPECT_TRUE(s.Playing());
  s.SurfaceCommand(119);
  EXPECT_FALSE(s.Playing());
}

} // namespace
