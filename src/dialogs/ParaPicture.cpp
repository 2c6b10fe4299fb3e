#include "dialogs/ParaPicture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSlider>
#include <QVBoxLayout>

#include "controls/EffectBox.h"
#include "dialogs/ColorListBox.h"
#include "dialogs/DataExchange.h"
#include "base/Prompts.h"
#include "model/ShowNode.h"

const QStringList& CParaPicture::EffectNames() {
  static const QStringList names = {"无效果",     "水平百叶窗", "垂直百叶窗", "中间向四周",
                                    "四周向中间", "上移",       "下移",       "左移",
                                    "右移",       "上拉",       "下拉",       "左拉",
                                    "右拉",       "垂直放大",   "水平放大"};
  return names;
}

CParaPicture::CParaPicture(CZyntraScr& screen) : CParaDialog(screen, QStringLiteral("图片")) {
  setObjectName("paraPicture");
  QGroupBox* position = AddPositionGroup(SizeOrder::WidthHeight);

  playCount_ = AddEdit(1014);
  repeat_ = AddCheck(1017, QStringLiteral("重复播放"));
  reserve_ = AddReserveBox(1018, QStringLiteral("保留"));
  stretch_ = AddCheck(1060, QStringLiteral("允许缩放"));
  bgPicture_ = AddEdit(1039);
  auto box = [this]() -> C_EffectBox& { return ControlOf<C_EffectBox>(); };
  QPushButton* bgBrowse =
      AddFileButton(1067, QStringLiteral("..."), bgPicture_, kPictureFilter,
                    [box](const std::string& path) { box().SetBgPicture(path); });
  QPushButton* bgColour = AddColourButton(1051, QStringLiteral("背景颜色"),
                                          [box](int32_t colour) { box().SetColor(colour); });
  QAbstractButton* test = AddTestButton(
      1004, QStringLiteral("测 试"), [box] { box().Start(); }, [box] { box().Stop(); });
  QAbstractButton* effects = AddEffectsButton(1059, QStringLiteral("进出屏"));

  list_ = new CColorListBox(this);
  list_->setObjectName("ctl1015");
  path_ = AddEdit(1020);
  QPushButton* browse = AddFileButton(1003, QStringLiteral("..."), path_, kPictureFilter, nullptr);
  effect_ = AddCombo(1021, EffectNames());
  Effect = EffectNames().front().toStdString(); // the list starts at its first entry
  speed_ = new QSlider(Qt::Horizontal, this);
  speed_->setObjectName("ctl1035");
  speed_->setRange(1, 100);
  speed_->setValue(50);
  speedText_ = AddEdit(1036);
  stay_ = new QSlider(Qt::Horizontal, this);
  stay_->setObjectName("ctl1023");
  stay_->setRange(1, 100);
  stay_->setValue(2);
  stayText_ = AddEdit(1022);
  QPushButton* add = AddButton(1001, QStringLiteral("添加"));
  QPushButton* remove = AddButton(1002, QStringLiteral("删除"));
  QPushButton* modify = AddButton(1050, QStringLiteral("修改"));
  QPushButton* ok = AddOkButton();

  // Each slider writes its position into its edit whenever it moves (and so when first shown).
  for (auto [slider, text] : {std::pair{speed_, speedText_}, std::pair{stay_, stayText_}}) {
    text->setMaximumWidth(40);
    text->setText(QString::number(slider->value()));
    connect(slider, &QSlider::valueChanged, text,
            [text = text](int value) { text->setText(QString::number(value)); });
  }

  OnEdit(playCount_, [this, box] {
    box().SetLoops(static_cast<int16_t>(PlayCount));
    // A play count of 0 means endless repetition.
    Repeat = PlayCount == 0;
    repeat_->setChecked(Repeat);
    box().SetLoopPlay(Repeat);
  });
  OnClick(repeat_, [this, box] { box().SetLoopPlay(Repeat); });
  OnClick(stretch_, [this, box] { box().SetStretch(Stretch); });
  OnClick(add, [this] { AddItem(); });
  OnClick(remove, [this] { DeleteItem(); });
  OnClick(modify, [this] { ModifyItem(); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!listing_) Handle([this, row] { ShowSelectedItem(row); });
  });

  // Layout: settings on top, the picture list below.
  auto* settings = new QGridLayout;
  settings->addWidget(AddLabel(QStringLiteral("播放次数：")), 0, 0);
  settings->addWidget(playCount_, 0, 1);
  settings->addWidget(repeat_, 0, 2);
  settings->addWidget(stretch_, 0, 3);
  settings->addWidget(AddLabel(QStringLiteral("背景图片:")), 1, 0);
  settings->addWidget(bgPicture_, 1, 1, 1, 2);
  settings->addWidget(bgBrowse, 1, 3);
  settings->addWidget(bgColour, 2, 0);
  settings->addWidget(test, 2, 1);
  settings->addWidget(effects, 2, 2);

  auto* pictures = new QGroupBox(QStringLiteral("图片列表"), this);
  auto* grid = new QGridLayout(pictures);
  grid->addWidget(list_, 0, 0, 6, 1);
  grid->addWidget(AddLabel(QStringLiteral("图片：")), 0, 1);
  grid->addWidget(path_, 0, 2, 1, 2);
  grid->addWidget(browse, 0, 4);
  grid->addWidget(AddLabel(QStringLiteral("效果：")), 1, 1);
  grid->addWidget(effect_, 1, 2, 1, 3);
  grid->addWidget(AddLabel(QStringLiteral("速度：")), 2, 1);
  grid->addWidget(speed_, 2, 2);
  grid->addWidget(speedText_, 2, 3);
  grid->addWidget(AddLabel(QStringLiteral("停留：")), 3, 1);
  grid->addWidget(stay_, 3, 2);
  grid->addWidget(stayText_, 3, 3);
  grid->addWidget(AddLabel(QStringLiteral("秒")), 3, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(add);
  buttons->addWidget(remove);
  buttons->addWidget(modify);
  grid->addLayout(buttons, 4, 1, 1, 4);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(reserve_);
  bottom->addStretch();
  bottom->addWidget(ok);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(position);
  layout->addLayout(settings);
  layout->addWidget(pictures);
  layout->addLayout(bottom);

  effects->setVisible(false); // in the layout without the visible style
}

