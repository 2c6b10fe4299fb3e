// The rules of editing that the page list window follows: names, sizes and defaults of new
// pages and objects, and the counters kept with the project.

#include <gtest/gtest.h>

#include "controls/Glasso.h"
#include "model/ArrangeCodes.h"
#include "model/EditingSession.h"
#include "model/FrameInfo.h"
#include "support/TestProject.h"

namespace {

constexpr const char* kTitle = "同步屏播放系统";

struct Session : TestProject {
  EditingSession& session = *pageList.session;
  ShowNode* Make(ObjectKind kind, Rect rect, int32_t minWH = 50) {
    return session.CreateObject(KindValue(kind), rect, minWH, 0x123456, kTitle);
  }
};

TEST(EditingSession, NewPagesAreNumberedAfterTheLastPageEverMade) {
  Session s; // Page1 is there
  ShowNode& page2 = s.session.NewPage(0x400000);
  EXPECT_EQ(page2.name, "Page2");
  EXPECT_EQ(s.doc.Current(), &page2);
  ASSERT_TRUE(page2.frame);
  EXPECT_EQ(page2.frame->TTL_Kind, 0);
  EXPECT_EQ(page2.frame->seconds, 5);
  EXPECT_EQ(page2.frame->bg, 0x400000);
  EXPECT_FALSE(page2.frame->ybPlay);
  // A deleted page's number is not given again.
  s.doc.DeleteNode(&page2);
  s.doc.SetCurrent(s.doc.Root());
  EXPECT_EQ(s.session.NewPage(0).name, "Page3");
  EXPECT_EQ(TestProject::Names(s.doc.Root()), (std::vector<std::string>{"Page1", "Page3"}));
}

TEST(EditingSession, ObjectsAreNamedByKindWithACounterEach) {
  Session s;
  EXPECT_EQ(s.Make(ObjectKind::Label, {0, 0, 80, 80})->name, "Text1");
  EXPECT_EQ(s.Make(ObjectKind::Picture, {0, 0, 80, 80})->name, "Image1");
  EXPECT_EQ(s.Make(ObjectKind::Label, {0, 0, 80, 80})->name, "Text2");
  EXPECT_EQ(s.Make(ObjectKind::Exe, {0, 0, 80, 80})->name, "Program1");
  EXPECT_EQ(s.session.Counters().labelCount, 2);
  EXPECT_EQ(s.session.Counters().effectBoxCount, 1);
  EXPECT_EQ(s.session.Counters().exeCount, 1);
}

TEST(EditingSession, NewObjectsAreAtLeastTheSmallestSizeAndProgramsAre32Square) {
  Session s;
  // Drawn from the bottom right to the top left, and too small: normalised, then grown.
  ShowNode* text = s.Make(ObjectKind::Label, {100, 90, 70, 80}, 50);
  EXPECT_EQ(text->control->GetWindowRect(), (Rect{70, 80, 120, 130}));
  ShowNode* big = s.Make(ObjectKind::Label, {10, 10, 300, 200}, 50);
  EXPECT_EQ(big->control->GetWindowRect(), (Rect{10, 10, 300, 200}));
  ShowNode* program = s.Make(ObjectKind::Exe, {200, 100, 20, 40}, 50);
  EXPECT_EQ(program->control->GetWindowRect(), (Rect{20, 40, 52, 72}));
}

TEST(EditingSession, NewObjectsAreShownRaisedAndGivenTheirKindsDefaults) {
  Session s;
  ShowNode* text = s.Make(ObjectKind::Label, {0, 0, 80, 80});
  EXPECT_TRUE(text->control->IsWindowVisible());
  EXPECT_EQ(s.Told("Text1").front(), "raise");
  auto* label = text->ControlAs<C_Glasso>();
  ASSERT_TRUE(label);
  EXPECT_EQ(label->GetCaption(), "文字");
  EXPECT_EQ(label->GetColor(), 0x00FF00);
  EXPECT_EQ(label->GetBgColor(), 0x123456); // the screen's background colour
  EXPECT_FALSE(s.Make(ObjectKind::Flash, {0, 0, 80, 80})->control->IsWindowEnabled());
  EXPECT_EQ(s.doc.Current(), s.Node("Page1")); // the page stays current
}

TEST(EditingSession, WithoutACurrentPageOrWithAnUnknownKindNothingIsMadeOrCounted) {
  Session s;
  s.doc.SetCurrent(s.doc.Root());
  EXPECT_EQ(s.Make(ObjectKind::Label, {0, 0, 80, 80}), nullptr);
  s.doc.SetCurrent(s.Node("Page1"));
  EXPECT_EQ(s.session.CreateObject(999, {0, 0, 80, 80}, 50, 0, kTitle), nullptr);
  EXPECT_EQ(s.session.CreateObject(KindValue(ObjectKind::Frame), {0, 0, 80, 80}, 50, 0, kTitle),
            nullptr);
  ASSERT_EQ(s.prompts.messages.size(), 3u);
  EXPECT_EQ(s.prompts.messages[0].text, "没有当前页，不能创建对象！");
  EXPECT_EQ(s.prompts.messages[0].caption, kTitle);
  EXPECT_EQ(s.prompts.messages[1].text, "无此控件！");
  EXPECT_EQ(s.session.Counters(), (NamingCounters{1, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_TRUE(s.Node("Page1")->children.empty());
}

TEST(EditingSession, DeletingAsksOnlyWhenTheOptionSaysSo) {
  Session s;
  EXPECT_TRUE(s.session.ConfirmDelete(false, kTitle));
  EXPECT_TRUE(s.prompts.messages.empty());
  s.prompts.answers = {PromptAnswer::No, PromptAnswer::Yes};
  EXPECT_FALSE(s.session.ConfirmDelete(true, kTitle));
  EXPECT_TRUE(s.session.ConfirmDelete(true, kTitle));
  ASSERT_EQ(s.prompts.messages.size(), 2u);
  EXPECT_EQ(s.prompts.messages[0].text, "您真的要删除吗?");
  EXPECT_EQ(s.prompts.messages[0].caption, kTitle);
}

TEST(EditingSession, DeletingTheCurrentPageMakesTheScreenCurrent) {
  Session s;
  s.Make(ObjectKind::Label, {0, 0, 80, 80});
  s.Make(ObjectKind::Clock, {0, 0, 80, 80});
  // An object goes; its page stays current.
  EXPECT_TRUE(s.session.Delete("Text1"));
  EXPECT_EQ(s.doc.Current(), s.Node("Page1"));
  EXPECT_EQ(TestProject::Names(s.Node("Page1")), (std::vector<std::string>{"Timer1"}));
  EXPECT_EQ(s.factory.LiveCount(), 1u);
  // The page goes with its objects and their controls.
  EXPECT_TRUE(s.session.Delete("Page1"));
  EXPECT_EQ(s.doc.Current(), s.doc.Root());
  EXPECT_TRUE(s.doc.Root()->children.empty());
  EXPECT_EQ(s.factory.LiveCount(), 0u);
  EXPECT_FALSE(s.session.Delete("Page1"));
  EXPECT_FALSE(s.session.Delete(s.doc.Root()->name)); // the screen stays
}

TEST(EditingSession, MovingSwapsWithTheNeighbourWithinTheSameParentOnly) {
  Session s;
  s.Make(ObjectKind::Label, {0, 0, 80, 80});
  s.Make(ObjectKind::Picture, {0, 0, 80, 80});
  s.session.NewPage(0);
  EXPECT_TRUE(s.session.MoveSibling("Image1", true));
  EXPECT_EQ(TestProject::Names(s.Node("Page1")), (std::vector<std::string>{"Image1", "Text1"}));
  EXPECT_FALSE(s.session.MoveSibling("Image1", true)); // first already
  EXPECT_FALSE(s.session.MoveSibling("Page2", false)); // last already
  EXPECT_TRUE(s.session.MoveSibling("Page2", true));
  EXPECT_EQ(TestProject::Names(s.doc.Root()), (std::vector<std::string>{"Page2", "Page1"}));
  EXPECT_FALSE(s.session.MoveSibling("Nothing", true));
}

TEST(EditingSession, ArrangingPutsAnObjectAgainstAnEdgeOrInTheMiddle) {
  Session s;
  const Rect surface{0, 0, 641, 481};
  const Rect object{10, 20, 110, 71}; // 100 x 51
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeTop, object, surface), (Rect{10, 0, 110, 51}));
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeBottom, object, surface), (Rect{10, 430, 110, 481}));
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeLeft, object, surface), (Rect{0, 20, 100, 71}));
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeRight, object, surface), (Rect{541, 20, 641, 71}));
  // Halves truncated: the surface's middle is 320,240, the object's 60,45.
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeCentre, object, surface), (Rect{270, 215, 370, 266}));
  EXPECT_EQ(s.session.Arrange(999, object, surface), std::nullopt);
  EXPECT_FALSE(s.session.FullScreen());
}

