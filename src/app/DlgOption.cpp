#include "app/DlgOption.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>

#include <cmath>

#include "base/DateTime.h"
#include "base/Prompts.h"

namespace {

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

// The time of day of a date-time number, whatever its date part, to the nearest second (the
// stored number has 7 significant digits: 08:57:33 reads back as 08:57:32.99…).
QTime TimeOfDay(double dateTime) { return QTime(0, 0).addSecs(SecondsOfDay(dateTime)); }

bool ParseInteger(const QString& text, int32_t& out) {
  bool ok = false;
  int v = text.trimmed().toInt(&ok);
  if (ok) out = v;
  return ok;
}

} // namespace

CDlgOption::CDlgOption(Settings& settings, Prompts& prompts, QWidget* parent)
    : QDialog(parent), settings_(settings), prompts_(prompts) {
  setObjectName("optionDialog");
  setWindowTitle(QStringLiteral("选项"));
  auto* grid = new QGridLayout(this);

  enableMove_ = AddCheck(1017, "拖动屏体");
  delPrompt_ = AddCheck(1060, "删除时提示");
  moveOnPlay_ = AddCheck(1074, "快捷移动");
  magnetism_ = AddCheck(1018, "磁性窗体");
  magnetism_->setVisible(false); // present in the layout without the visible style
  showGrid_ = AddCheck(1091, "显示网格");
  gridWidth_ = AddEdit(1013);
  gridWidth_->setMaxLength(2);
  minWH_ = AddEdit(1010);
  autoSave_ = AddCheck(1073, "自动保存间隔");
  saveDelay_ = AddEdit(1011);
  autoClose_ = AddCheck(1089, "定时关机");
  closeTime_ = new QTimeEdit(this);
  closeTime_->setObjectName(Name(1048));
  closeTime_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  autoPlay_ = AddCheck(1084, "启动时播放");
  setCfAutoPlay_ = AddCheck(1086, "自动设置播放文件");
  lFile_ = AddEdit(1012);
  auto* browse = new QPushButton(QStringLiteral("..."), this);
  browse->setObjectName(Name(1001));
  connect(browse, &QPushButton::clicked, this, &CDlgOption::Browse);

  int row = 0;
  grid->addWidget(enableMove_, row, 0);
  grid->addWidget(delPrompt_, row, 1);
  grid->addWidget(moveOnPlay_, row++, 2);
  grid->addWidget(showGrid_, row, 0);
  grid->addWidget(new QLabel(QStringLiteral("网格大小："), this), row, 1);
  grid->addWidget(gridWidth_, row++, 2);
  grid->addWidget(new QLabel(QStringLiteral("缺省宽高"), this), row, 0);
  grid->addWidget(minWH_, row++, 1);
  grid->addWidget(autoSave_, row, 0);
  grid->addWidget(saveDelay_, row, 1);
  grid->addWidget(new QLabel(QStringLiteral("分钟"), this), row++, 2);
  grid->addWidget(autoClose_, row, 0);
  grid->addWidget(closeTime_, row++, 1);
  grid->addWidget(autoPlay_, row, 0);
  grid->addWidget(setCfAutoPlay_, row++, 1);
  grid->addWidget(new QLabel(QStringLiteral("自动播放的文件:"), this), row, 0);
  grid->addWidget(lFile_, row, 1);
  grid->addWidget(browse, row++, 2);
  grid->addWidget(magnetism_, row++, 0);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(Name(1));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(Name(2));
  connect(buttons, &QDialogButtonBox::accepted, this, &CDlgOption::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDlgOption::reject);
  grid->addWidget(buttons, row, 0, 1, 3);

  // Fields start from the settings owner.
  enableMove_->setChecked(settings_.EnableMove);
  delPrompt_->setChecked(settings_.DelPrompt);
  moveOnPlay_->setChecked(settings_.MoveOnPlay);
  magnetism_->setChecked(settings_.Magnetism);
  showGrid_->setChecked(settings_.ShowGrid);
  // A stored value longer than the edit's limit is cut, as the limited edit would show it.
  gridWidth_->setText(QString::number(settings_.GridWidth));
  minWH_->setText(QString::number(settings_.MinWH));
  autoSave_->setChecked(settings_.AutoSave);
  saveDelay_->setText(QString::number(settings_.SaveDelay));
  autoClose_->setChecked(settings_.AutoClose);
  closeTime_->setTime(TimeOfDay(settings_.CloseTime));
  autoPlay_->setChecked(settings_.AutoPlay);
  setCfAutoPlay_->setChecked(settings_.SetCfAutoPlay);
  lFile_->setText(QString::fromStdString(settings_.LFile));
}

QCheckBox* CDlgOption::AddCheck(int id, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text), this);
  box->setObjectName(Name(id));
  return box;
}

QLineEdit* CDlgOption::AddEdit(int id) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(Name(id));
  return edit;
}

QWidget* CDlgOption::Control(int id) const { return findChild<QWidget*>(Name(id)); }

void CDlgOption::Browse() {
  auto path = prompts_.GetOpenFileName("VRX同步屏播放文件|*.vrx|播放列表|*.tak|", "", "");
  if (path) lFile_->setText(QString::fromStdString(*path));
}

void CDlgOption::accept() {
  int32_t gridWidth = 0, minWH = 0, saveDelay = 0;
  for (auto [edit, value] : {std::pair{gridWidth_, &gridWidth}, std::pair{minWH_, &minWH},
                             std::pair{saveDelay_, &saveDelay}}) {
    if (!ParseInteger(edit->text(), *value)) {
      prompts_.MessageBox("请输入一个整数。", windowTitle().toStdString(), PromptButtons::Ok,
                          PromptIcon::Exclamation);
      edit->setFocus();
      edit->selectAll();
      return;
    }
  }
  settings_.EnableMove = enableMove_->isChecked();
  settings_.DelPrompt = delPrompt_->isChecked();
  settings_.MoveOnPlay = moveOnPlay_->isChecked();
  settings_.Magnetism = magnetism_->isChecked();
  settings_.ShowGrid = showGrid_->isChecked();
  settings_.GridWidth = gridWidth;
  settings_.MinWH = minWH;
  settings_.AutoSave = autoSave_->isChecked();
  settings_.SaveDelay = saveDelay;
  settings_.AutoClose = autoClose_->isChecked();
  // Only the time is chosen here: the date part of the stored value is 0.
  settings_.CloseTime = closeTime_->time().msecsSinceStartOfDay() / 86400000.0;
  settings_.AutoPlay = autoPlay_->isChecked();
  settings_.SetCfAutoPlay = setCfAutoPlay_->isChecked();
  settings_.LFile = lFile_->text().toStdString();
  QDialog::accept();
}
