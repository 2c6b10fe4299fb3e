#include <QCheckBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "controls/EffectBox.h"
#include "dialogs/ColorListBox.h"
#include "dialogs/ParaPicture.h"
#include "dialogs/DialogTestSupport.h"

namespace {

using Lines = std::vector<std::string>;
using Item = CParaPicture::Item;

class ParaPictureTest : public ::testing::Test {
protected:
  // A picture object whose control holds `items`.
  ShowNode* Picture(const std::vector<Item>& items) {
    ShowNode* node = bench.Object<C_EffectBox>(ObjectKind::Picture, Rect{0, 0, 200, 150});
    for (const Item& i : items)
      node->ControlAs<C_EffectBox>()->AddItem(i.path, i.effect, i.speed, i.stay);
    Applied(node);
    return node;
  }
  QStringList ListLines() {
    QStringList lines;
    for (int i = 0; i < List()->count(); ++i)
      lines << List()->item(i)->text();
    return lines;
  }
  std::vector<int32_t> ListColours() {
    std::vector<int32_t> colours;
    for (int i = 0; i < List()->count(); ++i)
      colours.push_back(List()->LineColour(i));
    return colours;
  }
  // What the control was told since the last look, less the reading of its items.
  static std::vector<std::string> Applied(const ShowNode* node) {
    std::vector<std::string> applied;
    for (const std::string& line : DialogBench::Told(node)) {
      bool reads = false;
      for (const char* getter :
           {"call 0x60030007 ", "call 0x60030008 ", "call 0x60030009 ", "call 0x6003000A "})
        reads = reads || line.rfind(getter, 0) == 0;
      if (!reads) applied.push_back(line);
    }
    return applied;
  }
  CColorListBox* List() { return Ctl<CColorListBox>(d, 1015); }
  QLineEdit* Path() { return Ctl<QLineEdit>(d, 1020); }
  void Click(int id) { Ctl<QPushButton>(d, id)->click(); }

  DialogBench bench;
  CParaPicture d{*bench.screen};
  const std::vector<Item> two = {{"/pics/a.jpg", "上移", 10, 3},
                                 {"C:\\show\\b.bmp", "左拉", 90, 7}};
};

TEST_F(ParaPictureTest, ReadsTheControlAndItsItems) {
  ShowNode* node = Picture(two);
  FakeControl& fake = DialogBench::Fake(node);
  fake.props[C_EffectBox::kLoops] = Variant::FromI2(3);
  fake.props[C_EffectBox::kBgPicture] = Variant::FromString("/pics/bg.bmp");
  fake.props[C_EffectBox::kStretch] = Variant::FromBool(true);
  d.SetObject(node);
  EXPECT_EQ(d.windowTitle(), QStringLiteral("图片"));
  EXPECT_EQ(d.Items(), two);
  EXPECT_EQ(ListLines(), QStringList({"a.jpg", "b.bmp"}));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1014)->text(), QStringLiteral("3"));
  EXPECT_EQ(Ctl<QLineEdit>(d, 1039)->text(), QStringLiteral("/pics/bg.bmp"));
  EXPECT_TRUE(Ctl<QCheckBox>(d, 1060)->isChecked());
  EXPECT_FALSE(Ctl<QCheckBox>(d, 1017)->isChecked());
  EXPECT_EQ(Applied(node), Lines{});

  EXPECT_EQ(
      Entries(Ctl<QComboBox>(d, 1021)),
      QStringList({"无效果", "水平百叶窗", "垂直百叶窗", "中间向四周", "四周向中间", "上移", "下移",
                   "左移", "右移", "上拉", "下拉", "左拉", "右拉", "垂直放大", "水平放大"}));
  EXPECT_EQ(Ctl<QComboBox>(d, 1021)->currentIndex(), 0);
  EXPECT_EQ(Ctl<QSlider>(d, 1035)->value(), 50);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1036)->text(), QStringLiteral("50"));
  EXPECT_EQ(Ctl<QSlider>(d, 1023)->value(), 2);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1022)->text(), QStringLiteral("2"));
  for (int id : {1035, 1023}) {
    EXPECT_EQ(Ctl<QSlider>(d, id)->minimum(), 1);
    EXPECT_EQ(Ctl<QSlider>(d, id)->maximum(), 100);
  }
  const QStringList labels = LabelTexts(d);
  for (const char* label :
       {"播放次数：", "背景图片:", "图片：", "效果：", "速度：", "停留：", "秒"})
    EXPECT_TRUE(labels.contains(QString::fromUtf8(label))) << label;
  EXPECT_EQ(Ctl<QCheckBox>(d, 1018)->text(), QStringLiteral("保留"));
  EXPECT_EQ(Ctl<QCheckBox>(d, 1017)->text(), QStringLiteral("重复播放"));
  EXPECT_EQ(Ctl<QCheckBox>(d, 1060)->text(), QStringLiteral("允许缩放"));
  EXPECT_TRUE(d.Control(1059)->isHidden());
}

