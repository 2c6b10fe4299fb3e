#include <QListWidget>

#include "controls/AniGif.h"
#include "dialogs/DlgInOut.h"
#include "dialogs/ParaGif.h"
#include "dialogs/PropertyScreenFixture.h"
#include "dialogs/UpDown.h"

namespace {

constexpr int kGif = 126;

class ParaGifTest : public PropertyScreenFixture {};

TEST_F(ParaGifTest, ShowsEveryControlWithoutUpDownsOrOk) {
  Create(kGif, Rect{10, 20, 110, 80});
  CParaGif& d = Properties<CParaGif>();
  ExpectControls(d, "GIF",
                 {{1010, "10", true},
                  {1011, "20", true},
                  {1012, "100", true},
                  {1013, "60", true},
                  {1020, "", true},
                  {1001, "选  择", true},
                  {1018, "全局对象", true},
                  {1003, "进出屏", true},
                  {1002, "预  览", false},
                  {1051, "背景颜色", false}});
  for (const char* label : {"X：", "Y：", "W：", "H：", "文件："})
    EXPECT_TRUE(HasLabel(d, label)) << label;
  EXPECT_TRUE(d.findChildren<CUpDown*>().isEmpty());
  EXPECT_EQ(d.Control(1093), nullptr);
}

TEST_F(ParaGifTest, ChooserPutsTheFileAndReserveGoesToTheRecord) {
  ShowNode* gif = Create(kGif, Rect{10, 20, 110, 80});
  CParaGif& d = Properties<CParaGif>();
  prompts.files = {std::string("/anim/spin.gif")};
  Click(d, 1001);
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"GIF 文件|*.gif"}));
  EXPECT_EQ(Put(gif, C_AniGif::kFileName).toString(), "/anim/spin.gif");
  EXPECT_EQ(Text(d, 1020), "/anim/spin.gif");

  const auto before = Fake(gif).values;
  Click(d, 1018);
  EXPECT_TRUE(gif->reserve);
  Click(d, 1002); // hidden, no action
  Click(d, 1051); // hidden, no action
  EXPECT_EQ(Fake(gif).values, before);
  EXPECT_EQ(prompts.fileAsks.size(), 1u);
}

TEST_F(ParaGifTest, EffectsButtonRunsTheInOutDialogForTheObject) {
  ShowNode* gif = Create(kGif, Rect{10, 20, 110, 80});
  CParaGif& d = Properties<CParaGif>();
  WithModal([&] { Click(d, 1003); },
            [](QWidget* modal) {
              auto* inOut = qobject_cast<CDlgInOut*>(modal);
              ASSERT_NE(inOut, nullptr);
              Ctl<QListWidget>(*inOut, 1015)->setCurrentRow(3);
              inOut->accept();
            });
  EXPECT_EQ(gif->actionStyle, 1);
  EXPECT_EQ(gif->inStyle, 3);
}

TEST_F(ParaGifTest, EditsSurviveSavingAndReopening) {
  Create(kGif, Rect{10, 20, 110, 80});
  {
    CParaGif& d = Properties<CParaGif>();
    prompts.files = {std::string("/anim/logo.gif")};
    Click(d, 1001);
    Click(d, 1018);
    Type(d, 1013, "75"); // height
  }
  SaveAndReopen();
  Select("Gif1");
  CParaGif& d = Properties<CParaGif>();
  EXPECT_EQ(Text(d, 1020), "/anim/logo.gif");
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1018)->isChecked());
  EXPECT_EQ(Text(d, 1012), "100");
  EXPECT_EQ(Text(d, 1013), "75");
}

} // namespace
