#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlaybackTestSupport.h"
#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "playlist/MotionTask.h"

using namespace playtest;
using Lines = std::vector<std::string>;

namespace {

class PlaybackTest : public ::testing::Test {
protected:
  PlayRig rig;
  Playback& playback = rig.playback;
  Surface& surface = rig.surface;
  VirtualScheduler& scheduler = rig.scheduler;

  Lines Requests() const { return surface.With("req "); }
  void PlayOnce() {
    playback.playLoops = 1;
    playback.PlayAll();
  }
};

TEST_F(PlaybackTest, CommandsWithoutPagesOrCurrentPageOnlyShowTheirMessage) {
  struct Case {
    bool withPage;
    bool pageCurrent;
    void (Playback::*command)();
    const char* text;
  };
  const Case cases[] = {
      {false, false, &Playback::Play, "无内容可用于播放！"},
      {false, false, &Playback::PlayAll, "无内容可用于播放！"},
      {false, false, &Playback::TestPage, "无内容可用于预览!"},
      {true, false, &Playback::Play, "请选中一个播放页！"},
      {true, false, &Playback::TestPage, "请选中一个播放页用于测试！"},
  };
  for (const Case& c : cases) {
    PlayRig r;
    if (c.withPage) r.AddPage("Page1", 1, 5);
    r.doc.SetCurrent(c.pageCurrent ? r.doc.Root()->children[0].get() : r.doc.Root());
    (r.playback.*c.command)();
    ASSERT_EQ(r.prompts.messages.size(), 1u) << c.text;
    EXPECT_EQ(r.prompts.messages[0].text, c.text);
    EXPECT_EQ(r.prompts.messages[0].caption, "同步播放系统");
    EXPECT_EQ(r.prompts.messages[0].icon, PromptIcon::Exclamation);
    EXPECT_FALSE(r.playback.Playing());
    EXPECT_TRUE(r.surface.log.empty()) << r.surface.log.front();
  }
  // Play all needs no current page.
  PlayRig r;
  r.AddPage("Page1", 2, 5);
  r.doc.SetCurrent(r.doc.Root());
  r.playback.PlayAll();
  EXPECT_TRUE(r.playback.Playing());
  EXPECT_TRUE(r.prompts.messages.empty());
}

TEST_F(PlaybackTest, PagesWithoutTimeEndAtOnceAndAPassCleansEveryPageUp) {
  rig.AddPage("Page1", 0, 5, false, 255);   // no objects: done at the first question
  rig.AddPage("Page2", 1, 0, false, 65280); // 0 seconds
  rig.AddPage("Page3", 7, 5, false, 1);     // any other kind goes on at once
  PlayOnce();
  scheduler.advance(0);
  EXPECT_EQ(scheduler.now(), 0);
  EXPECT_TRUE(playback.playFinished);
  EXPECT_EQ(Requests(),
            (Lines{"0 req 1027 255", "0 req 1028 Page1", "0 req 1026 Page1", "0 req 1027 65280",
                   "0 req 1026 Page2", "0 req 1027 1", "0 req 1026 Page3", "0 req 1030 Page1",
                   "0 req 1030 Page2", "0 req 1030 Page3"}));
  EXPECT_EQ(rig.doc.PlayingPage()->name, "Page3");
  EXPECT_TRUE(rig.windows.playing) << "a finished play still counts as playing";
}

TEST_F(PlaybackTest, PlayAfterTheTaskHasFinishedDoesNothingUntilAStop) {
  ShowNode* page = rig.AddPage("Page1", 1, 1);
  rig.AddObject(page, ObjectKind::Label, "Text1");
  playback.playLoops = 2;
  playback.Play();
  EXPECT_FALSE(rig.windows.toolWindowsShown);
  EXPECT_FALSE(playback.playFinished);
  scheduler.advance(2000);
  EXPECT_TRUE(playback.playFinished);
  EXPECT_EQ(Requests().size(), 2u * 4u);

  surface.log.clear();
  playback.Play();
  playback.PlayAll();
  playback.TestPage();
  scheduler.advance(5000);
  EXPECT_TRUE(surface.log.empty());

  playback.Stop();
  EXPECT_FALSE(playback.Playing());
  EXPECT_TRUE(rig.windows.toolWindowsShown);
  playback.Play();
  EXPECT_TRUE(playback.Playing());
  EXPECT_FALSE(playback.playFinished);
}

TEST_F(PlaybackTest, PlayHidesTheToolWindowsAndTheCurrentPageThenStartsItsObjects) {
  ShowNode* page = rig.AddPage("Page1", 1, 2, false, 99);
  rig.AddObject(page, ObjectKind::Label, "Text1");
  rig.C("Text1").ShowWindow(true);
  surface.log.clear();
  playback.Play();
  EXPECT_EQ(surface.log, (Lines{"0 tools hide", "0 drop selection", "0 Text1 hide", "0 playing on",
                                "0 req 1027 99", "0 bg 99", "0 req 1025 Text1", "0 Text1 show"}));
}

TEST_F(PlaybackTest, SerialPageStartsEachObjectWhenThePreviousIsDone) {
  ShowNode* page = rig.AddPage("Page1", 1, 60, true);
  ShowNode* first = rig.AddObject(page, ObjectKind::Label, "Text1");
  PlayRig::Animate(first, 0, 0, 1, 0, 0);          // done after its 1 s hold
  rig.AddObject(page, ObjectKind::Label, "Text2"); // shown only: done at once
  rig.AddObject(page, ObjectKind::Label, "Text3");
  PlayOnce();
  scheduler.advance(1000);
  EXPECT_EQ(Requests(), (Lines{"0 req 1027 0", "0 req 1025 Text1", "0 req 1029 Text1",
                               "200 req 1029 Text1", "400 req 1029 Text1", "600 req 1029 Text1",
                               "800 req 1029 Text1", "1000 req 1029 Text1", "1000 req 1025 Text2",
                               "1000 req 1029 Text2", "1000 req 1025 Text3", "1000 req 1029 Text3",
                               "1000 req 1026 Page1", "1000 req 1030 Page1"}))
      << "a serial page ends with its last object, whatever its page time";
}

TEST_F(PlaybackTest, PageOfKindZeroWaitsForEveryObjectInPolls) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1");
  PlayRig::Animate(text, 0, 0, 0, 0, 0);
  text->preInDelay = 150;
  text->preOutDelay = 300; // done at 450
  PlayOnce();
  scheduler.advance(1000);
  EXPECT_EQ(surface.With("req 102"),
            (Lines{"0 req 1027 0", "0 req 1025 Text1", "0 req 1028 Page1", "200 req 1028 Page1",
                   "400 req 1028 Page1", "600 req 1028 Page1", "600 req 1026 Page1"}));
}

