#include <QToolButton>

#include "controls/DoExe.h"
#include "dialogs/ParaExe.h"
#include "dialogs/PropertyScreenFixture.h"

namespace {

constexpr int kExe = 128;

class ParaExeTest : public PropertyScreenFixture {};

TEST_F(ParaExeTest, ShowsEveryControlOfTheLayout) {
  Create(kExe, Rect{10, 20, 110, 80});
  CParaExe& d = Properties<CParaExe>();
  ExpectControls(d, "程序",
                 {{1010, "10", true},
                  {1011, "20", true},
                  {1012, "32", true},
                  {1013, "32", true},
                  {1001, "编  辑", true},
                  {1002, "测  试", true},
                  {1093, "确定", true}});
  for (int id : {1001, 1002}) {
    auto* button = Ctl<QToolButton>(d, id);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(button->icon().isNull());
  }
}

TEST_F(ParaExeTest, EditOpensTheControlsListEditorAndTestRunsAndStops) {
  ShowNode* exe = Create(kExe, Rect{10, 20, 110, 80});
  CParaExe& d = Properties<CParaExe>();
  Click(d, 1001);
  EXPECT_EQ(Fake(exe).calls, (std::vector<int32_t>{C_DoExe::kEditList}));
  Click(d, 1002);
  EXPECT_EQ(Text(d, 1002), "停止");
  Click(d, 1002);
  EXPECT_EQ(Text(d, 1002), "预览");
  EXPECT_EQ(Fake(exe).calls,
            (std::vector<int32_t>{C_DoExe::kEditList, C_DoExe::kRun, C_DoExe::kStop}));
}

TEST_F(ParaExeTest, PositionSurvivesSavingAndReopening) {
  ShowNode* exe = Create(kExe, Rect{10, 20, 110, 80});
  {
    CParaExe& d = Properties<CParaExe>();
    Type(d, 1010, "300");
    Type(d, 1012, "64"); // width
    Type(d, 1013, "48"); // height
  }
  EXPECT_EQ(exe->control->GetWindowRect(), (Rect{300, 20, 364, 68}));
  SaveAndReopen();
  Select("Program1");
  CParaExe& d = Properties<CParaExe>();
  EXPECT_EQ(Text(d, 1010), "300");
  EXPECT_EQ(Text(d, 1011), "20");
  EXPECT_EQ(Text(d, 1012), "64");
  EXPECT_EQ(Text(d, 1013), "48");
}

} // namespace
