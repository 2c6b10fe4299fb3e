#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>

#include "qt/DesktopWindow.h"
#include "qt/QtFont.h"
#include "qt/QtPrompts.h"
#include "qt/QtTranslations.h"

// Readable failures.
void PrintTo(const FontDesc& f, std::ostream* os) {
  *os << '{' << f.name << ' ' << f.size << (f.bold ? " bold" : "") << (f.italic ? " italic" : "")
      << (f.underline ? " underline" : "") << (f.strikethrough ? " strikethrough" : "")
      << " weight " << f.weight << " charset " << f.charset << '}';
}

namespace {

// Installs Qt's Chinese texts for one test and takes them away again, so that the tests
// after it see the process as it was.
class ChineseQt : public testing::Test {
protected:
  void SetUp() override { before_ = qApp->findChildren<QTranslator*>().size(); }
  void TearDown() override {
    for (QTranslator* t : qApp->findChildren<QTranslator*>()) {
      QCoreApplication::removeTranslator(t);
      delete t;
    }
    qApp->setProperty("zyntraQtTranslations", QVariant());
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs, false);
  }
  qsizetype before_ = 0;
};

QStringList LabelTexts(const QWidget& w) {
  QStringList texts;
  for (const QLabel* label : w.findChildren<QLabel*>())
    texts << label->text();
  return texts;
}

} // namespace

TEST_F(ChineseQt, QuestionsFileChoosersAndTheColourAndFontDialogsSpeakChinese) {
  ASSERT_EQ(before_, 0);
  ASSERT_TRUE(InstallQtChineseTranslations(qApp));
  EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));

  QMessageBox question;
  question.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
  EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("是(&Y)"));
  EXPECT_EQ(question.button(QMessageBox::No)->text(), QStringLiteral("否(&N)"));
  EXPECT_EQ(question.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
  QMessageBox notice;
  notice.setStandardButtons(QMessageBox::Ok);
  EXPECT_EQ(notice.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));

  QFileDialog save;
  save.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList saveLabels = LabelTexts(save);
  EXPECT_TRUE(saveLabels.contains(QStringLiteral("查找范围：")))
      << saveLabels.join('|').toStdString();
  EXPECT_TRUE(saveLabels.contains(QStringLiteral("文件名称(&N)：")))
      << saveLabels.join('|').toStdString();
  EXPECT_TRUE(saveLabels.contains(QStringLiteral("文件类型：")))
      << saveLabels.join('|').toStdString();

  QFontDialog font;
  EXPECT_EQ(font.windowTitle(), QStringLiteral("选择字体"));
  QColorDialog colour;
  EXPECT_EQ(colour.windowTitle(), QStringLiteral("选择颜色"));
}

TEST_F(ChineseQt, TheProgramAndEachControlLibraryInstallTheTextsOnlyOnce) {
  EXPECT_FALSE(InstallQtChineseTranslations(nullptr));
  ASSERT_TRUE(InstallQtChineseTranslations(qApp));
  const qsizetype installed = qApp->findChildren<QTranslator*>().size();
  EXPECT_GE(installed, 1);
  EXPECT_TRUE(InstallQtChineseTranslations(qApp));
  EXPECT_TRUE(InstallQtChineseTranslations(qApp));
  EXPECT_EQ(qApp->findChildren<QTranslator*>().size(), installed);
}

TEST_F(ChineseQt, MissingTranslationFilesAreReportedAndLeaveQtEnglish) {
  qputenv("ZYNTRA_QT_TRANSLATIONS", "/nonexistent");
  const bool installed = InstallQtChineseTranslations(qApp);
  qunsetenv("ZYNTRA_QT_TRANSLATIONS");
  EXPECT_FALSE(installed);
  EXPECT_EQ(qApp->findChildren<QTranslator*>().size(), 0);
  QMessageBox question;
  question.setStandardButtons(QMessageBox::Yes);
  EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("&Yes"));
}

// The font names Windows projects store are drawn, and chosen, as the CJK faces that the
// shipped font configuration gives them.
TEST(QtFont, WindowsFontNamesAreChosenAsTheFacesThatDrawThem) {
  struct Case {
    const char* stored;
    const char* choosable;
  } cases[] = {
      {"黑体", "Noto Sans CJK SC"},     {"SimHei", "Noto Sans CJK SC"},
      {"微软雅黑", "Noto Sans CJK SC"}, {"Microsoft YaHei", "Noto Sans CJK SC"},
      {"宋体", "Noto Serif CJK SC"},    {"新宋体", "Noto Serif CJK SC"},
      {"SimSun", "Noto Serif CJK SC"},  {"NSimSun", "Noto Serif CJK SC"},
      {"楷体", "Noto Serif CJK SC"},    {"KaiTi", "Noto Serif CJK SC"},
      {"仿宋", "Noto Serif CJK SC"},    {"FangSong", "Noto Serif CJK SC"},
      {"dejavu sans", "DejaVu Sans"}, // installed: the database's own spelling
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ChoosableFamily(QFont(QString::fromUtf8(c.stored))).toStdString(), c.choosable)
        << c.stored;
  }
  QFont bold(QStringLiteral("黑体"));
  bold.setBold(true);
  EXPECT_EQ(QFontInfo(bold).styleName(), QStringLiteral("Bold"));
}

