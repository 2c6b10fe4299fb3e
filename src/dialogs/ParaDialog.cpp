#include "dialogs/ParaDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/Artwork.h"
#include "app/ZyntraScr.h"
#include "controls/ControlWrapper.h"
#include "dialogs/DataExchange.h"
#include "dialogs/DlgInOut.h"
#include "dialogs/UpDown.h"
#include "base/Prompts.h"
#include "model/ShowNode.h"

namespace {

QString Name(int id) { return QStringLiteral("ctl%1").arg(id); }

// Range of the up-downs of the position group.
constexpr int kPositionMin = -1024;
constexpr int kPositionMax = 2048;

} // namespace

CParaDialog::CParaDialog(CZyntraScr& screen, const QString& title)
    : QDialog(&screen), screen_(screen) {
  setModal(false);
  setWindowTitle(title);
  setWindowIcon(Artwork::ProgramIcon());
}

CParaDialog::~CParaDialog() = default;

CControlWrapper* CParaDialog::Wrapper() const { return node_ ? node_->control.get() : nullptr; }

QWidget* CParaDialog::Control(int id) const { return findChild<QWidget*>(Name(id)); }

Prompts& CParaDialog::Ask() const { return *screen_.Services().prompts; }

std::string CParaDialog::MessageCaption() const { return screen_.Config().WndTitle; }

void CParaDialog::SetObject(ShowNode* node) {
  node_ = node;
  if (!node_) return; // unbound: handlers do nothing
  if (CControlWrapper* wrapper = Wrapper()) {
    // The wrapper answers in the screen window's client coordinates already.
    const Rect r = wrapper->GetWindowRect();
    Left = r.left;
    Top = r.top;
    Width = r.Width();
    Height = r.Height();
  }
  ReadObject();
  UpdateData(false);
}

bool CParaDialog::UpdateData(bool save) {
  if (!save) ++loading_;
  CDataExchange dx(save, Ask(), MessageCaption());
  DoDataExchange(dx);
  if (!save) --loading_;
  return !dx.Failed();
}

void CParaDialog::DoDataExchange(CDataExchange& dx) {
  if (!position_[0]) return;
  const bool heightFirst = order_ == SizeOrder::HeightWidth;
  dx.Int(position_[0], Left);
  dx.Int(position_[1], Top);
  dx.Int(position_[2], heightFirst ? Height : Width);
  dx.Int(position_[3], heightFirst ? Width : Height);
}

void CParaDialog::ApplyPosition() {
  if (CControlWrapper* wrapper = Wrapper())
    wrapper->MoveWindow(Rect{Left, Top, Left + Width, Top + Height});
  screen_.update();
}

void CParaDialog::Handle(const std::function<void()>& apply, const std::string& key) {
  if (Loading() || !node_) return;
  screen_.Edit(EditedNodes(), key, !key.empty(), [&] {
    // A rejected value keeps its previous field, which the handler applies all the same.
    UpdateData(true);
    apply();
  });
}

void CParaDialog::OnEdit(QLineEdit* edit, std::function<void()> apply) {
  const std::string key = "field " + edit->objectName().toStdString();
  connect(edit, &QLineEdit::textChanged, this, [this, apply, key] { Handle(apply, key); });
}

void CParaDialog::OnClick(QAbstractButton* button, std::function<void()> apply) {
  connect(button, &QAbstractButton::clicked, this, [this, apply] { Handle(apply); });
}

void CParaDialog::OnSelect(QComboBox* combo, std::function<void()> apply) {
  connect(combo, &QComboBox::activated, this, [this, apply] { Handle(apply); });
}

QLineEdit* CParaDialog::AddEdit(int id) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(Name(id));
  return edit;
}

QCheckBox* CParaDialog::AddCheck(int id, const QString& text) {
  auto* box = new QCheckBox(text, this);
  box->setObjectName(Name(id));
  return box;
}

QPushButton* CParaDialog::AddButton(int id, const QString& text) {
  auto* button = new QPushButton(text, this);
  button->setObjectName(Name(id));
  button->setAutoDefault(false);
  return button;
}

QToolButton* CParaDialog::AddIconButton(int id, const QString& caption, const QIcon& icon) {
  auto* button = new QToolButton(this);
  button->setObjectName(Name(id));
  button->setText(caption);
  button->setIcon(icon);
  button->setIconSize(QSize(32, 32));
  button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  return button;
}

