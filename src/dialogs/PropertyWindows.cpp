#include "dialogs/PropertyWindows.h"

#include "app/ZyntraScr.h"
#include "dialogs/PARARTFTEXT.h"
#include "dialogs/ParaClock.h"
#include "dialogs/ParaExe.h"
#include "dialogs/ParaFlash.h"
#include "dialogs/ParaGif.h"
#include "dialogs/ParaLabel.h"
#include "dialogs/ParaMovie.h"
#include "dialogs/ParaPicture.h"
#include "dialogs/ParaScreen.h"
#include "model/ObjectKind.h"

QWidget* CreatePropertyWindow(int code, CZyntraScr& screen) {
  switch (code) {
  case 120: return new CParaScreen(screen);
  case KindValue(ObjectKind::Picture): return new CParaPicture(screen);
  case KindValue(ObjectKind::Clock): return new CParaClock(screen);
  case KindValue(ObjectKind::Movie): return new CParaMovie(screen);
  case KindValue(ObjectKind::Flash): return new CParaFlash(screen);
  case KindValue(ObjectKind::Gif): return new CParaGif(screen);
  case KindValue(ObjectKind::Exe): return new CParaExe(screen);
  case KindValue(ObjectKind::Label): return new CParaLabel(screen);
  case KindValue(ObjectKind::RtfText): return new CPARARTFTEXT(screen);
  default: return nullptr;
  }
}
