// A show played for 10,000 passes in virtual time: three pages (timed, serial, until done) with
// objects of every kind, moving and still, reserved and topmost. Nothing may pile up: the same
// controls, nodes and timers after the show as before it, a bounded number of timers while it
// plays, and no growth of the heap between an early pass and the last.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <malloc.h>
#include <string>
#include <vector>

#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "base/VirtualScheduler.h"
#include "model/ZyntraDoc.h"
#include "playlist/MotionTask.h"
#include "playlist/Playback.h"
#include "support/FakeControls.h"
#include "support/RecordingPageList.h"
#include "support/ScriptedPrompts.h"

#if defined(__SANITIZE_ADDRESS__)
#define ZYNTRA_SOAK_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZYNTRA_SOAK_ASAN 1
#endif
#endif
#ifdef ZYNTRA_SOAK_ASAN
// From the sanitizer runtime (its header does not come with every compiler).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int kPasses = 10000;

// Bytes the program has allocated and not freed.
size_t HeapInUse() {
#ifdef ZYNTRA_SOAK_ASAN
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

// The windows around the play surface, small so that effects take few steps.
class SmallScreen : public PlayWindows {
public:
  void ShowToolWindows(bool) override {}
  void DropSelection() override {}
  void SetPlaying(bool) override {}
  void SetBackground(int32_t) override {}
  void Repaint() override {}
  void ShowPageForDesign(ShowNode&) override {}
  int32_t ScreenWidth() const override { return 24; }
  int32_t ScreenHeight() const override { return 16; }
  std::string ProgramTitle() const override { return "同步屏播放系统"; }
};

// The page list in front of playback: passes every request on and counts the passes.
class PassCounter : public PlayHost {
public:
  explicit PassCounter(Playback& playback) : next_(playback) {}
  void PlayStartObject(ShowNode& o) override { next_.PlayStartObject(o); }
  void PlayEndPage(ShowNode& p) override { next_.PlayEndPage(p); }
  void PlaySetBg(int32_t c) override { next_.PlaySetBg(c); }
  void PlayPageDone(ShowNode& p) override { next_.PlayPageDone(p); }
  void PlayObjectDone(ShowNode& o) override { next_.PlayObjectDone(o); }
  void PlayCleanupPage(ShowNode& p) override {
    next_.PlayCleanupPage(p);
    if (p.parent && &p == p.parent->children.front().get()) ++passes;
  }
  void PlayMoveObject(CControlWrapper& c, const Rect& r) override {
    next_.PlayMoveObject(c, r);
    ++moves;
  }
  void PlayTest() override { next_.PlayTest(); }
  void PlayAll() override { next_.PlayAll(); }
  void PlayStopQuiet() override { next_.PlayStopQuiet(); }

  int passes = 0;
  int moves = 0; // effect steps moved through the page list (styles 9 to 19)

private:
  Playback& next_;
};

struct Show {
  VirtualScheduler scheduler;
  FakeControlFactory factory;
  ScriptedPrompts prompts;
  RecordingPageList pageList;
  CZyntraDoc doc{pageList, factory, prompts};
  SmallScreen screen;
  Playback playback{scheduler, doc, screen, prompts};
  PassCounter counter{playback};
  int pages = 0;

  Show() {
    pageList.Attach(doc, prompts);
    playback.SetRequestTarget(&counter);
    doc.NewDocument();
  }

  // The first call sets up Page1 of the new project, later calls add pages.
  ShowNode* Page(int ttlKind, int seconds, bool serial) {
    if (pages++ > 0) pageList.NewPage();
    ShowNode* page = doc.Current();
    page->frame->TTL_Kind = ttlKind;
    page->frame->seconds = seconds;
    page->frame->ybPlay = serial;
    return page;
  }

  // An object of the kind at a small rectangle; `in`/`out` > 0 make it move.
  ShowNode* Add(ObjectKind kind, int in = 0, int out = 0) {
    const int n = static_cast<int>(factory.creations.size());
    ShowNode* node = pageList.CreateObject(kind, Rect{2 + n % 8, 3 + n % 5, 6 + n % 8, 6 + n % 5});
    if (in > 0 || out > 0) {
      node->actionStyle = 1;
      node->inStyle = in;
      node->inSpeed = 1;
      node->delayTime = 0;
      node->preOutDelay = 30;
      node->outStyle = out;
      node->outSpeed = 2;
    }
    return node;
  }

  static void Preset(ShowNode* node, int32_t dispid, Variant value) {
    FakeControlFactory::Of(node->control->Control())->props[dispid] = std::move(value);
  }

  int Nodes(const ShowNode& node) const {
    int n = 1;
    for (const auto& child : node.children)
      n += Nodes(*child);
    return n;
  }

  int RunningMotions() const {
    int n = 0;
    for (const auto& page : doc.Root()->children)
      for (const auto& object : page->children)
        if (object->actionThread && object->actionThread->Running()) ++n;
    return n;
  }

  // The fakes write down every call; a soak forgets them now and then.
  void ForgetTraces() {
    for (FakeControl* fake : factory.Live()) {
      fake->calls.clear();
      fake->trace.clear();
    }
    pageList.log.clear();
  }
};

} // namespace

