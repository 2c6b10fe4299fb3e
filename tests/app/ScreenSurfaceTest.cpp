#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "app/PropertyWindow.h"
#include "model/ShowNode.h"
#include "base/VirtualScheduler.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "playlist/Playback.h"
#include "support/FakeWidgetControls.h"
#include "support/ScriptedPrompts.h"

namespace {

namespace fs = std::filesystem;

/// A property window of one kind, standing in for the real dialogs: it records what it shows
/// and has a text field.
class TestPropertyWindow : public QDialog, public PropertyWindow {
public:
  explicit TestPropertyWindow(QWidget* parent) : QDialog(parent, Qt::Tool) {
    field = new QLineEdit(this);
    resize(120, 60);
  }
  void SetObject(ShowNode* node) override {
    shown = node;
    ++loads;
  }
  QLineEdit* field;
  ShowNode* shown = nullptr;
  int loads = 0;
};

class ScreenSurfaceTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zyntra-surface-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    screen.reset();
    fs::remove_all(dir);
  }
  // The screen window at 100, 50 (640 × 480), shown, with fake controls, scripted prompts,
  // virtual time and a property window of the text kind only.
  CZyntraScr& Start() {
    AppServices s;
    s.prompts = &prompts;
    s.scheduler = &scheduler;
    s.settingsPath = (dir / "setup.ini").string();
    s.makeControlFactory = [](QWidget* parent) {
      return std::make_unique<FakeWidgetControlFactory>(parent);
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
    screen->SetPropertyWindowFactory([](int code, CZyntraScr& owner) -> QWidget* {
      return code == 131 ? new TestPropertyWindow(&owner) : nullptr;
    });
    screen->Initialise();
    screen->MoveToDesktopRect(Rect{100, 50, 740, 530});
    screen->show();
    QCoreApplication::processEvents();
    return *screen;
  }
  CDPlayList& List() { return *screen->PageList(); }
  CZyntraDoc& Doc() { return List().Document(); }
  ShowNode* Node(const std::string& name) { return Doc().FindNode(name, Doc().Root()); }
  Rect RectOf(const std::string& name) { return Node(name)->control->GetWindowRect(); }
  QWidget* WidgetOf(const std::string& name) {
    // By dynamic_cast: the fake has no meta-object, so findChildren<Fake*> would match any
    // child widget (the tool windows are children of the screen window).
    for (QWidget* child : screen->findChildren<QWidget*>()) {
      auto* w = dynamic_cast<FakeWidgetControl*>(child);
      if (w && w->GetWindowRect() == RectOf(name)) return w;
    }
    return nullptr;
  }
  ShowNode* Make(int32_t kind, Rect r) {
    EXPECT_TRUE(List().CreateObject(kind, r));
    return Node(List().Tree()->selectedItems().at(0)->text(0).toStdString());
  }
  QString Selected() {
    auto items = List().Tree()->selectedItems();
    return items.isEmpty() ? QString() : items.at(0)->text(0);
  }
  QString Status() { return List().StatusText(); }
  QPoint WindowPos() { return screen->geometry().topLeft(); }

  // The mouse as the window system delivers it: to the widget holding the mouse, else to the
  // widget under the point (an object window or the surface).
  void Mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton) {
    const QPoint client(x, y);
    QWidget* target = QWidget::mouseGrabber();
    if (!target) target = screen->childAt(client);
    if (!target) target = screen.get();
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) buttons |= button;
    if (type == QEvent::MouseButtonRelease) buttons &= ~button;
    QMouseEvent e(type, QPointF(target->mapFrom(screen.get(), client)),
                  QPointF(screen->mapToGlobal(client)),
                  type == QEvent::MouseMove ? Qt::NoButton : button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &e);
  }
  void Press(int x, int y) { Mouse(QEvent::MouseButtonPress, x, y); }
  void Move(int x, int y) { Mouse(QEvent::MouseMove, x, y); }
  void Release(int x, int y) { Mouse(QEvent::MouseButtonRelease, x, y); }
  void Click(int x, int y) {
    Press(x, y);
    Release(x, y);
    Move(x, y);
  }
  void Drag(int x0, int y0, int x1, int y1) {
    Press(x0, y0);
    Move((x0 + x1) / 2, (y0 + y1) / 2);
    Move(x1, y1);
    Release(x1, y1);
    Move(x1, y1);
  }
  void DoubleClick(int x, int y) {
    Press(x, y);
    Release(x, y);
    Mouse(QEvent::MouseButtonDblClick, x, y);
    Release(x, y);
  }
  // Right-clicks and chooses the item carrying `command` in the menu that opens (0: closes
  // it). Returns the menu's items as "text|command" with "-" for separators; empty when no
  // menu opened.
  QStringList RightClick(int x, int y, int command) {
    QStringList items;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) {
        // Never leave a menu open that the test did not see as the active popup.
        for (QWidget* w : QApplication::topLevelWidgets()) {
          if (qobject_cast<QMenu*>(w) && w->isVisible()) w->close();
        }
        return;
      }
      for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-")
                                   : a->text() + "|" + QString::number(a->data().toInt()));
      for (QAction* a : menu->actions()) {
        if (!a->isSeparator() && a->data().toInt() == command) menu->setActiveAction(a);
      }
      if (command) {
        QTest::keyClick(menu, Qt::Key_Return);
      } else {
        menu->close();
      }
    });
    Mouse(QEvent::MouseButtonPress, x, y, Qt::RightButton);
    Mouse(QEvent::MouseButtonRelease, x, y, Qt::RightButton);
    QCoreApplication::processEvents(); // the check runs even when no menu was shown
    return items;
  }

  fs::path dir;
  ScriptedPrompts prompts;
  VirtualScheduler scheduler;
  std::unique_ptr<CZyntraScr> screen;
  Qt::MouseButtons buttons;
};

