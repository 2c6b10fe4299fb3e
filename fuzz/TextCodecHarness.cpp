// The text codec: every conversion of any bytes gives valid UTF-8 (or complete GB18030), any
// bytes read as GB18030 are written back byte for byte (open + save keeps the file), and UTF-8
// text survives the trip through the file encoding.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "base/TextCodec.h"

namespace {

bool IsUtf8(const std::string& text) { return SanitizeUtf8(text) == text; }

// Whether valid UTF-8 holds a private-use character (U+E000 to U+F8FF): of those, the ones of
// the raw-byte range that were typed next to a joining byte, and the few GB18030 gave standard
// characters, come back as other characters by design.
bool HasPrivateUse(const std::string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const auto next = static_cast<unsigned char>(text[i + 1]);
    if (c == 0xEE || (c == 0xEF && next >= 0x80 && next <= 0xA3)) return true;
  }
  return false;
}

// Writing gives back the bytes that were read; only GB18030's euro sign A2 E3 comes back as
// 0x80, the euro sign of code page 936, and then the text at least is the same.
void CheckKeepsBytes(const std::string& bytes, const std::string& text, const char* what) {
  const std::string written = Utf8ToGb18030(text);
  if (bytes.find("\xA2\xE3") == std::string::npos) {
    FuzzCheck(written == bytes, what);
  } else {
    FuzzCheck(Gb18030ToUtf8(written) == text, what);
  }
}

// Charsets the readers pass on: the file declarations' and the RTF code pages'.
constexpr const char* kCharsets[] = {"GB2312", "GBK",    "CP936",     "UTF-8",          "CP1252",
                                     "CP950",  "CP932",  "MACINTOSH", "JOHAB",          "CP65000",
                                     "CP0",    "CP1200", "",          "no-such-charset"};

} // namespace

int FuzzTextCodec(const uint8_t* data, size_t size) {
  const std::string bytes(AsText(data, size));

  const std::string clean = SanitizeUtf8(bytes);
  FuzzCheck(IsUtf8(clean), "SanitizeUtf8 gives UTF-8");
  FuzzCheck(IsUtf8(Gb18030ToUtf8(bytes)), "Gb18030ToUtf8 gives UTF-8");
  FuzzCheck(IsUtf8(DecodeFileText(bytes)), "DecodeFileText gives UTF-8");
  FuzzCheck(IsUtf8(DecodeGuessedText(bytes)), "DecodeGuessedText gives UTF-8");
  (void)DeclaredEncoding(bytes);

  CheckKeepsBytes(bytes, Gb18030ToUtf8(bytes), "GB18030 bytes are written back as read");
  // A file read by its declaration (GB2312) as the project, task list and settings readers do.
  const std::string declared =
      "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n" + bytes;
  CheckKeepsBytes(declared, DecodeFileText(declared), "an opened file is saved byte for byte");

  const std::string gb = Utf8ToGb18030(bytes);
  const std::string back = Gb18030ToUtf8(gb);
  FuzzCheck(IsUtf8(back), "written text reads as UTF-8");
  if (!HasPrivateUse(clean)) FuzzCheck(back == clean, "UTF-8 text survives GB18030");
  FuzzCheck(IsUtf8(VisibleText(back)), "VisibleText gives UTF-8");

  const char* charset = kCharsets[size % (sizeof kCharsets / sizeof kCharsets[0])];
  FuzzCheck(IsUtf8(CharsetToUtf8(bytes, charset)), "CharsetToUtf8 gives UTF-8");
  return 0;
}
