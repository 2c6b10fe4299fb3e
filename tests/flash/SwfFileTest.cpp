#include <gtest/gtest.h>

#include "SwfWriter.h"
#include "flash/SwfFile.h"

namespace {

QByteArray Bytes(const std::vector<uint8_t>& v) {
  return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

QByteArray TwoFrameMovie() {
  SwfWriter w(40, 30, 12, 0x102030);
  w.AddFrame({0, 0, 10, 10, 0xFF0000});
  w.AddFrame({5, 5, 20, 20, 0x00FF00});
  return Bytes(w.Build());
}

// getURL("FSCommand:zyntra_ended", ""), stop, end — in a short DoAction tag of 29 bytes.
const QByteArray kEndTag = QByteArray::fromHex("1d03"
                                               "831800"
                                               "4653436f6d6d616e643a7a796e7472615f656e64656400"
                                               "00"
                                               "0700");

QByteArray WithLength(QByteArray swf) {
  uint32_t n = static_cast<uint32_t>(swf.size());
  for (int i = 0; i < 4; ++i)
    swf[4 + i] = static_cast<char>((n >> (8 * i)) & 0xFF);
  return swf;
}

// The movie's last ShowFrame is the 2-byte tag just before the 2-byte End tag.
QByteArray ExpectedPlayOnce(const QByteArray& movie) {
  QByteArray expected = movie;
  expected.insert(movie.size() - 4, kEndTag);
  return WithLength(expected);
}

} // namespace

TEST(SwfFileTest, PlayOnceStopsTheMainTimelineBeforeItsLastFrame) {
  QByteArray movie = TwoFrameMovie();
  ASSERT_EQ(movie.right(4), QByteArray::fromHex("40000000")); // ShowFrame, End

  QByteArray out;
  QString why;
  ASSERT_TRUE(SwfFile::PlayOnce(movie, &out, &why)) << why.toStdString();
  EXPECT_EQ(out.toHex().toStdString(), ExpectedPlayOnce(movie).toHex().toStdString());
}

TEST(SwfFileTest, PlayOnceInflatesZlibMovies) {
  QByteArray movie = TwoFrameMovie();
  QByteArray zipped = qCompress(movie.mid(8)).mid(4); // qCompress puts the length in front
  QByteArray cws = "CWS" + movie.mid(3, 5) + zipped;

  QByteArray out;
  QString why;
  ASSERT_TRUE(SwfFile::PlayOnce(cws, &out, &why)) << why.toStdString();
  EXPECT_EQ(out, ExpectedPlayOnce(movie));
}

TEST(SwfFileTest, PlayOnceRefusesWhatItCannotStop) {
  QByteArray movie = TwoFrameMovie();
  QByteArray as3 = movie;
  // FileAttributes with the ActionScript 3 flag as the first tag after the 19-byte header.
  as3.insert(19, QByteArray::fromHex("4411"
                                     "08000000"));
  QByteArray cutTag = movie.left(30); // inside the first DefineShape
  QByteArray noFrames = WithLength(movie.left(19) + QByteArray::fromHex("0000"));
  QByteArray badZlib = "CWS" + movie.mid(3, 5) + "not zlib at all";
  QByteArray hugeZlib = "CWS" + QByteArray::fromHex("06ffffffff") + "x";

  struct Case {
    const char* name;
    QByteArray swf;
    const char* why;
  } cases[] = {
      {"lzma", "ZWS" + movie.mid(3), "LZMA-compressed movie"},
      {"as3", WithLength(as3), "ActionScript 3 movie"},
      {"cut tag", cutTag, "tag 2 at byte 24 runs past the end of the file"},
      {"no frames", noFrames, "no frame to stop on"},
      {"bad zlib", badZlib, "damaged zlib stream"},
      {"huge zlib", hugeZlib, "compressed movie claims 4294967295 bytes"},
      {"text", "hello, world", "not a SWF movie (no FWS, CWS or ZWS signature)"},
      {"short", "FWS", "shorter than a SWF header"},
      {"length below header", QByteArray::fromHex("4657530604000000"), "damaged SWF header"},
      {"version 0", QByteArray::fromHex("4657530020000000"), "damaged SWF header"},
  };
  for (const Case& c : cases) {
    QByteArray out = "untouched";
    QString why;
    EXPECT_FALSE(SwfFile::PlayOnce(c.swf, &out, &why)) << c.name;
    EXPECT_EQ(why.toStdString(), c.why) << c.name;
    EXPECT_EQ(out, "untouched") << c.name;
  }
}

TEST(SwfFileTest, CheckHeaderAcceptsEverySignature) {
  QByteArray head = TwoFrameMovie().left(8);
  for (const char* sig : {"FWS", "CWS", "ZWS"}) {
    QString why;
    EXPECT_TRUE(SwfFile::CheckHeader(sig + head.mid(3), &why)) << sig;
  }
}
