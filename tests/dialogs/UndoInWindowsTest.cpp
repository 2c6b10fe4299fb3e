// Undo and redo as the windows drive them: the keys on the surface and the page list (and not
// in a property window's text field), the menu items greyed as the history allows, property
// and page windows showing the values undone, and the surface commands (hide, freeze,
// arrange, reorder, delete) taken back to the same saved bytes.

#include <QAction>
#include <QTest>
#include <QTreeWidget>

#include "app/CommandIds.h"
#include "app/DToolBar.h"
#include "app/AppTestSupport.h"
#include "dialogs/ParaLabel.h"
#include "dialogs/ParaScreen.h"
#include "dialogs/PropertyScreenFixture.h"
#include "model/EditingSession.h"
#include "model/FrameInfo.h"

namespace {

class UndoInWindowsTest : public PropertyScreenFixture {
protected:
  void SetUp() override {
    PropertyScreenFixture::SetUp();
    // Saved once under a name; later saves go to the same file.
    path = Save();
  }
  std::string Bytes() {
    EXPECT_TRUE(Doc().SaveTo(path));
    return FileBytes(path);
  }
  void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
    QTest::keyClick(to, key, modifiers);
  }
  EditingSession& Session() { return List().Session(); }
  bool Enabled(int command) { return screen->ToolBar()->ActionFor(command)->isEnabled(); }
  QStringList TreeTexts() {
    QStringList out;
    for (QTreeWidgetItemIterator it(List().Tree()); *it; ++it)
      out << (*it)->text(0);
    return out;
  }
  std::string path;
};

