#include "dialogs/ParaGif.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/AniGif.h"
#include "dialogs/DataExchange.h"
#include "model/ShowNode.h"

CParaGif::CParaGif(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("GIF")) {
  setObjectName("paraGif");
  QGroupBox* position = AddPositionGroup(
      SizeOrder::WidthHeight, false,
      {QStringLiteral("X："), QStringLiteral("Y："), QStringLiteral("W："), QStringLiteral("H：")});

  file_ = AddEdit(1020);
  QPushButton* choose = AddFileButton(1001, QStringLiteral("选  择"), file_, "GIF 文件|*.gif",
                                      [this](const std::string& path) {
                                        File = path;
                                        if (auto* gif = ControlAs<C_AniGif>())
                                          gif->SetFileName(path);
                                      });
  reserve_ = AddReserveBox(1018, QStringLiteral("全局对象"));
  QAbstractButton* effects = AddEffectsButton(1003, QStringLiteral("进出屏"));

  // Present in the layout without the visible style; neither has an action.
  QPushButton* preview = AddButton(1002, QStringLiteral("预  览"));
  QPushButton* colour = AddButton(1051, QStringLiteral("背景颜色"));
  preview->setVisible(false);
  colour->setVisible(false);

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("文件：")), 1, 0);
  grid->addWidget(file_, 1, 1);
  grid->addWidget(choose, 1, 2);
  grid->addWidget(reserve_, 2, 0, 1, 2);
  grid->addWidget(effects, 2, 2);
  grid->addWidget(preview, 3, 0);
  grid->addWidget(colour, 3, 1);
}

void CParaGif::ReadObject() {
  const auto* gif = ControlAs<C_AniGif>();
  File = gif ? gif->GetFileName() : std::string();
  Reserve = Object()->reserve;
}

void CParaGif::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Text(file_, File);
  dx.Check(reserve_, Reserve);
}