QString CParaPicture::LineText(const std::string& path) {
  const QString p = QString::fromStdString(path);
  const int slash = std::max(p.lastIndexOf('/'), p.lastIndexOf('\\'));
  return slash < 0 ? p : p.mid(slash + 1);
}

int32_t CParaPicture::RandomColour() {
  QRandomGenerator* random = QRandomGenerator::global();
  const int32_t r = random->generate() % 255, g = random->generate() % 255,
                b = random->generate() % 255;
  return r | (g << 8) | (b << 16);
}

void CParaPicture::SetObject(ShowNode* node) {
  const bool otherObject = node != Object();
  CParaDialog::SetObject(node);
  if (otherObject) ReloadItems();
}

void CParaPicture::ReadObject() {
  const C_EffectBox& box = ControlOf<C_EffectBox>();
  PlayCount = box.GetLoops();
  Repeat = box.GetLoopPlay();
  BgPicture = box.GetBgPicture();
  Stretch = box.GetStretch();
  Reserve = Object()->reserve;
}

void CParaPicture::DoDataExchange(CDataExchange& dx) {
  CParaDialog::DoDataExchange(dx);
  dx.Int(playCount_, PlayCount);
  dx.Check(repeat_, Repeat);
  dx.Check(reserve_, Reserve);
  dx.Check(stretch_, Stretch);
  dx.Text(bgPicture_, BgPicture);
  dx.Text(path_, PicturePath);
  dx.Selected(effect_, Effect);
  dx.Position(speed_, Speed);
  dx.Position(stay_, Stay);
}

void CParaPicture::ReloadItems() {
  listing_ = true;
  list_->clear();
  items_.clear();
  const C_EffectBox& box = ControlOf<C_EffectBox>();
  const int count = box.GetItemCount();
  for (int i = 1; i <= count; ++i) {
    const auto index = static_cast<int16_t>(i);
    items_.push_back(Item{box.GetItemSource(index), box.GetItemEffect(index),
                          box.GetItemSpeed(index), box.GetItemDelay(index)});
  }
  for (const Item& item : items_)
    list_->AddLine(LineText(item.path), RandomColour());
  listing_ = false;
}

int CParaPicture::SelectedRow() const {
  const QList<QListWidgetItem*> selected = list_->selectedItems();
  return selected.isEmpty() ? -1 : list_->row(selected.front());
}

void CParaPicture::DropSelection() {
  listing_ = true;
  list_->clearSelection();
  list_->setCurrentItem(nullptr);
  listing_ = false;
}

// The control holds the list too: after a change in the middle it gets every item again.
void CParaPicture::ResendItems() {
  C_EffectBox& box = ControlOf<C_EffectBox>();
  box.RemoveAll();
  for (const Item& item : items_)
    box.AddItem(item.path, item.effect, item.speed, item.stay);
}

void CParaPicture::AddItem() {
  const std::string path = PicturePath;
  PicturePath.clear();
  path_->clear();
  if (path.empty()) {
    Ask().MessageBox("请选择一个图片，然后再添加。", MessageCaption(), PromptButtons::Ok,
                     PromptIcon::Exclamation);
    return;
  }
  const Item item{path, Effect, static_cast<int16_t>(Speed), static_cast<int16_t>(Stay)};
  listing_ = true;
  list_->AddLine(LineText(item.path), RandomColour());
  listing_ = false;
  ControlOf<C_EffectBox>().AddItem(item.path, item.effect, item.speed, item.stay);
  items_.push_back(item);
}

void CParaPicture::DeleteItem() {
  const int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(items_.size())) return;
  listing_ = true;
  delete list_->takeItem(row);
  listing_ = false;
  DropSelection();
  items_.erase(items_.begin() + row);
  ResendItems();
}

void CParaPicture::ModifyItem() {
  const int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(items_.size())) return;
  // Only adding insists on a path: a modified item may be left without one.
  Item& item = items_[row];
  item.path = PicturePath;
  PicturePath.clear();
  path_->clear();
  item.effect = Effect;
  item.speed = static_cast<int16_t>(Speed);
  item.stay = static_cast<int16_t>(Stay);
  listing_ = true;
  list_->clear();
  for (const Item& each : items_)
    list_->AddLine(LineText(each.path), 0);
  listing_ = false;
  ResendItems();
}

void CParaPicture::ShowSelectedItem(int row) {
  if (row < 0 || row >= static_cast<int>(items_.size())) return;
  const Item& item = items_[row];
  PicturePath = item.path;
  path_->setText(QString::fromStdString(item.path));
  const int effect = effect_->findText(QString::fromStdString(item.effect), Qt::MatchExactly);
  if (effect >= 0) effect_->setCurrentIndex(effect);
  speed_->setValue(item.speed);
  stay_->setValue(item.stay);
  UpdateData(true);
}
