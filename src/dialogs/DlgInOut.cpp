#include "dialogs/DlgInOut.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QStyle>

#include "app/Artwork.h"
#include "dialogs/UpDown.h"
#include "base/Prompts.h"
#include "model/ShowNode.h"

namespace {

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

// A number typed into one of the 4-character edits; anything else counts as 0.
int32_t NumberOf(const QLineEdit* edit) { return edit->text().trimmed().toInt(); }

} // namespace

const QStringList& CDlgInOut::EntryNames() {
  static const QStringList names = {
      "无",       "向上进",   "向下进",     "向左进",     "向右进",     "从左上进",  "从左下进",
      "从右上进", "从右下进", "放大",       "垂直放大",   "水平放大",   "向上拉进",  "向下拉进",
      "向左拉进", "向右拉进", "向左上拉进", "向左下拉进", "向右上拉进", "向右下拉进"};
  return names;
}

const QStringList& CDlgInOut::ExitNames() {
  static const QStringList names = {
      "无",       "向上出",   "向下出",     "向左出",     "向右出",     "向左上出",  "向左下出",
      "向右上出", "向右下出", "缩小",       "垂直缩小",   "水平缩小",   "向上拉出",  "向下拉出",
      "向左拉出", "向右拉出", "向左上拉出", "向左下拉出", "向右上拉出", "向右下拉出"};
  return names;
}

CDlgInOut::CDlgInOut(ShowNode& node, Prompts& prompts, QWidget* parent)
    : QDialog(parent), node_(node), prompts_(prompts) {
  setObjectName("inOutDialog");
  setWindowTitle(QStringLiteral("效果设置"));
  setWindowIcon(Artwork::ProgramIcon());
  setModal(true);

  auto makeList = [this](int id, const QStringList& names) {
    auto* list = new QListWidget(this);
    list->setObjectName(Name(id));
    list->setSortingEnabled(false);
    list->addItems(names);
    list->setCurrentRow(0);
    return list;
  };
  in_ = makeList(1015, EntryNames());
  out_ = makeList(1057, ExitNames());

  slider_ = new QSlider(Qt::Horizontal, this);
  slider_->setObjectName(Name(1023));
  slider_->setRange(0, 300);
  slider_->setTickInterval(10);
  slider_->setTickPosition(QSlider::TicksBelow);
  slider_->setValue(1);

  auto makeEdit = [this](int id, int maxLength) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(Name(id));
    if (maxLength > 0) edit->setMaxLength(maxLength);
    edit->setMaximumWidth(64);
    return edit;
  };
  stayEdit_ = makeEdit(1012, 4);
  inSpeed_ = makeEdit(1010, 0);
  outSpeed_ = makeEdit(1011, 0);
  preIn_ = makeEdit(1013, 4);
  preOut_ = makeEdit(1014, 4);
  inUpDown_ = new CUpDown(inSpeed_, 0, 100, this);
  inUpDown_->setObjectName(Name(1040));
  inUpDown_->SetPos(10);
  outUpDown_ = new CUpDown(outSpeed_, 0, 100, this);
  outUpDown_->setObjectName(Name(1041));
  outUpDown_->SetPos(10);

  auto* remove = new QPushButton(QStringLiteral("去除效果"), this);
  remove->setObjectName(Name(1001));
  remove->setAutoDefault(false);
  remove->setIcon(style()->standardIcon(QStyle::SP_DialogDiscardButton));
  connect(remove, &QPushButton::clicked, this, &CDlgInOut::RemoveEffects);

  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("进屏效果"), this), 0, 0);
  grid->addWidget(new QLabel(QStringLiteral("出屏效果"), this), 0, 2);
  grid->addWidget(in_, 1, 0, 1, 2);
  grid->addWidget(out_, 1, 2, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("停留时间"), this), 2, 0);
  grid->addWidget(slider_, 2, 1, 1, 2);
  auto* stayBox = new QHBoxLayout;
  stayBox->addWidget(stayEdit_);
  stayBox->addWidget(new QLabel(QStringLiteral("(秒)"), this));
  grid->addLayout(stayBox, 2, 3);
  auto speedBox = [this](QLineEdit* edit, CUpDown* upDown) {
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(edit);
    box->addWidget(upDown);
    box->addStretch();
    return box;
  };
  grid->addWidget(new QLabel(QStringLiteral("进屏速度"), this), 3, 0);
  grid->addLayout(speedBox(inSpeed_, inUpDown_), 3, 1);
  grid->addWidget(new QLabel(QStringLiteral("出屏速度"), this), 3, 2);
  grid->addLayout(speedBox(outSpeed_, outUpDown_), 3, 3);
  // The pre-in and pre-out edits exist without being shown.
  auto* preInLabel = new QLabel(QStringLiteral("进屏前停留(毫秒)"), this);
  auto* preOutLabel = new QLabel(QStringLiteral("出屏前停留(毫秒)"), this);
  grid->addWidget(preInLabel, 4, 0);
  grid->addWidget(preIn_, 4, 1);
  grid->addWidget(preOutLabel, 4, 2);
  grid->addWidget(preOut_, 4, 3);
  for (QWidget* hidden : {static_cast<QWidget*>(preInLabel), static_cast<QWidget*>(preOutLabel),
                          static_cast<QWidget*>(preIn_), static_cast<QWidget*>(preOut_)})
    hidden->setVisible(false);
  auto* removeBox = new QHBoxLayout;
  removeBox->addWidget(remove);
  removeBox->addWidget(new QLabel(QStringLiteral("删除效果"), this));
  removeBox->addStretch();
  grid->addLayout(removeBox, 5, 0, 1, 2);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(Name(1));
  ok->setDefault(true);
  QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
  cancel->setObjectName(Name(2));
  connect(buttons, &QDialogButtonBox::accepted, this, &CDlgInOut::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CDlgInOut::reject);
  grid->addWidget(buttons, 5, 2, 1, 2);

  preIn_->setText(QString::number(preInDelay_));
  preOut_->setText(QString::number(preOutDelay_));
  if (node_.actionStyle == 1) {
    in_->setCurrentRow(node_.inStyle >= 0 && node_.inStyle < in_->count() ? node_.inStyle : -1);
    out_->setCurrentRow(node_.outStyle >= 0 && node_.outStyle < out_->count() ? node_.outStyle
                                                                              : -1);
    inUpDown_->SetPos(node_.inSpeed);
    outUpDown_->SetPos(node_.outSpeed);
    slider_->setValue(node_.delayTime);
    stay_ = node_.delayTime;
    preInDelay_ = node_.preInDelay;
    preOutDelay_ = node_.preOutDelay;
    stayEdit_->setText(QString::number(stay_));
    preIn_->setText(QString::number(preInDelay_));
    preOut_->setText(QString::number(preOutDelay_));
  }

  // The slider puts its position into the stay field whenever it is drawn or moved; a stay
  // typed into the edit holds until then.
  slider_->installEventFilter(this);
  connect(slider_, &QSlider::valueChanged, this, &CDlgInOut::CopySliderToStay);
  connect(stayEdit_, &QLineEdit::textEdited, this, [this] { stay_ = NumberOf(stayEdit_); });
  CopySliderToStay(); // what its first drawing does
}

