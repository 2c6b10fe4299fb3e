#include "dialogs/PARARTFTEXT.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "controls/RtfText.h"
#include "dialogs/DataExchange.h"
#include "dialogs/UpDown.h"
#include "base/NumberFormat.h"
#include "model/ShowNode.h"

namespace {

// Range of the speed and stay up-downs.
constexpr int kStepMin = 1;
constexpr int kStepMax = 100;

// An edit with its up-down side by side.
QHBoxLayout* Pair(QWidget* edit, QWidget* upDown) {
  auto* box = new QHBoxLayout;
  box->setSpacing(0);
  box->addWidget(edit);
  box->addWidget(upDown);
  return box;
}

} // namespace

const QStringList& CPARARTFTEXT::EntryStyles() {
  static const QStringList names = {"无",     "上进",   "下进",   "左进",  "右进",
                                    "右下进", "左下进", "右上进", "左上进"};
  return names;
}

const QStringList& CPARARTFTEXT::ExitStyles() {
  static const QStringList names = {"无",     "上出",   "下出",   "左出",  "右出",
                                    "右下出", "左下出", "右上出", "左上出"};
  return names;
}

CPARARTFTEXT::CPARARTFTEXT(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("RTF")) {
  setObjectName("paraRtfText");
  QGroupBox* position = AddPositionGroup(SizeOrder::WidthHeight);

  file_ = AddEdit(1014);
  OnEdit(file_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetFileName(File);
  });
  QPushButton* browse =
      AddFileButton(1001, QStringLiteral("..."), file_, "RTF文件|*.rtf|TXT文件|*.txt|",
                    [this](const std::string& path) {
                      File = path;
                      if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetFileName(path);
                    });

  // The styles travel to the control as their names, not as list positions.
  inStyle_ = AddCombo(1021, EntryStyles());
  OnSelect(inStyle_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetInStyle(InStyle);
  });
  outStyle_ = AddCombo(1026, ExitStyles());
  OnSelect(outStyle_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetOutStyle(OutStyle);
  });

  speed_ = AddEdit(1020);
  speedUpDown_ = new CUpDown(speed_, kStepMin, kStepMax, this);
  speedUpDown_->setObjectName("upDown1020");
  OnEdit(speed_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetPlaySpeed(static_cast<int16_t>(PlaySpeed));
  });
  stay_ = AddEdit(1022);
  stayUpDown_ = new CUpDown(stay_, kStepMin, kStepMax, this);
  stayUpDown_->setObjectName("upDown1022");
  OnEdit(stay_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetDelayTime(static_cast<int16_t>(StayTime));
  });

  count_ = AddEdit(1036);
  OnEdit(count_, [this] {
    Repeat = PlayCount == 0;
    if (auto* rtf = ControlAs<C_RtfText>()) {
      rtf->SetLoops(static_cast<int16_t>(PlayCount));
      rtf->SetLoopPlay(Repeat);
    }
    repeat_->setChecked(Repeat); // a programmatic check runs no handler
  });
  repeat_ = AddCheck(1017, QStringLiteral("重复播放"));
  OnClick(repeat_, [this] {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetLoopPlay(Repeat);
  });

  QPushButton* colour = AddColourButton(1003, QStringLiteral("背景颜色"), [this](int32_t c) {
    if (auto* rtf = ControlAs<C_RtfText>()) rtf->SetColor(c);
  });
  QAbstractButton* test = AddTestButton(
      1002, QStringLiteral("测试"),
      [this] {
        if (auto* rtf = ControlAs<C_RtfText>()) {
          rtf->Prepare();
          rtf->Start();
        }
      },
      [this] {
        if (auto* rtf = ControlAs<C_RtfText>()) rtf->Stop();
      });

  // Present in the layout without the visible style; their handlers are wired all the same.
  QAbstractButton* effects = AddEffectsButton(1004, QStringLiteral("进出屏"));
  reserve_ = AddReserveBox(1018, QStringLiteral("全局对象"));
  effects->setVisible(false);
  reserve_->setVisible(false);

  QPushButton* ok = AddOkButton();

  auto* grid = new QGridLayout(this);
  grid->addWidget(position, 0, 0, 1, 4);
  grid->addWidget(AddLabel(QStringLiteral("文件名：")), 1, 0);
  grid->addWidget(file_, 1, 1, 1, 2);
  grid->addWidget(browse, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("进屏方式：")), 2, 0);
  grid->addWidget(inStyle_, 2, 1);
  grid->addWidget(AddLabel(QStringLiteral("出屏方式：")), 2, 2);
  grid->addWidget(outStyle_, 2, 3);
  grid->addWidget(AddLabel(QStringLiteral("播放速度：")), 3, 0);
  grid->addLayout(Pair(speed_, speedUpDown_), 3, 1);
  grid->addWidget(AddLabel(QStringLiteral("停留时间：")), 3, 2);
  auto* stayBox = Pair(stay_, stayUpDown_);
  stayBox->addWidget(AddLabel(QStringLiteral("秒")));
  grid->addLayout(stayBox, 3, 3);
  grid->addWidget(AddLabel(QStringLiteral("播放次数:")), 4, 0);
  grid->addWidget(count_, 4, 1);
  grid->addWidget(repeat_, 4, 2, 1, 2);
  grid->addWidget(colour, 5, 0);
  grid->addWidget(test, 5, 1);
  grid->addWidget(ok, 5, 3);
  grid->addWidget(effects, 6, 0);
  grid->addWidget(reserve_, 6, 1);
}

void CPARARTFTEXT::ReadObject() {
  const auto* rtf = ControlAs<C_RtfText>();
  File = rtf ? rtf->GetFileName() : std::string();
  InStyle = rtf ? rtf->GetInStyle() : std::string();
  OutStyle = rtf ? rtf->GetOutStyle() : std::string();
  Repeat = rtf && rtf->GetLoopPlay();
  PlayCount = rtf ? rtf->GetLoops() : 0;
  PlaySpeed = rtf ? rtf->GetPlaySpeed() : 0;
  StayTime = rtf ? rtf->GetDelayTime() : 0;
  Reserve = Object()->reserve;
}

void CPARARTFTEXT::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Text(file_, File);
  dx.Selected(inStyle_, InStyle);
  dx.Selected(outStyle_, OutStyle);
  if (!dx.Failed()) {
    if (dx.Saving()) {
      // Not a validated number: anything that does not start with digits counts as 0.
      PlaySpeed = ParseInt(speed_->text().toStdString());
      StayTime = ParseInt(stay_->text().toStdString());
    } else {
      speedUpDown_->SetPos(PlaySpeed);
      stayUpDown_->SetPos(StayTime);
    }
  }
  dx.Int(count_, PlayCount);
  dx.Check(repeat_, Repeat);
  dx.Check(reserve_, Reserve);
}
