#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "controls/AniGif.h"
#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/FontObject.h"
#include "controls/Glasso.h"
#include "controls/MPlayer.h"
#include "controls/RtfText.h"
#include "controls/ShockwaveFlash.h"
#include "model/ObjectKinds.h"
#include "support/FakeControls.h"

namespace {

// A wrapper of the class the kind table gives for `clsid`, around a fresh fake control.
struct Wrapped {
  FakeControlFactory factory;
  std::unique_ptr<CControlWrapper> wrapper;
  FakeControl* fake = nullptr;

  explicit Wrapped(const std::string& clsid) {
    for (const KindInfo& kind : AllKinds())
      if (kind.classId && clsid == kind.classId)
        wrapper = kind.wrap(factory.CreateControl(clsid, Rect{}, false));
    fake = factory.LiveCount() == 0 ? nullptr : factory.Live().back();
  }
};

template <class W> W& As(CControlWrapper& w) {
  W* typed = dynamic_cast<W*>(&w);
  if (!typed) throw std::runtime_error("the kind table wraps this class in another wrapper");
  return *typed;
}

std::string Str(bool v) { return v ? "true" : "false"; }
std::string Str(int32_t v) { return std::to_string(v); }
std::string Str(double v) { return std::to_string(v); }
std::string Str(const std::string& v) { return v; }

struct CallCase {
  const char* clsid;
  std::function<void(CControlWrapper&)> call;
  std::string trace; // what the control received
};

// Every put and method a caller can make, with the exact DISPID, invoke kind and argument types.
TEST(ControlWrappers, PutsAndMethodsSendTheirDispidAndArgumentTypes) {
  using EB = C_EffectBox;
  using CK = C_Clock;
  using MP = C_MPlayer;
  using SF = C_ShockwaveFlash;
  using AG = C_AniGif;
  using DE = C_DoExe;
  using GL = C_Glasso;
  using RT = C_RtfText;
  const CallCase cases[] = {
      {EB::kClassId, [](auto& w) { As<EB>(w).SetBgPicture("b.bmp"); }, "put 0x40030002 \"b.bmp\""},
      {EB::kClassId, [](auto& w) { As<EB>(w).SetLoopPlay(true); }, "put 0x40030004 true"},
      {EB::kClassId, [](auto& w) { As<EB>(w).SetLoops(3); }, "put 0x40030005 i2:3"},
      {EB::kClassId, [](auto& w) { As<EB>(w).SetStretch(true); }, "put 0x40030006 true"},
      {EB::kClassId, [](auto& w) { As<EB>(w).SetColor(0xFF8080); }, "put 0x68030000 i4:16744576"},
      {EB::kClassId, [](auto& w) { As<EB>(w).SetAutoPlay(false); }, "put 0x68030002 false"},
      {EB::kClassId, [](auto& w) { As<EB>(w).RemoveAll(); }, "call 0x60030005"},
      {EB::kClassId, [](auto& w) { As<EB>(w).AddItem("a.jpg", "无效果", 5, 3); },
       "call 0x60030006 \"a.jpg\" \"无效果\" i2:5 i2:3"},
      {EB::kClassId, [](auto& w) { As<EB>(w).GetItemSource(2); }, "call 0x60030007 i2:2"},
      {EB::kClassId, [](auto& w) { As<EB>(w).GetItemEffect(2); }, "call 0x60030008 i2:2"},
      {EB::kClassId, [](auto& w) { As<EB>(w).GetItemSpeed(2); }, "call 0x60030009 i2:2"},
      {EB::kClassId, [](auto& w) { As<EB>(w).GetItemDelay(2); }, "call 0x6003000A i2:2"},
      {EB::kClassId, [](auto& w) { As<EB>(w).Start(); }, "call 0x6003000B"},
      {EB::kClassId, [](auto& w) { As<EB>(w).Stop(); }, "call 0x6003000C"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetRetouchHour(-1); }, "put 0x40030007 i2:-1"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetRetouchMinute(2); }, "put 0x40030008 i2:2"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetRetouchSecond(3); }, "put 0x40030009 i2:3"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetStyle(2); }, "put 0x4003000A i2:2"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetTotalTime(60); }, "put 0x4003000B i2:60"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetTargetDate(38353.75); },
       "put 0x4003000C date:38353.750000"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetPreText("距"); }, "put 0x4003000D \"距\""},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetLasText("天"); }, "put 0x4003000E \"天\""},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetEnabled(false); }, "put 0x6803000C false"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontName("宋体"); }, "put 0x6803000B \"宋体\""},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontSize(12); }, "put 0x6803000A i2:12"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontBold(true); }, "put 0x68030009 true"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontItalic(true); }, "put 0x68030008 true"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontUnderline(true); }, "put 0x68030007 true"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFontStrikethrough(true); }, "put 0x68030006 true"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetBgColor(0x960000); }, "put 0x68030005 i4:9830400"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFgColor(255); }, "put 0x68030004 i4:255"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetBorderColor(1); }, "put 0x68030001 i4:1"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetBorder(false); }, "put 0x68030002 false"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetPlay(true); }, "put 0x68030000 true"},
      {CK::kClassId, [](auto& w) { As<CK>(w).SetFont(); }, "call 0x6003001D"},
      {CK::kClassId, [](auto& w) { As<CK>(w).Reset(); }, "call 0x6003001E"},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetFileName("a.avi"); }, "put 0x402 \"a.avi\""},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetCurrentPosition(0.0); }, "put 0x403 r8:0"},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetPlayCount(1); }, "put 0x406 i4:1"},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetAutoStart(false); }, "put 0x3F9 false"},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetShowControls(false); }, "put 0x17 false"},
      {MP::kClassId, [](auto& w) { As<MP>(w).SetEnabled(false); }, "put -514 false"},
      {MP::kClassId, [](auto& w) { As<MP>(w).Play(); }, "call 0x7D1"},
      {MP::kClassId, [](auto& w) { As<MP>(w).Stop(); }, "call 0x7D3"},
      {SF::kClassId, [](auto& w) { As<SF>(w).SetMovie("a.swf"); }, "put 0x66 \"a.swf\""},
      {SF::kClassId, [](auto& w) { As<SF>(w).SetLoop(true); }, "put 0x6A true"},
      {SF::kClassId, [](auto& w) { As<SF>(w).SetPlaying(false); }, "put 0x7D false"},
      {SF::kClassId, [](auto& w) { As<SF>(w).Play(); }, "call 0x70"},
      {SF::kClassId, [](auto& w) { As<SF>(w).Stop(); }, "call 0x71"},
      {AG::kClassId, [](auto& w) { As<AG>(w).SetFileName("a.gif"); }, "put 0x68030003 \"a.gif\""},
      {AG::kClassId, [](auto& w) { As<AG>(w).SetAutoPlay(true); }, "put 0x68030004 true"},
      {DE::kClassId, [](auto& w) { As<DE>(w).AddProgram("ls", "-l"); }, "call 0x3 \"ls\" \"-l\""},
      {DE::kClassId, [](auto& w) { As<DE>(w).Run(); }, "call 0x5"},
      {DE::kClassId, [](auto& w) { As<DE>(w).Stop(); }, "call 0x6"},
      {DE::kClassId, [](auto& w) { As<DE>(w).EditList(); }, "call 0x7"},
      {DE::kClassId, [](auto& w) { As<DE>(w).GetName(1); }, "get 0x8 i2:1"},
      {DE::kClassId, [](auto& w) { As<DE>(w).GetPara(1); }, "get 0x9 i2:1"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetCaption("文字"); }, "put 0x6803000E \"文字\""},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetCaption(); }, "call 0x60030010"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontBold(true); }, "put 0x6803000C true"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontItalic(true); }, "put 0x6803000B true"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontUnderline(true); }, "put 0x6803000A true"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontStrikethrough(true); }, "put 0x68030009 true"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontName("黑体"); }, "put 0x68030008 \"黑体\""},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetFontSize(200000); }, "put 0x68030007 i4:200000"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetColor(0x00FF00); }, "put 0x68030006 i4:65280"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetBgColor(7); }, "put 0x68030005 i4:7"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetBorderColor(8); }, "put 0x68030001 i4:8"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetAlign(1); }, "put 0x68030004 i2:1"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetTransparent(1); }, "put 0x68030003 i2:1"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetBorder(0); }, "put 0x68030002 i2:0"},
      {GL::kClassId, [](auto& w) { As<GL>(w).SetEnable(false); }, "put 0x68030000 false"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetPlaySpeed(4); }, "put 0x40030000 i2:4"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetInStyle("左移"); }, "put 0x40030001 \"左移\""},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetOutStyle("右移"); }, "put 0x40030002 \"右移\""},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetDelayTime(9); }, "put 0x40030003 i2:9"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetFileName("a.rtf"); }, "put 0x40030004 \"a.rtf\""},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetLoopPlay(false); }, "put 0x40030007 false"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetLoops(1); }, "put 0x40030008 i2:1"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetColor(0x99FFFF); }, "put 0x68030003 i4:10092543"},
      {RT::kClassId, [](auto& w) { As<RT>(w).SetAutoPlay(false); }, "put 0x68030000 false"},
      {RT::kClassId, [](auto& w) { As<RT>(w).Prepare(); }, "call 0x6003000B"},
      {RT::kClassId, [](auto& w) { As<RT>(w).Start(); }, "call 0x60030009"},
      {RT::kClassId, [](auto& w) { As<RT>(w).Stop(); }, "call 0x6003000A"},
  };
  for (const CallCase& c : cases) {
    Wrapped w(c.clsid);
    ASSERT_TRUE(w.wrapper && w.fake) << c.clsid;
    c.call(*w.wrapper);
    ASSERT_EQ(w.fake->trace.size(), 1u) << c.trace;
    EXPECT_EQ(w.fake->trace[0], c.trace);
  }
}

