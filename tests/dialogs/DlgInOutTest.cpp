#include <QKeyEvent>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "dialogs/DlgAction.h"
#include "dialogs/DlgEffect.h"
#include "dialogs/DlgInOut.h"
#include "dialogs/UpDown.h"
#include "dialogs/DialogTestSupport.h"

namespace {

QStringList Lines(const QListWidget* list) {
  QStringList lines;
  for (int i = 0; i < list->count(); ++i)
    lines << list->item(i)->text();
  return lines;
}

TEST(DlgInOut, ListsTheEffectNamesInNumberOrder) {
  ShowNode node;
  ScriptedPrompts prompts;
  CDlgInOut d(node, prompts);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("效果设置"));
  EXPECT_TRUE(d.isModal());
  EXPECT_EQ(Lines(Ctl<QListWidget>(d, 1015)),
            QStringList({"无",       "向上进",     "向下进",     "向左进",     "向右进",
                         "从左上进", "从左下进",   "从右上进",   "从右下进",   "放大",
                         "垂直放大", "水平放大",   "向上拉进",   "向下拉进",   "向左拉进",
                         "向右拉进", "向左上拉进", "向左下拉进", "向右上拉进", "向右下拉进"}));
  EXPECT_EQ(Lines(Ctl<QListWidget>(d, 1057)),
            QStringList({"无",       "向上出",     "向下出",     "向左出",     "向右出",
                         "向左上出", "向左下出",   "向右上出",   "向右下出",   "缩小",
                         "垂直缩小", "水平缩小",   "向上拉出",   "向下拉出",   "向左拉出",
                         "向右拉出", "向左上拉出", "向左下拉出", "向右上拉出", "向右下拉出"}));
  for (const char* label : {"进屏效果", "出屏效果", "停留时间", "(秒)", "进屏速度", "出屏速度",
                            "进屏前停留(毫秒)", "出屏前停留(毫秒)", "删除效果"})
    EXPECT_TRUE(LabelTexts(d).contains(QString::fromUtf8(label))) << label;
  EXPECT_EQ(Ctl<QPushButton>(d, 1001)->text(), QStringLiteral("去除效果"));
  EXPECT_EQ(Ctl<QPushButton>(d, 1)->text(), QStringLiteral("确定"));
  EXPECT_EQ(Ctl<QPushButton>(d, 2)->text(), QStringLiteral("取消"));
  auto* slider = Ctl<QSlider>(d, 1023);
  EXPECT_EQ(slider->minimum(), 0);
  EXPECT_EQ(slider->maximum(), 300);
  EXPECT_EQ(slider->tickInterval(), 10);
  for (int id : {1012, 1013, 1014})
    EXPECT_EQ(Ctl<QLineEdit>(d, id)->maxLength(), 4) << id;
  EXPECT_TRUE(Ctl<QLineEdit>(d, 1013)->isHidden());
  EXPECT_TRUE(Ctl<QLineEdit>(d, 1014)->isHidden());
  EXPECT_FALSE(Ctl<QLineEdit>(d, 1012)->isHidden());
}

TEST(DlgInOut, AnObjectWithoutEffectsGetsTheDefaultsOnOk) {
  ShowNode node;
  node.inStyle = 7; // stored but not in use: action style 0
  node.delayTime = 99;
  ScriptedPrompts prompts;
  CDlgInOut d(node, prompts);
  EXPECT_EQ(Ctl<QListWidget>(d, 1015)->currentRow(), 0);
  EXPECT_EQ(Ctl<QListWidget>(d, 1057)->currentRow(), 0);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1010)->text(), QStringLiteral("10"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1011)->text(), QStringLiteral("10"));
  EXPECT_EQ(Ctl<QSlider>(d, 1023)->value(), 1);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1012)->text(), QStringLiteral("1"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1013)->text(), QStringLiteral("0"));
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_EQ(node.actionStyle, 1);
  EXPECT_EQ(node.inStyle, 0);
  EXPECT_EQ(node.outStyle, 0);
  EXPECT_EQ(node.inSpeed, 10);
  EXPECT_EQ(node.outSpeed, 10);
  EXPECT_EQ(node.delayTime, 1);
  EXPECT_EQ(node.preInDelay, 0);
  EXPECT_EQ(node.preOutDelay, 0);
}

