#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

#include "app/DToolBar.h"

namespace {

// Records what the tool bar asks of the screen window.
class RecordingOwner : public ToolBarOwner {
public:
  void SetInsertMode(bool on, int32_t kind) override {
    insertMode = on;
    insertKind = on ? kind : insertKind;
    log += on ? "insert(" + std::to_string(kind) + ") " : "off ";
  }
  void PageListCommand(int id) override { log += "list(" + std::to_string(id) + ") "; }
  void PageListCreateObject(int32_t kind, const Rect& r) override {
    log += "create(" + std::to_string(kind) + "," + std::to_string(r.left) + "," +
           std::to_string(r.top) + "," + std::to_string(r.right) + "," + std::to_string(r.bottom) +
           ") ";
  }
  void ArrangeObject(int code) override { log += "arrange(" + std::to_string(code) + ") "; }
  void RepaintSurface() override { log += "repaint "; }
  bool insertMode = false;
  int32_t insertKind = 0;
  std::string log;
};

TEST(ToolBar, StripHasEighteenPositionsWithTooltipsAndOneCheckGroup) {
  CDToolBar bar;
  EXPECT_EQ(bar.windowTitle(), QStringLiteral("同步屏播放系统"));
  QList<QAction*> actions = bar.ButtonStrip()->actions();
  ASSERT_EQ(actions.size(), 18);
  const char* tips[18] = {"新建",  "打开", "保存", nullptr,   "选择",      "文字",
                          "图片",  "时钟", "电影", "RTF文本", "Flash动画", "程序",
                          nullptr, "播放", "测试", nullptr,   "选项",      "关于"};
  const int ids[18] = {148, 149, 150, 0, 139, 146, 141, 142, 143,
                       140, 144, 147, 0, 151, 152, 0,   153, 178};
  for (int i = 0; i < 18; ++i) {
    SCOPED_TRACE(i);
    if (!tips[i]) {
      EXPECT_TRUE(actions[i]->isSeparator());
      continue;
    }
    EXPECT_EQ(actions[i]->toolTip(), QString::fromUtf8(tips[i]));
    EXPECT_EQ(actions[i]->data().toInt(), ids[i]);
    EXPECT_EQ(actions[i]->isCheckable(), i >= 4 && i <= 11);
    EXPECT_TRUE(actions[i]->isEnabled());
  }
  EXPECT_EQ(bar.CheckedTool(), 139);
}

TEST(ToolBar, InsertModeFollowsTheButtons) {
  RecordingOwner owner;
  CDToolBar bar(&owner);
  EXPECT_EQ(owner.log, "off "); // initialisation presses "选择"
  owner.log.clear();
  bar.ActionFor(141)->trigger(); // 图片
  EXPECT_TRUE(owner.insertMode);
  EXPECT_EQ(owner.insertKind, 122);
  EXPECT_EQ(bar.CheckedTool(), 141);
  bar.ActionFor(153)->trigger(); // 选项: runs, then insert mode off
  EXPECT_FALSE(owner.insertMode);
  EXPECT_EQ(owner.log, "insert(122) list(32831) off ");

  owner.log.clear();
  bar.ActionFor(146)->trigger(); // 文字
  bar.ActionFor(139)->trigger(); // 选择 turns it off without drawing
  EXPECT_FALSE(owner.insertMode);
  EXPECT_EQ(owner.log, "insert(131) off ");

  const std::pair<int, int32_t> tools[] = {{146, 131}, {141, 122}, {142, 123}, {143, 124},
                                           {140, 138}, {144, 125}, {147, 128}, {145, 126}};
  for (auto [id, kind] : tools) {
    bar.OnButtonCommand(id);
    EXPECT_EQ(owner.insertKind, kind) << id;
  }
  owner.log.clear();
  bar.ResetToSelect();
  EXPECT_EQ(bar.CheckedTool(), 139);
  EXPECT_EQ(owner.log, "off ");

  owner.log.clear();
  bar.OnButtonCommand(152); // 测试: test request, repaint, insert off
  bar.OnButtonCommand(151);
  bar.OnButtonCommand(148);
  bar.OnButtonCommand(178);
  EXPECT_EQ(owner.log, "list(1032) repaint off list(4106) off list(32820) off list(32830) off ");
}

TEST(ToolBar, MenuCommandsReachTheirTargets) {
  RecordingOwner owner;
  CDToolBar bar(&owner);
  owner.log.clear();
  const std::pair<int, const char*> cases[] = {
      {32820, "list(32820) "},
      {32786, "list(32786) "},
      {32787, "list(32787) "},
      {32788, "list(32788) "},
      {32817, "list(32817) "},
      {32860, "list(4106) "},
      {32861, "list(1032) repaint "},
      {32851, "create(131,10,10,80,80) "},
      {32852, "create(122,10,10,80,80) "},
      {32853, "create(123,10,10,80,80) "},
      {32854, "create(124,10,10,80,80) "},
      {32855, "create(138,10,10,80,80) "},
      {32856, "create(125,10,10,80,80) "},
      {32857, "create(128,10,10,80,80) "},
      {32829, "list(4103) "},
      {32863, "arrange(104) "},
      {32864, "arrange(98) "},
      {32865, "arrange(100) "},
      {32866, "arrange(102) "},
      {32862, "arrange(101) "},
      {32867, "arrange(36) "},
      {32839, "list(32839) "},
      {32831, "list(32831) "},
      {32858, ""},
      {32830, "list(32830) "},
  };
  for (auto [id, expected] : cases) {
    owner.log.clear();
    QAction* a = bar.ActionFor(id);
    ASSERT_NE(a, nullptr) << id;
    a->trigger();
    EXPECT_EQ(owner.log, expected) << id;
  }
  QStringList menus;
  for (QAction* m : bar.MainMenu()->actions())
    menus << m->text();
  EXPECT_EQ(menus.join('|'),
            QStringLiteral("文件(&F)|节目(&J)|控件(&E)|格式(&M)|工具(&T)|帮助(&H)"));
  EXPECT_EQ(bar.ActionFor(32820)->text(), QStringLiteral("新建文件    ..."));
  EXPECT_EQ(bar.ActionFor(32788)->text(), QStringLiteral("文件另存为  ..."));
}

TEST(ToolBar, EscapeAndCloseBoxLeaveThroughTheExitCommand) {
  RecordingOwner owner;
  CDToolBar bar(&owner);
  owner.log.clear();
  QTest::keyClick(&bar, Qt::Key_Escape);
  EXPECT_EQ(owner.log, "list(32817) ");
  owner.log.clear();
  QCloseEvent close;
  QCoreApplication::sendEvent(&bar, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_EQ(owner.log, "list(32817) ");
}

} // namespace