struct GetCase {
  const char* clsid;
  int32_t dispid;
  Variant stored;
  std::function<std::string(CControlWrapper&)> get;
  std::string want;
};

// Property gets read their DISPID and unpack the stored value in the member's type.
TEST(ControlWrappers, GetsReadTheirDispidAndUnpackTheValue) {
  using EB = C_EffectBox;
  using CK = C_Clock;
  using MP = C_MPlayer;
  using SF = C_ShockwaveFlash;
  using AG = C_AniGif;
  using DE = C_DoExe;
  using GL = C_Glasso;
  using RT = C_RtfText;
  auto s = Variant::FromString;
  auto b = Variant::FromBool;
  auto i2 = Variant::FromI2;
  auto i4 = Variant::FromI4;
  const GetCase cases[] = {
      {EB::kClassId, 0x40030002, s("b.bmp"), [](auto& w) { return Str(As<EB>(w).GetBgPicture()); },
       "b.bmp"},
      {EB::kClassId, 0x40030004, b(true), [](auto& w) { return Str(As<EB>(w).GetLoopPlay()); },
       "true"},
      {EB::kClassId, 0x40030005, i2(7), [](auto& w) { return Str(As<EB>(w).GetLoops()); }, "7"},
      {EB::kClassId, 0x40030006, b(true), [](auto& w) { return Str(As<EB>(w).GetStretch()); },
       "true"},
      {EB::kClassId, 0x68030000, i4(0xFF8080), [](auto& w) { return Str(As<EB>(w).GetColor()); },
       "16744576"},
      {EB::kClassId, 0x68030001, b(true), [](auto& w) { return Str(As<EB>(w).GetFinished()); },
       "true"},
      {CK::kClassId, 0x40030007, i2(-3), [](auto& w) { return Str(As<CK>(w).GetRetouchHour()); },
       "-3"},
      {CK::kClassId, 0x40030008, i2(4), [](auto& w) { return Str(As<CK>(w).GetRetouchMinute()); },
       "4"},
      {CK::kClassId, 0x40030009, i2(5), [](auto& w) { return Str(As<CK>(w).GetRetouchSecond()); },
       "5"},
      {CK::kClassId, 0x4003000A, i2(2), [](auto& w) { return Str(As<CK>(w).GetStyle()); }, "2"},
      {CK::kClassId, 0x4003000B, i2(90), [](auto& w) { return Str(As<CK>(w).GetTotalTime()); },
       "90"},
      {CK::kClassId, 0x4003000C, Variant::FromDate(38353.75),
       [](auto& w) { return Str(As<CK>(w).GetTargetDate()); }, "38353.750000"},
      {CK::kClassId, 0x4003000D, s("距"), [](auto& w) { return Str(As<CK>(w).GetPreText()); },
       "距"},
      {CK::kClassId, 0x4003000E, s("天"), [](auto& w) { return Str(As<CK>(w).GetLasText()); },
       "天"},
      {CK::kClassId, 0x4003000F, b(true), [](auto& w) { return Str(As<CK>(w).GetFinished()); },
       "true"},
      {CK::kClassId, 0x6803000B, s("宋体"), [](auto& w) { return Str(As<CK>(w).GetFontName()); },
       "宋体"},
      {CK::kClassId, 0x6803000A, i2(12), [](auto& w) { return Str(As<CK>(w).GetFontSize()); },
       "12"},
      {CK::kClassId, 0x68030009, b(true), [](auto& w) { return Str(As<CK>(w).GetFontBold()); },
       "true"},
      {CK::kClassId, 0x68030008, b(true), [](auto& w) { return Str(As<CK>(w).GetFontItalic()); },
       "true"},
      {CK::kClassId, 0x68030007, b(true), [](auto& w) { return Str(As<CK>(w).GetFontUnderline()); },
       "true"},
      {CK::kClassId, 0x68030006, b(true),
       [](auto& w) { return Str(As<CK>(w).GetFontStrikethrough()); }, "true"},
      {CK::kClassId, 0x68030005, i4(0x960000), [](auto& w) { return Str(As<CK>(w).GetBgColor()); },
       "9830400"},
      {CK::kClassId, 0x68030004, i4(9), [](auto& w) { return Str(As<CK>(w).GetFgColor()); }, "9"},
      {CK::kClassId, 0x68030001, i4(10), [](auto& w) { return Str(As<CK>(w).GetBorderColor()); },
       "10"},
      {CK::kClassId, 0x68030002, b(true), [](auto& w) { return Str(As<CK>(w).GetBorder()); },
       "true"},
      {MP::kClassId, 0x402, s("a.avi"), [](auto& w) { return Str(As<MP>(w).GetFileName()); },
       "a.avi"},
      {MP::kClassId, 0x406, i4(100000), [](auto& w) { return Str(As<MP>(w).GetPlayCount()); },
       "100000"},
      {MP::kClassId, 0x42C, i4(2), [](auto& w) { return Str(As<MP>(w).GetPlayState()); }, "2"},
      {SF::kClassId, 0x66, s("a.swf"), [](auto& w) { return Str(As<SF>(w).GetMovie()); }, "a.swf"},
      {SF::kClassId, 0x6A, b(true), [](auto& w) { return Str(As<SF>(w).GetLoop()); }, "true"},
      {AG::kClassId, 0x68030003, s("a.gif"), [](auto& w) { return Str(As<AG>(w).GetFileName()); },
       "a.gif"},
      {DE::kClassId, 2, b(true), [](auto& w) { return Str(As<DE>(w).GetFinished()); }, "true"},
      {GL::kClassId, 0x6803000E, s("文字"), [](auto& w) { return Str(As<GL>(w).GetCaption()); },
       "文字"},
      {GL::kClassId, 0x68030006, i4(65280), [](auto& w) { return Str(As<GL>(w).GetColor()); },
       "65280"},
      {GL::kClassId, 0x68030005, i4(11), [](auto& w) { return Str(As<GL>(w).GetBgColor()); }, "11"},
      {GL::kClassId, 0x68030001, i4(12), [](auto& w) { return Str(As<GL>(w).GetBorderColor()); },
       "12"},
      {GL::kClassId, 0x68030004, i2(2), [](auto& w) { return Str(As<GL>(w).GetAlign()); }, "2"},
      {GL::kClassId, 0x68030003, i2(1), [](auto& w) { return Str(As<GL>(w).GetTransparent()); },
       "1"},
      {GL::kClassId, 0x68030002, i2(1), [](auto& w) { return Str(As<GL>(w).GetBorder()); }, "1"},
      {RT::kClassId, 0x40030000, i2(3), [](auto& w) { return Str(As<RT>(w).GetPlaySpeed()); }, "3"},
      {RT::kClassId, 0x40030001, s("左移"), [](auto& w) { return Str(As<RT>(w).GetInStyle()); },
       "左移"},
      {RT::kClassId, 0x40030002, s("右移"), [](auto& w) { return Str(As<RT>(w).GetOutStyle()); },
       "右移"},
      {RT::kClassId, 0x40030003, i2(6), [](auto& w) { return Str(As<RT>(w).GetDelayTime()); }, "6"},
      {RT::kClassId, 0x40030004, s("a.rtf"), [](auto& w) { return Str(As<RT>(w).GetFileName()); },
       "a.rtf"},
      {RT::kClassId, 0x40030007, b(true), [](auto& w) { return Str(As<RT>(w).GetLoopPlay()); },
       "true"},
      {RT::kClassId, 0x40030008, i2(2), [](auto& w) { return Str(As<RT>(w).GetLoops()); }, "2"},
      {RT::kClassId, 0x68030003, i4(0x99FFFF), [](auto& w) { return Str(As<RT>(w).GetColor()); },
       "10092543"},
      {RT::kClassId, 0x68030004, b(true), [](auto& w) { return Str(As<RT>(w).GetFinished()); },
       "true"},
  };
  for (const GetCase& c : cases) {
    Wrapped w(c.clsid);
    ASSERT_TRUE(w.wrapper && w.fake) << c.clsid;
    w.fake->props[c.dispid] = c.stored;
    EXPECT_EQ(c.get(*w.wrapper), c.want) << c.dispid;
    ASSERT_EQ(w.fake->calls.size(), 1u);
    EXPECT_EQ(w.fake->calls[0].dispid, c.dispid);
    EXPECT_EQ(w.fake->calls[0].kind, InvokeKind::PropertyGet);
  }
}

