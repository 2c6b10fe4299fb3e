// The text codec: every conversion of any bytes gives valid UTF-8 (or complete GB18030), and
// UTF-8 text survives the trip through the file encoding.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "model/TextCodec.h"

namespace {

bool IsUtf8(const std::string& text) { return SanitizeUtf8(text) == text; }

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

  const std::string gb = Utf8ToGb18030(bytes);
  FuzzCheck(Gb18030ToUtf8(gb) == clean, "UTF-8 text survives GB18030");

  const char* charset = kCharsets[size % (sizeof kCharsets / sizeof kCharsets[0])];
  FuzzCheck(IsUtf8(CharsetToUtf8(bytes, charset)), "CharsetToUtf8 gives UTF-8");
  return 0;
}
