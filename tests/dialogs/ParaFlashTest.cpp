#include "controls/ShockwaveFlash.h"
#include "dialogs/ParaFlash.h"
#include "dialogs/PropertyScreenFixture.h"

namespace {

constexpr int kFlash = 125;

class ParaFlashTest : public PropertyScreenFixture {};

TEST_F(ParaFlashTest, ShowsEveryControlOfTheLayout) {
  Create(kFlash, Rect{10, 20, 110, 80});
  CParaFlash& d = Properties<CParaFlash>();
  ExpectControls(d, "FLASH动画",
                 {{1020, "", true},
                  {1001, "...", true},
                  {1017, "重复播放", true},
                  {1002, "测 试", true},
                  {1093, "确定", true},
                  {1003, "进出屏", false},
                  {1018, "全局对象", false},
                  {1051, "背景颜色", false}});
  EXPECT_TRUE(HasLabel(d, "文件："));
  EXPECT_EQ(Text(d, 1012), "100"); // width first, as in most dialogs
  EXPECT_EQ(Text(d, 1013), "60");
}

TEST_F(ParaFlashTest, TestButtonTogglesPlayingAndKeepsItsText) {
  ShowNode* flash = Create(kFlash, Rect{10, 20, 110, 80});
  CParaFlash& d = Properties<CParaFlash>();
  for (bool playing : {true, false, true}) {
    Click(d, 1002);
    EXPECT_EQ(Put(flash, C_ShockwaveFlash::kPlaying).toBool(), playing);
    EXPECT_EQ(d.FlashPreviewing(), playing);
    EXPECT_EQ(Text(d, 1002), "测 试");
  }
}

TEST_F(ParaFlashTest, OnlyTheChooserSetsTheMovie) {
  ShowNode* flash = Create(kFlash, Rect{10, 20, 110, 80});
  CParaFlash& d = Properties<CParaFlash>();
  Type(d, 1020, "/typed.swf");
  EXPECT_TRUE(Put(flash, C_ShockwaveFlash::kMovie).isEmpty());

  prompts.files = {std::string("/shows/intro.swf")};
  Click(d, 1001);
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"FLASH 文件|*.swf"}));
  EXPECT_EQ(Put(flash, C_ShockwaveFlash::kMovie).toString(), "/shows/intro.swf");
  EXPECT_EQ(Text(d, 1020), "/shows/intro.swf");

  Click(d, 1017);
  EXPECT_TRUE(Put(flash, C_ShockwaveFlash::kLoop).toBool());
  Click(d, 1017);
  EXPECT_FALSE(Put(flash, C_ShockwaveFlash::kLoop).toBool());
  const auto before = Fake(flash).values;
  Click(d, 1051); // the hidden colour button does nothing
  EXPECT_EQ(Fake(flash).values, before);
  EXPECT_EQ(prompts.fileAsks.size(), 1u);
}

TEST_F(ParaFlashTest, EditsSurviveSavingAndReopening) {
  Create(kFlash, Rect{10, 20, 110, 80});
  {
    CParaFlash& d = Properties<CParaFlash>();
    prompts.files = {std::string("/shows/loop.swf")};
    Click(d, 1001);
    Click(d, 1017);
    Type(d, 1012, "250"); // width
    Type(d, 1011, "44");
  }
  SaveAndReopen();
  Select("Flash1");
  CParaFlash& d = Properties<CParaFlash>();
  EXPECT_EQ(Text(d, 1020), "/shows/loop.swf");
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1017)->isChecked());
  EXPECT_EQ(Text(d, 1010), "10");
  EXPECT_EQ(Text(d, 1011), "44");
  EXPECT_EQ(Text(d, 1012), "250");
  EXPECT_EQ(Text(d, 1013), "60");
}

} // namespace
