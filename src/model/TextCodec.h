#pragma once

#include <string>
#include <string_view>

// Inside the program every string is UTF-8. Files are converted at the boundary only: they are
// written as GB18030 bytes (every GB2312 character keeps its bytes, nothing is lost) and read
// by the encoding their XML declaration names.

/// Converts UTF-8 text to GB18030 bytes. Invalid UTF-8 sequences become U+FFFD first, so the
/// result is always complete.
std::string Utf8ToGb18030(std::string_view utf8);
/// Converts GB18030 (and so GBK and GB2312) bytes to UTF-8; invalid bytes become U+FFFD.
std::string Gb18030ToUtf8(std::string_view bytes);
/// Replaces every invalid UTF-8 sequence by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);
/// The encoding named in an XML declaration at the start of the text ("" when none).
std::string DeclaredEncoding(std::string_view bytes);
/// Decodes file bytes to UTF-8 by the declared encoding: UTF-8 as is (a BOM is dropped),
/// GB2312/GBK/GB18030 or none as GB18030. Never fails; invalid bytes become U+FFFD.
std::string DecodeFileText(std::string_view bytes);
/// Decodes plain text of unknown origin: a UTF-8 BOM or valid UTF-8 is taken as UTF-8,
/// anything else as GB18030.
std::string DecodeGuessedText(std::string_view bytes);
/// Converts bytes in the given charset (an iconv name, e.g. "CP936") to UTF-8; unknown
/// charsets fall back to GB18030. Invalid bytes become U+FFFD.
std::string CharsetToUtf8(std::string_view bytes, const char* charset);
