#include "dialogs/ParaScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/ZyntraScr.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DlgAction.h"
#include "model/ShowNode.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"

const QStringList& CParaScreen::PlayModes() {
  static const QStringList modes = {"等待结束", "计时结束"};
  return modes;
}

CParaScreen::CParaScreen(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("屏体")) {
  setObjectName("paraScreen");
  QGroupBox* position = AddPositionGroup(
      SizeOrder::WidthHeight, true,
      {QStringLiteral("L："), QStringLiteral("T："), QStringLiteral("W："), QStringLiteral("H：")},
      QStringLiteral("设计时位置"));

  topmost_ = AddCheck(1017, QStringLiteral("顶层窗体"));
  OnClick(topmost_, [this] { Screen().ApplyTopmost(Topmost); });
  enableMove_ = AddCheck(1018, QStringLiteral("允许移动"));
  OnClick(enableMove_, [this] { Screen().Config().EnableMove = EnableMove; });
  enableMove_->setVisible(false);

  QPushButton* colour = AddColourButton(1001, QStringLiteral("背景色"),
                                        [this](int32_t c) { Screen().SetSurfaceColour(c); });

  name_ = AddEdit(1014);
  name_->setReadOnly(true);
  name_->setAlignment(Qt::AlignCenter);

  playMode_ = AddCombo(1026, PlayModes());
  OnSelect(playMode_, [this] {
    if (FrameInfo* page = CurrentPageInfo()) page->TTL_Kind = PlayMode;
  });
  seconds_ = AddEdit(1020);
  OnEdit(seconds_, [this] {
    if (FrameInfo* page = CurrentPageInfo()) page->seconds = Seconds;
  });
  serial_ = AddCheck(1060, QStringLiteral("串行播放"));
  OnClick(serial_, [this] {
    if (FrameInfo* page = CurrentPageInfo()) page->ybPlay = Serial;
  });

  // Present in the layout without the visible style; their handlers are wired all the same.
  QPushButton* picture = AddFileButton(1003, QStringLiteral("背景图片"), nullptr, "图片文件|*.bmp|",
                                       [this](const std::string& path) {
                                         if (Object() && Object()->frame)
                                           Object()->frame->BgPicture = path;
                                         Screen().update();
                                       });
  picture->setVisible(false);
  QPushButton* actions = AddButton(1002, QStringLiteral("动作设置"));
  OnClick(actions, [this] {
    CDlgAction dialog(this);
    dialog.exec();
  });
  actions->setVisible(false);

  QPushButton* ok = AddOkButton();

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 4);
  grid->addWidget(topmost_, 1, 0, 1, 2);
  grid->addWidget(colour, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("节目名称：")), 2, 0);
  grid->addWidget(name_, 2, 1, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("播放方式：")), 3, 0);
  grid->addWidget(playMode_, 3, 1);
  grid->addWidget(AddLabel(QStringLiteral("倒计时间：")), 3, 2);
  auto* secondsBox = new QHBoxLayout;
  secondsBox->addWidget(seconds_);
  secondsBox->addWidget(AddLabel(QStringLiteral("秒")));
  grid->addLayout(secondsBox, 3, 3);
  grid->addWidget(serial_, 4, 0, 1, 2);
  grid->addWidget(ok, 4, 3);
  grid->addWidget(enableMove_, 5, 0);
  grid->addWidget(picture, 5, 1);
  grid->addWidget(actions, 5, 2);
}

FrameInfo* CParaScreen::CurrentPageInfo() const {
  if (!Screen().PageList()) return nullptr;
  ShowNode* node = Screen().PageList()->Document().Current();
  // An object being current means its page is.
  if (node && !node->IsContainer()) node = node->parent;
  return node && node->IsPage() ? node->frame.get() : nullptr;
}

std::vector<ShowNode*> CParaScreen::EditedNodes() const {
  std::vector<ShowNode*> nodes;
  if (Screen().PageList()) nodes.push_back(Screen().PageList()->Document().Root());
  ShowNode* page = Screen().PageList() ? Screen().PageList()->Document().Current() : nullptr;
  if (page && !page->IsContainer()) page = page->parent;
  if (page && page->IsPage()) nodes.push_back(page);
  return nodes;
}

void CParaScreen::ReadObject() {
  const Rect r = Screen().DesktopRect();
  Left = r.left;
  Top = r.top;
  Width = r.Width();
  Height = r.Height();
  EnableMove = Screen().Config().EnableMove;
  Topmost = Screen().Topmost();
  const ShowNode* page = Object();
  PageName = page->name;
  const FrameInfo info = page->frame ? *page->frame : FrameInfo{};
  PlayMode = info.TTL_Kind;
  Seconds = info.seconds;
  Serial = info.ybPlay;
}

void CParaScreen::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Check(topmost_, Topmost);
  dx.Check(enableMove_, EnableMove);
  dx.Text(name_, PageName);
  dx.Index(playMode_, PlayMode);
  dx.Int(seconds_, Seconds);
  dx.Check(serial_, Serial);
}

void CParaScreen::ApplyPosition() {
  Screen().MoveToDesktopRect(Rect{Left, Top, Left + Width, Top + Height});
  Screen().update();
}