TEST_F(PlaybackTest, InStyleFourAtSpeedZeroSlidesInFromTheLeftAndIsBackAfterThePass) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1", {10, 20, 30, 30});
  PlayRig::Animate(text, 4, 0, 0, 3, 0); // in from the left, out to the left
  PlayOnce();
  scheduler.advance(0);
  Lines moves = surface.With("Text1 move");
  ASSERT_EQ(moves.size(), 1u + 30u + 30u) << "all steps at once at speed 0";
  EXPECT_EQ(moves[0], "0 Text1 move -20,20,0,30");
  for (int k = 1; k <= 30; ++k) {
    EXPECT_EQ(moves[k], "0 Text1 move " + Str({-20 + k, 20, k, 30}));
  }
  EXPECT_EQ(moves[31], "0 Text1 move 9,20,29,30");  // first out step
  EXPECT_EQ(moves[60], "0 Text1 move -20,20,0,30"); // last out step
  EXPECT_TRUE(surface.With("req 1031").empty()) << "styles 1 to 8 move the window directly";
  EXPECT_FALSE(rig.C("Text1").visible()) << "hidden after out style 3";
  scheduler.advance(200); // the next poll finds the page done
  EXPECT_TRUE(playback.playFinished);
  EXPECT_EQ(surface.With("Text1 move").back(), "200 Text1 move 10,20,30,30");
  EXPECT_EQ(rig.C("Text1").rect(), (Rect{10, 20, 30, 30}));
  EXPECT_FALSE(rig.C("Text1").visible());
  EXPECT_EQ(text->savedRect, (Rect{10, 20, 30, 30}));
  EXPECT_TRUE(text->actionDone);
}

