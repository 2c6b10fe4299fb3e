#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <filesystem>

#include "controls/Clock.h"
#include "dialogs/ParaClock.h"
#include "dialogs/ParaLabel.h"
#include "dialogs/ParaPicture.h"
#include "dialogs/PropertyWindows.h"
#include "model/ZyntraDoc.h"
#include "app/DPlayList.h"
#include "dialogs/DialogTestSupport.h"

namespace {

namespace fs = std::filesystem;

// The screen window started as the program starts it, with fake controls.
class PropertyWindowsTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zyntra-para-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    AppServices s;
    s.prompts = &prompts;
    s.settingsPath = (dir / "setup.ini").string();
    s.makeControlFactory = [](QWidget* parent) {
      return std::make_unique<FakeWidgetControlFactory>(parent);
    };
    screen = std::make_unique<CZyntraScr>(std::move(s));
    screen->SetPropertyWindowFactory(&CreatePropertyWindow);
    screen->Initialise();
  }
  void TearDown() override {
    screen.reset();
    fs::remove_all(dir);
  }
  ShowNode* Node(const std::string& name) {
    CZyntraDoc& doc = screen->PageList()->Document();
    return doc.FindNode(name, doc.Root());
  }
  QWidget* Window(const ShowNode* node) { return dynamic_cast<QWidget*>(node->control->Control()); }
  QTreeWidgetItem* TreeItem(const QString& text) {
    for (QTreeWidgetItemIterator it(screen->PageList()->Tree()); *it; ++it)
      if ((*it)->text(0) == text) return *it;
    return nullptr;
  }

  fs::path dir;
  ScriptedPrompts prompts;
  std::unique_ptr<CZyntraScr> screen;
};

TEST_F(PropertyWindowsTest, TheScreenWindowOpensTheDialogOfTheSelectedKind) {
  CDPlayList& list = *screen->PageList();
  ASSERT_TRUE(list.CreateObject(123, Rect{50, 60, 150, 140}));
  ASSERT_TRUE(list.CreateObject(131, Rect{200, 10, 300, 50}));
  ASSERT_TRUE(list.CreateObject(122, Rect{0, 150, 120, 250}));

  ASSERT_TRUE(list.SelectItemByText("Timer1"));
  screen->SurfaceCommand(117); // properties
  auto* clock = qobject_cast<CParaClock*>(screen->OpenPropertyWindow());
  ASSERT_NE(clock, nullptr);
  EXPECT_EQ(screen->PropertyKind(), 123);
  EXPECT_TRUE(clock->isVisible());
  EXPECT_EQ(clock->Object(), Node("Timer1"));
  EXPECT_EQ(Ctl<QLineEdit>(*clock, 1012)->text(), QStringLiteral("80")); // height
  EXPECT_EQ(Ctl<QLineEdit>(*clock, 1013)->text(), QStringLiteral("100"));
  Ctl<QLineEdit>(*clock, 1013)->setText("140");
  EXPECT_EQ(Window(Node("Timer1"))->geometry(), QRect(50, 60, 140, 80));
  Choose(Ctl<QComboBox>(*clock, 1021), 4);
  auto* fake = dynamic_cast<FakeWidgetControl*>(Window(Node("Timer1")));
  EXPECT_EQ(fake->values[C_Clock::kStyle].toI4(), 4);

  // OK hides the window; opening again shows the same one.
  Ctl<QPushButton>(*clock, 1093)->click();
  EXPECT_FALSE(clock->isVisible());
  screen->SurfaceCommand(117);
  EXPECT_EQ(screen->OpenPropertyWindow(), clock);
  EXPECT_TRUE(clock->isVisible());

  // A double click on the text's tree item opens the text dialog in its place.
  QTreeWidgetItem* text = TreeItem("Text1");
  ASSERT_NE(text, nullptr);
  screen->PageList()->Tree()->setCurrentItem(text);
  emit screen->PageList()->Tree()->itemDoubleClicked(text, 0);
  auto* label = qobject_cast<CParaLabel*>(screen->OpenPropertyWindow());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Object(), Node("Text1"));
  EXPECT_EQ(Ctl<QLineEdit>(*label, 1012)->text(), QStringLiteral("100")); // width
  Ctl<QCheckBox>(*label, 1018)->click();
  EXPECT_TRUE(Node("Text1")->reserve);

  ASSERT_TRUE(list.SelectItemByText("Image1"));
  screen->SurfaceCommand(117);
  auto* picture = qobject_cast<CParaPicture*>(screen->OpenPropertyWindow());
  ASSERT_NE(picture, nullptr);
  Ctl<QLineEdit>(*picture, 1011)->setText("160");
  EXPECT_EQ(Window(Node("Image1"))->geometry(), QRect(0, 160, 120, 100));
}

TEST(PropertyWindows, MakesNothingForACodeWithoutADialog) {
  DialogBench bench;
  for (int code : {0, 121, 127, 130, -1})
    EXPECT_EQ(CreatePropertyWindow(code, *bench.screen), nullptr) << code;
  std::unique_ptr<QWidget> clock(CreatePropertyWindow(123, *bench.screen));
  EXPECT_NE(dynamic_cast<PropertyWindow*>(clock.get()), nullptr);
  EXPECT_FALSE(clock->isVisible());
}

} // namespace