TEST(EditingSession, FullScreenAndBackShareOneRestoreRectangleForTheSurface) {
  Session s;
  const Rect surface{0, 0, 640, 480};
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeFullScreen, {10, 10, 110, 70}, surface), surface);
  EXPECT_TRUE(s.session.FullScreen());
  // The next full-screen arrange, of whichever object, goes back to the rectangle kept.
  EXPECT_EQ(s.session.Arrange(cmd::ArrangeFullScreen, {300, 200, 380, 250}, surface),
            (Rect{10, 10, 110, 70}));
  EXPECT_FALSE(s.session.FullScreen());
}

TEST(EditingSession, HidingFreezingMovingAndArrangingAreStepsOfTheirOwn) {
  Session s;
  ShowNode* text = s.Make(ObjectKind::Label, {10, 10, 110, 60});
  CControlWrapper& window = *text->control;
  const size_t made = s.session.History().Size();

  s.session.ToggleHidden(*text);
  EXPECT_FALSE(text->visible);
  EXPECT_FALSE(window.IsWindowVisible()) << "hidden on the surface at once";
  s.session.ToggleFrozen(*text);
  EXPECT_FALSE(text->unlocked);
  EXPECT_EQ(s.session.History().Size(), made + 2);
  ASSERT_TRUE(s.session.Undo());
  EXPECT_TRUE(text->unlocked);
  ASSERT_TRUE(s.session.Undo());
  EXPECT_TRUE(text->visible);
  EXPECT_TRUE(window.IsWindowVisible());
  ASSERT_TRUE(s.session.Redo());
  ASSERT_TRUE(s.session.Redo());
  EXPECT_FALSE(text->visible);
  EXPECT_FALSE(text->unlocked);

  // Nudges of one object held down merge; a drag, or a nudge of another object, does not.
  ShowNode* clock = s.Make(ObjectKind::Clock, {200, 10, 300, 110});
  const size_t before = s.session.History().Size();
  s.session.MoveObject(*text, {11, 10, 111, 60}, "nudge", false);
  s.session.MoveObject(*text, {12, 10, 112, 60}, "nudge", true);
  s.session.MoveObject(*text, {13, 10, 113, 60}, "nudge", true);
  EXPECT_EQ(s.session.History().Size(), before + 1);
  s.session.MoveObject(*clock, {201, 10, 301, 110}, "nudge", true);
  s.session.MoveObject(*text, {50, 50, 150, 100});
  s.session.MoveObject(*text, {60, 60, 160, 110}, {}, true);
  EXPECT_EQ(s.session.History().Size(), before + 4);
  ASSERT_TRUE(s.session.Undo());
  ASSERT_TRUE(s.session.Undo());
  EXPECT_EQ(window.GetWindowRect(), (Rect{13, 10, 113, 60}));
  ASSERT_TRUE(s.session.Undo());
  EXPECT_EQ(clock->control->GetWindowRect(), (Rect{200, 10, 300, 110}));
  ASSERT_TRUE(s.session.Undo());
  EXPECT_EQ(window.GetWindowRect(), (Rect{10, 10, 110, 60})) << "three nudges, one step";

  // Full screen and back: undo gives back the rectangle and the toggle's state.
  const Rect surface{0, 0, 640, 480};
  EXPECT_TRUE(s.session.ArrangeObject(*text, cmd::ArrangeFullScreen, surface));
  EXPECT_EQ(window.GetWindowRect(), surface);
  EXPECT_TRUE(s.session.FullScreen());
  ASSERT_TRUE(s.session.Undo());
  EXPECT_EQ(window.GetWindowRect(), (Rect{10, 10, 110, 60}));
  EXPECT_FALSE(s.session.FullScreen());
  const size_t steps = s.session.History().Size();
  EXPECT_FALSE(s.session.ArrangeObject(*text, 12345, surface));
  EXPECT_EQ(s.session.History().Size(), steps) << "an unknown code changes nothing";
}