TEST_F(PlaybackTest, EffectStepsAreDueOnDeadlinesFromTheirStart) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1", {10, 20, 30, 30});
  PlayRig::Animate(text, 1, 5, 1, 0, 0); // 60 steps upwards at 5 ms, 1 s hold
  text->preInDelay = 100;
  PlayOnce();
  surface.log.clear(); // play hid the page's objects
  scheduler.advance(100 + 300 + 1000 - 1);
  Lines moves = surface.With("Text1 move");
  ASSERT_EQ(moves.size(), 61u);
  EXPECT_EQ(moves[0], "100 Text1 move 10,80,30,90");
  EXPECT_EQ(moves[1], "100 Text1 move 10,79,30,89");
  EXPECT_EQ(moves[2], "105 Text1 move 10,78,30,88");
  EXPECT_EQ(moves[60], "395 Text1 move 10,20,30,30");
  EXPECT_FALSE(text->actionDone);
  EXPECT_TRUE(surface.With("Text1 hide").empty()) << "out style 0 leaves the object shown";
  scheduler.advance(1);
  EXPECT_TRUE(text->actionDone) << "60 steps at 5 ms end at 400, the hold at 1400";
  EXPECT_EQ(surface.With("req 1026"), (Lines{"1400 req 1026 Page1"}));
}

TEST_F(PlaybackTest, StylesNineToNineteenMoveThroughThePageList) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1", {10, 20, 30, 30});
  PlayRig::Animate(text, 10, 10, 0, 12, 10);
  PlayOnce();
  surface.log.clear();
  scheduler.advance(0);
  EXPECT_EQ(surface.log,
            (Lines{"0 req 1031 10,24,30,26", "0 Text1 move 10,24,30,26", "0 Text1 show",
                   "0 req 1031 10,23,30,27", "0 Text1 move 10,23,30,27"}));
  scheduler.advance(1000);
  Lines moves = surface.With("req 1031");
  ASSERT_EQ(moves.size(), 1u + 4u + 9u);
  EXPECT_EQ(moves[4], "30 req 1031 10,20,30,30");
  EXPECT_EQ(moves[5], "40 req 1031 10,20,30,29");
  EXPECT_EQ(moves[13], "120 req 1031 10,20,30,21");
  EXPECT_EQ(surface.With("Text1 hide").front(), "130 Text1 hide") << "hidden after out style 12";
}

TEST_F(PlaybackTest, MovieWithInStyleFiveIsNeverShownByItsMotion) {
  ShowNode* page = rig.AddPage("Page1", 1, 1);
  ShowNode* movie = rig.AddObject(page, ObjectKind::Movie, "Video1");
  PlayRig::Animate(movie, 5, 0, 0, 0, 0);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1");
  PlayRig::Animate(text, 5, 0, 0, 0, 0);
  PlayOnce();
  scheduler.advance(500);
  EXPECT_TRUE(surface.With("Video1 show").empty());
  EXPECT_EQ(surface.With("Text1 show").size(), 1u);
}

TEST_F(PlaybackTest, TopmostReservedObjectPlaysOnAcrossPagesAboveLaterObjects) {
  ShowNode* page1 = rig.AddPage("Page1", 1, 1);
  ShowNode* logo = rig.AddObject(page1, ObjectKind::Picture, "Image1");
  logo->topmost = logo->reserve = true;
  rig.AddObject(page1, ObjectKind::Label, "Text1");
  ShowNode* page2 = rig.AddPage("Page2", 1, 1);
  ShowNode* banner = rig.AddObject(page2, ObjectKind::Label, "Text2");
  banner->topmost = true;
  rig.AddObject(page2, ObjectKind::Label, "Text3");
  PlayOnce();
  scheduler.advance(1500);
  EXPECT_TRUE(rig.C("Image1").visible());
  EXPECT_FALSE(rig.C("Text1").visible());
  EXPECT_TRUE(surface.With("Image1 call 0x6003000C").empty()) << "not stopped with its page";
  ASSERT_EQ(playback.reservedObjects.size(), 1u);
  EXPECT_EQ(playback.reservedObjects[0], logo);
  EXPECT_EQ(surface.TopDown(), (Lines{"Image1", "Text2", "Text3", "Text1"}));

  scheduler.advance(500);
  EXPECT_TRUE(playback.playFinished);
  EXPECT_EQ(surface.With("Image1 call 0x6003000C"), (Lines{"2000 Image1 call 0x6003000C"}));
  EXPECT_FALSE(rig.C("Image1").visible());
  EXPECT_TRUE(playback.reservedObjects.empty());
}

