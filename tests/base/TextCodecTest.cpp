// Project, task list and settings text read from and written back to GB18030 bytes: every byte
// a Windows PC or a text editor left in a file comes back as it was.

#include <gtest/gtest.h>

#include <cerrno>
#include <iconv.h>
#include <random>
#include <string>
#include <vector>

#include "base/TextCodec.h"

namespace {

constexpr std::string_view kFffd = "\xEF\xBF\xBD";
const std::string kDecl = "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n";

// The UTF-8 of a code point below U+10000.
std::string Utf8(char32_t c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

std::string Raw(unsigned char byte) { return Utf8(kRawByteFirst + byte); }

// Bytes that are no GB18030: each reads as its raw-byte character (0x80 as the euro sign), is
// shown as "�" and written back as it was.
TEST(TextCodec, InvalidBytesAreKeptAndWrittenBackExactly) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"code page 936 euro sign",
       "Price \x80"
       "5",
       "Price €5"},
      {"0xFF",
       "a\xFF"
       "b",
       "a" + Raw(0xFF) + "b"},
      {"lone lead byte at the end", "A\xCD", "A" + Raw(0xCD)},
      {"lead byte before a line end", "\xCD\r\n", Raw(0xCD) + "\r\n"},
      {"bad trail byte", "\x81\x7F", Raw(0x81) + "\x7F"},
      {"lead byte before '<'", "\xB0<a>", Raw(0xB0) + "<a>"},
      {"four-byte code cut short", "\x81\x30\x81", Raw(0x81) + "0" + Raw(0x81)},
      {"unassigned four-byte code", "\x84\x31\xA5\x30", Raw(0x84) + "1" + Raw(0xA5) + "0"},
      {"0xFF then 0x80", "\xFF\x80", Raw(0xFF) + "€"},
      {"Chinese around raw bytes", "\xCD\xAC\xFF\xB2\xBD", "同" + Raw(0xFF) + "步"},
      {"private-use character of the raw range as a proper code", "\x83\x39\xD8\x38",
       Raw(0x83) + Raw(0x39) + Raw(0xD8) + Raw(0x38)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string text = Gb18030ToUtf8(c.bytes);
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(Utf8ToGb18030(text), c.bytes);
    EXPECT_EQ(DecodeFileText(kDecl + c.bytes), kDecl + c.text);
  }
  EXPECT_EQ(VisibleText("a" + Raw(0xFF) + "b" + Raw(0x81) + "€"),
            "a" + std::string(kFffd) + "b" + std::string(kFffd) + "€");
}

// Every byte pair, and every four-byte code of the Unicode basic plane, reads and writes back
// byte for byte, whether it is a character or not; only GB18030's euro sign A2 E3 comes back
// as the 0x80 of code page 936.
TEST(TextCodec, EveryTwoAndFourByteCodeRoundTrips) {
  std::string pairs;
  std::string expected;
  for (int lead = 0x80; lead <= 0xFF; ++lead)
    for (int trail = 0x30; trail <= 0xFF; ++trail) {
      std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      pairs += pair + "\r\n"; // the line end resynchronises after an invalid pair
      expected += (pair == "\xA2\xE3" ? "\x80" : pair) + "\r\n";
    }
  EXPECT_EQ(Utf8ToGb18030(Gb18030ToUtf8(pairs)), expected);

  std::string quads;
  for (int b1 = 0x81; b1 <= 0x84; ++b1)
    for (int b2 = 0x30; b2 <= 0x39; ++b2)
      for (int b3 = 0x81; b3 <= 0xFE; ++b3)
        for (int b4 = 0x30; b4 <= 0x39; ++b4) {
          quads += static_cast<char>(b1);
          quads += static_cast<char>(b2);
          quads += static_cast<char>(b3);
          quads += static_cast<char>(b4);
        }
  const std::string text = Gb18030ToUtf8(quads);
  EXPECT_EQ(Utf8ToGb18030(text), quads);
  EXPECT_EQ(SanitizeUtf8(text), text);
}

