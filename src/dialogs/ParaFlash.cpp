#include "dialogs/ParaFlash.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/ShockwaveFlash.h"
#include "dialogs/DataExchange.h"
#include "model/ShowNode.h"

CParaFlash::CParaFlash(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("FLASH动画")) {
  setObjectName("paraFlash");
  QGroupBox* position = AddPositionGroup(SizeOrder::WidthHeight);

  // The path is shown; typing in it applies nothing, only the chooser sets the movie.
  file_ = AddEdit(1020);
  QPushButton* browse = AddFileButton(1001, QStringLiteral("..."), file_, "FLASH 文件|*.swf",
                                      [this](const std::string& path) {
                                        File = path;
                                        if (auto* flash = ControlAs<C_ShockwaveFlash>())
                                          flash->SetMovie(path);
                                      });

  loop_ = AddCheck(1017, QStringLiteral("重复播放"));
  OnClick(loop_, [this] {
    if (auto* flash = ControlAs<C_ShockwaveFlash>()) flash->SetLoop(Loop);
  });

  // The Flash test button keeps its caption: the movie's own picture shows whether it plays.
  QPushButton* test = AddButton(1002, QStringLiteral("测 试"));
  OnClick(test, [this] {
    previewing_ = !previewing_;
    if (auto* flash = ControlAs<C_ShockwaveFlash>()) flash->SetPlaying(previewing_);
  });

  // Present in the layout without the visible style; their handlers are wired all the same.
  QAbstractButton* effects = AddEffectsButton(1003, QStringLiteral("进出屏"));
  reserve_ = AddReserveBox(1018, QStringLiteral("全局对象"));
  QPushButton* colour = AddButton(1051, QStringLiteral("背景颜色")); // has no action
  for (QWidget* hidden : {static_cast<QWidget*>(effects), static_cast<QWidget*>(reserve_),
                          static_cast<QWidget*>(colour)})
    hidden->setVisible(false);

  QPushButton* ok = AddOkButton();

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 4);
  grid->addWidget(AddLabel(QStringLiteral("文件：")), 1, 0);
  grid->addWidget(file_, 1, 1, 1, 2);
  grid->addWidget(browse, 1, 3);
  grid->addWidget(loop_, 2, 0, 1, 2);
  grid->addWidget(test, 3, 0);
  grid->addWidget(ok, 3, 3);
  grid->addWidget(effects, 4, 0);
  grid->addWidget(reserve_, 4, 1);
  grid->addWidget(colour, 4, 2);
}

void CParaFlash::ReadObject() {
  const auto* flash = ControlAs<C_ShockwaveFlash>();
  File = flash ? flash->GetMovie() : std::string();
  Loop = flash && flash->GetLoop();
  Reserve = Object()->reserve;
}

void CParaFlash::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Text(file_, File);
  dx.Check(loop_, Loop);
  dx.Check(reserve_, Reserve);
}