TEST(DlgInOut, ShowsTheStoredEffectsAndCancelWritesNothing) {
  ShowNode node;
  node.actionStyle = 1;
  node.inStyle = 5;
  node.outStyle = 19;
  node.inSpeed = 30;
  node.outSpeed = 0;
  node.delayTime = 12;
  node.preInDelay = 100;
  node.preOutDelay = 2500;
  ScriptedPrompts prompts;
  CDlgInOut d(node, prompts);
  EXPECT_EQ(Ctl<QListWidget>(d, 1015)->currentItem()->text(), QStringLiteral("从左上进"));
  EXPECT_EQ(Ctl<QListWidget>(d, 1057)->currentItem()->text(), QStringLiteral("向右下拉出"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1010)->text(), QStringLiteral("30"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1011)->text(), QStringLiteral("0"));
  EXPECT_EQ(Ctl<QSlider>(d, 1023)->value(), 12);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1012)->text(), QStringLiteral("12"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1013)->text(), QStringLiteral("100"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1014)->text(), QStringLiteral("2500"));

  Ctl<QListWidget>(d, 1015)->setCurrentRow(9);
  Ctl<QSlider>(d, 1023)->setValue(200);
  Ctl<CUpDown>(d, 1040)->Step(1);
  d.reject();
  EXPECT_EQ(node.inStyle, 5);
  EXPECT_EQ(node.delayTime, 12);
  EXPECT_EQ(node.inSpeed, 30);
}

TEST(DlgInOut, OkWritesEveryFieldWithActionStyleOne) {
  ShowNode node;
  ScriptedPrompts prompts;
  CDlgInOut d(node, prompts);
  Ctl<QListWidget>(d, 1015)->setCurrentRow(14);
  Ctl<QListWidget>(d, 1057)->setCurrentRow(3);
  Ctl<QLineEdit>(d, 1010)->setText("55");
  for (int i = 0; i < 95; ++i)
    Ctl<CUpDown>(d, 1041)->Step(1); // the up-down stops at 100
  Ctl<QSlider>(d, 1023)->setValue(300);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1012)->text(), QStringLiteral("300"));
  Ctl<QLineEdit>(d, 1013)->setText("40");
  Ctl<QLineEdit>(d, 1014)->setText("9999");
  d.accept();
  EXPECT_EQ(node.actionStyle, 1);
  EXPECT_EQ(node.inStyle, 14);
  EXPECT_EQ(node.outStyle, 3);
  EXPECT_EQ(node.inSpeed, 55);
  EXPECT_EQ(node.outSpeed, 100);
  EXPECT_EQ(node.delayTime, 300);
  EXPECT_EQ(node.preInDelay, 40);
  EXPECT_EQ(node.preOutDelay, 9999);
}

TEST(DlgInOut, ATypedStayHoldsUntilTheSliderIsDrawn) {
  ShowNode node;
  ScriptedPrompts prompts;
  CDlgInOut d(node, prompts);
  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
  auto* stay = Ctl<QLineEdit>(d, 1012);
  stay->selectAll();
  QTest::keyClicks(stay, "4500"); // four characters at most
  EXPECT_EQ(d.Stay(), 4500);
  EXPECT_EQ(Ctl<QSlider>(d, 1023)->value(), 1); // the slider does not follow
  Ctl<QSlider>(d, 1023)->repaint();
  EXPECT_EQ(d.Stay(), 1);
  EXPECT_EQ(stay->text(), QStringLiteral("1"));
}

