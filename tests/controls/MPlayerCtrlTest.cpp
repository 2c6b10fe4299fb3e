#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtCore/qtestsupport_core.h>

#include <memory>

#include "qt/QtScheduler.h"
#include "controls/MPlayerCtrl.h"
#include "base/LocalClock.h"
#include "base/VirtualScheduler.h"
#include "support/BuiltinControl.h"
#include "support/ScriptedPrompts.h"

#ifdef ZYNTRA_HAVE_MULTIMEDIA
#include <QMediaPlayer>
#include <QVideoSink>
#include <QVideoWidget>
#endif

namespace {

using Dispid = MPlayerCtrl::Dispid;

Variant Get(HostedControl& c, int32_t dispid) {
  Variant v;
  EXPECT_EQ(c.Invoke(dispid, InvokeKind::PropertyGet, {}, &v), InvokeStatus::Ok) << dispid;
  return v;
}

InvokeStatus Put(HostedControl& c, int32_t dispid, Variant value) {
  return c.Invoke(dispid, InvokeKind::PropertyPut, {std::move(value)}, nullptr);
}

InvokeStatus Call(HostedControl& c, int32_t dispid) {
  return c.Invoke(dispid, InvokeKind::Method, {}, nullptr);
}

TEST(MPlayerCtrlTest, PropertiesAreKeptAndReadBack) {
  VirtualScheduler scheduler;
  MPlayerCtrl c(nullptr, scheduler);
  EXPECT_EQ(c.ClassId(), MPlayerIds::kClassId);
  // Creation-time puts of a new movie object, then the play count.
  for (int32_t flag : {Dispid::kEnabled, Dispid::kShowControls, Dispid::kAutoStart}) {
    EXPECT_EQ(Put(c, flag, Variant::FromBool(false)), InvokeStatus::Ok);
    EXPECT_EQ(Get(c, flag), Variant::FromBool(false)) << flag;
    EXPECT_EQ(Put(c, flag, Variant::FromBool(true)), InvokeStatus::Ok);
    EXPECT_EQ(Get(c, flag), Variant::FromBool(true)) << flag;
  }
  EXPECT_EQ(Get(c, Dispid::kPlayCount), Variant::FromI4(1));
  EXPECT_EQ(Put(c, Dispid::kPlayCount, Variant::FromI4(0)), InvokeStatus::Ok);
  EXPECT_EQ(Get(c, Dispid::kPlayCount), Variant::FromI4(0));
  EXPECT_EQ(Put(c, Dispid::kFileName, Variant::FromString("/no/such/电影.mp4")), InvokeStatus::Ok);
  EXPECT_EQ(Get(c, Dispid::kFileName), Variant::FromString("/no/such/电影.mp4"));

  // Wrong kinds and types are refused and change nothing.
  EXPECT_EQ(Put(c, Dispid::kPlayState, Variant::FromI4(2)), InvokeStatus::BadKind);
  EXPECT_EQ(Put(c, Dispid::kFileName, Variant::FromI4(3)), InvokeStatus::BadArgs);
  EXPECT_EQ(c.Invoke(Dispid::kPlayCount, InvokeKind::PropertyPut, {}, nullptr),
            InvokeStatus::BadArgs);
  EXPECT_EQ(c.Invoke(Dispid::kPlay, InvokeKind::PropertyGet, {}, nullptr), InvokeStatus::BadKind);
  EXPECT_EQ(Call(c, 0x7D2), InvokeStatus::UnknownMember);
  EXPECT_EQ(Get(c, Dispid::kFileName), Variant::FromString("/no/such/电影.mp4"));
}

TEST(MPlayerCtrlTest, StartWithoutFileOrWithMissingFileLeavesStateStopped) {
  VirtualScheduler scheduler;
  QWidget window;
  window.resize(200, 150);
  MPlayerCtrl c(&window, scheduler);
  window.show();
  EXPECT_EQ(Call(c, Dispid::kPlay), InvokeStatus::Ok);
  EXPECT_EQ(Get(c, Dispid::kPlayState), Variant::FromI4(0));
  Put(c, Dispid::kFileName, Variant::FromString("/no/such/movie.mp4"));
  EXPECT_EQ(Call(c, Dispid::kPlay), InvokeStatus::Ok);
  EXPECT_EQ(Get(c, Dispid::kPlayState), Variant::FromI4(0));
}

#ifdef ZYNTRA_HAVE_MULTIMEDIA

// Clips made once per run by ffmpeg: 0.4 s of test picture and tone (ten frames) in each
// container the program is expected to play. The media pipeline plays them on its own clock, so
// the tests wait for the control's state to change, bounded by kPlayBoundMs a play.
class MPlayerClipTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() { dir_ = new QTemporaryDir; }
  static void TearDownTestSuite() {
    delete dir_;
    dir_ = nullptr;
  }

  static QString MakeClip(const QString& name, const QStringList& codecArgs) {
    QString path = dir_->filePath(name);
    if (QFile::exists(path)) return path;
    QStringList args = {
        "-hide_banner", "-loglevel", "error", "-y",
        "-f",           "lavfi",     "-i",    "testsrc=duration=0.4:size=160x120:rate=25",
        "-f",           "lavfi",     "-i",    "sine=frequency=440:duration=0.4"};
    args << codecArgs << "-shortest" << path;
    QProcess ffmpeg;
    ffmpeg.start("ffmpeg", args);
    if (!ffmpeg.waitForFinished(60000) || ffmpeg.exitCode() != 0) {
      ADD_FAILURE() << "ffmpeg failed: " << ffmpeg.readAllStandardError().toStdString();
      return {};
    }
    return path;
  }

