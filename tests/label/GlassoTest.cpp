#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "GlassoTestSupport.h"
#include "qt/QtPrompts.h"
#include "label/Frm_Caption.h"

using D = GlassoIds::Dispid;

TEST(Glasso, PropertiesReadBackWhatWasPut) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  struct Case {
    D id;
    Variant value;
  };
  const Case cases[] = {
      {D::kCaption, Variant::FromString("同步屏 Glasso\n第二行")},
      {D::kColor, Variant::FromI4(0x00FF00)},
      {D::kBgColor, Variant::FromI4(0x123456)},
      {D::kBorderColor, Variant::FromI4(0xABCDEF)},
      {D::kAlign, Variant::FromI2(1)},
      {D::kAlign, Variant::FromI2(2)},
      {D::kAlign, Variant::FromI2(0)},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(Put(g, c.id, c.value), InvokeStatus::Ok) << static_cast<int32_t>(c.id);
    EXPECT_EQ(Get(g, c.id), c.value) << static_cast<int32_t>(c.id);
  }
}

TEST(Glasso, AnswersOnlyTheKindsEachMemberHas) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  struct Case {
    int32_t dispid;
    InvokeKind kind;
    std::vector<Variant> args;
    InvokeStatus expected;
  };
  const Case cases[] = {
      {0x12345678, InvokeKind::PropertyGet, {}, InvokeStatus::UnknownMember},
      {0x68030007, InvokeKind::PropertyGet, {}, InvokeStatus::BadKind}, // FontSize is put-only
      {0x6803000C, InvokeKind::PropertyGet, {}, InvokeStatus::BadKind}, // FontBold
      {0x68030000, InvokeKind::PropertyGet, {}, InvokeStatus::BadKind}, // Enable
      {0x60030011, InvokeKind::PropertyPut, {Variant::FromI2(1)}, InvokeStatus::BadKind},
      {0x60030012, InvokeKind::Method, {Variant::FromI2(1)}, InvokeStatus::BadArgs},
      {0x6803000E, InvokeKind::PropertyPut, {Variant::FromI4(5)}, InvokeStatus::BadArgs},
      {0x6803000E, InvokeKind::PropertyPut, {}, InvokeStatus::BadArgs},
      {0x6803000E, InvokeKind::PropertyPutRef, {Variant::FromString("x")}, InvokeStatus::BadKind},
      {0x6803000D, InvokeKind::PropertyPut, {Variant::FromString("宋体")}, InvokeStatus::BadArgs},
      {0x68030003, InvokeKind::PropertyPut, {Variant::FromI4(65537)}, InvokeStatus::BadArgs},
      {0x68030004, InvokeKind::PropertyPut, {Variant::FromI2(3)}, InvokeStatus::Failed},
      {0x68030004, InvokeKind::PropertyPut, {Variant::FromI2(-1)}, InvokeStatus::Failed},
      {0x68030007, InvokeKind::PropertyPut, {Variant::FromI4(4999)}, InvokeStatus::Failed},
      {0x68030007, InvokeKind::PropertyPut, {Variant::FromI4(21615000)}, InvokeStatus::Failed},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(g.Invoke(c.dispid, c.kind, c.args, nullptr), c.expected) << std::hex << c.dispid;
  }
  // None of the refused calls changed anything.
  EXPECT_EQ(Get(g, D::kAlign).toI4(), 0);
  EXPECT_EQ(Get(g, D::kTransparent).toI4(), 0);
  EXPECT_EQ(Get(g, D::kCaption).toString(), "");
}

TEST(Glasso, FontSizeRoundsTenThousandthsToWholePointsHalvesToEven) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  const std::pair<int32_t, double> cases[] = {
      {105000, 10}, {115000, 12}, {125000, 12}, {95000, 10}, {85000, 8}, {104999, 10},
      {105001, 11}, {200000, 20}, {10000, 1},   {14999, 1},  {15000, 2}, {21600000, 2160},
  };
  for (auto [value, points] : cases) {
    ASSERT_EQ(Put(g, D::kFontSize, Variant::FromI4(value)), InvokeStatus::Ok) << value;
    EXPECT_EQ(Get(g, D::kFont).toFont().size, points) << value;
  }
}

