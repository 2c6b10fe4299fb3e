// Undo and redo of every command of the editing session: what a command changed is taken back
// exactly (the tree, the controls' properties and the bytes of the saved file), steps merge
// only where one gesture made them, and the saved point decides whether the project is
// modified.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "model/ArrangeCodes.h"
#include "base/AtomicFile.h"
#include "model/EditingSession.h"
#include "model/FrameInfo.h"
#include "support/TempDir.h"
#include "support/TestProject.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "同步屏播放系统";
const std::string kFixtures = std::string(ZYNTRA_TEST_DATA) + "/model/";

struct History : TestProject {
  TempDir dir;
  EditingSession& session = *pageList.session;

  ShowNode* Make(ObjectKind kind, Rect rect) {
    return session.CreateObject(KindValue(kind), rect, 50, 0x123456, kTitle);
  }
  // The bytes the project saves as now.
  std::string Saved() {
    const std::string path = dir / "saved.vrx";
    EXPECT_TRUE(doc.SaveTo(path));
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
  }
  void Open(const std::string& fixture) {
    const std::string path = dir / fixture;
    fs::copy_file(kFixtures + fixture, path);
    ASSERT_TRUE(doc.OpenDocument(path));
  }
  C_Glasso& Label(const std::string& name) { return *Node(name)->ControlAs<C_Glasso>(); }
  // A change of one node through the session, as the windows make them.
  void Change(const std::string& name, const std::function<void(ShowNode&)>& change,
              const std::string& key = {}, bool merge = false) {
    ShowNode* node = Node(name);
    session.Change({node}, key, merge, [&] { change(*node); });
  }
};

TEST(EditHistory, EveryCommandIsTakenBackToTheSameBytesAndDoneAgainToTheSame) {
  History h;
  h.Open("all_kinds.vrx");
  EXPECT_FALSE(h.session.Modified());
  EXPECT_FALSE(h.session.CanUndo());
  const std::string opened = h.Saved();
  ShowNode* page = h.doc.Root()->children.front().get();
  const std::string pageName = page->name;
  const std::string first = page->children.front()->name;
  const std::string last = page->children.back()->name;

  struct Command {
    const char* what;
    std::function<void()> run;
  };
  const std::vector<Command> commands = {
      {"a new object",
       [&] {
         h.Make(ObjectKind::Label, {5, 6, 70, 80});
       }},
      {"a new page", [&] { h.session.NewPage(0x0000FF); }},
      {"an object deleted", [&] { h.session.Delete(first); }},
      {"a page deleted with its objects", [&] { h.session.Delete(pageName); }},
      {"moved down", [&] { h.session.MoveSibling(first, false); }},
      {"moved up", [&] { h.session.MoveSibling(last, true); }},
      {"moved and resized",
       [&] { h.Change(first, [](ShowNode& n) {
               n.control->MoveWindow({1, 2, 303, 204});
             }); }},
      {"arranged",
       [&] {
         h.Change(last, [&](ShowNode& n) {
           n.control->MoveWindow(*h.session.Arrange(cmd::ArrangeCentre, n.control->GetWindowRect(),
                                                    {0, 0, 640, 480}));
         });
       }},
      {"timing and effects",
       [&] {
         h.Change(first, [](ShowNode& n) {
           n.actionStyle = 1;
           n.inStyle = 7;
           n.delayTime = 9;
         });
       }},
      {"a page's record",
       [&] {
         h.Change(pageName, [](ShowNode& n) {
           n.frame->seconds = 77;
           n.frame->bg = 0x00FFFF;
         });
       }},
      {"the screen moved",
       [&] {
         h.Change(h.doc.Root()->name, [&](ShowNode&) { h.pageList.screen = {9, 9, 809, 609}; });
       }},
  };
  for (const Command& c : commands) {
    SCOPED_TRACE(c.what);
    const std::string before = h.Saved();
    const size_t liveBefore = h.factory.LiveCount();
    c.run();
    const std::string after = h.Saved();
    ASSERT_NE(after, before);
    EXPECT_TRUE(h.session.Modified());
    ASSERT_TRUE(h.session.Undo());
    EXPECT_EQ(h.Saved(), before);
    EXPECT_EQ(h.factory.LiveCount(), liveBefore);
    ASSERT_TRUE(h.session.Redo());
    EXPECT_EQ(h.Saved(), after);
    ASSERT_TRUE(h.session.Undo());
  }
  // All taken back: as opened, and not modified.
  EXPECT_EQ(h.Saved(), opened);
  EXPECT_FALSE(h.session.Modified());
}

