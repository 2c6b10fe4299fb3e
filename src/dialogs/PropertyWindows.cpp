#include "dialogs/PropertyWindows.h"

#include "app/ZyntraScr.h"
#include "model/ObjectKind.h"

QWidget* CreatePropertyWindow(int code, CZyntraScr& screen) {
  (void)screen;
  switch (code) {
  case 120: return nullptr;                            // screen and page: CParaScreen
  case KindValue(ObjectKind::Picture): return nullptr; // CParaPicture
  case KindValue(ObjectKind::Clock): return nullptr;   // CParaClock
  case KindValue(ObjectKind::Movie): return nullptr;   // CParaMovie
  case KindValue(ObjectKind::Flash): return nullptr;   // CParaFlash
  case KindValue(ObjectKind::Gif): return nullptr;     // CParaGif
  case KindValue(ObjectKind::Exe): return nullptr;     // CParaExe
  case KindValue(ObjectKind::Label): return nullptr;   // CParaLabel
  case KindValue(ObjectKind::RtfText): return nullptr; // CPARARTFTEXT
  default: return nullptr;
  }
}
