#include "schedule/PageListTaskPlayer.h"

#include "app/ZyntraScr.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "playlist/Playback.h"

PageListTaskPlayer::PageListTaskPlayer(CZyntraScr& screen) : screen_(&screen) {}

void PageListTaskPlayer::OpenProject(const std::string& path) {
  if (!screen_ || !screen_->PageList()) return;
  // "default" is the document's word for "ask for a file"; a task names a file.
  screen_->PageList()->Document().OpenDocument(path == "default" ? "./default" : path);
}

Playback* PageListTaskPlayer::Engine() const {
  return screen_ && screen_->PageList() ? screen_->PageList()->Player() : nullptr;
}

void PageListTaskPlayer::SetPassCount(int32_t passes) {
  if (Playback* p = Engine()) p->playLoops = passes;
}

void PageListTaskPlayer::PlayAll() {
  if (screen_ && screen_->PageList()) screen_->PageList()->PlayAll();
}

void PageListTaskPlayer::StopQuietly() {
  if (screen_ && screen_->PageList()) screen_->PageList()->PlayStopQuiet();
}

bool PageListTaskPlayer::PlaybackEnded() const {
  Playback* p = Engine();
  return !p || p->playFinished;
}

void PageListTaskPlayer::ShowFirstPage() {
  if (!screen_ || !screen_->PageList()) return;
  const ShowNode* root = screen_->PageList()->Document().Root();
  if (!root) return;
  for (const auto& child : root->children) {
    if (child->IsPage()) {
      screen_->PageList()->SelectItemByText(child->name);
      return;
    }
  }
}
