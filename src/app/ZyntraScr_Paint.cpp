#include <QPainter>

#include "app/SurfacePaint.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "playlist/DPlayList.h"

void CZyntraScr::PaintSurface(QPainter& p, bool design) {
  SurfacePaint::Background(p, size(), settings.BgColor);
  if (!design || playing) return;
  if (settings.ShowGrid) SurfacePaint::Grid(p, size(), settings.BgColor, settings.GridWidth);
  if (pageList) {
    ShowNode* page = pageList->Document().Current();
    if (page && page->IsPage()) {
      for (auto& object : page->children) {
        if (!object->unlocked && object->control && object->control->HasWindow())
          SurfacePaint::FrozenFrame(p, object->control->GetWindowRect());
      }
    }
  }
  if (selectedWnd && tracker && showTracker && !tracker->Dragging()) {
    tracker->rect = selectedWnd->GetWindowRect();
    tracker->Draw(p);
    SurfacePaint::SelectionSquares(p, tracker->rect);
  }
}

void CZyntraScr::UpdateDragFrame() {
  Rect r = tracker && tracker->Dragging() ? tracker->rect : Rect{};
  r.NormalizeRect();
  if (r.IsEmpty()) {
    if (dragFrame_) dragFrame_->hide();
    return;
  }
  if (!dragFrame_) {
    dragFrame_ = new QWidget(this);
    dragFrame_->setObjectName("trackerFrame");
    dragFrame_->setAttribute(Qt::WA_TransparentForMouseEvents);
  }
  dragFrame_->setGeometry(r.left, r.top, r.Width(), r.Height());
  dragFrame_->raise();
  dragFrame_->show();
  dragFrame_->update();
}

void CZyntraScr::PaintDragFrame() {
  if (!dragFrame_ || !tracker) return;
  QPainter p(dragFrame_);
  p.translate(-dragFrame_->pos());
  tracker->DrawDragRect(p);
}

void CZyntraScr::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintSurface(p, true);
}
