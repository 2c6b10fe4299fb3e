// The RTF reader: any bytes as RTF, as plain text and as a file. The text read is always
// valid UTF-8.

#include <string>

#include "FuzzSupport.h"
#include "Harnesses.h"
#include "controls/RtfReader.h"
#include "base/TextCodec.h"

namespace {

bool IsUtf8(const std::string& text) { return SanitizeUtf8(text) == text; }

void CheckDocument(const RtfDocument& doc) {
  for (const RtfParagraph& paragraph : doc.paragraphs)
    for (const RtfRun& run : paragraph.runs) {
      FuzzCheck(IsUtf8(run.text), "run text is UTF-8");
      FuzzCheck(IsUtf8(run.format.fontName), "font name is UTF-8");
    }
}

} // namespace

int FuzzRtf(const uint8_t* data, size_t size) {
  const std::string_view bytes = AsText(data, size);
  CheckDocument(RtfReader::Read(bytes));
  CheckDocument(RtfReader::ReadPlainText(bytes));
  RtfDocument doc;
  FuzzCheck(RtfReader::ReadFile(WriteFuzzFile("in.rtf", bytes), &doc), "an existing file reads");
  CheckDocument(doc);
  return 0;
}
