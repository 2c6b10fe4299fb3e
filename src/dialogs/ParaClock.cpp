#include "dialogs/ParaClock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "controls/Clock.h"
#include "dialogs/DataExchange.h"
#include "model/ShowNode.h"

namespace {

// An offset as the clock takes it: the whole part of the number, within the 16-bit range.
int16_t WholePart(float value) {
  return static_cast<int16_t>(std::clamp(std::trunc(value), -32768.0f, 32767.0f));
}

} // namespace

const QStringList& CParaClock::StyleNames() {
  static const QStringList names = {"倒计时（圆表时钟）",
                                    "倒计时（数字时钟）",
                                    "圆表时钟",
                                    "圆表时钟+日期",
                                    "时间",
                                    "时间+数字日期",
                                    "时间+中文日期",
                                    "时间+数字日期+数字星期",
                                    "时间+数字日期+中文日期",
                                    "时间+数字日期+英文星期",
                                    "时间+中文日期+数字星期",
                                    "时间+中文日期+中文星期",
                                    "时间+中文日期+英文星期",
                                    "数字日期+数字星期",
                                    "数字日期+中文星期",
                                    "数字日期+英文星期",
                                    "中文日期+数字星期",
                                    "中文日期+中文星期",
                                    "中文日期+英文星期",
                                    "数字日期",
                                    "中文日期",
                                    "数字星期",
                                    "中文星期",
                                    "英文星期",
                                    "正负计时",
                                    "农历"};
  return names;
}

CParaClock::CParaClock(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("时钟")) {
  setObjectName("paraClock");
  QGroupBox* position = AddPositionGroup(SizeOrder::HeightWidth);

  style_ = AddCombo(1021, StyleNames());
  hour_ = AddEdit(1014);
  minute_ = AddEdit(1020);
  second_ = AddEdit(1022);
  targetDate_ = new QDateEdit(this);
  targetDate_->setObjectName("ctl1048");
  targetDate_->setCalendarPopup(true);
  targetDate_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  totalTime_ = AddEdit(1049);
  preText_ = AddEdit(1036);
  lasText_ = AddEdit(1039);
  reserve_ = AddReserveBox(1017, QStringLiteral("保留"));
  topmost_ = AddCheck(1018, QStringLiteral("顶层"));
  border_ = AddCheck(1060, QStringLiteral("边框"));
  auto* fg = AddColourButton(1001, QStringLiteral("..."),
                             [this](int32_t c) { ControlOf<C_Clock>().SetFgColor(c); });
  auto* bg = AddColourButton(1003, QStringLiteral("..."),
                             [this](int32_t c) { ControlOf<C_Clock>().SetBgColor(c); });
  auto* borderColour = AddColourButton(
      1050, QStringLiteral("..."), [this](int32_t c) { ControlOf<C_Clock>().SetBorderColor(c); });
  QPushButton* font = AddButton(1004, QStringLiteral("..."));
  QAbstractButton* effects = AddEffectsButton(1002, QStringLiteral("进出屏"));
  QPushButton* ok = AddOkButton();

  auto clock = [this]() -> C_Clock& { return ControlOf<C_Clock>(); };
  OnSelect(style_, [this, clock] {
    if (Style == 0 || Style == 1) clock().Reset(); // the countdowns start from the top
    clock().SetStyle(static_cast<int16_t>(Style));
    clock().SetPlay(true);
  });
  OnEdit(hour_, [this, clock] { clock().SetRetouchHour(WholePart(RetouchHour)); });
  OnEdit(minute_, [this, clock] { clock().SetRetouchMinute(WholePart(RetouchMinute)); });
  OnEdit(second_, [this, clock] { clock().SetRetouchSecond(WholePart(RetouchSecond)); });
  connect(targetDate_, &QDateEdit::dateChanged, this, [this, clock] {
    Handle([this, clock] { clock().SetTargetDate(TargetDate); }, "field targetDate");
  });
  OnEdit(totalTime_, [this, clock] { clock().SetTotalTime(static_cast<int16_t>(TotalTime)); });
  OnEdit(preText_, [this, clock] { clock().SetPreText(PreText); });
  OnEdit(lasText_, [this, clock] { clock().SetLasText(LasText); });
  OnClick(topmost_, [this] { Object()->topmost = Topmost; });
  OnClick(border_, [this, clock] { clock().SetBorder(Border); });
  OnClick(font, [clock] {
    clock().SetFont(); // the clock shows its own font dialog
  });

  auto* grid = new QGridLayout;
  int row = 0;
  auto addRow = [&](const QString& label, QWidget* field, QWidget* extra = nullptr) {
    QLabel* text = AddLabel(label);
    grid->addWidget(text, row, 0);
    grid->addWidget(field, row, 1);
    if (extra) grid->addWidget(extra, row, 2);
    ++row;
    return text;
  };
  addRow(QStringLiteral("时钟类别："), style_);
  addRow(QStringLiteral("时偏差："), hour_);
  QLabel* minuteLabel = addRow(QStringLiteral("分偏差:"), minute_);
  QLabel* secondLabel = addRow(QStringLiteral("秒修正:"), second_);
  addRow(QStringLiteral("目标日期："), targetDate_);
  addRow(QStringLiteral("倒计时:"), totalTime_);
  addRow(QStringLiteral("头修钸："), preText_);
  addRow(QStringLiteral("尾修饰："), lasText_);
  addRow(QStringLiteral("前景色："), fg);
  addRow(QStringLiteral("背景色："), bg);
  QLabel* borderColourLabel = addRow(QStringLiteral("边框色："), borderColour);
  addRow(QStringLiteral("字 体："), font);

  auto* checks = new QHBoxLayout;
  for (QWidget* w : {static_cast<QWidget*>(reserve_), static_cast<QWidget*>(topmost_),
                     static_cast<QWidget*>(border_), static_cast<QWidget*>(effects)})
    checks->addWidget(w);
  checks->addStretch();
  checks->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(position);
  layout->addLayout(grid);
  layout->addLayout(checks);

  // In the layout without the visible style: present and wired, never shown.
  for (QWidget* hidden : {static_cast<QWidget*>(minute_), static_cast<QWidget*>(minuteLabel),
                          static_cast<QWidget*>(second_), static_cast<QWidget*>(secondLabel),
                          static_cast<QWidget*>(topmost_), static_cast<QWidget*>(border_),
                          static_cast<QWidget*>(borderColour),
                          static_cast<QWidget*>(borderColourLabel), static_cast<QWidget*>(effects)})
    hidden->setVisible(false);
}

void CParaClock::ReadObject() {
  const C_Clock& clock = ControlOf<C_Clock>();
  Style = clock.GetStyle();
  TargetDate = clock.GetTargetDate();
  PreText = clock.GetPreText();
  LasText = clock.GetLasText();
  RetouchHour = clock.GetRetouchHour();
  RetouchMinute = clock.GetRetouchMinute();
  RetouchSecond = clock.GetRetouchSecond();
  TotalTime = clock.GetTotalTime();
  Border = clock.GetBorder();
  Reserve = Object()->reserve;
  Topmost = Object()->topmost;
}

void CParaClock::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Index(style_, Style);
  dx.Float(hour_, RetouchHour);
  dx.Float(minute_, RetouchMinute);
  dx.Float(second_, RetouchSecond);
  dx.Date(targetDate_, TargetDate);
  dx.Int(totalTime_, TotalTime);
  dx.Text(preText_, PreText);
  dx.Text(lasText_, LasText);
  dx.Check(reserve_, Reserve);
  dx.Check(topmost_, Topmost);
  dx.Check(border_, Border);
}