TEST_F(PlaybackTest, StopInTheMiddleOfAMotionEndsEverythingAtOnce) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1", {10, 20, 30, 30});
  PlayRig::Animate(text, 1, 10, 5, 2, 10);
  ShowNode* zoom = rig.AddObject(page, ObjectKind::Picture, "Image1", {40, 10, 80, 50});
  PlayRig::Animate(zoom, 9, 10, 5, 9, 10);
  zoom->reserve = true;
  playback.Play();
  scheduler.advance(105);
  ASSERT_FALSE(text->actionDone);
  ASSERT_NE(rig.C("Text1").rect(), (Rect{10, 20, 30, 30}));
  surface.log.clear();

  playback.Stop();
  EXPECT_EQ(surface.log,
            (Lines{"105 playing off", "105 req 1026 Page1", "105 Text1 hide", "105 req 1030 Page1",
                   "105 Text1 move 10,20,30,30", "105 Image1 call 0x6003000C", "105 Image1 hide",
                   "105 Image1 move 40,10,80,50", "105 design Page1", "105 tools show"}));
  EXPECT_TRUE(text->actionDone);
  EXPECT_TRUE(zoom->actionDone);
  EXPECT_FALSE(text->actionThread->Running());
  EXPECT_TRUE(playback.playFinished);
  EXPECT_FALSE(playback.Playing());
  EXPECT_FALSE(rig.windows.playing);
  EXPECT_EQ(scheduler.pending(), 0u) << "no task is left waiting";
  surface.log.clear();
  scheduler.advance(60000);
  EXPECT_TRUE(surface.log.empty());

  // Stopping while idle does nothing.
  playback.Stop();
  EXPECT_TRUE(surface.log.empty());
}

TEST_F(PlaybackTest, StopFromInsideARequestSendsNothingMore) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  ShowNode* text = rig.AddObject(page, ObjectKind::Label, "Text1");
  PlayRig::Animate(text, 3, 10, 5, 0, 0);
  rig.AddObject(page, ObjectKind::Label, "Text2");
  int pageQuestions = 0;
  rig.requests.after = [&](int32_t request) {
    if (request == 1028 && ++pageQuestions == 2) rig.requests.PlayStopQuiet();
  };
  playback.PlayAll();
  scheduler.advance(200);
  EXPECT_FALSE(playback.Playing());
  EXPECT_EQ(surface.With("tools"), Lines{}) << "play all and stop quietly leave the tool windows";
  Lines after = surface.log;
  scheduler.advance(60000);
  EXPECT_EQ(surface.log, after);
  EXPECT_EQ(scheduler.pending(), 0u);
}

TEST_F(PlaybackTest, TestTaskRepeatsTheCurrentPageWithoutEnd) {
  ShowNode* page1 = rig.AddPage("Page1", 1, 1);
  rig.AddObject(page1, ObjectKind::Label, "Text1");
  ShowNode* page2 = rig.AddPage("Page2", 1, 1, false, 77);
  ShowNode* topmost = rig.AddObject(page2, ObjectKind::Label, "Text2");
  topmost->topmost = topmost->reserve = true;
  rig.doc.SetCurrent(page2);
  playback.TestPage();
  scheduler.advance(3500);
  EXPECT_EQ(Requests(), (Lines{"0 req 1025 Text2", "1000 req 1026 Page2", "1000 req 1030 Page2",
                               "1000 req 1025 Text2", "2000 req 1026 Page2", "2000 req 1030 Page2",
                               "2000 req 1025 Text2", "3000 req 1026 Page2", "3000 req 1030 Page2",
                               "3000 req 1025 Text2"}));
  EXPECT_EQ(rig.doc.PlayingPage(), page2);
  EXPECT_FALSE(rig.windows.toolWindowsShown);
  EXPECT_LE(playback.reservedObjects.size(), 1u);
  playback.Stop();
  EXPECT_EQ(surface.With("req 1026").back(), "3500 req 1026 Page2");
}

TEST_F(PlaybackTest, TestOfAPageWithoutTimeRepeatsOncePerPoll) {
  ShowNode* page = rig.AddPage("Page1", 0, 5);
  rig.AddObject(page, ObjectKind::Label, "Text1");
  rig.doc.SetCurrent(page);
  playback.TestPage();
  scheduler.advance(1000);
  EXPECT_EQ(surface.With("req 1025").size(), 6u); // 0, 200, … 1000
}