// Text typed in the program: every character of the basic plane survives the file, and a
// private-use character of the raw-byte range typed next to another never damages it. (Of the
// other private-use characters, the 24 that GB18030 gave standard characters since read back as
// those.)
TEST(TextCodec, TypedTextSurvivesTheFile) {
  std::string all;
  for (char32_t c = 0x20; c <= 0xFFFD; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c >= 0xE000 && c <= 0xF8FF) continue;
    all += Utf8(c);
  }
  EXPECT_EQ(Gb18030ToUtf8(Utf8ToGb18030(all)), all);
  EXPECT_EQ(Utf8ToGb18030("€"), "\x80");
  EXPECT_EQ(Gb18030ToUtf8("\xA2\xE3"), "€"); // GB18030's own euro sign reads the same
  EXPECT_EQ(Utf8ToGb18030("\xF0\x9F\x98\x80"), "\x94\x39\xFC\x36");

  // U+F7B0 then "啊" (B0 A1): the raw byte B0 would join A1 into another character, so it is
  // written as its own code, which reads back as the raw bytes of that code.
  const std::string typed = Raw(0xB0) + "啊";
  const std::string written = Utf8ToGb18030(typed);
  const std::string back = Gb18030ToUtf8(written);
  EXPECT_TRUE(back.ends_with("啊")) << back;
  EXPECT_EQ(VisibleText(back).find("啊"), VisibleText(back).size() - 3);
  // A raw byte that reads back alone is written as itself.
  EXPECT_EQ(Utf8ToGb18030(Raw(0xFF) + "啊"), "\xFF\xB0\xA1");
  // Invalid UTF-8 is written as U+FFFD's code.
  EXPECT_EQ(Utf8ToGb18030("a\xC3"), "a\x84\x31\xA4\x37");
}

// Which encoding a file is read in: the byte order mark wins over the declaration; a file
// without either is UTF-8 only when it is valid UTF-8 with characters beyond ASCII.
TEST(TextCodec, ByteOrderMarkAndUtf8WinOverTheDeclaration) {
  const std::string title = "同步屏播放系统";
  const std::string gb = Utf8ToGb18030(title);
  struct Case {
    const char* name;
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"mark and GB2312 declaration", "\xEF\xBB\xBF" + kDecl + "<a>" + title + "</a>",
       kDecl + "<a>" + title + "</a>"},
      {"mark without declaration", "\xEF\xBB\xBF" + title, title},
      {"declared UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + title,
       "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + title},
      {"declared GB2312", kDecl + gb, kDecl + title},
      {"no declaration, UTF-8", "<VRX>" + title + "</VRX>", "<VRX>" + title + "</VRX>"},
      {"no declaration, GB2312", "<VRX>" + gb + "</VRX>", "<VRX>" + title + "</VRX>"},
      {"no declaration, ASCII", "<VRX/>", "<VRX/>"},
      {"declared GB2312, bytes also valid UTF-8", kDecl + "\xC3\xA9", kDecl + "茅"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeFileText(c.bytes), c.text);
  }
}

// Text that is only shown (RTF and text files) keeps showing "�" for what it cannot read.
TEST(TextCodec, ShownTextReplacesInvalidBytes) {
  EXPECT_EQ(DecodeGuessedText("A\xCD\xFF"), "A" + std::string(kFffd) + std::string(kFffd));
  EXPECT_EQ(CharsetToUtf8("\xCD\xAC\xFF", "CP936"), "同" + std::string(kFffd));
  EXPECT_EQ(DecodeGuessedText("\xCD\xAC\xB2\xBD"), "同步");
}

} // namespace

