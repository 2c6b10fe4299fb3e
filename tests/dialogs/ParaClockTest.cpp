#include <QCheckBox>
#include <QDateEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "controls/Clock.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "dialogs/DlgInOut.h"
#include "dialogs/ParaClock.h"
#include "dialogs/ParaLabel.h"
#include "dialogs/ParaPicture.h"
#include "dialogs/UpDown.h"
#include "base/DateTime.h"
#include "dialogs/DialogTestSupport.h"

namespace {

using Lines = std::vector<std::string>;

// Types into an edit as the user does after selecting its text.
void Retype(QLineEdit* edit, const QString& text) {
  edit->selectAll();
  if (text.isEmpty())
    QTest::keyClick(edit, Qt::Key_Backspace);
  else
    QTest::keyClicks(edit, text);
}

TEST(PropertyDialogs, PositionEditsFollowTheRolesOfEachDialog) {
  struct Case {
    const char* name;
    std::function<CParaDialog*(CZyntraScr&)> make;
    std::function<ShowNode*(DialogBench&, Rect)> object;
    bool heightFirst;
  };
  const Case cases[] = {
      {"clock", [](CZyntraScr& s) { return new CParaClock(s); },
       [](DialogBench& b, Rect r) { return b.Object<C_Clock>(ObjectKind::Clock, r); }, true},
      {"text", [](CZyntraScr& s) { return new CParaLabel(s); },
       [](DialogBench& b, Rect r) { return b.Object<C_Glasso>(ObjectKind::Label, r); }, false},
      {"picture", [](CZyntraScr& s) { return new CParaPicture(s); },
       [](DialogBench& b, Rect r) { return b.Object<C_EffectBox>(ObjectKind::Picture, r); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DialogBench bench;
    ShowNode* node = c.object(bench, Rect{10, 20, 110, 70}); // 100 × 50
    std::unique_ptr<CParaDialog> d(c.make(*bench.screen));
    d->SetObject(node);
    EXPECT_EQ(Ctl<QLineEdit>(*d, 1010)->text(), QStringLiteral("10"));
    EXPECT_EQ(Ctl<QLineEdit>(*d, 1011)->text(), QStringLiteral("20"));
    EXPECT_EQ(Ctl<QLineEdit>(*d, 1012)->text(), c.heightFirst ? "50" : "100");
    EXPECT_EQ(Ctl<QLineEdit>(*d, 1013)->text(), c.heightFirst ? "100" : "50");
    QStringList labels; // the labels of the four edits, in edit order
    for (int id = 1010; id <= 1013; ++id)
      for (const QLabel* label : d->findChildren<QLabel*>())
        if (label->buddy() == d->Control(id)) labels << label->text();
    EXPECT_EQ(labels, c.heightFirst ? QStringList({"L：", "T：", "H：", "W："})
                                    : QStringList({"L：", "T：", "W：", "H："}));
    // Showing the values applies nothing.
    EXPECT_EQ(DialogBench::Told(node), Lines{});

    Retype(Ctl<QLineEdit>(*d, 1012), "80");
    EXPECT_EQ(DialogBench::Told(node).back(),
              c.heightFirst ? "move 10 20 110 100" : "move 10 20 90 70");
    Retype(Ctl<QLineEdit>(*d, 1013), "33");
    EXPECT_EQ(DialogBench::Told(node).back(),
              c.heightFirst ? "move 10 20 43 100" : "move 10 20 90 53");
    Retype(Ctl<QLineEdit>(*d, 1010), "-5");
    EXPECT_EQ(DialogBench::Told(node).back(),
              c.heightFirst ? "move -5 20 28 100" : "move -5 20 75 53");
    // The up-downs step the edits and move the control as typing does.
    d->findChild<CUpDown*>("upDown1011")->Step(1);
    EXPECT_EQ(DialogBench::Told(node).back(),
              c.heightFirst ? "move -5 21 28 101" : "move -5 21 75 54");
    EXPECT_TRUE(bench.prompts.messages.empty());
  }
}

TEST(PropertyDialogs, ARejectedNumberIsReportedAndTheOldValueApplied) {
  DialogBench bench;
  ShowNode* node = bench.Object<C_Glasso>(ObjectKind::Label, Rect{0, 0, 40, 30});
  CParaLabel d(*bench.screen);
  d.SetObject(node);
  // Text on its way to a number keeps the old value without a message.
  Retype(Ctl<QLineEdit>(d, 1012), "");
  EXPECT_EQ(DialogBench::Told(node), Lines{"move 0 0 40 30"});
  QTest::keyClicks(Ctl<QLineEdit>(d, 1012), "-");
  EXPECT_EQ(DialogBench::Told(node), Lines{"move 0 0 40 30"});
  EXPECT_TRUE(bench.prompts.messages.empty());
  // Text that cannot become one is reported once per change; the old value is applied.
  Retype(Ctl<QLineEdit>(d, 1012), "64");
  EXPECT_EQ(DialogBench::Told(node).back(), "move 0 0 64 30");
  QTest::keyClicks(Ctl<QLineEdit>(d, 1012), "x");
  ASSERT_EQ(bench.prompts.messages.size(), 1u);
  EXPECT_EQ(bench.prompts.messages[0].text, "请输入一个整数。");
  EXPECT_EQ(bench.prompts.messages[0].caption, "同步播放系统(Orlume)");
  EXPECT_EQ(bench.prompts.messages[0].icon, PromptIcon::Exclamation);
  EXPECT_EQ(DialogBench::Told(node), Lines{"move 0 0 64 30"});
}

TEST(PropertyDialogs, AHalfTypedNumberKeepsItsFieldOnlyAndTheOtherEditsApply) {
  DialogBench bench;
  ShowNode* node = bench.Object<C_Clock>(ObjectKind::Clock, Rect{0, 0, 80, 80});
  CParaClock d(*bench.screen);
  d.SetObject(node);
  const struct { const char* halfTyped; } cases[] = {{""}, {"-"}};
  for (const auto& c : cases) {
    Retype(Ctl<QLineEdit>(d, 1014), "3");
    DialogBench::Told(node);
    // The offset field is left half-typed; the head text after it is edited all the same.
    Retype(Ctl<QLineEdit>(d, 1014), c.halfTyped);
    EXPECT_EQ(DialogBench::Told(node).back(), "put 0x40030007 i2:3") << c.halfTyped;
    Ctl<QLineEdit>(d, 1036)->setText(QStringLiteral("还剩%1").arg(c.halfTyped));
    EXPECT_EQ(DialogBench::Told(node).back(),
              "put 0x4003000D \"还剩" + std::string(c.halfTyped) + "\"")
        << c.halfTyped;
    // The position edits, before and after it in the dialog, still move the clock.
    Retype(Ctl<QLineEdit>(d, 1010), "12");
    EXPECT_EQ(DialogBench::Told(node).back(), "move 12 0 92 80") << c.halfTyped;
    Retype(Ctl<QLineEdit>(d, 1010), "0");
    EXPECT_TRUE(bench.prompts.messages.empty());
  }
}

TEST(ParaClock, ShowsTheClockAndItsLabels) {
  DialogBench bench;
  ShowNode* node = bench.Object<C_Clock>(ObjectKind::Clock, Rect{0, 0, 80, 80});
  FakeControl& fake = DialogBench::Fake(node);
  fake.props[C_Clock::kStyle] = Variant::FromI2(9);
  fake.props[C_Clock::kTargetDate] = Variant::FromDate(ToDateTimeNumber({2024, 2, 29, 18, 30}));
  fake.props[C_Clock::kPreText] = Variant::FromString("距离");
  fake.props[C_Clock::kLasText] = Variant::FromString("还有");
  fake.props[C_Clock::kRetouchHour] = Variant::FromI2(-3);
  fake.props[C_Clock::kTotalTime] = Variant::FromI2(600);
  fake.props[C_Clock::kBorder] = Variant::FromBool(true);
  node->reserve = true;
  CParaClock d(*bench.screen);
  d.SetObject(node);

  EXPECT_EQ(d.windowTitle(), QStringLiteral("时钟"));
  const QStringList styles = Entries(Ctl<QComboBox>(d, 1021));
  EXPECT_EQ(styles.size(), 26);
  EXPECT_EQ(styles.first(), QStringLiteral("倒计时（圆表时钟）"));
  EXPECT_EQ(styles[1], QStringLiteral("倒计时（数字时钟）"));
  EXPECT_EQ(styles[4], QStringLiteral("时间"));
  EXPECT_EQ(styles[12], QStringLiteral("时间+中文日期+英文星期"));
  EXPECT_EQ(styles[24], QStringLiteral("正负计时"));
  EXPECT_EQ(styles.last(), QStringLiteral("农历"));
  EXPECT_EQ(Ctl<QComboBox>(d, 1021)->currentIndex(), 9);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1014)->text(), QStringLiteral("-3"));
  EXPECT_EQ(Ctl<QDateEdit>(d, 1048)->date(), QDate(2024, 2, 29));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1049)->text(), QStringLiteral("600"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1036)->text(), QStringLiteral("距离"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1039)->text(), QStringLiteral("还有"));
  EXPECT_TRUE(Ctl<QCheckBox>(d, 1017)->isChecked());
  EXPECT_EQ(Ctl<QCheckBox>(d, 1017)->text(), QStringLiteral("保留"));
  EXPECT_TRUE(Ctl<QCheckBox>(d, 1060)->isChecked());
  const QStringList labels = LabelTexts(d);
  for (const char* label : {"时钟类别：", "时偏差：", "分偏差:", "秒修正:", "目标日期：", "倒计时:",
                            "头修钸：", "尾修饰：", "前景色：", "背景色：", "边框色：", "字 体："})
    EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
  // Present and wired but never shown.
  for (int id : {1020, 1022, 1018, 1060, 1050, 1002})
    EXPECT_TRUE(d.Control(id)->isHidden()) << id;
  for (int id : {1021, 1014, 1048, 1049, 1036, 1039, 1017, 1001, 1003, 1004, 1093})
    EXPECT_FALSE(d.Control(id)->isHidden()) << id;
  EXPECT_EQ(Ctl<QPushButton>(d, 1093)->text(), QStringLiteral("确定"));
}

