#include "schedule/PageListTaskPlayer.h"

#include "app/ZyntraScr.h"
#include "model/ZyntraDoc.h"
#include "playlist/DPlayList.h"

PageListTaskPlayer::PageListTaskPlayer(CZyntraScr& screen) : screen_(&screen) {}

void PageListTaskPlayer::OpenProject(const std::string& path) {
  if (!screen_ || !screen_->pageList) return;
  // "default" is the document's word for "ask for a file"; a task names a file.
  screen_->pageList->Document().OpenDocument(path == "default" ? "./default" : path);
}

void PageListTaskPlayer::SetPassCount(int32_t passes) {
  if (screen_ && engine.setPlayLoops) engine.setPlayLoops(passes);
}

void PageListTaskPlayer::PlayAll() {
  if (screen_ && engine.playAll) engine.playAll();
}

void PageListTaskPlayer::StopQuietly() {
  if (screen_ && engine.playStopQuiet) engine.playStopQuiet();
}

bool PageListTaskPlayer::PlaybackEnded() const {
  if (!screen_ || !engine.playFinished) return true;
  return engine.playFinished();
}

void PageListTaskPlayer::ShowFirstPage() {
  if (!screen_ || !screen_->pageList) return;
  const ShowNode* root = screen_->pageList->Document().Root();
  if (!root) return;
  for (const auto& child : root->children) {
    if (child->IsPage()) {
      screen_->pageList->SelectItemByText(child->name);
      return;
    }
  }
}