QStringList Items(QMenu* menu) {
  QStringList items;
  for (QAction* a : menu->actions())
    items << (a->isSeparator() ? QStringLiteral("-")
                               : a->text() + "|" + QString::number(a->data().toInt()));
  delete menu;
  return items;
}

TEST_F(ScreenSurfaceTest, DrawingWithAToolCreatesTheObjectAndPressesSelectAgain) {
  CZyntraScr& s = Start();
  s.ToolBar()->ActionFor(141)->trigger(); // "图片"
  EXPECT_TRUE(s.InsertMode());
  EXPECT_EQ(s.ToolBar()->CheckedTool(), 141);

  // Drawn from bottom-right to top-left.
  Press(300, 250);
  EXPECT_EQ(s.cursor().shape(), Qt::CrossCursor);
  Move(250, 220);
  Move(200, 180);
  scheduler.advance(1);
  EXPECT_EQ(Status(), QStringLiteral("宽度:100 高度:70"));
  Release(200, 180);
  EXPECT_TRUE(s.Drawing());
  EXPECT_EQ(Node("Image1"), nullptr); // made at the next movement
  Move(205, 185);
  ShowNode* image = Node("Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->type, ObjectKind::Picture);
  EXPECT_EQ(RectOf("Image1"), (Rect{200, 180, 300, 250}));
  EXPECT_EQ(s.CurrentNode(), image);
  EXPECT_EQ(s.SelectedWindow(), image->control.get());
  EXPECT_EQ(Selected(), QStringLiteral("Image1"));
  EXPECT_FALSE(s.InsertMode());
  EXPECT_FALSE(s.Drawing());
  EXPECT_EQ(s.ToolBar()->CheckedTool(), 139);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScreenSurfaceTest, AClickWithoutDraggingMakesAMinimumSquare) {
  CZyntraScr& s = Start();
  const struct {
    int tool, minWH;
    const char* name;
    Rect expected;
  } cases[] = {
      {146, 50, "Text1", {400, 300, 450, 350}},
      {142, 30, "Timer1", {100, 120, 130, 150}},
      {147, 80, "Program1", {20, 30, 52, 62}}, // programs are always 32 × 32
  };
  for (const auto& c : cases) {
    s.Config().MinWH = c.minWH;
    s.ToolBar()->ActionFor(c.tool)->trigger();
    Click(c.expected.left, c.expected.top);
    ASSERT_NE(Node(c.name), nullptr) << c.name;
    EXPECT_EQ(RectOf(c.name), c.expected) << c.name;
  }
}

TEST_F(ScreenSurfaceTest, InsertModeThatDoesNotDraw) {
  CZyntraScr& s = Start();
  // "选择" after "图片": the press selects instead of drawing.
  s.ToolBar()->ActionFor(141)->trigger();
  s.ToolBar()->ActionFor(139)->trigger();
  EXPECT_FALSE(s.InsertMode());
  Drag(100, 100, 200, 200);
  EXPECT_EQ(Node("Image1"), nullptr);
  EXPECT_EQ(s.Tracker(), nullptr);

  // A kind the page list cannot make: reported, the tracker goes, "选择" is pressed again.
  s.SetInsertMode(true, 127);
  Drag(100, 100, 200, 200);
  EXPECT_EQ(prompts.Texts(), "无此控件！");
  EXPECT_EQ(s.Tracker(), nullptr);
  EXPECT_FALSE(s.InsertMode());
  EXPECT_EQ(s.ToolBar()->CheckedTool(), 139);

  // With the root current a press does not draw.
  ASSERT_TRUE(List().SelectItemByText("同步播放系统(Orlume)"));
  s.ToolBar()->ActionFor(146)->trigger();
  Drag(100, 100, 200, 200);
  EXPECT_FALSE(s.Drawing());
  EXPECT_EQ(Node("Text1"), nullptr);
  EXPECT_EQ(prompts.messages.size(), 1u);
}

TEST_F(ScreenSurfaceTest, PressesSelectTheLastAddedObjectEdgesIncluded) {
  CZyntraScr& s = Start();
  ShowNode* a = Make(131, Rect{50, 50, 150, 150});
  ShowNode* b = Make(131, Rect{100, 100, 200, 200});
  s.ClearSelection();
  const size_t steps = s.PageList()->Session().History().Size();

  const struct {
    Point p;
    ShowNode* selected;
    const char* item;
  } cases[] = {
      {{120, 120}, b, "Text2"},                                // overlap: the one added last
      {{60, 60}, a, "Text1"},         {{150, 60}, a, "Text1"}, // right edge
      {{200, 200}, b, "Text2"},                                // bottom-right corner
      {{400, 400}, nullptr, "Page1"},                          // empty surface
  };
  for (const auto& c : cases) {
    Click(c.p.x, c.p.y);
    SCOPED_TRACE(c.item);
    EXPECT_EQ(s.SelectedWindow(), c.selected ? c.selected->control.get() : nullptr);
    EXPECT_EQ(s.CurrentNode(), c.selected ? c.selected : Doc().Current());
    EXPECT_EQ(Selected(), QString::fromUtf8(c.item));
    EXPECT_EQ(s.Tracker() != nullptr, c.selected != nullptr);
  }
  // Pressing without dragging changes nothing of the project.
  EXPECT_EQ(s.PageList()->Session().History().Size(), steps);
  EXPECT_EQ(RectOf("Text1"), (Rect{50, 50, 150, 150}));
  EXPECT_EQ(RectOf("Text2"), (Rect{100, 100, 200, 200}));
}

TEST_F(ScreenSurfaceTest, DragsMoveAndResizeWhenReleasedAndShowTheirStatus) {
  CZyntraScr& s = Start();
  Make(123, Rect{100, 100, 200, 160});
  s.ClearSelection();

  // From the middle: the window stays until the release; the status shows left and top.
  Press(150, 130);
  EXPECT_FALSE(s.TrackerShown());
  Move(160, 140);
  scheduler.advance(10);
  EXPECT_EQ(Status(), QStringLiteral("横坐标:110 纵坐标:110"));
  EXPECT_EQ(RectOf("Timer1"), (Rect{100, 100, 200, 160}));
  // The dragged rectangle shows above the objects, dotted black on white.
  auto* frame = s.findChild<QWidget*>("trackerFrame");
  ASSERT_NE(frame, nullptr);
  EXPECT_TRUE(frame->isVisible());
  EXPECT_EQ(frame->geometry(), QRect(110, 110, 100, 60));
  const QImage during = s.grab().toImage();
  int white = 0, black = 0;
  for (int x = 150; x <= 160; ++x) {
    white += during.pixel(x, 110) == qRgb(255, 255, 255);
    black += during.pixel(x, 110) == qRgb(0, 0, 0);
  }
  EXPECT_GT(white, 0);
  EXPECT_GT(black, 0);
  EXPECT_EQ(white + black, 11);
  Move(170, 150);
  Release(170, 150);
  EXPECT_EQ(RectOf("Timer1"), (Rect{120, 120, 220, 180}));
  EXPECT_TRUE(s.TrackerShown());
  EXPECT_FALSE(frame->isVisible());
  Move(171, 152);
  EXPECT_EQ(Status(), QStringLiteral("横坐标:171  纵坐标:152"));
  EXPECT_EQ(s.cursor().shape(), Qt::SizeAllCursor);

  // From the bottom-right handle, which lies outside the object.
  Move(222, 182);
  EXPECT_EQ(s.cursor().shape(), Qt::SizeFDiagCursor);
  Press(222, 182);
  Move(252, 202);
  scheduler.advance(10);
  EXPECT_EQ(Status(), QStringLiteral("宽度:130 高度:80"));
  Release(252, 202);
  EXPECT_EQ(RectOf("Timer1"), (Rect{120, 120, 250, 200}));

  // Left handle, then Esc puts a drag back.
  Drag(117, 159, 127, 300);
  EXPECT_EQ(RectOf("Timer1"), (Rect{130, 120, 250, 200}));
  Press(200, 150);
  Move(300, 300);
  QTest::keyClick(screen.get(), Qt::Key_Escape);
  Move(310, 310);
  Release(310, 310);
  Move(310, 310);
  EXPECT_EQ(RectOf("Timer1"), (Rect{130, 120, 250, 200}));
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ScreenSurfaceTest, AFrozenObjectStaysSelectedInARedBandAndCannotBeDragged) {
  CZyntraScr& s = Start();
  s.Config().GridWidth = 1;
  s.Config().BgColor = 0x000000;
  s.Config().EnableMove = true;
  Make(131, Rect{100, 100, 200, 220});
  Click(150, 150);
  s.SurfaceCommand(116);
  EXPECT_FALSE(Node("Text1")->unlocked);
  EXPECT_EQ(s.SelectedWindow(), Node("Text1")->control.get());

  const QImage shot = s.grab().toImage();
  EXPECT_EQ(shot.pixel(98, 105), qRgb(255, 0, 0)); // the band, clear of the squares
  EXPECT_EQ(shot.pixel(202, 200), qRgb(255, 0, 0));
  EXPECT_EQ(shot.pixel(203, 200), qRgb(0, 0, 0));     // its black outline
  EXPECT_EQ(shot.pixel(95, 95), qRgb(255, 255, 255)); // inside the top-left square

  // The grid of width 1 is drawn every 2 pixels.
  EXPECT_EQ(shot.pixel(300, 7), qRgb(226, 226, 226));
  EXPECT_EQ(shot.pixel(301, 7), qRgb(0, 0, 0));

  const QPoint window = WindowPos();
  Drag(150, 150, 250, 250); // middle
  Drag(203, 223, 300, 300); // bottom-right handle
  EXPECT_EQ(RectOf("Text1"), (Rect{100, 100, 200, 220}));
  EXPECT_EQ(WindowPos(), window); // a press on an object never moves the window

  s.SurfaceCommand(116);
  Drag(150, 150, 160, 170);
  EXPECT_EQ(RectOf("Text1"), (Rect{110, 120, 210, 240}));
}

TEST_F(ScreenSurfaceTest, EnableMoveDragsTheWindowFromTheEmptySurfaceOnly) {
  for (bool enableMove : {false, true}) {
    CZyntraScr& s = Start();
    s.Config().EnableMove = enableMove;
    Make(131, Rect{10, 10, 60, 60});
    s.ClearSelection();
    Press(400, 300);
    Move(420, 310); // the window follows: the mouse stays at the same client point after it
    Move(400, 300);
    Move(430, 325);
    Release(430, 325);
    EXPECT_EQ(WindowPos(), enableMove ? QPoint(150, 85) : QPoint(100, 50)) << enableMove;
    EXPECT_EQ(screen->size(), QSize(640, 480));
    const QPoint window = WindowPos();
    Drag(30, 30, 50, 40);
    EXPECT_EQ(RectOf("Text1"), (Rect{30, 20, 80, 70}));
    EXPECT_EQ(WindowPos(), window);
    screen.reset();
  }
}

TEST_F(ScreenSurfaceTest, ArrowKeysNudgeTheSelectionOrTheWindow) {
  CZyntraScr& s = Start();
  Make(131, Rect{100, 100, 200, 160});
  s.ClearSelection();
  auto* tree = List().Tree();
  const struct {
    Qt::Key key;
    QPoint window;
  } steps[] = {{Qt::Key_Left, {99, 50}},
               {Qt::Key_Up, {99, 49}},
               {Qt::Key_Right, {100, 49}},
               {Qt::Key_Down, {100, 50}}};
  for (const auto& step : steps) {
    QTest::keyClick(screen.get(), step.key);
    EXPECT_EQ(WindowPos(), step.window);
  }
  // Keys for the tool windows pass the same filter.
  QTest::keyClick(s.ToolBar(), Qt::Key_Left);
  EXPECT_EQ(WindowPos(), QPoint(99, 50));
  QTest::keyClick(s.ToolBar(), Qt::Key_Right);

  Click(150, 130);
  QTest::keyClick(screen.get(), Qt::Key_Right);
  QTest::keyClick(screen.get(), Qt::Key_Down);
  EXPECT_EQ(RectOf("Text1"), (Rect{101, 101, 201, 161}));
  // A key the object window does not take reaches the surface too, and counts once.
  QTest::keyClick(WidgetOf("Text1"), Qt::Key_Left);
  EXPECT_EQ(RectOf("Text1"), (Rect{100, 101, 200, 161}));
  QTest::keyClick(tree, Qt::Key_Up);
  EXPECT_EQ(RectOf("Text1"), (Rect{100, 100, 200, 160}));
  EXPECT_EQ(WindowPos(), QPoint(100, 50));
}

TEST_F(ScreenSurfaceTest, WhilePlayingOnlyPauseActsUnlessMoveOnPlay) {
  CZyntraScr& s = Start();
  Make(131, Rect{100, 100, 200, 160});
  Make(126, Rect{300, 100, 400, 160});  // a GIF stays the current node while playing
  Doc().Current()->frame->TTL_Kind = 1; // the page shows for its 5 seconds
  for (bool moveOnPlay : {false, true}) {
    s.Config().MoveOnPlay = moveOnPlay;
    s.SurfaceCommand(118); // play
    ASSERT_TRUE(s.Playing());
    ASSERT_TRUE(List().Player()->Playing());
    scheduler.advance(100);
    QTest::keyClick(screen.get(), Qt::Key_Left);
    QTest::keyClick(screen.get(), Qt::Key_Delete);
    EXPECT_EQ(WindowPos(), moveOnPlay ? QPoint(99, 50) : QPoint(100, 50));
    // The mouse does nothing while playing.
    Drag(150, 130, 250, 230);
    Move(400, 400);
    EXPECT_EQ(s.SelectedWindow(), nullptr);
    EXPECT_EQ(RectOf("Text1"), (Rect{100, 100, 200, 160}));

    QTest::keyClick(screen.get(), Qt::Key_Pause);
    EXPECT_FALSE(s.Playing()) << moveOnPlay;
    EXPECT_FALSE(List().Player()->Playing());
  }
  EXPECT_NE(Node("Gif1"), nullptr);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ScreenSurfaceTest, ProgramFlashAndGifObjectsTakeOnlyTheirOwnKeys) {
  const struct {
    int32_t kind;
    const char* name;
  } kinds[] = {{125, "Flash1"}, {126, "Gif1"}, {128, "Program1"}};
  for (const auto& k : kinds) {
    CZyntraScr& s = Start();
    Make(131, Rect{10, 10, 60, 60});
    ShowNode* object = Make(k.kind, Rect{100, 100, 160, 160});
    const Rect start = RectOf(k.name); // a program is 32 × 32 whatever is drawn
    SCOPED_TRACE(k.name);
    ASSERT_EQ(s.CurrentNode(), object);
    auto order = [&] {
      std::string names;
      for (auto& n : Doc().Current()->children)
        names += n->name + " ";
      return names;
    };
    QTest::keyClick(screen.get(), Qt::Key_Left);
    QTest::keyClick(screen.get(), Qt::Key_Down);
    EXPECT_EQ(RectOf(k.name), start);
    EXPECT_EQ(WindowPos(), QPoint(100, 50));
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    EXPECT_EQ(order(), std::string(k.name) + " Text1 ");
    QTest::keyClick(screen.get(), Qt::Key_PageDown);
    EXPECT_EQ(order(), std::string("Text1 ") + k.name + " ");
    // While a tool is armed the arrows nudge it again.
    s.SetInsertMode(true, 131);
    QTest::keyClick(screen.get(), Qt::Key_Right);
    EXPECT_EQ(RectOf(k.name), (Rect{101, 100, start.right + 1, start.bottom}));
    s.SetInsertMode(false, 0);
    QTest::keyClick(screen.get(), Qt::Key_Delete);
    EXPECT_EQ(Node(k.name), nullptr);
    EXPECT_EQ(order(), "Text1 ");
    screen.reset();
  }
}

TEST_F(ScreenSurfaceTest, TheContextMenuFollowsTheState) {
  CZyntraScr& s = Start();
  const QStringList common = {"测试当前页(&V)|111", "播放节目(&P)|118", "-", "退出系统(&X)|112"};
  EXPECT_EQ(Items(s.BuildContextMenu(nullptr)), QStringList{"隐藏(&H)|115"} + common);

  ShowNode* text = Make(131, Rect{100, 100, 200, 160});
  EXPECT_EQ(Items(s.BuildContextMenu(nullptr)),
            QStringList({"隐藏(&H)|115", "冻结(&L)|116", "全屏切换|176", "删除(&D)|114", "-",
                         "参数设置(&R)|117", "-"}) +
                common);
  s.SurfaceCommand(115);
  s.SurfaceCommand(116);
  EXPECT_FALSE(text->visible);
  EXPECT_FALSE(WidgetOf("Text1")->isVisible());
  EXPECT_EQ(Items(s.BuildContextMenu(nullptr)),
            QStringList({"显示(&V)|115", "解冻(&U)|116", "全屏切换|176", "删除(&D)|114", "-",
                         "参数设置(&R)|117", "-"}) +
                common);
  s.SetPlaying(true);
  EXPECT_EQ(Items(s.BuildContextMenu(nullptr)),
            QStringList({"停止(&S)|119", "-", "退出系统(&X)|112"}));
  s.SetPlaying(false);

  // The right button shows it and runs the chosen command; not while the menu is disabled.
  EXPECT_EQ(RightClick(400, 400, 115).value(0), QStringLiteral("显示(&V)|115"));
  EXPECT_TRUE(text->visible);
  s.SetMenuEnabled(false);
  EXPECT_TRUE(RightClick(400, 400, 0).isEmpty());
}

TEST_F(ScreenSurfaceTest, FullScreenOnAThenBGivesBTheRectangleOfA) {
  CZyntraScr& s = Start();
  Make(131, Rect{10, 10, 110, 70});
  Make(123, Rect{300, 200, 380, 250});
  Click(20, 20);
  RightClick(20, 20, 176); // "全屏切换" on A
  EXPECT_EQ(RectOf("Text1"), (Rect{0, 0, 640, 480}));
  Click(320, 220); // B, added later, wins over the full-screen A
  EXPECT_EQ(s.CurrentNode(), Node("Timer1"));
  RightClick(320, 220, 176);
  EXPECT_EQ(RectOf("Timer1"), (Rect{10, 10, 110, 70}));
  EXPECT_FALSE(s.PageList()->Session().FullScreen());
}

TEST_F(ScreenSurfaceTest, APropertyWindowBesideTheLeftEdgeStaysOnTheScreen) {
  CZyntraScr& s = Start();
  s.move(0, 0);
  Make(131, Rect{10, 100, 110, 161});
  s.ClearSelection();
  DoubleClick(50, 130);
  ASSERT_NE(s.OpenPropertyWindow(), nullptr);
  const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(s.OpenPropertyWindow()->pos().x(), avail.left()); // 10 - 80 would be off the screen
  EXPECT_EQ(s.OpenPropertyWindow()->pos().y(), 100 + 61 - 61 / 2);
}

TEST_F(ScreenSurfaceTest, DoubleClickOpensOnePropertyWindowBesideTheObject) {
  CZyntraScr& s = Start();
  ShowNode* text = Make(131, Rect{100, 100, 200, 161});
  s.ClearSelection();
  DoubleClick(150, 130);
  auto* window = dynamic_cast<TestPropertyWindow*>(s.OpenPropertyWindow());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(s.PropertyKind(), 131);
  EXPECT_EQ(window->shown, text);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->pos(), QPoint(100 + 100 - 80, 50 + 161 - 61 / 2));

  // Keys typed in the property window are its own: neither its field nor the window itself
  // nudges the object, and Delete deletes nothing.
  QTest::keyClick(window->field, Qt::Key_Left);
  EXPECT_EQ(RectOf("Text1"), (Rect{100, 100, 200, 161}));
  QTest::keyClick(window, Qt::Key_Right);
  QTest::keyClick(window, Qt::Key_Delete);
  EXPECT_EQ(RectOf("Text1"), (Rect{100, 100, 200, 161}));

  // Opening it again refills the same window.
  s.SurfaceCommand(117);
  EXPECT_EQ(s.OpenPropertyWindow(), window);
  EXPECT_EQ(window->loads, 3); // filled when re-shown, and by the command

  // A new press on the object makes the selection anew and closes the window.
  Click(150, 130);
  EXPECT_TRUE(!s.OpenPropertyWindow());
  // The page has no property window of its own here; a disabled menu opens none.
  DoubleClick(500, 400);
  EXPECT_TRUE(!s.OpenPropertyWindow());
  s.SetMenuEnabled(false);
  DoubleClick(150, 130);
  EXPECT_TRUE(!s.OpenPropertyWindow());
}

} // namespace