TEST(ParaClock, EachEditIsPutToTheClockAtOnce) {
  DialogBench bench;
  ShowNode* node = bench.Object<C_Clock>(ObjectKind::Clock, Rect{0, 0, 80, 80});
  const double target = ToDateTimeNumber({2030, 1, 1, 6, 0});
  DialogBench::Fake(node).props[C_Clock::kTargetDate] = Variant::FromDate(target);
  CParaClock d(*bench.screen);
  d.SetObject(node);
  DialogBench::Told(node);

  // Only the countdown styles reset the clock before the style is set.
  Choose(Ctl<QComboBox>(d, 1021), 1);
  EXPECT_EQ(DialogBench::Told(node),
            (Lines{"call 0x6003001E", "put 0x4003000A i2:1", "put 0x68030000 true"}));
  Choose(Ctl<QComboBox>(d, 1021), 0);
  EXPECT_EQ(DialogBench::Told(node).front(), "call 0x6003001E");
  Choose(Ctl<QComboBox>(d, 1021), 4);
  EXPECT_EQ(DialogBench::Told(node), (Lines{"put 0x4003000A i2:4", "put 0x68030000 true"}));

  // Offsets are put as whole numbers.
  Retype(Ctl<QLineEdit>(d, 1014), "2.7");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x40030007 i2:2");
  Retype(Ctl<QLineEdit>(d, 1014), "-1.9");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x40030007 i2:-1");
  Retype(Ctl<QLineEdit>(d, 1020), "5");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x40030008 i2:5");
  Retype(Ctl<QLineEdit>(d, 1022), "1e9");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x40030009 i2:32767");
  QTest::keyClicks(Ctl<QLineEdit>(d, 1014), "x");
  EXPECT_EQ(bench.prompts.Texts(), "请输入一个数字。");
  EXPECT_EQ(DialogBench::Told(node), Lines{"put 0x40030007 i2:-1"}); // the previous value
  Retype(Ctl<QLineEdit>(d, 1014), "-1");
  DialogBench::Told(node);

  Retype(Ctl<QLineEdit>(d, 1049), "90");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x4003000B i2:90");
  Ctl<QLineEdit>(d, 1036)->setText("距");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x4003000D \"距\"");
  Ctl<QLineEdit>(d, 1039)->setText("天");
  EXPECT_EQ(DialogBench::Told(node).back(), "put 0x4003000E \"天\"");

  // A new date keeps the time of day of the target.
  Ctl<QDateEdit>(d, 1048)->setDate(QDate(2031, 5, 2));
  char expected[64];
  std::snprintf(expected, sizeof expected, "put 0x4003000C date:%.6f",
                ToDateTimeNumber({2031, 5, 2, 6, 0}));
  EXPECT_EQ(DialogBench::Told(node), Lines{expected});

  Ctl<QCheckBox>(d, 1060)->click();
  EXPECT_EQ(DialogBench::Told(node), Lines{"put 0x68030002 true"});
  Ctl<QCheckBox>(d, 1018)->click();
  EXPECT_TRUE(node->topmost);
  Ctl<QCheckBox>(d, 1017)->click();
  EXPECT_TRUE(node->reserve);
  EXPECT_EQ(DialogBench::Told(node), Lines{});

  // Colours come from the chooser; a cancelled chooser changes nothing.
  bench.prompts.colors = {0x0000FF, std::nullopt, 0x00FF00, 0x123456};
  Ctl<QPushButton>(d, 1001)->click();
  Ctl<QPushButton>(d, 1001)->click();
  Ctl<QPushButton>(d, 1003)->click();
  Ctl<QPushButton>(d, 1050)->click();
  Ctl<QPushButton>(d, 1004)->click(); // the clock's own font dialog
  EXPECT_EQ(DialogBench::Told(node), (Lines{"put 0x68030004 i4:255", "put 0x68030005 i4:65280",
                                            "put 0x68030001 i4:1193046", "call 0x6003001D"}));

  d.show();
  Ctl<QPushButton>(d, 1093)->click();
  EXPECT_FALSE(d.isVisible());
}

