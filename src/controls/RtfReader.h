#pragma once

#include <string>
#include <string_view>

#include "controls/RtfDocument.h"

/// A tolerant reader of RTF: text, paragraphs, bold/italic/underline/strike, font sizes, the
/// font and colour tables, `\'hh` bytes in the document's code page (default 936), `\uN` with
/// its fallback, tabs and line breaks. Destinations it does not know are skipped, pictures too;
/// fields show their result text. It takes any bytes: malformed or truncated input gives what
/// could be read, deep nesting is bounded and nothing recurses.
class RtfReader {
public:
  /// Reads RTF bytes into a document. Never fails.
  static RtfDocument Read(std::string_view bytes);
  /// Reads plain text (GB18030 or UTF-8 by content), one paragraph per line.
  static RtfDocument ReadPlainText(std::string_view bytes);
  /// Reads a file: ".txt" as plain text, anything else as RTF when it starts with "{\rtf" and
  /// as plain text otherwise. False (and an empty document) when the file cannot be read.
  static bool ReadFile(const std::string& path, RtfDocument* doc);
};
