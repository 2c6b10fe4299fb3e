#include <gtest/gtest.h>

#include <random>
#include <string>

#include "controls/RtfReader.h"
#include "base/AtomicFile.h"

namespace {

std::string Fixture(const std::string& name) {
  return std::string(ZYNTRA_TEST_DATA) + "/controls/rtf/" + name;
}

RtfDocument ReadFixture(const std::string& name) {
  RtfDocument doc;
  EXPECT_TRUE(RtfReader::ReadFile(Fixture(name), &doc)) << name;
  return doc;
}

// A compact picture of a run: its text and the formatting that differs from the default.
std::string Describe(const RtfRun& run) {
  const RtfCharFormat& f = run.format;
  std::string s = "[" + run.text;
  if (f.bold) s += "|b";
  if (f.italic) s += "|i";
  if (f.underline) s += "|u";
  if (f.strike) s += "|s";
  if (f.halfPoints != 24) s += "|fs" + std::to_string(f.halfPoints);
  if (!f.fontName.empty()) s += "|" + f.fontName;
  char buf[32];
  if (f.color) {
    snprintf(buf, sizeof buf, "|cf%06X", *f.color);
    s += buf;
  }
  if (f.background) {
    snprintf(buf, sizeof buf, "|cb%06X", *f.background);
    s += buf;
  }
  return s + "]";
}

std::vector<std::string> Describe(const RtfDocument& doc) {
  std::vector<std::string> out;
  for (const RtfParagraph& p : doc.paragraphs) {
    std::string line = p.align == RtfAlign::Center ? "C:" : p.align == RtfAlign::Right ? "R:" : "";
    for (const RtfRun& run : p.runs)
      line += Describe(run);
    out.push_back(line);
  }
  return out;
}

using Lines = std::vector<std::string>;

TEST(RtfReaderTest, ReadsFixtures) {
  struct Case {
    const char* file;
    Lines expected;
  };
  const Case cases[] = {
      {"bold.rtf",
       {"[plain |fs20|Arial][bold|b|fs20|Arial][ again |fs20|Arial][both|i|u|fs20|Arial]"
        "[ |fs20|Arial][gone|s|fs20|Arial]",
        "C:[big |fs40|Times New Roman][centred|b|fs40|Times New Roman]", "[reset|Arial]"}},
      // Colours are 0x00BBGGRR; index 0 and unknown indexes are automatic.
      {"colors.rtf",
       {"[red |Arial|cf0000FF][blue on dark |Arial|cfFF8000|cb030201][marked|Arial|cb0000FF]"
        "[ plain out of range|Arial]"}},
      {"gbk.rtf", {"[测试 |宋体][ab|Arial][中文|宋体]"}},
      {"unicode.rtf", {"[a测b试c文d鿀|SimSun]", "[smile 😀!€|SimSun]"}},
      {"nested.rtf",
       {"[out |Arial][b1 |b|Arial][bi |b|i|Arial][biu|b|i|u|Arial][ bi|b|i|Arial][ b2|b|Arial]"
        "[ out|Arial]",
        "[deep big|fs48|Arial]"}},
      {"destinations.rtf",
       {"[beforeafter|Arial]", "[link text|u|Arial][ and 7|Arial]", "[binx end\ttab\nline|Arial]"}},
      // Cut inside a bold group, in the middle of a double-byte character.
      {"truncated.rtf", {"[测\uFFFD|b|宋体]"}},
      {"gbk.txt", {"[第一行]", "[second line]", "", "[最后]"}},
      {"utf8.txt", {"[UTF-8 文本]", "[line 2]"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Describe(ReadFixture(c.file)), c.expected) << c.file;
  }
}

TEST(RtfReaderTest, FileChoice) {
  RtfDocument doc;
  EXPECT_FALSE(RtfReader::ReadFile(Fixture("missing.rtf"), &doc));
  EXPECT_TRUE(doc.paragraphs.empty());
  // Without the RTF signature a file is shown as the text it is.
  EXPECT_EQ(RtfReader::Read("no rtf {\\b here}").PlainText(), "no rtf here");
  EXPECT_EQ(RtfReader::ReadPlainText("{\\rtf1 x}").PlainText(), "{\\rtf1 x}");
}

TEST(RtfReaderTest, TextAndCodePages) {
  struct Case {
    const char* rtf;
    const char* text;
  };
  const Case cases[] = {
      {R"({\rtf1 \'b2\'e2})", "测"}, // no \ansicpg: code page 936
      {R"({\rtf1\ansi\ansicpg1252 caf\'e9})", "café"},
      {R"({\rtf1\ansicpg1252{\fonttbl{\f0\fcharset0 A;}{\f1\fcharset134 B;}}\f1\'b2\'e2\f0\'e9})",
       "测é"},
      {R"({\rtf1{\fonttbl{\f0\fcharset136 M;}}\f0\'b4\'fa})", "測"}, // Big5 font
      {"{\\rtf1 raw \xb2\xe2 bytes}", "raw 测 bytes"},
      {R"({\rtf1 a\~b\_c\-d\emdash\bullet\ldblquote q\rdblquote})", "a\u00A0b\u2011cd—•“q”"},
      {R"({\rtf1 x\u55357?\u56832?y\u56832?z})", "x😀y\uFFFDz"},
      {R"({\rtf1 \uc3\u27979\'b2\'e2?k})", "测k"},
      {R"({\rtf1 \u27979{\b}?})", "测?"}, // a group ends the fallback
      {R"({\rtf1 a\par\par b\page c\sect})", "a\n\nb\nc"},
      {R"({\rtf1 \bin99999999 a})", ""},
      {R"({\rtf1 a}tail after the document)", "a"},
      {R"(}}}{\rtf1 a}})", "a"},
      {R"({\rtf1 \'zz\'4)", ""},
      {R"({\rtf1 \fs-5 a\fs99999999999999999999 b\cf-3 c\uc-9\u65?d\u})", "abcA?d"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RtfReader::Read(c.rtf).PlainText(), c.text) << c.rtf;
  }
}

TEST(RtfReaderTest, EveryTruncationReadsAPrefix) {
  std::string full;
  ASSERT_TRUE(ReadFileBytes(Fixture("destinations.rtf"), full));
  std::string gbk;
  ASSERT_TRUE(ReadFileBytes(Fixture("unicode.rtf"), gbk));
  for (const std::string& bytes : {full, gbk}) {
    std::string whole = RtfReader::Read(bytes).PlainText();
    for (size_t n = 0; n <= bytes.size(); ++n) {
      std::string text = RtfReader::Read(std::string_view(bytes).substr(0, n)).PlainText();
      // The last character may be cut (a \uN missing digits, half a double-byte character).
      while (!text.empty() && (text.back() & 0xC0) == 0x80)
        text.pop_back();
      if (!text.empty()) text.pop_back();
      EXPECT_EQ(whole.compare(0, text.size(), text), 0) << "cut at " << n << ": " << text;
    }
  }
}

TEST(RtfReaderTest, HostileInputIsBounded) {
  std::string deep = "{\\rtf1 " + std::string(200000, '{') + "\\b deep" + std::string(5, '}');
  RtfDocument doc = RtfReader::Read(deep);
  ASSERT_EQ(doc.paragraphs.size(), 1u);
  EXPECT_EQ(Describe(doc.paragraphs[0].runs[0]), "[deep|b]");

  // Random bytes biased towards RTF syntax: no crash, and the result is valid UTF-8.
  std::mt19937 rng(7);
  const std::string alphabet = "{}\\'*ubinfcharsetpardl0123456789- ;abAF\xb2\xe2\x80\xff\n";
  for (int i = 0; i < 3000; ++i) {
    std::string s = "{\\rtf1 ";
    size_t len = rng() % 200;
    for (size_t k = 0; k < len; ++k)
      s += alphabet[rng() % alphabet.size()];
    std::string text = RtfReader::Read(s).PlainText();
    for (size_t k = 0; k < text.size();) {
      unsigned char c = text[k];
      size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 0;
      ASSERT_NE(n, 0u) << s;
      ASSERT_LE(k + n, text.size()) << s;
      k += n;
    }
  }
}

} // namespace