TEST(QtFont, TheDialogOpensOnTheStoredFontAndOkUnchangedKeepsAllSix) {
  const FontDesc stored[] = {
      {"黑体", 14, true, false, true, true, 700, 134},
      {"宋体", 10.5, false, true, false, false, 400, 134}, // no italic face, half a point
      {"华文行楷", 12, true, true, false, true, 700, 134}, // not installed at all
      {"DejaVu Serif", 9, false, false, false, false, 400, 0},
      {"Noto Sans CJK SC", 36, true, false, false, false, 700, 1},
  };
  for (const FontDesc& font : stored) {
    QFont shown;
    std::optional<FontDesc> chosen = ChooseFontInDialog(font, nullptr, [&](QFontDialog& d) {
      shown = d.currentFont();
      d.accept();
      return true;
    });
    ASSERT_TRUE(chosen) << font.name;
    EXPECT_EQ(*chosen, font) << font.name;
    EXPECT_EQ(shown.pointSize(), std::lround(font.size)) << font.name;
    EXPECT_EQ(shown.bold(), font.bold) << font.name;
    EXPECT_EQ(shown.underline(), font.underline) << font.name;
    EXPECT_EQ(shown.strikeOut(), font.strikethrough) << font.name;
  }
  QFont shown;
  ChooseFontInDialog(stored[0], nullptr, [&](QFontDialog& d) {
    shown = d.currentFont();
    d.accept();
    return true;
  });
  EXPECT_EQ(shown.family(), QStringLiteral("Noto Sans CJK SC"));
}

TEST(QtFont, OnlyWhatTheUserChangesReplacesTheStoredValue) {
  const FontDesc stored{"黑体", 10.5, true, false, false, false, 700, 134};
  auto change = [&](const std::function<void(QFont&)>& edit) {
    return ChooseFontInDialog(stored, nullptr, [&](QFontDialog& d) {
      QFont f = d.currentFont();
      edit(f);
      d.setCurrentFont(f);
      d.accept();
      return true;
    });
  };
  FontDesc expected = stored;
  expected.underline = true;
  EXPECT_EQ(change([](QFont& f) { f.setUnderline(true); }), expected);

  expected = stored;
  expected.strikethrough = true;
  EXPECT_EQ(change([](QFont& f) { f.setStrikeOut(true); }), expected);

  expected = stored;
  expected.size = 20;
  EXPECT_EQ(change([](QFont& f) { f.setPointSize(20); }), expected);

  expected = stored;
  expected.bold = false;
  expected.weight = 400;
  EXPECT_EQ(change([](QFont& f) {
              f.setStyleName(QString()); // as picking "Regular" in the style list
              f.setBold(false);
            }),
            expected);

  expected = stored;
  expected.name = "DejaVu Serif";
  EXPECT_EQ(change([](QFont& f) { f.setFamily(QStringLiteral("DejaVu Serif")); }), expected);

  EXPECT_EQ(ChooseFontInDialog(stored, nullptr, [](QFontDialog&) { return false; }), std::nullopt);
}

TEST(QtFont, ConversionsCarryTheSixValues) {
  const FontDesc desc{"黑体", 10.5, true, true, true, true, 700, 134};
  const QFont font = QFontOf(desc);
  EXPECT_EQ(font.family(), QStringLiteral("黑体"));
  EXPECT_EQ(font.pointSizeF(), 10.5);
  EXPECT_TRUE(font.bold() && font.italic() && font.underline() && font.strikeOut());
  EXPECT_EQ(FontDescOf(font, FontDesc{"", 0, false, false, false, false, 400, 134}), desc);
  FontDesc plain{"宋体", 9, false, false, false, false, 400, 0};
  EXPECT_EQ(FontDescOf(QFontOf(plain)), plain);
}

TEST(DesktopScale, ToolWindowsGrowWithTheDesktopsResolutionButNeverShrink) {
  const struct {
    double dpi;
    double scale;
  } cases[] = {{96, 1.0}, {120, 1.25}, {144, 1.5}, {192, 2.0}, {288, 3.0}, {72, 1.0}, {0, 1.0}};
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(DesktopScaleAt(c.dpi), c.scale) << c.dpi;
  // The test's screen is one of 96 dpi: the sizes made for it stand as they are.
  EXPECT_EQ(DesktopScale(), 1.0);
  EXPECT_EQ(DesktopScaled(70), 70);
  EXPECT_EQ(DesktopScaled(170), 170);
}
