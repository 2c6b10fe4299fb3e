#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QTimeEdit>
#include <gtest/gtest.h>

#include "app/DlgOption.h"
#include "support/ScriptedPrompts.h"

namespace {

template <class W> W* Find(CDlgOption& d, int id) {
  auto* w = qobject_cast<W*>(d.Control(id));
  EXPECT_NE(w, nullptr) << id;
  return w;
}

TEST(DlgOption, ShowsEveryOptionAndCopiesThemBackOnOk) {
  Settings s;
  s.EnableMove = true;
  s.GridWidth = 7;
  s.CloseTime = 38353.75; // 18:00 on some date
  s.LFile = "/shows/a.vrx";
  ScriptedPrompts prompts;
  CDlgOption d(s, prompts);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("选项"));
  EXPECT_TRUE(Find<QCheckBox>(d, 1017)->isChecked());
  EXPECT_EQ(Find<QCheckBox>(d, 1017)->text(), QStringLiteral("拖动屏体"));
  EXPECT_TRUE(Find<QCheckBox>(d, 1018)->isHidden()); // 磁性窗体 exists but is not shown
  EXPECT_EQ(Find<QLineEdit>(d, 1013)->text(), QStringLiteral("7"));
  EXPECT_EQ(Find<QTimeEdit>(d, 1048)->time(), QTime(18, 0));
  EXPECT_EQ(Find<QLineEdit>(d, 1012)->text(), QStringLiteral("/shows/a.vrx"));

  Find<QCheckBox>(d, 1060)->setChecked(true);
  Find<QCheckBox>(d, 1017)->setChecked(false);
  Find<QLineEdit>(d, 1010)->setText("64");
  Find<QLineEdit>(d, 1011)->setText("3");
  Find<QCheckBox>(d, 1073)->setChecked(true);
  Find<QTimeEdit>(d, 1048)->setTime(QTime(6, 30, 15));
  Find<QCheckBox>(d, 1084)->setChecked(true);
  d.accept();
  EXPECT_EQ(d.result(), QDialog::Accepted);
  EXPECT_TRUE(s.DelPrompt);
  EXPECT_FALSE(s.EnableMove);
  EXPECT_EQ(s.MinWH, 64);
  EXPECT_EQ(s.SaveDelay, 3);
  EXPECT_TRUE(s.AutoSave);
  EXPECT_TRUE(s.AutoPlay);
  EXPECT_DOUBLE_EQ(s.CloseTime, (6 * 3600 + 30 * 60 + 15) / 86400.0); // date part 0
  EXPECT_TRUE(prompts.messages.empty());
}

TEST(DlgOption, CancelKeepsEverythingAndGridTakesTwoDigits) {
  Settings s;
  const Settings before = s;
  ScriptedPrompts prompts;
  CDlgOption d(s, prompts);
  auto* grid = Find<QLineEdit>(d, 1013);
  grid->clear();
  QTest::keyClicks(grid, "123");
  EXPECT_EQ(grid->text(), QStringLiteral("12"));
  for (int id : {1017, 1060, 1074, 1091, 1073, 1089, 1084, 1086})
    Find<QCheckBox>(d, id)->toggle();
  Find<QLineEdit>(d, 1012)->setText("x.tak");
  d.reject();
  EXPECT_EQ(s, before);
}

TEST(DlgOption, RejectsANonNumberAndBrowsesForATaskList) {
  Settings s;
  ScriptedPrompts prompts;
  prompts.files.push_back(std::string("/shows/week.tak"));
  CDlgOption d(s, prompts);
  d.Browse();
  EXPECT_EQ(prompts.fileAsks.at(0).filter, "VRX同步屏播放文件|*.vrx|播放列表|*.tak|");
  EXPECT_EQ(Find<QLineEdit>(d, 1012)->text(), QStringLiteral("/shows/week.tak"));
  d.Browse(); // cancelled: nothing changes
  EXPECT_EQ(Find<QLineEdit>(d, 1012)->text(), QStringLiteral("/shows/week.tak"));

  Find<QLineEdit>(d, 1010)->setText("abc");
  d.accept();
  EXPECT_EQ(prompts.Texts(), "请输入一个整数。");
  EXPECT_EQ(s.LFile, ""); // nothing copied while a field is rejected
  Find<QLineEdit>(d, 1010)->setText("0");
  Find<QLineEdit>(d, 1013)->setText("0"); // stored unchanged, drawn as 2 later
  d.accept();
  EXPECT_EQ(s.MinWH, 0);
  EXPECT_EQ(s.GridWidth, 0);
  EXPECT_EQ(s.LFile, "/shows/week.tak");
}

} // namespace
