#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

#include "controls/FlashStandIn.h"
#include "base/LocalClock.h"
#include "base/Rect.h"
#include "base/VirtualScheduler.h"
#include "support/ScriptedPrompts.h"

namespace {

using Kind = InvokeKind;

Variant Str(const char* s) { return Variant::FromString(s); }
Variant Bool(bool b) { return Variant::FromBool(b); }

} // namespace

// One script of invokes through the stand-in: every member, every kind, and what reads back.
TEST(FlashStandInTest, AnswersEveryMemberLikeThePlayer) {
  QWidget screen;
  std::unique_ptr<HostedControl> control(
      CreateFlashStandIn(&screen, Rect{10, 20, 110, 70}, false, ControlServices{}));
  EXPECT_EQ(control->ClassId(), "{D27CDB6E-AE6D-11CF-96B8-444553540000}");
  EXPECT_EQ(control->GetWindowRect(), (Rect{10, 20, 110, 70}));
  EXPECT_FALSE(control->IsWindowVisible());

  struct Step {
    int32_t dispid;
    Kind kind;
    std::vector<Variant> args;
    InvokeStatus status;
    Variant result; // empty: no result expected
  } steps[] = {
      // Defaults: no file, looping, playing.
      {0x66, Kind::PropertyGet, {}, InvokeStatus::Ok, Str("")},
      {0x6A, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
      {0x66, Kind::PropertyPut, {Str("/shows/动画.swf")}, InvokeStatus::Ok, {}},
      {0x66, Kind::PropertyGet, {}, InvokeStatus::Ok, Str("/shows/动画.swf")},
      {0x6A, Kind::PropertyPut, {Bool(false)}, InvokeStatus::Ok, {}},
      {0x6A, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(false)},
      {0x6A, Kind::PropertyPut, {Variant::FromI2(-1)}, InvokeStatus::Ok, {}}, // VARIANT_TRUE
      {0x6A, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
      {0x71, Kind::Method, {}, InvokeStatus::Ok, {}},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(false)},
      {0x70, Kind::Method, {}, InvokeStatus::Ok, {}},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
      {0x7D, Kind::PropertyPut, {Bool(false)}, InvokeStatus::Ok, {}},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(false)},
      {0x7D, Kind::PropertyPutRef, {Bool(true)}, InvokeStatus::Ok, {}},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
      // Failures change nothing.
      {0x66, Kind::PropertyPut, {Variant::FromI4(5)}, InvokeStatus::BadArgs, {}},
      {0x66, Kind::PropertyPut, {}, InvokeStatus::BadArgs, {}},
      {0x66, Kind::Method, {}, InvokeStatus::BadKind, {}},
      {0x70, Kind::PropertyGet, {}, InvokeStatus::BadKind, {}},
      {0x71, Kind::PropertyPut, {Bool(true)}, InvokeStatus::BadKind, {}},
      {0x67, Kind::PropertyGet, {}, InvokeStatus::UnknownMember, {}},
      {0x66, Kind::PropertyGet, {}, InvokeStatus::Ok, Str("/shows/动画.swf")},
      {0x7D, Kind::PropertyGet, {}, InvokeStatus::Ok, Bool(true)},
  };
  int i = 0;
  for (const Step& s : steps) {
    Variant result;
    EXPECT_EQ(control->Invoke(s.dispid, s.kind, s.args, &result), s.status) << "step " << i;
    EXPECT_EQ(result, s.result) << "step " << i;
    ++i;
  }
}

TEST(FlashStandInTest, ShowsItIsAStandInAndTheFileName) {
  QWidget screen;
  FlashStandIn standIn(&screen);
  EXPECT_EQ(standIn.text(), QStringLiteral("Flash 播放器不可用\n（无文件）"));
  standIn.Invoke(0x66, InvokeKind::PropertyPut, {Variant::FromString("/shows/动画.swf")}, nullptr);
  EXPECT_EQ(standIn.text(), QStringLiteral("Flash 播放器不可用\n/shows/动画.swf"));
}

// Where no Flash library answers, the host makes stand-ins for the Flash class.
TEST(FlashStandInTest, TakesThePlayersPlaceWhereNoLibraryAnswers) {
  QTemporaryDir empty;
  QWidget screen;
  VirtualScheduler scheduler;
  SchedulerLocalClock clock(scheduler, 38718.5);
  ScriptedPrompts prompts;
  ControlHost host(&screen, ControlServices{&scheduler, &clock, &prompts});
  std::string registry = empty.filePath("controls.ini").toStdString();
  host.SetSearchDirectories({empty.path().toStdString()});
  host.SetRegistryPath(registry);
  host.SetLogger([](const std::string&) {});
  ASSERT_TRUE(RegisterFlashStandInIfNeeded(host));
  std::unique_ptr<HostedControl> control =
      host.CreateControl("{d27cdb6e-ae6d-11cf-96b8-444553540000}", Rect{0, 0, 80, 60}, true);
  ASSERT_NE(dynamic_cast<FlashStandIn*>(control.get()), nullptr);
  EXPECT_TRUE(control->IsWindowVisible());
  // A second registration is refused by the host; the stand-in stays the one answering.
  EXPECT_FALSE(RegisterFlashStandInIfNeeded(host));
}
