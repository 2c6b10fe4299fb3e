#include <QTest>

#include "dialogs/DlgAction.h"
#include "dialogs/ParaScreen.h"
#include "dialogs/PropertyScreenFixture.h"

namespace {

class ParaScreenTest : public PropertyScreenFixture {
protected:
  // Opens the screen dialog on a page.
  CParaScreen& OnPage(const std::string& page) {
    Select(page);
    return Properties<CParaScreen>();
  }
  ShowNode* Page(const std::string& name) { return Doc().FindNode(name, Doc().Root()); }
};

TEST_F(ParaScreenTest, ShowsEveryControlOfTheLayout) {
  screen->setGeometry(100, 50, 640, 480);
  screen->ApplyTopmost(true);
  screen->Config().EnableMove = true;
  Page("Page1")->frame->TTL_Kind = 1;
  Page("Page1")->frame->seconds = 45;
  Page("Page1")->frame->ybPlay = true;
  CParaScreen& d = OnPage("Page1");
  ExpectControls(d, "屏体",
                 {{1010, "100", true},
                  {1011, "50", true},
                  {1012, "640", true},
                  {1013, "480", true},
                  {1017, "顶层窗体", true},
                  {1001, "背景色", true},
                  {1014, "Page1", true},
                  {1026, "计时结束", true},
                  {1020, "45", true},
                  {1060, "串行播放", true},
                  {1093, "确定", true},
                  {1018, "允许移动", false},
                  {1003, "背景图片", false},
                  {1002, "动作设置", false}});
  for (const char* label :
       {"L：", "T：", "W：", "H：", "节目名称：", "播放方式：", "倒计时间：", "秒"})
    EXPECT_TRUE(HasLabel(d, label)) << label;
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1017)->isChecked());
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1018)->isChecked());
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1060)->isChecked());
  auto* name = Ctl<QLineEdit>(d, 1014);
  EXPECT_TRUE(name->isReadOnly());
  EXPECT_EQ(name->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
  auto* mode = Ctl<QComboBox>(d, 1026);
  ASSERT_EQ(mode->count(), 2);
  EXPECT_EQ(mode->itemText(0), "等待结束");
  EXPECT_EQ(mode->itemText(1), "计时结束");
}

TEST_F(ParaScreenTest, PositionEditsMoveTheScreenWindowOnTheDesktop) {
  screen->setGeometry(100, 50, 640, 480);
  CParaScreen& d = OnPage("Page1");
  Type(d, 1012, "800");
  EXPECT_EQ(screen->geometry(), QRect(100, 50, 800, 480));
  Type(d, 1010, "0");
  Type(d, 1013, "240");
  EXPECT_EQ(screen->geometry(), QRect(0, 50, 800, 240));
  EXPECT_EQ(screen->DesktopRect(), (Rect{0, 50, 800, 290}));
}

TEST_F(ParaScreenTest, TopmostBoxMovesTheWindowBetweenBandsAtOnce) {
  screen->setGeometry(100, 50, 640, 480);
  screen->show();
  CParaScreen& d = OnPage("Page1");
  for (bool on : {true, false}) {
    Click(d, 1017);
    EXPECT_EQ(screen->Topmost(), on);
    EXPECT_EQ(screen->windowFlags().testFlag(Qt::WindowStaysOnTopHint), on);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_EQ(screen->geometry(), QRect(100, 50, 640, 480));
  }
  Click(d, 1018);
  EXPECT_TRUE(screen->Config().EnableMove);
  Click(d, 1018);
  EXPECT_FALSE(screen->Config().EnableMove);
}

TEST_F(ParaScreenTest, BackgroundColourGoesThroughTheScreenWindow) {
  CParaScreen& d = OnPage("Page1");
  prompts.colors = {std::nullopt, 0x00204080};
  const int32_t before = screen->Config().BgColor;
  Click(d, 1001); // cancelled
  EXPECT_EQ(screen->Config().BgColor, before);
  Click(d, 1001);
  EXPECT_EQ(screen->Config().BgColor, 0x00204080);
  EXPECT_EQ(Page("Page1")->frame->bg, 0x00204080);
}

TEST_F(ParaScreenTest, PageFieldsGoToThePageCurrentWhenTheyChange) {
  List().NewPage(); // Page2
  CParaScreen& d = OnPage("Page1");
  Choose(d, 1026, "计时结束");
  Type(d, 1020, "30");
  Click(d, 1060);
  EXPECT_EQ(Page("Page1")->frame->TTL_Kind, 1);
  EXPECT_EQ(Page("Page1")->frame->seconds, 30);
  EXPECT_TRUE(Page("Page1")->frame->ybPlay);

  // Another page became current while the dialog stayed bound to Page1.
  Doc().SetCurrent(Page("Page2"));
  Type(d, 1020, "12");
  Choose(d, 1026, "等待结束");
  EXPECT_EQ(Page("Page2")->frame->seconds, 12);
  EXPECT_EQ(Page("Page2")->frame->TTL_Kind, 0);
  EXPECT_EQ(Page("Page1")->frame->seconds, 30);
  EXPECT_EQ(Page("Page1")->frame->TTL_Kind, 1);
  EXPECT_EQ(Text(d, 1014), "Page1");
}

TEST_F(ParaScreenTest, HiddenButtonsAreWired) {
  CParaScreen& d = OnPage("Page1");
  prompts.files = {std::string("/walls/bg.bmp")};
  Click(d, 1003);
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"图片文件|*.bmp|"}));
  EXPECT_EQ(Page("Page1")->frame->BgPicture, "/walls/bg.bmp");

  WithModal([&] { Click(d, 1002); },
            [](QWidget* modal) {
              ASSERT_NE(qobject_cast<CDlgAction*>(modal), nullptr);
              QTest::keyClick(modal, Qt::Key_Escape);
            });
}

TEST_F(ParaScreenTest, EditsSurviveSavingAndReopening) {
  screen->setGeometry(100, 50, 640, 480);
  {
    CParaScreen& d = OnPage("Page1");
    Type(d, 1011, "70");
    Type(d, 1013, "360");
    prompts.colors = {0x00ABCDEF};
    Click(d, 1001);
    Choose(d, 1026, "计时结束");
    Type(d, 1020, "90");
    Click(d, 1060);
  }
  const std::string path = Save();
  screen->setGeometry(0, 0, 10, 10); // reopening must put it back
  ASSERT_TRUE(Doc().OpenDocument(path));
  CParaScreen& d = OnPage("Page1");
  EXPECT_EQ(Text(d, 1010), "100");
  EXPECT_EQ(Text(d, 1011), "70");
  EXPECT_EQ(Text(d, 1012), "640");
  EXPECT_EQ(Text(d, 1013), "360");
  EXPECT_EQ(Text(d, 1026), "计时结束");
  EXPECT_EQ(Text(d, 1020), "90");
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1060)->isChecked());
  EXPECT_EQ(Page("Page1")->frame->bg, 0x00ABCDEF);
}

} // namespace