TEST(DlgInOut, RemovingAsksAndKeepsTheStoredFields) {
  ShowNode node;
  node.actionStyle = 1;
  node.inStyle = 3;
  node.outStyle = 4;
  node.inSpeed = 20;
  node.delayTime = 8;
  ScriptedPrompts prompts;
  {
    CDlgInOut d(node, prompts);
    prompts.answers.push_back(PromptAnswer::Cancel);
    d.RemoveEffects();
    EXPECT_EQ(node.actionStyle, 1);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "您真的要去除进出屏效果设置？");
    EXPECT_EQ(prompts.messages[0].caption, "效果设置");
    EXPECT_EQ(prompts.messages[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompts.messages[0].icon, PromptIcon::Question);

    prompts.answers.push_back(PromptAnswer::Ok);
    Ctl<QListWidget>(d, 1015)->setCurrentRow(12); // not written by removing
    Ctl<QPushButton>(d, 1001)->click();
    EXPECT_EQ(node.actionStyle, 0);
    EXPECT_EQ(node.inStyle, 3);
    EXPECT_EQ(node.outStyle, 4);
    EXPECT_EQ(node.inSpeed, 20);
    EXPECT_EQ(node.delayTime, 8);
  }
  CDlgInOut again(node, prompts); // the old values are no longer shown
  EXPECT_EQ(Ctl<QListWidget>(again, 1015)->currentRow(), 0);
  EXPECT_EQ(Ctl<QLineEdit>(again, 1010)->text(), QStringLiteral("10"));
  EXPECT_EQ(Ctl<QLineEdit>(again, 1012)->text(), QStringLiteral("1"));
}

TEST(UpDown, StepsInsideItsRangeAndLeavesTypedTextAlone) {
  QLineEdit edit;
  CUpDown upDown(&edit, -1024, 2048, nullptr);
  edit.setText("3000"); // the edit takes a number outside the range
  EXPECT_EQ(edit.text(), QStringLiteral("3000"));
  upDown.Step(1);
  EXPECT_EQ(edit.text(), QStringLiteral("2048"));
  edit.setText("-1024");
  QTest::keyClick(&edit, Qt::Key_Down);
  EXPECT_EQ(edit.text(), QStringLiteral("-1024"));
  QTest::keyClick(&edit, Qt::Key_Up);
  EXPECT_EQ(edit.text(), QStringLiteral("-1023"));
  edit.setText("x"); // no number: the last position
  upDown.Step(1);
  EXPECT_EQ(edit.text(), QStringLiteral("-1022"));
}

TEST(DlgEffect, IsAnEmptyFrameWithOkAndCancel) {
  CDlgEffect d;
  EXPECT_EQ(d.windowTitle(), QStringLiteral("效果时间轴"));
  EXPECT_EQ(Ctl<QPushButton>(d, 1)->text(), QStringLiteral("OK"));
  EXPECT_EQ(Ctl<QPushButton>(d, 2)->text(), QStringLiteral("Cancel"));
}

TEST(DlgAction, HoldsUnboundControlsAndClosesOnlyWithEscape) {
  CDlgAction d;
  EXPECT_FALSE(d.windowFlags() & Qt::WindowTitleHint);
  for (int id = 1010; id <= 1014; ++id)
    Ctl<QLineEdit>(d, id);
  for (int id = 1001; id <= 1004; ++id)
    EXPECT_EQ(Ctl<QPushButton>(d, id)->text(), QStringLiteral("Button%1").arg(id - 1000));
  Ctl<QComboBox>(d, 1021);
  Ctl<QComboBox>(d, 1026);
  EXPECT_EQ(Ctl<QProgressBar>(d, 1052)->orientation(), Qt::Vertical);
  EXPECT_EQ(LabelTexts(d), QStringList({"Name:", "X:", "Y:", "W:", "H:", "预设动作"}));

  d.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
  QTest::keyClick(&d, Qt::Key_Return);
  Ctl<QPushButton>(d, 1001)->click();
  EXPECT_FALSE(d.close()); // closing from outside is refused
  EXPECT_TRUE(d.isVisible());
  QTest::keyClick(&d, Qt::Key_Escape);
  EXPECT_FALSE(d.isVisible());
  EXPECT_EQ(d.result(), QDialog::Rejected);
}

} // namespace
