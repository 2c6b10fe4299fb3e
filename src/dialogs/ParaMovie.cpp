#include "dialogs/ParaMovie.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/MPlayer.h"
#include "dialogs/DataExchange.h"
#include "model/ShowNode.h"

CParaMovie::CParaMovie(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("电影")) {
  setObjectName("paraMovie");
  QGroupBox* position = AddPositionGroup(SizeOrder::HeightWidth);

  file_ = AddEdit(1014);
  OnEdit(file_, [this] {
    if (auto* player = ControlAs<C_MPlayer>()) player->SetFileName(FileName);
  });
  QPushButton* browse =
      AddFileButton(1001, QStringLiteral("..."), file_, "", [this](const std::string& path) {
        FileName = path;
        if (auto* player = ControlAs<C_MPlayer>()) player->SetFileName(path);
      });

  count_ = AddEdit(1020);
  AttachUpDown(count_, 1070, 1, 100);
  OnEdit(count_, [this] {
    if (auto* player = ControlAs<C_MPlayer>()) player->SetPlayCount(PlayCount);
    Repeat = PlayCount == 0;
    repeat_->setChecked(Repeat); // a programmatic check runs no handler
  });

  repeat_ = AddCheck(1017, QStringLiteral("重复播放"));
  OnClick(repeat_, [this] {
    // Endless is count 0; leaving endless play goes back to a single run, whatever was shown.
    PlayCount = Repeat ? 0 : 1;
    if (auto* player = ControlAs<C_MPlayer>()) player->SetPlayCount(PlayCount);
    UpdateData(false);
  });

  QAbstractButton* test = AddTestButton(
      1002, QStringLiteral("测 试"),
      [this] {
        if (auto* player = ControlAs<C_MPlayer>()) player->Play();
      },
      [this] {
        if (auto* player = ControlAs<C_MPlayer>()) player->Stop();
      });

  // Present in the layout without the visible style; their handlers are wired all the same.
  QAbstractButton* effects = AddEffectsButton(1003, QStringLiteral("进出屏"));
  reserve_ = AddReserveBox(1018, QStringLiteral("全局对象"));
  QPushButton* hideMovie = AddButton(1004, QStringLiteral("Button4"));
  OnClick(hideMovie, [this] {
    if (CControlWrapper* wrapper = Wrapper()) wrapper->ShowWindow(false);
  });
  for (QWidget* hidden : {static_cast<QWidget*>(effects), static_cast<QWidget*>(reserve_),
                          static_cast<QWidget*>(hideMovie)})
    hidden->setVisible(false);

  QPushButton* ok = AddOkButton();

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 4);
  grid->addWidget(AddLabel(QStringLiteral("电影文件：")), 1, 0);
  grid->addWidget(file_, 1, 1, 1, 2);
  grid->addWidget(browse, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("播放次数:")), 2, 0);
  auto* countBox = new QHBoxLayout;
  countBox->setSpacing(0);
  countBox->addWidget(count_);
  countBox->addWidget(Control(1070));
  grid->addLayout(countBox, 2, 1);
  grid->addWidget(repeat_, 2, 2, 1, 2);
  grid->addWidget(test, 3, 0);
  grid->addWidget(ok, 3, 3);
  grid->addWidget(effects, 4, 0);
  grid->addWidget(reserve_, 4, 1);
  grid->addWidget(hideMovie, 4, 2);
}

void CParaMovie::ReadObject() {
  const auto* player = ControlAs<C_MPlayer>();
  FileName = player ? player->GetFileName() : std::string();
  PlayCount = player ? player->GetPlayCount() : 0;
  Repeat = PlayCount == 0;
  Reserve = Object()->reserve;
}

void CParaMovie::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Text(file_, FileName);
  dx.Int(count_, PlayCount);
  dx.Check(repeat_, Repeat);
  dx.Check(reserve_, Reserve);
}