TEST(Glasso, FontMembersShowInTheFontObject) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  ASSERT_EQ(Put(g, D::kFontName, Variant::FromString("黑体")), InvokeStatus::Ok);
  ASSERT_EQ(Put(g, D::kFontSize, Variant::FromI4(240000)), InvokeStatus::Ok);
  ASSERT_EQ(Put(g, D::kFontBold, Variant::FromBool(true)), InvokeStatus::Ok);
  ASSERT_EQ(Put(g, D::kFontItalic, Variant::FromBool(true)), InvokeStatus::Ok);
  ASSERT_EQ(Put(g, D::kFontUnderline, Variant::FromI2(-1)), InvokeStatus::Ok);
  ASSERT_EQ(Put(g, D::kFontStrikethrough, Variant::FromBool(false)), InvokeStatus::Ok);
  Variant font = Get(g, D::kFont);
  ASSERT_EQ(font.type(), Variant::Type::Font);
  EXPECT_EQ(font.toFont(), (FontDesc{"黑体", 24, true, true, true, false, 700, 134}));

  ASSERT_EQ(Put(g, D::kFontBold, Variant::FromBool(false)), InvokeStatus::Ok);
  EXPECT_EQ(Get(g, D::kFont).toFont().weight, 400);

  // The whole font object can be put back, by value or by reference.
  FontDesc other{"Arial", 10.5, false, false, false, true, 400, 0};
  ASSERT_EQ(g.Invoke(0x6803000D, InvokeKind::PropertyPutRef, {Variant::FromFont(other)}, nullptr),
            InvokeStatus::Ok);
  EXPECT_EQ(Get(g, D::kFont).toFont(), other);
}

TEST(Glasso, TransparentAndBorderTakeOnlyTheirListedValues) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  struct Step {
    D id;
    int16_t put;
    int16_t readBack;
  };
  const Step steps[] = {
      {D::kTransparent, 1, 1}, {D::kTransparent, 2, 1}, {D::kTransparent, -1, 1},
      {D::kTransparent, 0, 0}, {D::kTransparent, 7, 0}, {D::kBorder, 1, 1},
      {D::kBorder, 2, 0},      {D::kBorder, 1, 1},      {D::kBorder, -1, 0},
      {D::kBorder, 0, 0},
  };
  for (const Step& s : steps) {
    ASSERT_EQ(Put(g, s.id, Variant::FromI2(s.put)), InvokeStatus::Ok);
    EXPECT_EQ(Get(g, s.id), Variant::FromI2(s.readBack))
        << static_cast<int32_t>(s.id) << " := " << s.put;
  }
}

TEST(Glasso, EnableSwitchesTheControlsInput) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  ASSERT_EQ(Put(g, D::kEnable, Variant::FromBool(false)), InvokeStatus::Ok);
  EXPECT_FALSE(g.IsWindowEnabled());
  ASSERT_EQ(Put(g, D::kEnable, Variant::FromBool(true)), InvokeStatus::Ok);
  EXPECT_TRUE(g.IsWindowEnabled());
}

TEST(Glasso, ColourChoosersStartFromTheCurrentColourAndApplyTheAnswer) {
  struct Case {
    D method;
    D property;
  };
  const Case cases[] = {{D::kSetColor, D::kColor},
                        {D::kSetBgColor, D::kBgColor},
                        {D::kSetBorderColor, D::kBorderColor}};
  for (const Case& c : cases) {
    ScriptedChoosers choosers;
    Glasso g(nullptr, choosers);
    Put(g, c.property, Variant::FromI4(0x111111));

    choosers.colorAnswer = std::nullopt; // Cancel keeps the colour
    ASSERT_EQ(Call(g, c.method), InvokeStatus::Ok);
    EXPECT_EQ(Get(g, c.property).toI4(), 0x111111);

    choosers.colorAnswer = 0x2468AC;
    ASSERT_EQ(Call(g, c.method), InvokeStatus::Ok);
    EXPECT_EQ(Get(g, c.property).toI4(), 0x2468AC);
    EXPECT_EQ(choosers.colorsShown, (std::vector<int32_t>{0x111111, 0x111111}));
  }
}

