#include <QAction>
#include <QMenu>

#include <memory>

#include "app/CommandIds.h"
#include "app/ZyntraScr.h"
#include "model/ShowNode.h"

QMenu* CZyntraScr::BuildContextMenu(QWidget* parent) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("surfaceMenu");
  auto add = [menu](const char* text, int command) {
    QAction* a = menu->addAction(QString::fromUtf8(text));
    a->setData(command);
  };
  if (!playing_) {
    add(CurrentNode() && CurrentNode()->visible ? "隐藏(&H)" : "显示(&V)", cmd::SurfaceHideShow);
    if (SelectedWindow()) {
      add(CurrentNode() && CurrentNode()->unlocked ? "冻结(&L)" : "解冻(&U)", cmd::SurfaceFreeze);
      add("全屏切换", cmd::SurfaceFullScreen);
      add("删除(&D)", cmd::SurfaceDelete);
      menu->addSeparator();
      add("参数设置(&R)", cmd::SurfaceProperties);
      menu->addSeparator();
    }
    add("测试当前页(&V)", cmd::SurfaceTest);
    add("播放节目(&P)", cmd::SurfacePlay);
  } else {
    add("停止(&S)", cmd::SurfaceStop);
  }
  menu->addSeparator();
  add("退出系统(&X)", cmd::SurfaceExit);
  return menu;
}

void CZyntraScr::ShowContextMenu(const QPoint& globalPos) {
  if (!menuEnabled_) return;
  std::unique_ptr<QMenu> menu(BuildContextMenu(this));
  QAction* chosen = menu->exec(globalPos);
  const int command = chosen ? chosen->data().toInt() : 0;
  menu.reset();
  // The menu was opened from a press on the surface or on an object's window, whose events are
  // still being delivered: the command (a delete destroys that window) runs once they are over.
  if (command) {
    QMetaObject::invokeMethod(
        this, [this, command] { SurfaceCommand(command); }, Qt::QueuedConnection);
  }
}
