#include "playlist/Playback.h"

#include "controls/AniGif.h"
#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "controls/ShockwaveFlash.h"
#include "base/Prompts.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "playlist/MotionTask.h"

namespace {

constexpr const char* kNothingToPlay = "无内容可用于播放！";
constexpr const char* kSelectPage = "请选中一个播放页！";
constexpr const char* kNothingToPreview = "无内容可用于预览!";
constexpr const char* kSelectPageToTest = "请选中一个播放页用于测试！";
constexpr const char* kNoSuchPageType = "没有这种帧的播放类型！";
constexpr const char* kNoSuchObject = "没有这种对象！";

void ShowWindow(ShowNode& node, bool show) {
  if (node.control) node.control->ShowWindow(show);
}

} // namespace

Playback::Playback(Scheduler& scheduler, CZyntraDoc& doc, PlayWindows& windows, Prompts& prompts)
    : scheduler_(scheduler), doc_(doc), windows_(windows), prompts_(prompts) {}

Playback::~Playback() {
  playThread.reset();
  if (doc_.Root()) EndMotions(*doc_.Root());
}

// ---- Commands ----------------------------------------------------------------------------

bool Playback::HasPages() const { return doc_.Root() && !doc_.Root()->children.empty(); }

bool Playback::HasCurrentPage() const {
  return doc_.Current() && doc_.Current() != doc_.Root() && doc_.Current()->IsPage();
}

void Playback::Message(const std::string& text) {
  prompts_.MessageBox(text, windows_.ProgramTitle(), PromptButtons::Ok, PromptIcon::Exclamation);
}

void Playback::Play() {
  if (!HasPages()) return Message(kNothingToPlay);
  if (!HasCurrentPage()) return Message(kSelectPage);
  if (playThread) return;
  Begin(TaskKind::Play, true);
}

void Playback::PlayAll() {
  if (!HasPages()) return Message(kNothingToPlay);
  if (playThread) return;
  Begin(TaskKind::Play, false);
}

void Playback::TestPage() {
  if (!HasPages()) return Message(kNothingToPreview);
  if (!HasCurrentPage()) return Message(kSelectPageToTest);
  if (playThread) return;
  Begin(TaskKind::Test, true);
}

void Playback::Stop() { StopPlaying(true); }

void Playback::PlayStopQuiet() { StopPlaying(false); }

bool Playback::OnCommand(int32_t id) {
  switch (static_cast<PlayCommand>(id)) {
  case PlayCommand::Play: Play(); return true;
  case PlayCommand::Stop: Stop(); return true;
  case PlayCommand::TestPage: TestPage(); return true;
  }
  return false;
}

void Playback::Begin(TaskKind kind, bool hideToolWindows) {
  if (hideToolWindows) windows_.ShowToolWindows(false);
  windows_.DropSelection();
  if (HasCurrentPage()) {
    for (auto& object : doc_.Current()->children)
      ShowWindow(*object, false);
  }
  windows_.SetPlaying(true);
  playThread =
      std::make_unique<CoTask>(kind == TaskKind::Play ? PlayTask() : TestTask(*doc_.Current()));
  playThread->Start();
}

void Playback::StopPlaying(bool showToolWindows) {
  if (!playThread) return;
  playThread.reset(); // ends the task at once, even from inside one of its own requests
  PageEnded(true);
  windows_.SetPlaying(false);
  playFinished = true;
  if (ShowNode* page = doc_.PlayingPage()) requests_->PlayEndPage(*page);
  ShowNode* root = doc_.Root();
  if (root) {
    for (size_t i = 0; i < root->children.size(); ++i) {
      requests_->PlayCleanupPage(*root->children[i]);
    }
    EndMotions(*root); // none should be left; no motion may outlive a stop
  }
  reservedObjects.clear();
  if (HasCurrentPage()) windows_.ShowPageForDesign(*doc_.Current());
  if (showToolWindows) windows_.ShowToolWindows(true);
}

void Playback::EndMotions(ShowNode& node) {
  if (node.actionThread && node.actionThread->Running()) {
    node.actionThread->Stop();
    node.actionDone = true;
  }
  for (auto& child : node.children)
    EndMotions(*child);
}

// ---- Tasks -------------------------------------------------------------------------------
// A request may end the task (a stop from a nested event loop); the task then returns at once.

