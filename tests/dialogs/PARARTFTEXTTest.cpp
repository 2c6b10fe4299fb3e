#include "controls/RtfText.h"
#include "dialogs/PARARTFTEXT.h"
#include "dialogs/PropertyScreenFixture.h"
#include "dialogs/UpDown.h"

namespace {

constexpr int kRtf = 138;

class PARARTFTEXTTest : public PropertyScreenFixture {};

TEST_F(PARARTFTEXTTest, ShowsEveryControlOfTheLayout) {
  Create(kRtf, Rect{10, 20, 110, 80});
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  ExpectControls(d, "RTF",
                 {{1014, "", true},
                  {1001, "...", true},
                  {1021, nullptr, true},
                  {1026, nullptr, true},
                  {1020, nullptr, true},
                  {1022, nullptr, true},
                  {1036, nullptr, true},
                  {1017, "重复播放", true},
                  {1003, "背景颜色", true},
                  {1002, "测试", true},
                  {1093, "确定", true},
                  {1004, "进出屏", false},
                  {1018, "全局对象", false}});
  for (const char* label :
       {"文件名：", "进屏方式：", "出屏方式：", "播放速度：", "停留时间：", "秒", "播放次数:"})
    EXPECT_TRUE(HasLabel(d, label)) << label;
  EXPECT_EQ(
      Entries(Ctl<QComboBox>(d, 1021)),
      QStringList({"无", "上进", "下进", "左进", "右进", "右下进", "左下进", "右上进", "左上进"}));
  EXPECT_EQ(
      Entries(Ctl<QComboBox>(d, 1026)),
      QStringList({"无", "上出", "下出", "左出", "右出", "右下出", "左下出", "右上出", "左上出"}));
  for (const char* name : {"upDown1020", "upDown1022"}) {
    auto* upDown = d.findChild<CUpDown*>(name);
    ASSERT_NE(upDown, nullptr) << name;
    EXPECT_EQ(upDown->Minimum(), 1);
    EXPECT_EQ(upDown->Maximum(), 100);
  }
}

TEST_F(PARARTFTEXTTest, StylesAreSelectedByExactText) {
  ShowNode* rtf = Create(kRtf, Rect{10, 20, 110, 80});
  auto* control = rtf->ControlAs<C_RtfText>();
  struct Case {
    const char* in;
    const char* out;
    int inIndex, outIndex;
  };
  const Case cases[] = {
      {"左下进", "右上出", 6, 7},
      {"无", "无", 0, 0},
      {"左下", "右上出 ", -1, -1}, // a part or a trailing space is no match
      {"", "上进", -1, -1},        // an entry name in the other list is no match either
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in);
    control->SetInStyle(c.in);
    control->SetOutStyle(c.out);
    CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
    EXPECT_EQ(Ctl<QComboBox>(d, 1021)->currentIndex(), c.inIndex);
    EXPECT_EQ(Ctl<QComboBox>(d, 1026)->currentIndex(), c.outIndex);
  }
}

TEST_F(PARARTFTEXTTest, ChoosingAStylePutsItsName) {
  ShowNode* rtf = Create(kRtf, Rect{10, 20, 110, 80});
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  Choose(d, 1021, "右下进");
  EXPECT_EQ(Put(rtf, C_RtfText::kInStyle).toString(), "右下进");
  Choose(d, 1026, "左出");
  EXPECT_EQ(Put(rtf, C_RtfText::kOutStyle).toString(), "左出");
}

TEST_F(PARARTFTEXTTest, SpeedAndStayTakeTheLeadingDecimalNumber) {
  ShowNode* rtf = Create(kRtf, Rect{10, 20, 110, 80});
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  struct Case {
    const char* typed;
    int value;
  };
  const Case cases[] = {{"25", 25}, {"abc", 0}, {"12abc", 12}, {"", 0}, {"-3", -3}, {"250", 250}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    Type(d, 1020, c.typed);
    EXPECT_EQ(Put(rtf, C_RtfText::kPlaySpeed), Variant::FromI2(static_cast<int16_t>(c.value)));
    Type(d, 1022, c.typed);
    EXPECT_EQ(Put(rtf, C_RtfText::kDelayTime), Variant::FromI2(static_cast<int16_t>(c.value)));
  }
  EXPECT_TRUE(prompts.messages.empty()); // no validation message for these two edits

  // The arrows stay inside 1 … 100.
  Type(d, 1020, "100");
  d.findChild<CUpDown*>("upDown1020")->Step(1);
  EXPECT_EQ(Text(d, 1020), "100");
  EXPECT_EQ(Put(rtf, C_RtfText::kPlaySpeed).toI4(), 100);
  Type(d, 1022, "abc");
  d.findChild<CUpDown*>("upDown1022")->Step(-1);
  EXPECT_EQ(Text(d, 1022), "1");
  EXPECT_EQ(Put(rtf, C_RtfText::kDelayTime).toI4(), 1);
}