TEST(EditHistory, UndoingAPropertyChangeGivesTheControlItsOldValuesBack) {
  History h;
  h.Make(ObjectKind::Label, {0, 0, 80, 80});
  h.Make(ObjectKind::Picture, {0, 0, 80, 80});
  const std::string before = h.Saved();
  h.Change("Text1", [](ShowNode& n) {
    auto& label = *n.ControlAs<C_Glasso>();
    label.SetCaption("欢迎光临");
    label.SetColor(0x0000FF);
  });
  h.Change("Image1", [](ShowNode& n) {
    auto& picture = *n.ControlAs<C_EffectBox>();
    picture.AddItem("a.jpg", "无效果", 5, 3);
    picture.AddItem("b.jpg", "向上", 6, 4);
  });
  ASSERT_EQ(h.session.History().Size(), 4u); // two objects made, two changed
  ASSERT_TRUE(h.session.Undo());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(h.Label("Text1").GetCaption(), "文字");
  EXPECT_EQ(h.Label("Text1").GetColor(), 0x00FF00);
  EXPECT_EQ(h.Node("Image1")->ControlAs<C_EffectBox>()->GetItemCount(), 0);
  EXPECT_EQ(h.Saved(), before);
  // The control made for the old values sits where the object was, shown on its current page.
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), (Rect{0, 0, 80, 80}));
  EXPECT_TRUE(h.Node("Text1")->control->IsWindowVisible());
  ASSERT_TRUE(h.session.Redo());
  ASSERT_TRUE(h.session.Redo());
  EXPECT_EQ(h.Label("Text1").GetCaption(), "欢迎光临");
  EXPECT_EQ(h.Node("Image1")->ControlAs<C_EffectBox>()->GetItemSource(2), "b.jpg");
  // A change of where an object is keeps its control.
  CControlWrapper* control = h.Node("Text1")->control.get();
  h.Change("Text1", [](ShowNode& n) { n.control->MoveWindow({20, 20, 100, 100}); });
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(h.Node("Text1")->control.get(), control);
  EXPECT_EQ(control->GetWindowRect(), (Rect{0, 0, 80, 80}));
}

TEST(EditHistory, UndoingADeleteBringsTheObjectBackInItsPlace) {
  History h;
  for (int i = 0; i < 3; ++i)
    h.Make(ObjectKind::Label, {i * 10, 0, i * 10 + 60, 60});
  h.session.NewPage(0);
  h.Make(ObjectKind::Clock, {0, 0, 60, 60});
  ASSERT_TRUE(h.session.Delete("Text2"));
  ASSERT_TRUE(h.session.Delete("Page2"));
  EXPECT_EQ(h.doc.Current(), h.doc.Root());
  ASSERT_TRUE(h.session.Undo());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(TestProject::Names(h.doc.Root()), (std::vector<std::string>{"Page1", "Page2"}));
  EXPECT_EQ(TestProject::Names(h.Node("Page1")),
            (std::vector<std::string>{"Text1", "Text2", "Text3"}));
  EXPECT_EQ(TestProject::Names(h.Node("Page2")), (std::vector<std::string>{"Timer1"}));
  EXPECT_EQ(h.Node("Text2")->control->GetWindowRect(), (Rect{10, 0, 70, 60}));
  // Restored nodes are not current by themselves: the windows choose what to show.
  EXPECT_EQ(h.doc.Current(), h.doc.Root());
  // Undoing the page that was made gives its number back with the counters.
  ASSERT_TRUE(h.session.Undo()); // Timer1
  ASSERT_TRUE(h.session.Undo()); // Page2
  EXPECT_EQ(h.session.Counters().frameCount, 1);
  EXPECT_EQ(h.session.Counters().clockCount, 0);
  EXPECT_EQ(h.Node("Page2"), nullptr);
}