CoTask Playback::PlayTask() {
  std::shared_ptr<CoTaskState> state = co_await CurrentTaskState{};
  playFinished = false;
  ShowNode* root = doc_.Root();
  for (int32_t pass = 0; pass < playLoops && root; ++pass) {
    const int64_t passStart = scheduler_.now();
    for (size_t i = 0; i < root->children.size(); ++i) {
      ShowNode& page = *root->children[i];
      if (!page.frame) continue;
      doc_.SetPlayingPage(&page);
      PageStarted(page, pass + 1, false);
      requests_->PlaySetBg(page.frame->bg);
      if (state->cancelled) co_return;
      co_await StartObjects(page, true);
      if (state->cancelled) co_return;
      if (!page.frame->ybPlay) co_await WaitPageTime(page);
      if (state->cancelled) co_return;
      PageEnded(false);
      requests_->PlayEndPage(page);
      if (state->cancelled) co_return;
    }
    reservedObjects.clear();
    for (size_t i = 0; i < root->children.size(); ++i) {
      requests_->PlayCleanupPage(*root->children[i]);
      if (state->cancelled) co_return;
    }
    // A pass of pages that take no time still lets the event loop run before the next one.
    if (scheduler_.now() == passStart) co_await WaitFor(scheduler_, 0);
  }
  playFinished = true;
}

CoTask Playback::TestTask(ShowNode& page) {
  std::shared_ptr<CoTaskState> state = co_await CurrentTaskState{};
  doc_.SetPlayingPage(&page);
  if (!page.frame) co_return;
  for (int32_t round = 1;; ++round) {
    const int64_t start = scheduler_.now();
    PageStarted(page, round, true);
    co_await StartObjects(page, false);
    if (state->cancelled) co_return;
    co_await WaitPageTime(page);
    if (state->cancelled) co_return;
    PageEnded(false);
    requests_->PlayEndPage(page);
    if (state->cancelled) co_return;
    requests_->PlayCleanupPage(page);
    if (state->cancelled) co_return;
    reservedObjects.clear();
    // A page that takes no time is repeated once per poll period, not in a busy loop.
    if (scheduler_.now() == start) co_await WaitFor(scheduler_, kPollMs);
  }
}

CoTask Playback::StartObjects(ShowNode& page, bool raiseReserved) {
  std::shared_ptr<CoTaskState> state = co_await CurrentTaskState{};
  const bool serial = page.frame->ybPlay;
  for (size_t i = 0; i < page.children.size(); ++i) {
    ShowNode& object = *page.children[i];
    requests_->PlayStartObject(object);
    if (state->cancelled) co_return;
    if (!serial) continue;
    if (raiseReserved) RaiseReservedObjects();
    objectDone = false;
    for (;;) {
      requests_->PlayObjectDone(object);
      if (state->cancelled || objectDone) break;
      co_await WaitFor(scheduler_, kPollMs);
    }
    if (state->cancelled) co_return;
  }
  if (!serial && raiseReserved) RaiseReservedObjects();
}

CoTask Playback::WaitPageTime(ShowNode& page) {
  std::shared_ptr<CoTaskState> state = co_await CurrentTaskState{};
  switch (page.frame->TTL_Kind) {
  case 1: co_await WaitFor(scheduler_, static_cast<int64_t>(page.frame->seconds) * 1000); break;
  case 0:
    pageDone = false;
    for (;;) {
      requests_->PlayPageDone(page);
      if (state->cancelled || pageDone) break;
      co_await WaitFor(scheduler_, kPollMs);
    }
    break;
  default: break;
  }
}

void Playback::RaiseReservedObjects() {
  for (ShowNode* object : reservedObjects) {
    if (object->control) object->control->BringToTop();
  }
}

void Playback::PageStarted(ShowNode& page, int32_t pass, bool test) {
  shownPage_ = &page;
  shownPass_ = pass;
  shownTest_ = test;
  if (pageObserver) pageObserver(PageEvent{page, pass, test, true, false});
}

void Playback::PageEnded(bool stopped) {
  ShowNode* page = shownPage_;
  if (!page) return;
  shownPage_ = nullptr;
  if (pageObserver) pageObserver(PageEvent{*page, shownPass_, shownTest_, false, stopped});
}

// ---- Requests ----------------------------------------------------------------------------

