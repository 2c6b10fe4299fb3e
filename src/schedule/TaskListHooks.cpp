#include "schedule/TaskListHooks.h"

#include <QGuiApplication>
#include <QScreen>

#include "qt/DesktopWindow.h"
#include "app/ZyntraScr.h"
#include "app/DPlayList.h"
#include "schedule/DlgPterm.h"
#include "schedule/PageListTaskPlayer.h"

namespace {

// Hides the screen window's tool windows while a task list dialog is open and brings back
// those that were visible when it closes.
std::function<void(bool)> MainWindowsToggle(CZyntraScr& screen) {
  struct Hidden {
    QPointer<QWidget> windows[3];
  };
  auto hidden = std::make_shared<Hidden>();
  QPointer<CZyntraScr> guard(&screen);
  return [guard, hidden](bool shown) {
    if (!guard) return;
    if (!shown) {
      QWidget* windows[3] = {guard->ToolBar(), guard->PageList(), guard->OpenPropertyWindow()};
      for (int i = 0; i < 3; ++i) {
        hidden->windows[i] = windows[i] && windows[i]->isVisible() ? windows[i] : nullptr;
        if (hidden->windows[i]) hidden->windows[i]->hide();
      }
      guard->SetMenuEnabled(false);
    } else {
      for (auto& window : hidden->windows) {
        if (window) window->show();
        window = nullptr;
      }
      guard->SetMenuEnabled(true);
    }
  };
}

} // namespace

std::shared_ptr<PageListTaskPlayer> InstallTaskList(CZyntraScr& screen) {
  const AppServices& services = screen.Services();
  if (!services.prompts || !services.scheduler || !services.clock || !screen.PageList())
    return nullptr;
  auto player = std::make_shared<PageListTaskPlayer>(screen);
  QPointer<CZyntraScr> guard(&screen);

  screen.PageList()->SetTaskListOpener([guard, player] {
    if (!guard) return;
    const AppServices& s = guard->Services();
    CDlgPterm dialog(*s.prompts, *s.scheduler, *s.clock, *player, guard);
    dialog.mainWindowsShown = MainWindowsToggle(*guard);
    dialog.exec();
  });

  screen.SetTaskListOpener([guard, player](const std::string& path) {
    if (!guard) return;
    const AppServices& s = guard->Services();
    auto* dialog = new CDlgPterm(*s.prompts, *s.scheduler, *s.clock, *player, guard);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(dialog, &QDialog::finished, dialog, &QObject::deleteLater);
    // The dialog keeps its player for as long as it lives, whichever hook goes first.
    QObject::connect(dialog, &QObject::destroyed, [player] {});
    dialog->mainWindowsShown = MainWindowsToggle(*guard);
    dialog->PlayFile(path);
    // The top-left corner at the left edge of the display, 50 pixels above its bottom.
    QScreen* display = QGuiApplication::primaryScreen();
    const QRect area = display ? display->geometry() : QRect(0, 0, 1024, 768);
    MoveByFrame(dialog, QPoint(area.x(), area.y() + area.height() - 50));
  });
  return player;
}