// What is current and what is selected, as the session keeps them for the windows: the
// document's current page follows, and nothing stays pointing into a node that is deleted or a
// project that is cleared.

TEST(EditingSession, CurrentAndSelectedFollowWhatIsChosenAndMade) {
  Session s;
  ShowNode* page1 = s.Node("Page1");
  EXPECT_EQ(s.session.Current(), page1) << "the first page of a new project is current";
  ShowNode* text = s.Make(ObjectKind::Label, {10, 10, 90, 90});
  EXPECT_EQ(s.session.Current(), text) << "a new object is current, not yet selected";
  EXPECT_EQ(s.session.Selected(), nullptr);

  s.session.Select(text);
  EXPECT_EQ(s.session.Selected(), text);
  s.session.Select(nullptr);
  EXPECT_EQ(s.session.Selected(), nullptr);
  EXPECT_EQ(s.session.Current(), text) << "dropping the selection keeps what is current";

  ShowNode& page2 = s.session.NewPage(0);
  EXPECT_EQ(s.session.Current(), &page2);
  EXPECT_EQ(s.doc.Current(), &page2);

  // Choosing an object of another page makes that page the document's current page, where new
  // objects then go; choosing the screen makes the screen the current page.
  s.session.Select(text);
  EXPECT_EQ(s.doc.Current(), page1);
  EXPECT_EQ(s.Make(ObjectKind::Clock, {10, 10, 90, 90})->parent, page1);
  s.session.Select(text);
  s.session.SetCurrent(s.doc.Root());
  EXPECT_EQ(s.session.Selected(), nullptr) << "another node chosen: the selection goes";
  EXPECT_EQ(s.doc.Current(), s.doc.Root());
  EXPECT_EQ(s.Make(ObjectKind::Clock, {10, 10, 90, 90}), nullptr);
  EXPECT_EQ(s.prompts.messages.back().text, "没有当前页，不能创建对象！");
}