// A failed call gives the empty default, whatever the control left in the result, and a
// wrapper whose control could not be made answers everything with defaults.
TEST(ControlWrappers, FailedCallsGiveEmptyDefaults) {
  Wrapped clock(C_Clock::kClassId);
  clock.fake->props[C_Clock::kPreText] = Variant::FromString("距");
  clock.fake->props[C_Clock::kStyle] = Variant::FromI2(2);
  clock.fake->failAll = true;
  auto& c = As<C_Clock>(*clock.wrapper);
  EXPECT_EQ(c.GetPreText(), "");
  EXPECT_EQ(c.GetStyle(), 0);
  EXPECT_EQ(c.GetTargetDate(), 0.0);
  EXPECT_FALSE(c.GetFinished());

  Wrapped label(C_Glasso::kClassId);
  label.fake->failing = {C_Glasso::kFont};
  CFontObject font = As<C_Glasso>(*label.wrapper).GetFont();
  EXPECT_EQ(font.GetName(), "");
  EXPECT_EQ(font.GetSize(), 0);
  EXPECT_EQ(font.GetWeight(), 0);
  EXPECT_EQ(font.GetCharset(), 0);

  C_EffectBox none(nullptr);
  EXPECT_FALSE(none.HasWindow());
  EXPECT_EQ(none.GetItemCount(), 0);
  EXPECT_EQ(none.GetItemSource(1), "");
  EXPECT_EQ(none.GetWindowRect(), Rect{});
  EXPECT_FALSE(none.IsWindowVisible());
  none.ShowWindow(true);
  none.Start();
  EXPECT_EQ(none.ClassId(), "");
}