TEST(Glasso, FontChooserStartsFromTheLabelFontAndCopiesSixValuesBack) {
  ScriptedChoosers choosers;
  Glasso g(nullptr, choosers);
  Put(g, D::kFontName, Variant::FromString("宋体"));
  Put(g, D::kFontSize, Variant::FromI4(200000));
  Put(g, D::kFontItalic, Variant::FromBool(true));

  choosers.fontAnswer = FontDesc{"楷体", 36, true, false, true, true, 400, 0};
  ASSERT_EQ(Call(g, D::kSetFont), InvokeStatus::Ok);
  ASSERT_EQ(choosers.fontsShown.size(), 1u);
  const FontDesc& shown = choosers.fontsShown[0];
  EXPECT_EQ(shown.name, "宋体");
  EXPECT_EQ(shown.size, 20);
  EXPECT_TRUE(shown.italic);
  EXPECT_FALSE(shown.bold);
  // Weight and character set are not among the six values the chooser hands back.
  EXPECT_EQ(Get(g, D::kFont).toFont(), (FontDesc{"楷体", 36, true, false, true, true, 700, 134}));

  choosers.fontAnswer = std::nullopt;
  ASSERT_EQ(Call(g, D::kSetFont), InvokeStatus::Ok);
  EXPECT_EQ(Get(g, D::kFont).toFont().name, "楷体");
}

TEST(Glasso, SetCaptionRunsTheEditorModallyAndReturnsWhenItCloses) {
  ScriptedChoosers choosers;
  QWidget page;
  auto* g = new Glasso(&page, choosers);
  Put(*g, D::kCaption, Variant::FromString("旧文字"));
  bool sawEditor = false;
  QTimer::singleShot(0, [&] {
    auto* form = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(form, nullptr);
    sawEditor = form->objectName() == "Frm_Caption";
    EXPECT_EQ(form->windowTitle(), QStringLiteral("标签计设器"));
    form->findChild<QPlainTextEdit*>("Text1")->setPlainText(QStringLiteral("新文字"));
    form->findChild<QPushButton*>("Command1")->click();
  });
  ASSERT_EQ(Call(*g, D::kSetCaption), InvokeStatus::Ok);
  EXPECT_TRUE(sawEditor);
  EXPECT_EQ(Get(*g, D::kCaption).toString(), "新文字");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(page.findChildren<QDialog*>().isEmpty()) << "the form is unloaded";
}

TEST(Glasso, ControlDestroyedWhileItsEditorIsOpenEndsTheCallWithoutCrashing) {
  ScriptedChoosers choosers;
  QWidget page;
  auto* g = new Glasso(&page, choosers);
  QTimer::singleShot(0, [g] { delete g; });
  EXPECT_EQ(Call(*g, D::kSetCaption), InvokeStatus::Failed);
  EXPECT_TRUE(page.findChildren<QWidget*>().isEmpty());
}

TEST(Glasso, TheRealFontDialogAcceptedUnchangedKeepsTheStoredFont) {
  // Qt's font dialog has no 黑体 family to select; OK without a change must still hand back
  // the stored name and styles, not the dialog's fallback family.
  const FontDesc stored[] = {
      {"黑体", 14, true, false, true, true, 700, 134},
      {"宋体", 10, false, true, false, false, 400, 134},
      {"华文行楷", 22, true, true, true, false, 700, 134},
  };
  QtPrompts dialogs; // Qt's own font dialog
  for (const FontDesc& font : stored) {
    Glasso g(nullptr, dialogs);
    ASSERT_EQ(g.Invoke(static_cast<int32_t>(D::kFont), InvokeKind::PropertyPutRef,
                       {Variant::FromFont(font)}, nullptr),
              InvokeStatus::Ok);
    QString title;
    QTimer::singleShot(0, [&] {
      if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        title = dialog->windowTitle();
        dialog->accept();
      }
    });
    ASSERT_EQ(Call(g, D::kSetFont), InvokeStatus::Ok);
    EXPECT_FALSE(title.isEmpty()) << "no font dialog was shown";
    EXPECT_EQ(Get(g, D::kFont).toFont(), font) << font.name;
  }
}
