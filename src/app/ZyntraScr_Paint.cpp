#include <QPainter>

#include "app/SurfacePaint.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

void CZyntraScr::PaintSurface(QPainter& p, bool design) {
  SurfacePaint::Background(p, size(), settings_.BgColor);
  if (!design || playing_) return;
  if (settings_.ShowGrid) SurfacePaint::Grid(p, size(), settings_.BgColor, settings_.GridWidth);
  if (pageList_) {
    ShowNode* page = pageList_->Document().Current();
    if (page && page->IsPage()) {
      for (auto& object : page->children) {
        if (!object->unlocked && object->control && object->control->HasWindow())
          SurfacePaint::FrozenFrame(p, object->control->GetWindowRect());
      }
    }
  }
  CControlWrapper* selected = SelectedWindow();
  if (selected && tracker_ && showTracker_ && !tracker_->Dragging()) {
    tracker_->rect = selected->GetWindowRect();
    tracker_->Draw(p);
    SurfacePaint::SelectionSquares(p, tracker_->rect);
  }
}

void CZyntraScr::UpdateDragFrame() {
  Rect r = tracker_ && tracker_->Dragging() ? tracker_->rect : Rect{};
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
  if (!dragFrame_ || !tracker_) return;
  QPainter p(dragFrame_);
  p.translate(-dragFrame_->pos());
  tracker_->DrawDragRect(p);
}

void CZyntraScr::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintSurface(p, true);
}