TEST(EditHistory, OneGestureIsOneStep) {
  History h;
  h.Make(ObjectKind::Label, {0, 0, 80, 80});
  const size_t made = h.session.History().Size();
  // Typing into one field: every key is a change with the field's key.
  for (const char* text : {"a", "ab", "abc"})
    h.Change(
        "Text1", [&](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption(text); }, "field caption",
        true);
  EXPECT_EQ(h.session.History().Size(), made + 1);
  // Another field, then the first again: new steps.
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetColor(1); }, "field colour", true);
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("abcd"); }, "field caption",
      true);
  EXPECT_EQ(h.session.History().Size(), made + 3);
  // A key held down: the repeats join the first press; a new press is a new step.
  auto nudge = [&](bool repeat) {
    h.Change(
        "Text1",
        [](ShowNode& n) {
          Rect r = n.control->GetWindowRect();
          r.OffsetRect(1, 0);
          n.control->MoveWindow(r);
        },
        "nudge Text1", repeat);
  };
  nudge(false);
  for (int i = 0; i < 20; ++i)
    nudge(true);
  EXPECT_EQ(h.session.History().Size(), made + 4);
  nudge(false);
  EXPECT_EQ(h.session.History().Size(), made + 5);
  ASSERT_TRUE(h.session.Undo());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), (Rect{0, 0, 80, 80}));
  ASSERT_TRUE(h.session.Undo());
  ASSERT_TRUE(h.session.Undo());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(h.Label("Text1").GetCaption(), "文字");
  // A change that is taken back while typing leaves no step; one that changes nothing makes
  // none.
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("x"); }, "field c", true);
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("文字"); }, "field c", true);
  h.Change("Text1", [](ShowNode&) {});
  EXPECT_EQ(h.session.History().Size(), made);
  EXPECT_FALSE(h.session.CanRedo());
}

TEST(EditHistory, TheProjectIsModifiedWhenItIsNotAtTheSavedPoint) {
  History h;
  EXPECT_FALSE(h.session.Modified()); // Page1 of a new project is no change
  h.Make(ObjectKind::Label, {0, 0, 80, 80});
  EXPECT_TRUE(h.session.Modified());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_FALSE(h.session.Modified());
  ASSERT_TRUE(h.session.Redo());
  h.session.MarkSaved();
  EXPECT_FALSE(h.session.Modified());
  // Typing after the save does not join the step that was saved.
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("a"); }, "f", true);
  h.session.MarkSaved();
  h.Change(
      "Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("ab"); }, "f", true);
  EXPECT_TRUE(h.session.Modified());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_FALSE(h.session.Modified());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_TRUE(h.session.Modified());
  // A new change after undoing past the saved point: the saved state can never come back.
  h.Change("Text1", [](ShowNode& n) { n.ControlAs<C_Glasso>()->SetCaption("z"); });
  EXPECT_TRUE(h.session.Modified());
  ASSERT_TRUE(h.session.Undo());
  EXPECT_TRUE(h.session.Modified());
  // New and Open start a fresh history.
  h.doc.NewDocument();
  EXPECT_FALSE(h.session.Modified());
  EXPECT_FALSE(h.session.CanUndo());
  EXPECT_FALSE(h.session.CanRedo());
  h.Open("label.vrx");
  EXPECT_FALSE(h.session.Modified());
  h.session.NewPage(0); // a new page of an opened project is a change
  EXPECT_TRUE(h.session.Modified());
}