TEST_F(ParaPictureTest, RebindingKeepsTheListOnlyForTheSameObject) {
  ShowNode* first = Picture(two);
  ShowNode* second = Picture({{"/x/c.gif", "下移", 5, 5}});
  d.SetObject(first);
  const std::vector<int32_t> colours = ListColours();
  ASSERT_EQ(colours.size(), 2u);
  for (int32_t c : colours)
    for (int shift : {0, 8, 16})
      EXPECT_LT((c >> shift) & 0xFF, 255); // each part is taken modulo 255

  // The same object again: the dialog's own list stays, even if the control changed meanwhile.
  first->ControlAs<C_EffectBox>()->RemoveAll();
  d.SetObject(first);
  EXPECT_EQ(d.Items(), two);
  EXPECT_EQ(ListColours(), colours);

  d.SetObject(second);
  EXPECT_EQ(ListLines(), QStringList({"c.gif"}));
  EXPECT_EQ(d.Items(), (std::vector<Item>{{"/x/c.gif", "下移", 5, 5}}));
  d.SetObject(first); // another object again: read anew (now empty)
  EXPECT_TRUE(d.Items().empty());
  EXPECT_EQ(List()->count(), 0);
}

TEST_F(ParaPictureTest, AddingNeedsAPath) {
  ShowNode* node = Picture(two);
  d.SetObject(node);
  Click(1001);
  EXPECT_EQ(bench.prompts.Texts(), "请选择一个图片，然后再添加。");
  EXPECT_EQ(bench.prompts.messages[0].buttons, PromptButtons::Ok);
  EXPECT_EQ(bench.prompts.messages[0].caption, "同步播放系统(Orlume)");
  EXPECT_EQ(d.Items(), two);
  EXPECT_EQ(List()->count(), 2);
  EXPECT_EQ(Applied(node), Lines{});

  // The path button writes into the edit only.
  bench.prompts.openPaths = {"/pics/new.png"};
  Click(1003);
  EXPECT_EQ(bench.prompts.filters.back(),
            "图片文件|*.bmp;*.jpg;*.gif;*.ico;*.cur;*.wmf;*.emf|所有文件|*.*|");
  EXPECT_EQ(Path()->text(), QStringLiteral("/pics/new.png"));
  EXPECT_EQ(Applied(node), Lines{});
  Choose(Ctl<QComboBox>(d, 1021), 13);
  Ctl<QSlider>(d, 1035)->setValue(100);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1036)->text(), QStringLiteral("100"));
  Ctl<QSlider>(d, 1023)->setValue(1);
  Click(1001);
  EXPECT_EQ(Applied(node), Lines{"call 0x60030006 \"/pics/new.png\" \"垂直放大\" i2:100 i2:1"});
  EXPECT_EQ(d.Items().back(), (Item{"/pics/new.png", "垂直放大", 100, 1}));
  EXPECT_EQ(ListLines().back(), QStringLiteral("new.png"));
  EXPECT_TRUE(Path()->text().isEmpty());
  EXPECT_EQ(bench.prompts.messages.size(), 1u);
}

TEST_F(ParaPictureTest, DeleteAndModifyWorkOnTheSelectedLine) {
  ShowNode* node = Picture(two);
  d.SetObject(node);
  Click(1002); // nothing selected
  Click(1050);
  EXPECT_EQ(Applied(node), Lines{});
  EXPECT_EQ(d.Items(), two);

  // Selecting a line shows its item.
  List()->setCurrentRow(1);
  EXPECT_EQ(Path()->text(), QStringLiteral("C:\\show\\b.bmp"));
  EXPECT_EQ(Ctl<QComboBox>(d, 1021)->currentText(), QStringLiteral("左拉"));
  EXPECT_EQ(Ctl<QSlider>(d, 1035)->value(), 90);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1036)->text(), QStringLiteral("90"));
  EXPECT_EQ(Ctl<QSlider>(d, 1023)->value(), 7);

  // Modifying with an empty path gives the item an empty path; lines lose their colours.
  Path()->clear();
  Ctl<QSlider>(d, 1023)->setValue(4);
  Click(1050);
  EXPECT_EQ(d.Items()[1], (Item{"", "左拉", 90, 4}));
  EXPECT_EQ(Applied(node),
            (Lines{"call 0x60030005", "call 0x60030006 \"/pics/a.jpg\" \"上移\" i2:10 i2:3",
                   "call 0x60030006 \"\" \"左拉\" i2:90 i2:4"}));
  EXPECT_EQ(ListLines(), QStringList({"a.jpg", ""}));
  EXPECT_EQ(ListColours(), (std::vector<int32_t>{0, 0}));
  EXPECT_TRUE(bench.prompts.messages.empty());

  List()->setCurrentRow(0);
  Click(1002);
  EXPECT_EQ(d.Items(), (std::vector<Item>{{"", "左拉", 90, 4}}));
  EXPECT_EQ(Applied(node), (Lines{"call 0x60030005", "call 0x60030006 \"\" \"左拉\" i2:90 i2:4"}));
  Click(1002); // the selection went with the line
  EXPECT_EQ(d.Items().size(), 1u);
}