  static QTemporaryDir* dir_;
  // The clips play in real time; so does a movie's deferred start.
  QtScheduler timers_;
  SystemLocalClock clock_;
  ScriptedPrompts prompts_;
  ControlServices services_{&timers_, &clock_, &prompts_};
};

QTemporaryDir* MPlayerClipTest::dir_ = nullptr;

// Far more than a play of a clip takes, with a cold media pipeline on a loaded machine.
constexpr int kPlayBoundMs = 4000;

struct ClipCase {
  const char* name;
  QStringList codecArgs;
  int loops;
};

TEST_F(MPlayerClipTest, PlaysEachContainerToItsEnd) {
  const ClipCase cases[] = {
      {"clip.mp4", {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"}, 1},
      {"clip.avi", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}, 1},
      {"clip.wmv", {"-c:v", "wmv2", "-c:a", "wmav2"}, 1},
      {"clip.mp4", {}, 2},
  };
  for (const ClipCase& clip : cases) {
    SCOPED_TRACE(std::string(clip.name) + " x" + std::to_string(clip.loops));
    QString path = MakeClip(clip.name, clip.codecArgs);
    ASSERT_FALSE(path.isEmpty());
    QWidget window;
    window.resize(320, 240);
    auto* c = static_cast<MPlayerCtrl*>(CreateBuiltinControl(
        MPlayerIds::kClassId, &window, Rect{10, 10, 170, 130}, true, services_));
    window.show();
    Put(*c, Dispid::kFileName, Variant::FromString(path.toStdString()));
    Put(*c, Dispid::kPlayCount, Variant::FromI4(clip.loops));
    Put(*c, Dispid::kCurrentPosition, Variant::FromR8(0.0)); // the seek makes the media player
    int frames = 0;
    auto* video = c->findChild<QVideoWidget*>();
    ASSERT_NE(video, nullptr);
    QObject::connect(video->videoSink(), &QVideoSink::videoFrameChanged, [&] { ++frames; });
    Call(*c, Dispid::kPlay);
    EXPECT_EQ(Get(*c, Dispid::kPlayState), Variant::FromI4(2));
    EXPECT_TRUE(QTest::qWaitFor([&] { return c->State() == MPlayerCtrl::kStopped; },
                                kPlayBoundMs * clip.loops));
    EXPECT_EQ(c->PlaysDone(), clip.loops);
    EXPECT_EQ(Get(*c, Dispid::kPlayState), Variant::FromI4(0));
    EXPECT_GE(frames, 5 * clip.loops); // the video was decoded, not only the sound
  }
}

TEST_F(MPlayerClipTest, UndecodableFileEndsStoppedWithoutBlocking) {
  QString path = dir_->filePath("broken.mp4");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(4096, '\x5a'));
  f.close();
  QWidget window;
  window.resize(200, 150);
  auto* c = static_cast<MPlayerCtrl*>(
      CreateBuiltinControl(MPlayerIds::kClassId, &window, Rect{0, 0, 200, 150}, true, services_));
  window.show();
  Put(*c, Dispid::kFileName, Variant::FromString(path.toStdString()));
  Call(*c, Dispid::kPlay);
  EXPECT_TRUE(QTest::qWaitFor([&] { return c->State() == MPlayerCtrl::kStopped; }, kPlayBoundMs));
  EXPECT_EQ(c->PlaysDone(), 0);
}

TEST_F(MPlayerClipTest, StartOnHiddenControlWaitsForShowOrOneSecond) {
  QString path = MakeClip("clip.mp4", {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"});
  VirtualScheduler scheduler;
  QWidget window;
  window.resize(200, 150);
  window.show();
  for (bool showIt : {true, false}) {
    SCOPED_TRACE(showIt ? "shown later" : "never shown");
    MPlayerCtrl c(&window, scheduler);
    c.setGeometry(0, 0, 200, 150);
    c.hide();
    Put(c, Dispid::kFileName, Variant::FromString(path.toStdString()));
    // A movie that has not played has no media pipeline yet (a show of many opens fast).
    EXPECT_EQ(c.findChild<QMediaPlayer*>(), nullptr);
    Call(c, Dispid::kPlay);
    auto* player = c.findChild<QMediaPlayer*>();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(Get(c, Dispid::kPlayState), Variant::FromI4(2)); // counts as playing meanwhile
    scheduler.advance(999);
    EXPECT_NE(player->playbackState(), QMediaPlayer::PlayingState);
    if (showIt)
      c.show();
    else
      scheduler.advance(1);
    EXPECT_EQ(player->playbackState(), QMediaPlayer::PlayingState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.State() == MPlayerCtrl::kStopped; }, kPlayBoundMs));
    EXPECT_EQ(c.PlaysDone(), 1);
  }
}

TEST_F(MPlayerClipTest, StopEndsPlayingAtOnce) {
  QString path = MakeClip("clip.mp4", {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-c:a", "aac"});
  QWidget window;
  window.resize(200, 150);
  auto* c = static_cast<MPlayerCtrl*>(
      CreateBuiltinControl(MPlayerIds::kClassId, &window, Rect{0, 0, 200, 150}, true, services_));
  window.show();
  Put(*c, Dispid::kFileName, Variant::FromString(path.toStdString()));
  Put(*c, Dispid::kPlayCount, Variant::FromI4(0)); // endless
  Call(*c, Dispid::kPlay);
  EXPECT_TRUE(QTest::qWaitFor([&] { return c->PlaysDone() >= 1; }, kPlayBoundMs));
  EXPECT_EQ(c->State(), MPlayerCtrl::kPlaying); // endless: still playing after the first end
  Call(*c, Dispid::kStop);
  EXPECT_EQ(Get(*c, Dispid::kPlayState), Variant::FromI4(0));
}

#endif

} // namespace