namespace {

// The whole text through one iconv conversion, as the codec did before it read the common
// characters from a table: each refused input position gets `onRefused(position)`, which
// appends what stands for it and returns how many bytes to step over.
template <class Refused>
std::string ThroughIconv(const char* to, const char* from, std::string_view in, Refused onRefused) {
  iconv_t cd = iconv_open(to, from);
  std::string out;
  char* src = const_cast<char*>(in.data());
  size_t left = in.size();
  while (left > 0) {
    char buffer[4096];
    char* dst = buffer;
    size_t room = sizeof buffer;
    const size_t r = iconv(cd, &src, &left, &dst, &room);
    const int code = errno;
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (r == static_cast<size_t>(-1) && code != E2BIG) {
      const size_t skip = onRefused(out, static_cast<size_t>(src - in.data()));
      src += skip;
      left -= skip;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
  }
  iconv_close(cd);
  return out;
}

// Decoding with every refused byte shown as "ï¿½" (that is how text of unknown origin
// is shown); raw-byte characters decoded from four-byte codes replaced the same way by
// VisibleText, which is what the codec's own result is compared through.
std::string ReferenceReplaced(std::string_view bytes) {
  return ThroughIconv("UTF-8", "GB18030", bytes, [](std::string& out, size_t) {
    out.append(kFffd);
    return size_t{1};
  });
}

std::string ReferenceShown(std::string_view bytes) { return VisibleText(ReferenceReplaced(bytes)); }

bool IsUtf8(std::string_view bytes) { return SanitizeUtf8(bytes) == bytes; }

std::string ReferencePlainGb18030(std::string_view utf8) {
  return ThroughIconv("GB18030", "UTF-8", utf8, [](std::string& out, size_t) {
    out.append("\x84\x31\xA4\x37");
    return size_t{1};
  });
}

} // namespace

// Random bytes, weighted towards GB18030 lead and trail bytes, four-byte codes and bytes
// that are none: the codec reads every one exactly as iconv reads the whole text, and writes
// the bytes back.
TEST(TextCodec, RandomBytesReadAsIconvReadsThemAndComeBackExactly) {
  std::mt19937 random(20261208);
  const std::vector<std::string> parts = {"A",
                                          "<",
                                          "\r\n",
                                          "\x80",
                                          "\xFF",
                                          "\x81\x30",
                                          "\x81\x30\x81\x30",
                                          "\x84\x31\xA4\x39",
                                          "\xE3\x32\x9A\x35",
                                          "\xFE\x39\xFE\x39",
                                          "\xB0\xA1",
                                          "\xAA\xA1",
                                          "\xFE\x51",
                                          "\xD7\xFA",
                                          "\xA1",
                                          "\x7F",
                                          "9",
                                          "\x81"};
  for (int round = 0; round < 2000; ++round) {
    std::string bytes;
    const int length = static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) {
      if (random() % 3 == 0)
        bytes += static_cast<char>(random() % 256);
      else
        bytes += parts[random() % parts.size()];
    }
    const std::string text = Gb18030ToUtf8(bytes);
    // (A2 E3, GB18030's euro sign, is written back as 0x80: a case of its own above.)
    if (bytes.find("\xA2\xE3") == std::string::npos) {
      ASSERT_EQ(Utf8ToGb18030(text), bytes) << round;
    }
    // Shown text: the codec's reading and iconv's agree character for character (the euro
    // sign is the codec's reading of 0x80, which iconv refuses).
    std::string shown = VisibleText(text);
    std::string expected = ReferenceShown(bytes);
    for (size_t at; (at = shown.find("\xE2\x82\xAC")) != std::string::npos;)
      shown.replace(at, 3, kFffd);
    for (size_t at = 0; (at = expected.find("\xE2\x82\xAC", at)) != std::string::npos;)
      expected.replace(at, 3, kFffd); // A2 E3 reads as the euro sign in both
    ASSERT_EQ(shown, expected) << round;
    ASSERT_EQ(DecodeGuessedText(bytes), IsUtf8(bytes) ? bytes : ReferenceReplaced(bytes)) << round;
  }
}

// Random text of characters that take one, two and four bytes: written exactly as iconv
// writes each character.
TEST(TextCodec, RandomTextIsWrittenAsIconvWritesIt) {
  std::mt19937 random(8122026);
  const std::vector<char32_t> pool = {U'a',      U'\r',     U'欢',     U'迎',     U'é',
                                      U'・',     U'€',      U'\uE000', U'\uE5E5', U'\uFFFD',
                                      U'\u00A0', U'\u0080', U'\u3000', U'\u9FA6', U'\uFE10',
                                      U'\uFFFF', U'\uD7FF'};
  for (int round = 0; round < 2000; ++round) {
    std::string text;
    std::string expected;
    const int length = static_cast<int>(random() % 30);
    for (int k = 0; k < length; ++k) {
      std::string character;
      switch (random() % 4) {
      case 0: character = Utf8(pool[random() % pool.size()]); break;
      case 1: character = Utf8(0x4E00 + random() % 0x5200); break;
      case 2: character = "\xF0\x9F\x98\x80"; break; // beyond the basic plane
      default: character = Utf8(0x80 + random() % 0xD780); break;
      }
      text += character;
      // The euro sign as the byte those PCs read as it.
      expected += character == "\xE2\x82\xAC" ? "\x80" : ReferencePlainGb18030(character);
    }
    ASSERT_EQ(Utf8ToGb18030(text), expected) << round;
  }
}