TEST(EditHistory, NothingIsRecordedOrUndoneWhileAShowPlays) {
  History h;
  h.Make(ObjectKind::Label, {0, 0, 80, 80});
  h.session.SetPlaying(true);
  EXPECT_FALSE(h.session.CanUndo());
  EXPECT_FALSE(h.session.Undo());
  h.Change("Text1", [](ShowNode& n) { n.control->MoveWindow({5, 5, 50, 50}); });
  h.session.SetPlaying(false);
  EXPECT_EQ(h.session.History().Size(), 1u);
  ASSERT_TRUE(h.session.Undo());
  EXPECT_EQ(h.Node("Text1"), nullptr);
}

TEST(EditHistory, AThousandStepsOnALargeShowKeepOnlyWhatTheyChanged) {
  History h;
  for (int i = 0; i < 4000; ++i)
    h.Make(ObjectKind::Label, {i % 600, i % 400, i % 600 + 60, i % 400 + 60});
  // Each object made keeps that object only.
  EXPECT_LT(h.session.History().Bytes(), size_t{8} << 20);
  h.doc.NewDocument();
  h.Open("all_kinds.vrx");
  const std::string opened = h.Saved();
  std::vector<std::string> names;
  for (const auto& object : h.doc.Root()->children.front()->children)
    names.push_back(object->name);
  for (int i = 0; i < 1000; ++i) {
    h.Change(names[i % names.size()], [i](ShowNode& n) {
      n.control->MoveWindow({i, i, i + 100, i + 100});
    });
  }
  EXPECT_EQ(h.session.History().Size(), 1000u);
  EXPECT_LT(h.session.History().Bytes(), size_t{4} << 20);
  while (h.session.Undo()) {
  }
  EXPECT_EQ(h.Saved(), opened);
}

TEST(EditHistory, TheOldestStepsGoWhenTheHistoryGrowsTooLarge) {
  EditHistory history;
  EditStep big;
  big.subtree.assign(EditHistory::kMaxBytes / 3 - 1000, 'x');
  history.Push(big, false);
  history.MarkSaved();
  history.Push(big, false);
  history.Push(big, false);
  EXPECT_EQ(history.Size(), 3u);
  history.Push(big, false); // the first goes: the saved state is now where the history starts
  EXPECT_EQ(history.Size(), 3u);
  EXPECT_LE(history.Bytes(), EditHistory::kMaxBytes);
  int undone = 0;
  while (history.Undoable()) {
    history.StepBack();
    ++undone;
    EXPECT_EQ(history.AtSavedPoint(), undone == 3);
  }
  EXPECT_EQ(undone, 3);
  // Once the step that led to the saved state is gone too, no state is the saved one.
  history.Push(big, false);
  history.Push(big, false);
  history.Push(big, false);
  history.Push(big, false);
  while (history.Undoable()) {
    EXPECT_FALSE(history.AtSavedPoint());
    history.StepBack();
  }
  EXPECT_FALSE(history.AtSavedPoint());
}

} // namespace

namespace {

TEST(EditHistory, UndoingFullScreenGivesTheToggleItsStateBack) {
  History h;
  h.Make(ObjectKind::Label, {10, 20, 110, 120});
  const Rect surface{0, 0, 640, 480};
  auto toggle = [&] {
    h.Change("Text1", [&](ShowNode& n) {
      n.control->MoveWindow(
          *h.session.Arrange(cmd::ArrangeFullScreen, n.control->GetWindowRect(), surface));
    });
  };
  toggle();
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), surface);
  ASSERT_TRUE(h.session.Undo());
  EXPECT_FALSE(h.session.FullScreen());
  // The next toggle enlarges again instead of going back to a rectangle already undone.
  toggle();
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), surface);
  toggle();
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), (Rect{10, 20, 110, 120}));
  ASSERT_TRUE(h.session.Undo());
  EXPECT_TRUE(h.session.FullScreen());
  EXPECT_EQ(h.Node("Text1")->control->GetWindowRect(), surface);
  ASSERT_TRUE(h.session.Redo());
  EXPECT_FALSE(h.session.FullScreen());
}

} // namespace