TEST_F(UndoInWindowsTest, TypingInAFieldIsOneStepAndTheOpenWindowShowsItUndone) {
  const std::string empty = Bytes();
  ShowNode* text = Create(131, Rect{10, 10, 110, 60});
  const std::string made = Bytes();
  CParaLabel& d = Properties<CParaLabel>();
  Type(d, 1010, "4");
  Type(d, 1010, "42");
  EXPECT_EQ(text->control->GetWindowRect().left, 42);
  EXPECT_EQ(Session().History().Size(), 2u); // made, then typed
  // Ctrl+Z in the field edits the field's text, not the project.
  Key(Ctl<QLineEdit>(d, 1011), Qt::Key_Z);
  EXPECT_EQ(Session().History().Size(), 2u);
  EXPECT_FALSE(Session().CanRedo());

  Key(screen.get(), Qt::Key_Z);
  EXPECT_EQ(Text(d, 1010), "10");
  EXPECT_EQ(Doc().FindNode("Text1", Doc().Root())->control->GetWindowRect(),
            (Rect{10, 10, 110, 60}));
  EXPECT_EQ(Bytes(), made);
  Key(List().Tree(), Qt::Key_Y); // the page list shares the keys
  EXPECT_EQ(Text(d, 1010), "42");
  Key(screen.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); // redo: nothing left
  EXPECT_EQ(Text(d, 1010), "42");
  Key(screen.get(), Qt::Key_Z);
  Key(screen.get(), Qt::Key_Z);
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1"}));
  EXPECT_EQ(Bytes(), empty);
  EXPECT_FALSE(screen->Modified());
  Key(screen.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1", "Text1"}));
  EXPECT_EQ(Bytes(), made);
}

TEST_F(UndoInWindowsTest, ThePageWindowsChangesAreUndoneWithThePageAndTheScreen) {
  Select("Page1");
  CParaScreen& d = Properties<CParaScreen>();
  const std::string before = Bytes();
  Type(d, 1020, "45");
  Choose(d, 1026, "计时结束");
  Type(d, 1012, "800");
  ShowNode* page = Doc().FindNode("Page1", Doc().Root());
  EXPECT_EQ(page->frame->seconds, 45);
  EXPECT_EQ(screen->DesktopRect().Width(), 800);
  List().Undo();
  EXPECT_NE(screen->DesktopRect().Width(), 800);
  EXPECT_EQ(Text(d, 1012), QString::number(screen->DesktopRect().Width()));
  List().Undo();
  EXPECT_EQ(page->frame->TTL_Kind, 0);
  EXPECT_EQ(Text(d, 1026), "等待结束");
  List().Undo();
  EXPECT_EQ(page->frame->seconds, 5);
  EXPECT_EQ(Text(d, 1020), "5");
  EXPECT_EQ(Bytes(), before);
}

TEST_F(UndoInWindowsTest, SurfaceCommandsAreStepsTakenBackToTheSameBytes) {
  Create(131, Rect{10, 10, 110, 60});
  Create(131, Rect{200, 100, 300, 160});
  const std::string start = Bytes();
  struct Command {
    const char* what;
    std::function<void()> run;
    std::function<bool()> done;
  };
  auto text2 = [this] { return Doc().FindNode("Text2", Doc().Root()); };
  const std::vector<Command> commands = {
      {"hide", [&] { screen->SurfaceCommand(cmd::SurfaceHideShow); },
       [&] { return !text2()->visible && !text2()->control->IsWindowVisible(); }},
      {"freeze", [&] { screen->SurfaceCommand(cmd::SurfaceFreeze); },
       [&] { return !text2()->unlocked; }},
      {"align left", [&] { screen->ToolBar()->OnMenuCommand(cmd::AlignLeft); },
       [&] { return text2()->control->GetWindowRect().left == 0; }},
      {"full screen", [&] { screen->SurfaceCommand(cmd::SurfaceFullScreen); },
       [&] {
         return text2()->control->GetWindowRect() == Rect{0, 0, screen->width(), screen->height()};
       }},
      {"move up", [&] { List().OnCommand(cmd::MoveUp); },
       [&] { return TreeTexts().indexOf("Text2") < TreeTexts().indexOf("Text1"); }},
      {"arrow right", [&] { Key(screen.get(), Qt::Key_Right, Qt::NoModifier); },
       [&] { return text2()->control->GetWindowRect().left == 201; }},
      {"delete", [&] { List().DeleteSelected(); }, [&] { return text2() == nullptr; }},
  };
  for (const Command& c : commands) {
    SCOPED_TRACE(c.what);
    Select("Text2");
    ASSERT_EQ(screen->CurrentNode(), text2());
    const std::string before = Bytes();
    const bool visible = text2()->visible, unlocked = text2()->unlocked;
    c.run();
    ASSERT_TRUE(c.done());
    EXPECT_TRUE(Enabled(cmd::Undo));
    EXPECT_FALSE(Enabled(cmd::Redo));
    List().Undo();
    ASSERT_NE(text2(), nullptr);
    EXPECT_FALSE(c.done());
    EXPECT_EQ(text2()->visible, visible);
    EXPECT_EQ(text2()->unlocked, unlocked);
    EXPECT_TRUE(text2()->control->IsWindowVisible());
    EXPECT_EQ(Bytes(), before);
    EXPECT_TRUE(Enabled(cmd::Redo));
    // Undo selects what it changed.
    EXPECT_EQ(screen->CurrentNode(), text2());
    EXPECT_EQ(screen->SelectedWindow(), text2()->control.get());
    List().Redo();
    EXPECT_TRUE(c.done());
    List().Undo();
  }
  EXPECT_EQ(Bytes(), start);
}

TEST_F(UndoInWindowsTest, TheMenuItemsFollowTheHistoryAndNewStartsAFreshOne) {
  EXPECT_EQ(screen->ToolBar()->ActionFor(cmd::Undo)->text(), QStringLiteral("撤销(&U)"));
  EXPECT_EQ(screen->ToolBar()->ActionFor(cmd::Redo)->text(), QStringLiteral("重做(&Y)"));
  EXPECT_FALSE(Enabled(cmd::Undo));
  EXPECT_FALSE(Enabled(cmd::Redo));
  Create(131, Rect{10, 10, 110, 60});
  EXPECT_TRUE(Enabled(cmd::Undo));
  screen->ToolBar()->OnMenuCommand(cmd::Undo);
  EXPECT_FALSE(Enabled(cmd::Undo));
  EXPECT_TRUE(Enabled(cmd::Redo));
  screen->ToolBar()->OnMenuCommand(cmd::Redo);
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1", "Text1"}));
  prompts.answers = {PromptAnswer::No};
  ASSERT_TRUE(List().NewProject());
  EXPECT_FALSE(Enabled(cmd::Undo));
  EXPECT_FALSE(Enabled(cmd::Redo));
  EXPECT_FALSE(screen->Modified());
}

TEST_F(UndoInWindowsTest, UndoingAPageBringsItBackShownWithItsObjects) {
  List().NewPage();
  ShowNode* clock = Create(123, Rect{5, 5, 105, 105});
  (void)clock;
  List().SelectItemByText("Page2");
  List().DeleteSelected();
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1"}));
  List().Undo();
  EXPECT_EQ(TreeTexts(), QStringList({"同步播放系统(Orlume)", "Page1", "Page2", "Timer1"}));
  ShowNode* page2 = Doc().FindNode("Page2", Doc().Root());
  EXPECT_EQ(Doc().Current(), page2);
  EXPECT_EQ(List().Tree()->selectedItems().at(0)->text(0), "Page2");
  EXPECT_TRUE(Doc().FindNode("Timer1", Doc().Root())->control->IsWindowVisible());
  // Undoing the clock while Page1 is shown goes to its page first.
  List().SelectItemByText("Page1");
  List().Undo(); // Timer1 made
  EXPECT_EQ(Doc().FindNode("Timer1", Doc().Root()), nullptr);
  EXPECT_EQ(Doc().Current(), page2);
  // Undoing the new page shows the page before it, with its objects.
  ShowNode* text = Create(131, Rect{1, 1, 60, 60}); // on Page2
  (void)text;
  List().SelectItemByText("Page1");
  ShowNode* mine = Create(131, Rect{1, 1, 60, 60});
  List().Undo(); // Text2
  List().Undo(); // Text1
  List().Undo(); // Page2
  EXPECT_EQ(Doc().FindNode("Page2", Doc().Root()), nullptr);
  EXPECT_EQ(Doc().Current(), Doc().FindNode("Page1", Doc().Root()));
  EXPECT_EQ(List().Tree()->selectedItems().at(0)->text(0), "Page1");
  (void)mine;
}

} // namespace