QWidget* CDlgInOut::Control(int id) const { return findChild<QWidget*>(Name(id)); }

bool CDlgInOut::eventFilter(QObject* watched, QEvent* event) {
  if (watched == slider_ && event->type() == QEvent::Paint) CopySliderToStay();
  return QDialog::eventFilter(watched, event);
}

void CDlgInOut::CopySliderToStay() {
  if (stay_ == slider_->value() && stayEdit_->text() == QString::number(stay_)) return;
  stay_ = slider_->value();
  stayEdit_->setText(QString::number(stay_));
}

void CDlgInOut::RemoveEffects() {
  if (prompts_.MessageBox("您真的要去除进出屏效果设置？", "效果设置", PromptButtons::OkCancel,
                          PromptIcon::Question) != PromptAnswer::Ok)
    return;
  node_.actionStyle = 0;
  QDialog::done(QDialog::Accepted);
}

void CDlgInOut::accept() {
  stay_ = NumberOf(stayEdit_);
  preInDelay_ = NumberOf(preIn_);
  preOutDelay_ = NumberOf(preOut_);
  node_.actionStyle = 1;
  node_.inStyle = in_->currentRow();
  node_.inSpeed = inUpDown_->Pos();
  node_.delayTime = stay_;
  node_.outStyle = out_->currentRow();
  node_.outSpeed = outUpDown_->Pos();
  node_.preInDelay = preInDelay_;
  node_.preOutDelay = preOutDelay_;
  QDialog::accept();
}
