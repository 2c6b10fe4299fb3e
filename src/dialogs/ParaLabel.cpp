#include "dialogs/ParaLabel.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/Glasso.h"
#include "dialogs/DataExchange.h"
#include "model/ShowNode.h"

CParaLabel::CParaLabel(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("文字")) {
  setObjectName("paraLabel");
  QGroupBox* position = AddPositionGroup(SizeOrder::WidthHeight);
  reserve_ = AddReserveBox(1018, QStringLiteral("保留"));
  QToolButton* edit = AddIconButton(1001, QStringLiteral("编  辑"),
                                    style()->standardIcon(QStyle::SP_FileDialogDetailedView));
  QAbstractButton* effects = AddEffectsButton(1002, QStringLiteral("特  效"),
                                              style()->standardIcon(QStyle::SP_MediaSeekForward));
  QPushButton* ok = AddOkButton();
  // The label shows its own caption editor and applies what the user writes there.
  OnClick(edit, [this] { ControlOf<C_Glasso>().SetCaption(); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(edit);
  buttons->addWidget(effects);
  buttons->addStretch();
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(reserve_);
  bottom->addStretch();
  bottom->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(position);
  layout->addLayout(buttons);
  layout->addLayout(bottom);
}

void CParaLabel::ReadObject() { Reserve = Object()->reserve; }

void CParaLabel::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Check(reserve_, Reserve);
}
