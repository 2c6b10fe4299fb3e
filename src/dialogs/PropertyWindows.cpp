#include "dialogs/PropertyWindows.h"

#include "app/ZyntraScr.h"
#include "dialogs/ParaClock.h"
#include "dialogs/ParaLabel.h"
#include "dialogs/ParaPicture.h"
#include "model/ObjectKind.h"

QWidget* CreatePropertyWindow(int code, CZyntraScr& screen) {
  switch (code) {
  case 120: return nullptr; // screen and page: CParaScreen
  case KindValue(ObjectKind::Picture): return new CParaPicture(screen);
  case KindValue(ObjectKind::Clock): return new CParaClock(screen);
  case KindValue(ObjectKind::Movie): return nullptr; // CParaMovie
  case KindValue(ObjectKind::Flash): return nullptr; // CParaFlash
  case KindValue(ObjectKind::Gif): return nullptr;   // CParaGif
  case KindValue(ObjectKind::Exe): return nullptr;   // CParaExe
  case KindValue(ObjectKind::Label): return new CParaLabel(screen);
  case KindValue(ObjectKind::RtfText): return nullptr; // CPARARTFTEXT
  default: return nullptr;
  }
}
