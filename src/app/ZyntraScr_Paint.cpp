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
  if (selectedWnd && showTracker) {
    const Rect r = selectedWnd->GetWindowRect();
    SurfacePaint::TrackerOutline(p, r);
    SurfacePaint::SelectionSquares(p, r);
  }
}

void CZyntraScr::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintSurface(p, true);
}