TEST_F(PlaybackTest, EachKindStartsAndStopsThroughItsControl) {
  struct Case {
    ObjectKind kind;
    std::map<int32_t, Variant> props;
    Lines start; // what the start request does to the control, after the z-order
    Lines stop;  // what the end of the page does
  };
  const Case cases[] = {
      {ObjectKind::Picture, {}, {"show", "call 0x6003000B"}, {"call 0x6003000C", "hide"}},
      {ObjectKind::Clock,
       {{C_Clock::kStyle, Variant::FromI2(1)}},
       {"show", "call 0x6003001E", "put 0x68030000=True"},
       {"hide"}},
      {ObjectKind::Clock,
       {{C_Clock::kStyle, Variant::FromI2(2)}},
       {"show", "put 0x68030000=True"},
       {"hide"}},
      {ObjectKind::Movie, {}, {"show"}, {"call 0x7D3", "hide"}},
      {ObjectKind::Movie,
       {{C_MPlayer::kFileName, Variant::FromString("a.avi")}},
       {"show", "put 0x403=0", "call 0x7D1"},
       {"call 0x7D3", "hide"}},
      {ObjectKind::Flash, {}, {"show", "call 0x70"}, {"call 0x71", "hide"}},
      {ObjectKind::Gif, {}, {"show"}, {"hide"}},
      {ObjectKind::Exe, {}, {"show", "hide", "call 0x5"}, {"call 0x6", "hide"}},
      {ObjectKind::Label, {}, {"show"}, {"hide"}},
      {ObjectKind::RtfText,
       {},
       {"show", "call 0x6003000B", "call 0x60030009"},
       {"call 0x6003000A", "hide"}},
  };
  for (const Case& c : cases) {
    PlayRig r;
    ShowNode* page = r.AddPage("Page1", 1, 1);
    ShowNode* node = r.AddObject(page, c.kind, "Obj");
    r.C("Obj").props = c.props;
    auto strip = [](Lines lines) {
      for (std::string& l : lines)
        l = l.substr(l.find(' ') + 5); // drop "<time> Obj "
      return lines;
    };
    r.playback.PlayStartObject(*node);
    EXPECT_EQ(strip(r.surface.With("Obj")), c.start) << static_cast<int>(c.kind);
    r.surface.log.clear();
    r.playback.PlayEndPage(*page);
    EXPECT_EQ(strip(r.surface.With("Obj")), c.stop) << static_cast<int>(c.kind);
  }
}

TEST_F(PlaybackTest, ObjectDoneRuleOfEachKind) {
  struct Case {
    ObjectKind kind;
    std::map<int32_t, Variant> props;
    bool actionDone;
    bool done;
  };
  const Variant yes = Variant::FromBool(true);
  const Case cases[] = {
      {ObjectKind::Picture, {{C_EffectBox::kFinished, yes}}, true, true},
      {ObjectKind::Picture, {{C_EffectBox::kFinished, yes}}, false, false},
      {ObjectKind::Picture, {}, true, false},
      {ObjectKind::Clock, {{C_Clock::kFinished, yes}}, true, true},
      {ObjectKind::Clock, {}, true, false},
      {ObjectKind::Movie, {}, false, true}, // no file: done at once
      {ObjectKind::Movie,
       {{C_MPlayer::kFileName, Variant::FromString("a.avi")},
        {C_MPlayer::kPlayCount, Variant::FromI4(2)},
        {C_MPlayer::kPlayState, Variant::FromI4(0)}},
       false,
       true},
      {ObjectKind::Movie,
       {{C_MPlayer::kFileName, Variant::FromString("a.avi")},
        {C_MPlayer::kPlayCount, Variant::FromI4(2)},
        {C_MPlayer::kPlayState, Variant::FromI4(3)}},
       true,
       false},
      {ObjectKind::Movie, {{C_MPlayer::kFileName, Variant::FromString("a.avi")}}, true, true},
      {ObjectKind::Movie, {{C_MPlayer::kFileName, Variant::FromString("a.avi")}}, false, false},
      {ObjectKind::Flash, {}, true, true},
      {ObjectKind::Gif, {}, false, false},
      {ObjectKind::Label, {}, true, true},
      {ObjectKind::Exe, {{C_DoExe::kFinished, yes}}, false, true},
      {ObjectKind::Exe, {}, true, false},
      {ObjectKind::RtfText, {{C_RtfText::kFinished, yes}}, true, true},
      {ObjectKind::RtfText, {{C_RtfText::kFinished, yes}}, false, false},
  };
  for (const Case& c : cases) {
    PlayRig r;
    ShowNode* page = r.AddPage("Page1", 0, 1);
    ShowNode* node = r.AddObject(page, c.kind, "Obj");
    r.C("Obj").props = c.props;
    node->actionDone = c.actionDone;
    r.playback.objectDone = !c.done;
    r.playback.PlayObjectDone(*node);
    EXPECT_EQ(r.playback.objectDone, c.done) << static_cast<int>(c.kind);
    r.playback.pageDone = !c.done;
    r.playback.PlayPageDone(*page);
    EXPECT_EQ(r.playback.pageDone, c.done) << static_cast<int>(c.kind);
    EXPECT_TRUE(r.prompts.messages.empty());
  }
}