TEST(ParaLabel, OpensTheCaptionEditorAndTheEffects) {
  DialogBench bench;
  ShowNode* node = bench.Object<C_Glasso>(ObjectKind::Label, Rect{5, 5, 100, 40});
  CParaLabel d(*bench.screen);
  d.SetObject(node);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("文字"));
  EXPECT_EQ(Ctl<QToolButton>(d, 1001)->text(), QStringLiteral("编  辑"));
  EXPECT_EQ(Ctl<QToolButton>(d, 1002)->text(), QStringLiteral("特  效"));
  EXPECT_EQ(Ctl<QCheckBox>(d, 1018)->text(), QStringLiteral("保留"));
  DialogBench::Told(node);

  Ctl<QToolButton>(d, 1001)->click();
  EXPECT_EQ(DialogBench::Told(node), Lines{"call 0x60030010"});
  Ctl<QCheckBox>(d, 1018)->click();
  EXPECT_TRUE(node->reserve);

  WithModal([&] { Ctl<QToolButton>(d, 1002)->click(); },
            [](QWidget* modal) {
              auto* inOut = qobject_cast<CDlgInOut*>(modal);
              ASSERT_NE(inOut, nullptr);
              Ctl<QListWidget>(*inOut, 1015)->setCurrentRow(2);
              inOut->accept();
            });
  EXPECT_EQ(node->actionStyle, 1);
  EXPECT_EQ(node->inStyle, 2);
}

} // namespace
