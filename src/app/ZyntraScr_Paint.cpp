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
  if (tracker && tracker->Dragging()) {
    tracker->DrawDragRect(p); // the rectangle follows the mouse; the window moves at the end
  } else if (selectedWnd && tracker && showTracker) {
    tracker->rect = selectedWnd->GetWindowRect();
    tracker->Draw(p);
    SurfacePaint::SelectionSquares(p, tracker->rect);
  }
}

void CZyntraScr::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintSurface(p, true);
}
