#include "qt/ColorRef.h"
#include "label/Frm_Caption.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "qt/QtFont.h"
#include "label/Glasso.h"

namespace {

QPushButton* MakeButton(const char* name, const QString& text, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  // Enter belongs to the multi-line caption box, not to a default button.
  button->setAutoDefault(false);
  return button;
}

int32_t Id(GlassoIds::Dispid dispid) { return static_cast<int32_t>(dispid); }

} // namespace

Frm_Caption::Frm_Caption(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Frm_Caption"));
  setWindowTitle(QStringLiteral("标签计设器"));

  Text1 = new QPlainTextEdit(this);
  Text1->setObjectName(QStringLiteral("Text1"));
  Text1->setMinimumSize(360, 120);

  Check1 = new QCheckBox(QStringLiteral("透明"), this);
  Check1->setObjectName(QStringLiteral("Check1"));
  Check2 = new QCheckBox(QStringLiteral("边框"), this);
  Check2->setObjectName(QStringLiteral("Check2"));

  Frame1 = new QGroupBox(this);
  Frame1->setObjectName(QStringLiteral("Frame1"));
  const QString optionTexts[] = {QStringLiteral("左对齐"), QStringLiteral("右对齐"),
                                 QStringLiteral("居    中")};
  auto* options = new QButtonGroup(this);
  auto* frame1Layout = new QVBoxLayout(Frame1);
  for (int i = 0; i < 3; ++i) {
    Option1[i] = new QRadioButton(optionTexts[i], Frame1);
    Option1[i]->setObjectName(QStringLiteral("Option1_%1").arg(i));
    Option1[i]->setProperty("Index", i);
    options->addButton(Option1[i], i);
    frame1Layout->addWidget(Option1[i]);
  }

  Frame2 = new QGroupBox(this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  Command3 = MakeButton("Command3", QStringLiteral("前景色"), Frame2);
  Command5 = MakeButton("Command5", QStringLiteral("背景色"), Frame2);
  Command6 = MakeButton("Command6", QStringLiteral("边框色"), Frame2);
  Command4 = MakeButton("Command4", QStringLiteral("字体"), Frame2);
  auto* frame2Layout = new QVBoxLayout(Frame2);
  for (QPushButton* b : {Command3, Command5, Command6, Command4})
    frame2Layout->addWidget(b);

  Command1 = MakeButton("Command1", QStringLiteral("确  定"), this);
  Command2 = MakeButton("Command2", QStringLiteral("取  消"), this);

  auto* checks = new QVBoxLayout;
  checks->addWidget(Check1);
  checks->addWidget(Check2);
  checks->addStretch();
  auto* okCancel = new QVBoxLayout;
  okCancel->addWidget(Command1);
  okCancel->addWidget(Command2);
  okCancel->addStretch();
  auto* row = new QHBoxLayout;
  row->addLayout(checks);
  row->addWidget(Frame1);
  row->addWidget(Frame2);
  row->addLayout(okCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Text1, 1);
  layout->addLayout(row);

  // Setting a check box or an option button in code runs its handler too, as a click would.
  connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
  connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
  connect(options, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
    if (checked) Option1_Click(id);
  });
  connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
  connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
  connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
  connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
  connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
  connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void Frm_Caption::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Only the first showing loads the form: coming back from a chooser must not throw away
  // what the user has typed.
  if (activated_) return;
  activated_ = true;
  Form_Activate();
}

void Frm_Caption::Form_Activate() {
  if (!mGlasso) return;
  Text1->setPlainText(QString::fromStdString(Get(Id(GlassoIds::kCaption)).toString()));
  PreviewColors();
  Check1->setChecked(Get(Id(GlassoIds::kTransparent)).toI4() == 1);
  Check2->setChecked(Get(Id(GlassoIds::kBorder)).toI4() == 1);
  int align = Get(Id(GlassoIds::kAlign)).toI4();
  if (align >= 0 && align < static_cast<int>(Option1.size())) Option1[align]->setChecked(true);
  PreviewFont();
}

void Frm_Caption::Check1_Click() {
  Put(Id(GlassoIds::kTransparent), Variant::FromI2(Check1->isChecked() ? 1 : 0));
}

void Frm_Caption::Check2_Click() {
  Put(Id(GlassoIds::kBorder), Variant::FromI2(Check2->isChecked() ? 1 : 0));
}

void Frm_Caption::Option1_Click(int index) {
  Put(Id(GlassoIds::kAlign), Variant::FromI2(static_cast<int16_t>(index)));
}

void Frm_Caption::Command3_Click() {
  Call(Id(GlassoIds::kSetColor));
  PreviewColors();
}

void Frm_Caption::Command5_Click() {
  Call(Id(GlassoIds::kSetBgColor));
  PreviewColors();
}

void Frm_Caption::Command6_Click() { Call(Id(GlassoIds::kSetBorderColor)); }

void Frm_Caption::Command4_Click() {
  Call(Id(GlassoIds::kSetFont));
  // The preview shares the label's font: what the chooser changed shows in it at once.
  PreviewFont();
}

void Frm_Caption::Command1_Click() {
  Put(Id(GlassoIds::kCaption), Variant::FromString(Text1->toPlainText().toStdString()));
  accept();
}

void Frm_Caption::Command2_Click() { reject(); }

Variant Frm_Caption::Get(int32_t dispid) const {
  Variant value;
  if (mGlasso) mGlasso->Invoke(dispid, InvokeKind::PropertyGet, {}, &value);
  return value;
}

void Frm_Caption::Put(int32_t dispid, const Variant& value) {
  if (mGlasso) mGlasso->Invoke(dispid, InvokeKind::PropertyPut, {value}, nullptr);
}

void Frm_Caption::Call(int32_t dispid) {
  if (mGlasso) mGlasso->Invoke(dispid, InvokeKind::Method, {}, nullptr);
}

void Frm_Caption::PreviewColors() {
  QPalette palette = Text1->palette();
  palette.setColor(QPalette::Text, ColorFromRef(Get(Id(GlassoIds::kColor)).toI4()));
  palette.setColor(QPalette::Base, ColorFromRef(Get(Id(GlassoIds::kBgColor)).toI4()));
  Text1->setPalette(palette);
}

void Frm_Caption::PreviewFont() { Text1->setFont(QFontOf(Get(Id(GlassoIds::kFont)).toFont())); }
