#include "controls/MPlayer.h"
#include "dialogs/ParaMovie.h"
#include "dialogs/PropertyScreenFixture.h"

namespace {

constexpr int kMovie = 124;

class ParaMovieTest : public PropertyScreenFixture {};

TEST_F(ParaMovieTest, ShowsEveryControlOfTheLayout) {
  Create(kMovie, Rect{10, 20, 110, 80});
  CParaMovie& d = Properties<CParaMovie>();
  ExpectControls(d, "电影",
                 {{1014, "", true},
                  {1001, "...", true},
                  {1020, "1", true},
                  {1070, nullptr, true},
                  {1017, "重复播放", true},
                  {1002, "测 试", true},
                  {1093, "确定", true},
                  {1003, "进出屏", false},
                  {1018, "全局对象", false},
                  {1004, "Button4", false}});
  EXPECT_TRUE(HasLabel(d, "电影文件："));
  EXPECT_TRUE(HasLabel(d, "播放次数:"));
  // The movie dialog has the height in 1012 and the width in 1013, labelled so.
  EXPECT_EQ(LabelTexts(d).mid(0, 4), QStringList({"L：", "T：", "H：", "W："}));
  EXPECT_EQ(Text(d, 1010), "10");
  EXPECT_EQ(Text(d, 1011), "20");
  EXPECT_EQ(Text(d, 1012), "60");
  EXPECT_EQ(Text(d, 1013), "100");
}

TEST_F(ParaMovieTest, SizeEditsMoveTheMovieAtOnce) {
  ShowNode* movie = Create(kMovie, Rect{10, 20, 110, 80});
  CParaMovie& d = Properties<CParaMovie>();
  Type(d, 1012, "30"); // height
  EXPECT_EQ(movie->control->GetWindowRect(), (Rect{10, 20, 110, 50}));
  Type(d, 1013, "200"); // width
  EXPECT_EQ(movie->control->GetWindowRect(), (Rect{10, 20, 210, 50}));
  Type(d, 1010, "-5");
  EXPECT_EQ(movie->control->GetWindowRect(), (Rect{-5, 20, 195, 50}));
}

TEST_F(ParaMovieTest, PlayCountAndRepeatMirrorEachOther) {
  ShowNode* movie = Create(kMovie, Rect{10, 20, 110, 80});
  movie->ControlAs<C_MPlayer>()->SetPlayCount(0);
  CParaMovie& d = Properties<CParaMovie>();
  auto* repeat = Ctl<QAbstractButton>(d, 1017);
  EXPECT_TRUE(repeat->isChecked()); // a stored endless count shows as repeat
  EXPECT_EQ(Text(d, 1020), "0");

  struct Step {
    const char* action; // "type N" or "click"
    int count;          // 0x406 afterwards
    const char* shown;  // text of 1020 afterwards
    bool repeat;
  };
  const Step steps[] = {
      {"5", 5, "5", false},     {"0", 0, "0", true},
      {"7", 7, "7", false},     {"click", 0, "0", true}, // setting repeat makes the count endless
      {"click", 1, "1", false}, // clearing it gives one run, not the 7 shown before
      {"click", 0, "0", true},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.action);
    if (std::string(s.action) == "click")
      repeat->click();
    else
      Type(d, 1020, s.action);
    EXPECT_EQ(Put(movie, C_MPlayer::kPlayCount).toI4(), s.count);
    EXPECT_EQ(Text(d, 1020), s.shown);
    EXPECT_EQ(repeat->isChecked(), s.repeat);
    EXPECT_EQ(d.PlayCount, s.count);
  }
}

TEST_F(ParaMovieTest, FileEditAndChooserPutTheFileName) {
  ShowNode* movie = Create(kMovie, Rect{10, 20, 110, 80});
  CParaMovie& d = Properties<CParaMovie>();
  Type(d, 1014, "/media/a.mp4");
  EXPECT_EQ(Put(movie, C_MPlayer::kFileName).toString(), "/media/a.mp4");

  prompts.files = {std::nullopt, std::string("/media/b.avi")};
  Click(d, 1001); // cancelled: nothing changes
  EXPECT_EQ(Text(d, 1014), "/media/a.mp4");
  EXPECT_EQ(Put(movie, C_MPlayer::kFileName).toString(), "/media/a.mp4");
  Click(d, 1001);
  EXPECT_EQ(Text(d, 1014), "/media/b.avi");
  EXPECT_EQ(Put(movie, C_MPlayer::kFileName).toString(), "/media/b.avi");
  // The movie chooser has no filter.
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"", ""}));
}

TEST_F(ParaMovieTest, TestButtonPlaysAndStopsAndHiddenButtonHidesTheMovie) {
  ShowNode* movie = Create(kMovie, Rect{10, 20, 110, 80});
  CParaMovie& d = Properties<CParaMovie>();
  Click(d, 1002);
  EXPECT_EQ(Fake(movie).calls, (std::vector<int32_t>{C_MPlayer::kPlay}));
  EXPECT_EQ(Text(d, 1002), "停止");
  EXPECT_TRUE(d.Previewing());
  Click(d, 1002);
  EXPECT_EQ(Fake(movie).calls, (std::vector<int32_t>{C_MPlayer::kPlay, C_MPlayer::kStop}));
  EXPECT_EQ(Text(d, 1002), "预览");
  EXPECT_FALSE(d.Previewing());

  EXPECT_TRUE(movie->control->IsWindowVisible());
  Click(d, 1004);
  EXPECT_FALSE(movie->control->IsWindowVisible());
  Click(d, 1018);
  EXPECT_TRUE(movie->reserve);
}

TEST_F(ParaMovieTest, EditsSurviveSavingAndReopening) {
  Create(kMovie, Rect{10, 20, 110, 80});
  {
    CParaMovie& d = Properties<CParaMovie>();
    Type(d, 1014, "/media/show.mp4");
    Type(d, 1020, "4");
    Type(d, 1012, "90"); // height
    Type(d, 1010, "33");
    Click(d, 1018);
  }
  ShowNode* before = Doc().FindNode("Video1", Doc().Root());
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(before->control->GetWindowRect(), (Rect{33, 20, 133, 110}));
  EXPECT_TRUE(before->reserve);

  SaveAndReopen();
  Select("Video1");
  CParaMovie& d = Properties<CParaMovie>();
  EXPECT_EQ(d.Object(), Doc().FindNode("Video1", Doc().Root()));
  EXPECT_EQ(Text(d, 1014), "/media/show.mp4");
  EXPECT_EQ(Text(d, 1020), "4");
  EXPECT_FALSE(Ctl<QAbstractButton>(d, 1017)->isChecked());
  EXPECT_EQ(Text(d, 1010), "33");
  EXPECT_EQ(Text(d, 1011), "20");
  EXPECT_EQ(Text(d, 1012), "90");
  EXPECT_EQ(Text(d, 1013), "100");
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1018)->isChecked());
}

} // namespace