TEST(EditingSession, NothingPointsIntoWhatIsDeletedOrCleared) {
  Session s;
  ShowNode* page1 = s.Node("Page1");
  ShowNode* text = s.Make(ObjectKind::Label, {10, 10, 90, 90});
  s.session.Select(text);
  ASSERT_TRUE(s.session.Delete("Text1"));
  EXPECT_EQ(s.session.Selected(), nullptr);
  EXPECT_EQ(s.session.Current(), page1) << "the page of a deleted object becomes current";

  // Another object deleted leaves the selection alone.
  ShowNode* kept = s.Make(ObjectKind::Label, {10, 10, 90, 90});
  s.Make(ObjectKind::Clock, {10, 10, 90, 90});
  s.session.Select(kept);
  ASSERT_TRUE(s.session.Delete("Timer1"));
  EXPECT_EQ(s.session.Selected(), kept);

  // The current page deleted with the selected object on it: the screen is the current page
  // and is current.
  ASSERT_TRUE(s.session.Delete("Page1"));
  EXPECT_EQ(s.session.Selected(), nullptr);
  EXPECT_EQ(s.session.Current(), s.doc.Root());
  EXPECT_EQ(s.doc.Current(), s.doc.Root());

  // Undo brings the page back; a cleared project has nothing current.
  ASSERT_TRUE(s.session.Undo());
  ASSERT_NE(s.Node("Page1"), nullptr);
  s.session.SetCurrent(s.Node("Page1"));
  s.session.ResetProject();
  EXPECT_EQ(s.session.Current(), nullptr);
  EXPECT_EQ(s.session.Selected(), nullptr);
}

} // namespace