QAbstractButton* CParaDialog::MakeButton(int id, const QString& text, const QIcon& icon) {
  if (icon.isNull()) return AddButton(id, text);
  return AddIconButton(id, text, icon);
}

QComboBox* CParaDialog::AddCombo(int id, const QStringList& entries) {
  auto* combo = new QComboBox(this);
  combo->setObjectName(Name(id));
  combo->addItems(entries);
  return combo;
}

QLabel* CParaDialog::AddLabel(const QString& text) { return new QLabel(text, this); }

CUpDown* CParaDialog::AttachUpDown(QLineEdit* buddy, int id, int min, int max) {
  auto* upDown = new CUpDown(buddy, min, max, this);
  upDown->setObjectName(Name(id));
  return upDown;
}

QGroupBox* CParaDialog::AddPositionGroup(SizeOrder order, bool upDowns,
                                         const std::array<QString, 4>& labels,
                                         const QString& title) {
  order_ = order;
  auto* group = new QGroupBox(title, this);
  group->setObjectName("positionGroup");
  auto* grid = new QGridLayout(group);
  for (int i = 0; i < 4; ++i) {
    const int id = 1010 + i;
    QLineEdit* edit = AddEdit(id);
    edit->setParent(group);
    edit->setMaximumWidth(64);
    position_[i] = edit;
    // Labels name the roles Left, Top, Width, Height; the two size edits swap them when
    // 1012 is the height.
    const int role = order == SizeOrder::HeightWidth && i >= 2 ? 5 - i : i;
    auto* label = new QLabel(labels[role], group);
    label->setBuddy(edit);
    const int row = i / 2, column = (i % 2) * 2;
    grid->addWidget(label, row, column);
    auto* box = new QHBoxLayout;
    box->setSpacing(0);
    box->addWidget(edit);
    if (upDowns) {
      auto* upDown = new CUpDown(edit, kPositionMin, kPositionMax, group);
      upDown->setObjectName(QStringLiteral("upDown%1").arg(id));
      box->addWidget(upDown);
    }
    grid->addLayout(box, row, column + 1);
    OnEdit(edit, [this] { ApplyPosition(); });
  }
  grid->setColumnStretch(4, 1); // the edits keep their size in a wide dialog
  return group;
}

QPushButton* CParaDialog::AddColourButton(int id, const QString& text,
                                          std::function<void(int32_t)> put) {
  QPushButton* button = AddButton(id, text);
  OnClick(button, [this, put] {
    if (std::optional<int32_t> colour = Ask().ChooseColor(0)) put(*colour);
  });
  return button;
}

QPushButton* CParaDialog::AddFileButton(int id, const QString& text, QLineEdit* edit,
                                        std::string filter,
                                        std::function<void(const std::string&)> put) {
  QPushButton* button = AddButton(id, text);
  OnClick(button, [this, edit, filter, put] {
    std::optional<std::string> path = Ask().GetOpenFileName(filter, "", "");
    if (!path) return;
    if (edit) {
      ++loading_; // showing the chosen path is not an edit of its own
      edit->setText(QString::fromStdString(*path));
      --loading_;
    }
    if (put) put(*path);
  });
  return button;
}

QCheckBox* CParaDialog::AddReserveBox(int id, const QString& text) {
  QCheckBox* box = AddCheck(id, text);
  OnClick(box, [this, box] { node_->reserve = box->isChecked(); });
  return box;
}

QAbstractButton* CParaDialog::AddEffectsButton(int id, const QString& text, const QIcon& icon) {
  QAbstractButton* button = MakeButton(id, text, icon);
  OnClick(button, [this] {
    CDlgInOut dialog(*node_, Ask(), this);
    dialog.exec();
  });
  return button;
}

QAbstractButton* CParaDialog::AddTestButton(int id, const QString& text,
                                            std::function<void()> start, std::function<void()> stop,
                                            const QIcon& icon) {
  QAbstractButton* button = MakeButton(id, text, icon);
  OnClick(button, [this, button, start, stop] {
    if (!previewing_) {
      start();
      button->setText(QStringLiteral("停止"));
      previewing_ = true;
    } else {
      stop();
      button->setText(QStringLiteral("预览"));
      previewing_ = false;
    }
  });
  return button;
}

QPushButton* CParaDialog::AddOkButton() {
  QPushButton* ok = AddButton(1093, QStringLiteral("确定"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  return ok;
}