TEST(ControlWrappers, FontObjectAnswersTheStandardMembers) {
  FontDesc desc{"黑体", 10.5, true, true, false, true, 700, 134};
  CFontObject font(Variant::FromFont(desc));
  EXPECT_EQ(font.GetName(), "黑体");
  EXPECT_EQ(font.GetSize(), 105000); // currency: ten-thousandths of a point
  EXPECT_EQ(font.Get(2).type(), Variant::Type::Currency);
  EXPECT_TRUE(font.GetBold());
  EXPECT_TRUE(font.GetItalic());
  EXPECT_FALSE(font.GetUnderline());
  EXPECT_TRUE(font.GetStrikethrough());
  EXPECT_EQ(font.GetWeight(), 700);
  EXPECT_EQ(font.Get(7).type(), Variant::Type::I2);
  EXPECT_EQ(font.GetCharset(), 134);
  EXPECT_TRUE(font.Get(1).isEmpty()); // DISPID 1 is not a member
}

TEST(ControlWrappers, DestroyingTheWrapperClosesTheControl) {
  FakeControlFactory factory;
  auto wrapper = std::make_unique<C_AniGif>(factory.CreateControl(C_AniGif::kClassId, {}, true));
  ASSERT_EQ(factory.LiveCount(), 1u);
  wrapper.reset();
  EXPECT_TRUE(factory.LiveCount() == 0);
  EXPECT_EQ(factory.destroyed, std::vector<std::string>{C_AniGif::kClassId});
}

} // namespace