TEST_F(PARARTFTEXTTest, PlayCountDecidesRepeat) {
  ShowNode* rtf = Create(kRtf, Rect{10, 20, 110, 80});
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  auto* repeat = Ctl<QAbstractButton>(d, 1017);
  for (int count : {3, 0, 2}) {
    Type(d, 1036, QString::number(count));
    EXPECT_EQ(Put(rtf, C_RtfText::kLoops).toI4(), count);
    EXPECT_EQ(Put(rtf, C_RtfText::kLoopPlay).toBool(), count == 0);
    EXPECT_EQ(repeat->isChecked(), count == 0);
  }
  // The box alone only puts the repeat flag.
  repeat->click();
  EXPECT_TRUE(Put(rtf, C_RtfText::kLoopPlay).toBool());
  EXPECT_EQ(Put(rtf, C_RtfText::kLoops).toI4(), 2);
  EXPECT_EQ(Text(d, 1036), "2");
}

TEST_F(PARARTFTEXTTest, ColourFileAndTestButtons) {
  ShowNode* rtf = Create(kRtf, Rect{10, 20, 110, 80});
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  prompts.colors = {std::nullopt, 0x00336699};
  const Variant colour = Put(rtf, C_RtfText::kColor);
  Click(d, 1003); // cancelled
  EXPECT_EQ(Put(rtf, C_RtfText::kColor), colour);
  Click(d, 1003);
  EXPECT_EQ(Put(rtf, C_RtfText::kColor).toI4(), 0x00336699);

  prompts.files = {std::string("/texts/news.rtf")};
  Click(d, 1001);
  EXPECT_EQ(prompts.filters, (std::vector<std::string>{"RTF文件|*.rtf|TXT文件|*.txt|"}));
  EXPECT_EQ(Put(rtf, C_RtfText::kFileName).toString(), "/texts/news.rtf");
  Type(d, 1014, "/texts/other.txt");
  EXPECT_EQ(Put(rtf, C_RtfText::kFileName).toString(), "/texts/other.txt");

  Click(d, 1002);
  EXPECT_EQ(Fake(rtf).calls, (std::vector<int32_t>{C_RtfText::kPrepare, C_RtfText::kStart}));
  EXPECT_EQ(Text(d, 1002), "停止");
  Click(d, 1002);
  EXPECT_EQ(Fake(rtf).calls.back(), C_RtfText::kStop);
  EXPECT_EQ(Text(d, 1002), "预览");
}

TEST_F(PARARTFTEXTTest, EditsSurviveSavingAndReopening) {
  Create(kRtf, Rect{10, 20, 110, 80});
  {
    CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
    Type(d, 1014, "/texts/news.rtf");
    Choose(d, 1021, "上进");
    Choose(d, 1026, "左下出");
    Type(d, 1020, "35");
    Type(d, 1022, "8");
    Type(d, 1036, "0");
    prompts.colors = {0x00112233};
    Click(d, 1003);
    Type(d, 1012, "140"); // width
  }
  SaveAndReopen();
  Select("RTF1");
  CPARARTFTEXT& d = Properties<CPARARTFTEXT>();
  EXPECT_EQ(Text(d, 1014), "/texts/news.rtf");
  EXPECT_EQ(Text(d, 1021), "上进");
  EXPECT_EQ(Text(d, 1026), "左下出");
  EXPECT_EQ(Text(d, 1020), "35");
  EXPECT_EQ(Text(d, 1022), "8");
  EXPECT_EQ(Text(d, 1036), "0");
  EXPECT_TRUE(Ctl<QAbstractButton>(d, 1017)->isChecked());
  EXPECT_EQ(Text(d, 1012), "140");
  EXPECT_EQ(d.ControlAs<C_RtfText>()->GetColor(), 0x00112233);
}

} // namespace