TEST_F(PlaybackTest, UnknownPageAndObjectKindsAreReported) {
  ShowNode* page = rig.AddPage("Page1", 2, 1);
  playback.pageDone = true;
  playback.PlayPageDone(*page);
  EXPECT_FALSE(playback.pageDone);
  ShowNode* odd = rig.AddObject(page, static_cast<ObjectKind>(127), "Odd");
  playback.objectDone = true;
  playback.PlayObjectDone(*odd);
  EXPECT_FALSE(playback.objectDone);
  ASSERT_EQ(rig.prompts.messages.size(), 2u);
  EXPECT_EQ(rig.prompts.messages[0].text, "没有这种帧的播放类型！");
  EXPECT_EQ(rig.prompts.messages[1].text, "没有这种对象！");
}

TEST_F(PlaybackTest, ObjectWithAnotherActionStyleStartsButIsNeverShown) {
  ShowNode* page = rig.AddPage("Page1", 1, 1);
  ShowNode* pic = rig.AddObject(page, ObjectKind::Picture, "Image1");
  pic->actionStyle = 2;
  PlayOnce();
  scheduler.advance(500);
  EXPECT_EQ(surface.With("Image1"),
            (Lines{"0 Image1 hide", "0 req 1025 Image1", "0 Image1 call 0x6003000B"}));
  EXPECT_EQ(pic->actionThread, nullptr);
}

TEST_F(PlaybackTest, RequestNumbersAndNames) {
  EXPECT_EQ(static_cast<int>(PlayRequest::WM_PLAY_START_OBJECT), 1025);
  EXPECT_EQ(static_cast<int>(PlayRequest::WM_PLAY_MOVE_OBJECT), 1031);
  EXPECT_EQ(static_cast<int>(PlayRequest::WM_PLAY_STOP_QUIET), 1034);
  EXPECT_STREQ(PlayRequestName(PlayRequest::WM_PLAY_CLEANUP_PAGE), "WM_PLAY_CLEANUP_PAGE");
  EXPECT_STREQ(PlayRequestName(static_cast<PlayRequest>(1035)), "");
  EXPECT_EQ(Playback::kEndlessLoops, 0x9FFD8);
  EXPECT_EQ(playback.playLoops, 655320);
  EXPECT_TRUE(playback.OnCommand(4107));
  EXPECT_FALSE(playback.OnCommand(4108));
}

} // namespace

TEST_F(PlaybackTest, PageObserverHearsEveryStartAndEndWithItsPassAndHowItEnded) {
  rig.AddPage("Page1", 1, 2);
  ShowNode* page2 = rig.AddPage("Page2", 1, 3);
  Lines events;
  playback.pageObserver = [&](const Playback::PageEvent& e) {
    events.push_back(std::to_string(scheduler.now()) + " " + (e.start ? "start " : "end ") +
                     e.page.name + " " + std::to_string(e.pass) + (e.test ? " test" : "") +
                     (e.stopped ? " stopped" : ""));
  };
  playback.playLoops = 2;
  playback.PlayAll();
  scheduler.advance(7000); // the second pass is in Page1 until 7000, then Page2
  playback.Stop();
  playback.Stop(); // nothing plays: nothing more to tell
  EXPECT_EQ(events, (Lines{"0 start Page1 1", "2000 end Page1 1", "2000 start Page2 1",
                           "5000 end Page2 1", "5000 start Page1 2", "7000 end Page1 2",
                           "7000 start Page2 2", "7000 end Page2 2 stopped"}));

  // A finished play has told every end already; its stop adds nothing. A test counts rounds.
  events.clear();
  playback.playLoops = 1;
  playback.PlayAll();
  scheduler.advance(5000);
  EXPECT_TRUE(playback.playFinished);
  playback.Stop();
  EXPECT_EQ(events, (Lines{"7000 start Page1 1", "9000 end Page1 1", "9000 start Page2 1",
                           "12000 end Page2 1"}));
  events.clear();
  rig.doc.SetCurrent(page2);
  playback.TestPage();
  scheduler.advance(4000);
  playback.Stop();
  EXPECT_EQ(events, (Lines{"12000 start Page2 1 test", "15000 end Page2 1 test",
                           "15000 start Page2 2 test", "16000 end Page2 2 test stopped"}));
}