TEST_F(ParaPictureTest, PlayCountZeroMeansRepeat) {
  ShowNode* node = Picture({});
  d.SetObject(node);
  auto* count = Ctl<QLineEdit>(d, 1014);
  count->setText("2");
  Applied(node);
  count->setText("0");
  EXPECT_TRUE(Ctl<QCheckBox>(d, 1017)->isChecked());
  EXPECT_EQ(Applied(node), (Lines{"put 0x40030005 i2:0", "put 0x40030004 true"}));
  count->setText("5");
  EXPECT_FALSE(Ctl<QCheckBox>(d, 1017)->isChecked());
  EXPECT_EQ(Applied(node), (Lines{"put 0x40030005 i2:5", "put 0x40030004 false"}));
  Ctl<QCheckBox>(d, 1017)->click(); // repeat alone leaves the count
  EXPECT_EQ(Applied(node), Lines{"put 0x40030004 true"});
  EXPECT_EQ(count->text(), QStringLiteral("5"));
  Ctl<QCheckBox>(d, 1060)->click();
  EXPECT_EQ(Applied(node), Lines{"put 0x40030006 true"});
  Ctl<QCheckBox>(d, 1018)->click();
  EXPECT_TRUE(node->reserve);
}

TEST_F(ParaPictureTest, BackgroundColourPictureAndPreview) {
  ShowNode* node = Picture({});
  d.SetObject(node);
  bench.prompts.openPaths = {std::nullopt, "/pics/back.jpg"};
  Click(1067); // cancelled
  EXPECT_EQ(Applied(node), Lines{});
  Click(1067);
  EXPECT_EQ(Ctl<QLineEdit>(d, 1039)->text(), QStringLiteral("/pics/back.jpg"));
  bench.prompts.colors = {0x0080FF};
  Click(1051);
  EXPECT_EQ(Applied(node), (Lines{"put 0x40030002 \"/pics/back.jpg\"", "put 0x68030000 i4:33023"}));

  auto* test = Ctl<QPushButton>(d, 1004);
  EXPECT_EQ(test->text(), QStringLiteral("测 试"));
  test->click();
  EXPECT_TRUE(d.Previewing());
  EXPECT_EQ(test->text(), QStringLiteral("停止"));
  test->click();
  EXPECT_FALSE(d.Previewing());
  EXPECT_EQ(test->text(), QStringLiteral("预览"));
  EXPECT_EQ(Applied(node), (Lines{"call 0x6003000B", "call 0x6003000C"}));
  // The flag is the dialog's: another object starts from where the dialog is.
  test->click();
  d.SetObject(Picture({}));
  EXPECT_TRUE(d.Previewing());
}

TEST(ColorListBox, DrawsSelectedLinesInTheInverseColour) {
  QPalette palette;
  palette.setColor(QPalette::Text, QColor(1, 2, 3));
  EXPECT_EQ(CColorListBox::TextColour(0x0000FF, false, palette), QColor(255, 0, 0));
  EXPECT_EQ(CColorListBox::TextColour(0x0000FF, true, palette), QColor(0, 255, 255));
  EXPECT_EQ(CColorListBox::TextColour(0, false, palette), QColor(1, 2, 3));
  EXPECT_EQ(CColorListBox::TextColour(0, true, palette), QColor(255, 255, 255));

  CColorListBox list;
  list.AddLine("a", 0x112233);
  list.InsertLine(0, "b", 0x445566);
  list.InsertLine(99, "c", 7);
  list.SetLineColour(2, 8);
  list.SetLineColour(5, 9); // no such line
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("b"));
  EXPECT_EQ(list.LineColour(0), 0x445566);
  EXPECT_EQ(list.LineColour(1), 0x112233);
  EXPECT_EQ(list.LineColour(2), 8);
  EXPECT_EQ(list.LineColour(3), 0);
}

TEST(ParaPicture, LineTextIsTheFileName) {
  EXPECT_EQ(CParaPicture::LineText("/a/b/c.jpg"), QStringLiteral("c.jpg"));
  EXPECT_EQ(CParaPicture::LineText("D:\\pics\\d.bmp"), QStringLiteral("d.bmp"));
  EXPECT_EQ(CParaPicture::LineText("e.gif"), QStringLiteral("e.gif"));
  EXPECT_EQ(CParaPicture::LineText("/dir/"), QStringLiteral(""));
}

} // namespace
