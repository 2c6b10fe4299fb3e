#include "dialogs/ParaExe.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>

#include "controls/DoExe.h"

CParaExe::CParaExe(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("程序")) {
  setObjectName("paraExe");
  QGroupBox* position = AddPositionGroup(SizeOrder::WidthHeight);

  QStyle* look = QApplication::style();
  QToolButton* edit = AddIconButton(1001, QStringLiteral("编  辑"),
                                    look->standardIcon(QStyle::SP_FileDialogDetailedView));
  // The list lives in the control; its own editor changes it in place.
  OnClick(edit, [this] {
    if (auto* exe = ControlAs<C_DoExe>()) exe->EditList();
  });
  QAbstractButton* test = AddTestButton(
      1002, QStringLiteral("测  试"),
      [this] {
        if (auto* exe = ControlAs<C_DoExe>()) exe->Run();
      },
      [this] {
        if (auto* exe = ControlAs<C_DoExe>()) exe->Stop();
      },
      look->standardIcon(QStyle::SP_MediaPlay));
  QPushButton* ok = AddOkButton();

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 3);
  grid->addWidget(edit, 1, 0);
  grid->addWidget(test, 1, 1);
  grid->addWidget(ok, 1, 2, Qt::AlignBottom);
}