void Playback::PlayStartObject(ShowNode& object) {
  CControlWrapper* window = object.control.get();
  if (window) {
    if (object.topmost)
      window->SetTopmost(true);
    else
      window->BringToTop();
  }
  if (object.topmost && object.reserve) reservedObjects.push_back(&object);

  if (object.actionStyle == 1) {
    object.actionThread = std::make_shared<MotionTask>(
        scheduler_, *requests_, object, windows_.ScreenWidth(), windows_.ScreenHeight());
    object.actionThread->Start();
  } else if (object.actionStyle == 0) {
    ShowWindow(object, true);
  }

  switch (object.type) {
  case ObjectKind::Picture:
    if (auto* c = object.ControlAs<C_EffectBox>()) c->Start();
    break;
  case ObjectKind::Clock:
    if (auto* c = object.ControlAs<C_Clock>()) {
      int16_t style = c->GetStyle();
      if (style == 0 || style == 1) c->Reset();
      c->SetPlay(true);
    }
    break;
  case ObjectKind::Movie:
    if (auto* c = object.ControlAs<C_MPlayer>(); c && !c->GetFileName().empty()) {
      c->SetCurrentPosition(0.0);
      c->Play();
    }
    break;
  case ObjectKind::Flash:
    if (auto* c = object.ControlAs<C_ShockwaveFlash>()) c->Play();
    break;
  case ObjectKind::Exe:
    if (auto* c = object.ControlAs<C_DoExe>()) {
      c->ShowWindow(false);
      c->Run();
    }
    break;
  case ObjectKind::RtfText:
    if (auto* c = object.ControlAs<C_RtfText>()) {
      c->Prepare();
      c->Start();
    }
    break;
  default: break; // Gif and Label need nothing
  }
}

void Playback::StopObject(ShowNode& object) {
  if (object.actionStyle == 1 && !object.actionDone) {
    if (object.actionThread) object.actionThread->Stop();
    object.actionDone = true;
  }
  switch (object.type) {
  case ObjectKind::Picture:
    if (auto* c = object.ControlAs<C_EffectBox>()) c->Stop();
    break;
  case ObjectKind::Movie:
    if (auto* c = object.ControlAs<C_MPlayer>()) c->Stop();
    break;
  case ObjectKind::Flash:
    if (auto* c = object.ControlAs<C_ShockwaveFlash>()) c->Stop();
    break;
  case ObjectKind::Exe:
    if (auto* c = object.ControlAs<C_DoExe>()) c->Stop();
    break;
  case ObjectKind::RtfText:
    if (auto* c = object.ControlAs<C_RtfText>()) c->Stop();
    break;
  default: break; // Clock, Gif and Label need nothing
  }
  ShowWindow(object, false);
}

bool Playback::IsObjectDone(ShowNode& object) {
  switch (object.type) {
  case ObjectKind::Picture: {
    auto* c = object.ControlAs<C_EffectBox>();
    return c && c->GetFinished() && object.actionDone;
  }
  case ObjectKind::Clock: {
    auto* c = object.ControlAs<C_Clock>();
    return c && c->GetFinished() && object.actionDone;
  }
  case ObjectKind::Movie: {
    auto* c = object.ControlAs<C_MPlayer>();
    if (!c || c->GetFileName().empty()) return true;
    if (c->GetPlayCount() != 0) return c->GetPlayState() == 0;
    return object.actionDone;
  }
  case ObjectKind::Flash:
  case ObjectKind::Gif:
  case ObjectKind::Label: return object.actionDone;
  case ObjectKind::Exe: {
    auto* c = object.ControlAs<C_DoExe>();
    return c && c->GetFinished();
  }
  case ObjectKind::RtfText: {
    auto* c = object.ControlAs<C_RtfText>();
    return c && c->GetFinished() && object.actionDone;
  }
  default: Message(kNoSuchObject); return false;
  }
}

void Playback::PlayEndPage(ShowNode& page) {
  for (size_t i = 0; i < page.children.size(); ++i) {
    ShowNode& object = *page.children[i];
    if (!object.reserve) StopObject(object);
  }
}

void Playback::PlaySetBg(int32_t colour) { windows_.SetBackground(colour); }

void Playback::PlayPageDone(ShowNode& page) {
  if (!page.frame || page.frame->TTL_Kind != 0) {
    pageDone = false;
    Message(kNoSuchPageType);
    return;
  }
  bool done = true;
  for (size_t i = 0; i < page.children.size() && done; ++i) {
    done = IsObjectDone(*page.children[i]);
  }
  pageDone = done;
}

void Playback::PlayObjectDone(ShowNode& object) { objectDone = IsObjectDone(object); }

void Playback::PlayCleanupPage(ShowNode& page) {
  for (size_t i = 0; i < page.children.size(); ++i) {
    ShowNode& object = *page.children[i];
    if (object.reserve) StopObject(object);
    if (object.control && object.control->IsWindowVisible()) object.control->ShowWindow(false);
    if (object.actionStyle == 1 && object.actionThread && object.control) {
      object.control->MoveWindow(object.savedRect);
      windows_.Repaint();
    }
  }
}

void Playback::PlayMoveObject(CControlWrapper& control, const Rect& rect) {
  control.MoveWindow(rect);
  windows_.Repaint();
}
