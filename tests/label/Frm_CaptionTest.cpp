#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QInputMethodEvent>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "GlassoTestSupport.h"
#include "label/Frm_Caption.h"

using D = GlassoIds::Dispid;

namespace {

// A label with known values and the editor shown on it, as SetCaption loads it.
struct Editor {
  ScriptedChoosers choosers;
  QWidget page;
  Glasso* label = new Glasso(&page, choosers);
  Frm_Caption* form = nullptr;

  Editor() {
    Put(*label, D::kCaption, Variant::FromString("旧文字"));
    Put(*label, D::kColor, Variant::FromI4(0x00FF00));
    Put(*label, D::kBgColor, Variant::FromI4(0x960000));
    Put(*label, D::kFontName, Variant::FromString("宋体"));
    Put(*label, D::kFontSize, Variant::FromI4(200000));
    Put(*label, D::kAlign, Variant::FromI2(1));
    Put(*label, D::kBorder, Variant::FromI2(1));
  }
  ~Editor() { delete form; }

  void Open() {
    form = new Frm_Caption(label);
    form->mGlasso = label;
    form->show();
  }

  template <class T> T* Find(const char* name) const {
    T* w = form->findChild<T*>(QLatin1String(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QPlainTextEdit* Text1() const { return Find<QPlainTextEdit>("Text1"); }
  void Click(const char* name) { Find<QAbstractButton>(name)->click(); }
};

QColor Rgb(int32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

} // namespace

TEST(Frm_Caption, EveryControlCarriesItsCaption) {
  Editor e;
  e.Open();
  EXPECT_EQ(e.form->objectName(), "Frm_Caption");
  EXPECT_EQ(e.form->windowTitle(), QStringLiteral("标签计设器"));
  const std::pair<const char*, QString> captions[] = {
      {"Check1", QStringLiteral("透明")},        {"Check2", QStringLiteral("边框")},
      {"Option1_0", QStringLiteral("左对齐")},   {"Option1_1", QStringLiteral("右对齐")},
      {"Option1_2", QStringLiteral("居    中")}, {"Command3", QStringLiteral("前景色")},
      {"Command5", QStringLiteral("背景色")},    {"Command6", QStringLiteral("边框色")},
      {"Command4", QStringLiteral("字体")},      {"Command1", QStringLiteral("确  定")},
      {"Command2", QStringLiteral("取  消")},
  };
  for (const auto& [name, caption] : captions) {
    EXPECT_EQ(e.Find<QAbstractButton>(name)->text(), caption) << name;
  }
  EXPECT_EQ(e.Find<QRadioButton>("Option1_2")->parentWidget(), e.Find<QGroupBox>("Frame1"));
  EXPECT_EQ(e.Find<QPushButton>("Command3")->parentWidget(), e.Find<QGroupBox>("Frame2"));
  SaveShot(e.form->grab().toImage(), "frm-caption.png");
}

TEST(Frm_Caption, ShowingTheFormLoadsItFromTheControl) {
  Editor e;
  e.Open();
  QPlainTextEdit* text = e.Text1();
  EXPECT_EQ(text->toPlainText(), QStringLiteral("旧文字"));
  EXPECT_EQ(text->palette().color(QPalette::Text), Rgb(0x00FF00));
  EXPECT_EQ(text->palette().color(QPalette::Base), Rgb(0x960000));
  EXPECT_EQ(text->font().pointSizeF(), 20);
  EXPECT_EQ(text->font().family(), QStringLiteral("宋体"));
  EXPECT_FALSE(e.Find<QCheckBox>("Check1")->isChecked());
  EXPECT_TRUE(e.Find<QCheckBox>("Check2")->isChecked());
  EXPECT_FALSE(e.Find<QRadioButton>("Option1_0")->isChecked());
  EXPECT_TRUE(e.Find<QRadioButton>("Option1_1")->isChecked());
}

TEST(Frm_Caption, ChecksAndOptionsApplyAtOnce) {
  Editor e;
  e.Open();
  e.Click("Check1");
  EXPECT_EQ(Get(*e.label, D::kTransparent).toI4(), 1);
  e.Click("Check2");
  EXPECT_EQ(Get(*e.label, D::kBorder).toI4(), 0);
  for (int i : {0, 2, 1}) {
    e.Click(("Option1_" + std::to_string(i)).c_str());
    EXPECT_EQ(Get(*e.label, D::kAlign).toI4(), i);
  }
  e.Click("Check1");
  EXPECT_EQ(Get(*e.label, D::kTransparent).toI4(), 0);
}

TEST(Frm_Caption, OkAppliesTheTypedLinesAsTheCaption) {
  Editor e;
  e.Open();
  e.Text1()->clear();
  QInputMethodEvent typed; // Chinese arrives through the input method
  typed.setCommitString(QStringLiteral("第一行"));
  QApplication::sendEvent(e.Text1(), &typed);
  QTest::keyClick(e.Text1(), Qt::Key_Return);
  QTest::keyClicks(e.Text1(), QStringLiteral("second"));
  EXPECT_TRUE(e.form->isVisible()) << "Enter is a new line, not OK";
  e.Click("Command1");
  EXPECT_EQ(Get(*e.label, D::kCaption).toString(), "第一行\nsecond");
  EXPECT_FALSE(e.form->isVisible());
  EXPECT_EQ(e.form->result(), QDialog::Accepted);
}

TEST(Frm_Caption, CancelAndTheCloseBoxKeepTheCaptionButNotTheOtherChanges) {
  for (bool closeBox : {false, true}) {
    Editor e;
    e.Open();
    e.Text1()->setPlainText(QStringLiteral("不要的文字"));
    e.Click("Check1");
    e.Click("Option1_2");
    if (closeBox)
      e.form->close();
    else
      e.Click("Command2");
    EXPECT_FALSE(e.form->isVisible());
    EXPECT_EQ(Get(*e.label, D::kCaption).toString(), "旧文字") << closeBox;
    EXPECT_EQ(Get(*e.label, D::kTransparent).toI4(), 1) << closeBox;
    EXPECT_EQ(Get(*e.label, D::kAlign).toI4(), 2) << closeBox;
  }
}

TEST(Frm_Caption, ColourAndFontButtonsRunTheControlsChoosersAndUpdateThePreview) {
  Editor e;
  ScriptedChoosers& choosers = e.choosers;
  e.Open();
  e.Text1()->setPlainText(QStringLiteral("正在输入"));

  choosers.colorAnswer = 0x0000FF;
  e.Click("Command3");
  EXPECT_EQ(Get(*e.label, D::kColor).toI4(), 0x0000FF);
  EXPECT_EQ(e.Text1()->palette().color(QPalette::Text), Rgb(0x0000FF));

  choosers.colorAnswer = 0x00FFFF;
  e.Click("Command5");
  EXPECT_EQ(Get(*e.label, D::kBgColor).toI4(), 0x00FFFF);
  EXPECT_EQ(e.Text1()->palette().color(QPalette::Base), Rgb(0x00FFFF));

  choosers.colorAnswer = 0x808080;
  e.Click("Command6");
  EXPECT_EQ(Get(*e.label, D::kBorderColor).toI4(), 0x808080);
  EXPECT_EQ(choosers.colorsShown, (std::vector<int32_t>{0x00FF00, 0x960000, 0}));

  choosers.fontAnswer = FontDesc{"黑体", 28, true, true, false, false, 400, 134};
  e.Click("Command4");
  EXPECT_EQ(Get(*e.label, D::kFont).toFont().name, "黑体");
  EXPECT_EQ(e.Text1()->font().family(), QStringLiteral("黑体"));
  EXPECT_EQ(e.Text1()->font().pointSizeF(), 28);
  EXPECT_TRUE(e.Text1()->font().italic());

  // Coming back from the choosers keeps what was typed.
  EXPECT_EQ(e.Text1()->toPlainText(), QStringLiteral("正在输入"));
}