TEST(Soak, TenThousandPassesLeaveNothingBehind) {
  Show show;
  // A timed page of 1 s, objects all at once.
  show.Page(1, 1, false);
  ShowNode* clock = show.Add(ObjectKind::Clock);
  clock->topmost = clock->reserve = true;
  show.Add(ObjectKind::Picture, 9, 9);
  show.Add(ObjectKind::Label);
  show.Add(ObjectKind::Gif, 1, 4);
  // A serial page: each object when the one before is done.
  show.Page(1, 1, true);
  Show::Preset(show.Add(ObjectKind::Exe), C_DoExe::kFinished, Variant::FromBool(true));
  show.Add(ObjectKind::Flash, 5, 8);
  show.Add(ObjectKind::Label, 16, 19)->topmost = true;
  // A page that lasts until its objects are done.
  show.Page(0, 0, false);
  ShowNode* movie = show.Add(ObjectKind::Movie);
  Show::Preset(movie, C_MPlayer::kFileName, Variant::FromString("广告.avi"));
  Show::Preset(movie, C_MPlayer::kPlayCount, Variant::FromI4(1));
  Show::Preset(movie, C_MPlayer::kPlayState, Variant::FromI4(0));
  Show::Preset(show.Add(ObjectKind::RtfText, 12, 13), C_RtfText::kFinished,
               Variant::FromBool(true));
  Show::Preset(show.Add(ObjectKind::Clock), C_Clock::kFinished, Variant::FromBool(true));
  ShowNode* picture = show.Add(ObjectKind::Picture, 3, 2);
  picture->reserve = true;
  Show::Preset(picture, C_EffectBox::kFinished, Variant::FromBool(true));
  ASSERT_EQ(show.doc.Root()->children.size(), 3u);

  std::vector<Rect> design;
  for (FakeControl* fake : show.factory.Live())
    design.push_back(fake->GetWindowRect());
  const size_t controls = show.factory.LiveCount();
  const int nodes = show.Nodes(*show.doc.Root());
  const size_t timers = show.scheduler.pending();
  ASSERT_EQ(controls, 11u);

  const auto started = std::chrono::steady_clock::now();
  show.playback.playLoops = kPasses;
  show.playback.PlayAll();
  size_t earlyMaxTimers = 0, maxTimers = 0, earlyHeap = 0;
  int forgotten = 0;
  while (!show.playback.playFinished) {
    show.scheduler.advance(250);
    maxTimers = std::max(maxTimers, show.scheduler.pending());
    if (show.counter.passes < 100) earlyMaxTimers = maxTimers;
    if (show.counter.passes >= forgotten + 100) {
      show.ForgetTraces();
      forgotten = show.counter.passes;
      if (forgotten == 1000) earlyHeap = HeapInUse();
    }
    ASSERT_LE(show.counter.passes, kPasses);
  }
  EXPECT_EQ(show.counter.passes, kPasses);
  // Four objects move through the page list in each pass, a few steps each.
  EXPECT_GT(show.counter.moves, 4 * kPasses);
  EXPECT_TRUE(show.prompts.messages.empty()) << show.prompts.Texts();
  EXPECT_EQ(maxTimers, earlyMaxTimers) << "timers pile up while playing";
  show.ForgetTraces();
  const size_t lateHeap = HeapInUse();
  EXPECT_LT(lateHeap, earlyHeap + 64 * 1024)
      << "the heap grew from " << earlyHeap << " to " << lateHeap << " bytes";

  show.playback.Stop();
  EXPECT_EQ(show.factory.LiveCount(), controls);
  EXPECT_EQ(show.Nodes(*show.doc.Root()), nodes);
  EXPECT_EQ(show.scheduler.pending(), timers);
  EXPECT_EQ(show.RunningMotions(), 0);
  EXPECT_TRUE(show.playback.reservedObjects.empty());
  const std::vector<FakeControl*> live = show.factory.Live();
  for (size_t i = 0; i < live.size(); ++i) {
    EXPECT_FALSE(live[i]->IsWindowVisible()) << i;
    EXPECT_EQ(live[i]->GetWindowRect(), design[i]) << i;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  RecordProperty("seconds", std::to_string(seconds));
  RecordProperty("virtual_hours", std::to_string(show.scheduler.now() / 3600000.0));
  RecordProperty("heap_at_pass_1000", std::to_string(earlyHeap));
  RecordProperty("heap_at_the_end", std::to_string(lateHeap));
  RecordProperty("timers_at_most", std::to_string(maxTimers));
}
