#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/Scheduler.h"
#include "playlist/CoTask.h"
#include "playlist/PlayHost.h"
#include "playlist/PlayWindows.h"

class CZyntraDoc;
class Prompts;
struct ShowNode;

/// Playback of the project on the screen window: the commands play (4106), test (158), stop
/// (4107) and the requests 1025 to 1034, the play and test tasks, and the starting, stopping
/// and done rules of every object kind. Everything runs on the UI thread; the tasks are
/// cooperative (CoTask) and wait on the scheduler: pages for their time or in 200 ms polls,
/// objects for their motion.
///
/// The play task walks the pages `playLoops` times: for each page the background colour, the
/// page's objects started (one after another for a serial page, each when the previous is done;
/// all at once otherwise, then the page's time: TTL_Kind 1 waits `seconds`, 0 waits until every
/// object is done, other values go on at once), then the page's objects stopped except the
/// reserved ones. After each pass every page is cleaned up, so a pass leaves each object
/// stopped, hidden and at its design rectangle. The test task plays the current page the same
/// way without end. Stop ends the tasks at once (no request of theirs arrives afterwards) and
/// cleans up every page.
///
/// The page list (`CDPlayList`) owns one, made with its scheduler, document, itself as the
/// PlayWindows and the prompts, and hands its play, stop and test commands to OnCommand.
/// Playback answers its tasks' requests itself; a test may put a request target in front of it
/// to watch them. Destroy the Playback before the document's tree.
class Playback : public PlayHost {
public:
  /// Polling period of page and object completion, milliseconds.
  static constexpr int64_t kPollMs = 200;
  /// Passes of a play unless the schedule sets another count.
  static constexpr int32_t kEndlessLoops = 655320;

  /// Playback of the document `doc` on `windows`; messages go to `prompts`.
  Playback(Scheduler& scheduler, CZyntraDoc& doc, PlayWindows& windows, Prompts& prompts);
  Playback(const Playback&) = delete;
  Playback& operator=(const Playback&) = delete;
  /// Ends the tasks at once (without cleanup requests).
  ~Playback() override;

  /// Where the tasks send their requests (1025 to 1031); null or never set = this object.
  void SetRequestTarget(PlayHost* target) { requests_ = target ? target : this; }

  /// Command 4106: plays the project from its first page ("无内容可用于播放！" without pages,
  /// "请选中一个播放页！" without a current page; nothing while a task is set).
  void Play();
  /// Command 158: tests the current page ("无内容可用于预览!" without pages,
  /// "请选中一个播放页用于测试！" without a current page; nothing while a task is set).
  void TestPage();
  /// Command 4107: stops playing and shows the tool windows again; nothing while idle.
  void Stop();
  /// Handles the commands 4106, 4107 and 158; false for any other identifier.
  bool OnCommand(int32_t id);

  // PlayHost: the requests, handled here.
  void PlayStartObject(ShowNode& object) override;
  void PlayEndPage(ShowNode& page) override;
  void PlaySetBg(int32_t colour) override;
  void PlayPageDone(ShowNode& page) override;
  void PlayObjectDone(ShowNode& object) override;
  void PlayCleanupPage(ShowNode& page) override;
  void PlayMoveObject(CControlWrapper& control, const Rect& rect) override;
  void PlayTest() override { TestPage(); }
  void PlayAll() override;
  void PlayStopQuiet() override;

  /// True while a play or test task is set (running, or a play that has finished its passes
  /// and waits for a stop).
  bool Playing() const { return playThread != nullptr; }

  /// The running play or test task; null when none. Play and test do nothing while it is set.
  std::unique_ptr<CoTask> playThread;
  /// Number of passes over all pages (the schedule sets 1 or kEndlessLoops).
  int32_t playLoops = kEndlessLoops;
  /// False while the play task runs; true when its last pass has ended or it was stopped.
  bool playFinished = false;
  /// Answer of the last page-done request.
  bool pageDone = false;
  /// Answer of the last object-done request.
  bool objectDone = false;
  /// Objects that are both topmost and reserve, in start order, kept above the objects started
  /// later in the pass.
  std::vector<ShowNode*> reservedObjects;

  /// A page that starts or ends on the wall, for whoever keeps a record of what was shown.
  struct PageEvent {
    const ShowNode& page;
    int32_t pass; ///< 1 for the first pass (a test counts its rounds)
    bool test;    ///< shown by the test task
    bool start;   ///< started; else ended
    bool stopped; ///< an end by Stop, before the page's own end
  };
  /// Told when a page starts and when it ends (its time ran out, or Stop ended it); empty =
  /// nobody. It must not start or stop playing.
  std::function<void(const PageEvent&)> pageObserver;

private:
  enum class TaskKind { Play, Test };
  void Begin(TaskKind kind, bool hideToolWindows);
  void StopPlaying(bool showToolWindows);
  void StopObject(ShowNode& object);
  bool IsObjectDone(ShowNode& object);
  void RaiseReservedObjects();
  void EndMotions(ShowNode& node);
  void Message(const std::string& text);
  bool HasPages() const;
  bool HasCurrentPage() const;
  void PageStarted(ShowNode& page, int32_t pass, bool test);
  void PageEnded(bool stopped);

  CoTask PlayTask();
  CoTask TestTask(ShowNode& page);
  CoTask StartObjects(ShowNode& page, bool raiseReserved);
  CoTask WaitPageTime(ShowNode& page);

  Scheduler& scheduler_;
  CZyntraDoc& doc_;
  PlayWindows& windows_;
  Prompts& prompts_;
  PlayHost* requests_ = this;
  // The page shown now, for the page observer.
  ShowNode* shownPage_ = nullptr;
  int32_t shownPass_ = 0;
  bool shownTest_ = false;
};
