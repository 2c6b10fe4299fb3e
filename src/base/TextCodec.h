#pragma once

#include <string>
#include <string_view>

// Inside the program every string is UTF-8. Files are converted at the boundary only: they are
// written as GB18030 bytes (every GB2312 character keeps its bytes, nothing is lost) and read
// by the encoding their byte order mark or XML declaration names.
//
// Project, task list and settings files come from Windows PCs (code page 936) and text
// editors, so reading and writing them keeps every byte:
// - 0x80, the euro sign of code page 936, reads as "€" (U+20AC), and every "€" is written as
//   0x80, the byte those PCs read as the euro sign (GB2312 has none; GB18030's A2 E3 reads
//   as "€" too and comes back as 0x80).
// - Any other byte that starts no GB18030 character is a raw byte: it reads as the
//   private-use character U+F700 + byte (kRawByteFirst to kRawByteLast) and is written back as
//   that very byte, so opening and saving gives the same bytes. VisibleText shows it as "�".
// - A character of that private-use range that a file holds as a proper GB18030 code (four
//   bytes) reads as the raw bytes of its code, for the same reason; one typed by the user is
//   written as its raw byte where that byte reads back alone, else as its GB18030 code.

/// The first character that stands for a raw byte: U+F700 + byte value.
inline constexpr char32_t kRawByteFirst = 0xF700;
/// The last character that stands for a raw byte.
inline constexpr char32_t kRawByteLast = 0xF7FF;

/// Converts UTF-8 text to GB18030 bytes with the rules above ("€" as 0x80, raw bytes as
/// themselves). Invalid UTF-8 sequences become U+FFFD first, so the result is always complete.
std::string Utf8ToGb18030(std::string_view utf8);
/// Converts GB18030 (and so GBK, GB2312 and code page 936) bytes to UTF-8 with the rules
/// above. Never fails; Utf8ToGb18030 of the result gives the bytes back.
std::string Gb18030ToUtf8(std::string_view bytes);
/// Appends the UTF-8 of a code point; a surrogate or a value beyond U+10FFFF is U+FFFD.
void AppendUtf8(std::string& out, char32_t c);
/// Replaces every invalid UTF-8 sequence by U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);
/// The text as it is drawn: each raw byte (see above) becomes U+FFFD "�".
std::string VisibleText(std::string_view utf8);
/// The encoding named in an XML declaration at the start of the text ("" when none).
std::string DeclaredEncoding(std::string_view bytes);
/// Decodes file bytes to UTF-8: a UTF-8 byte order mark wins over any declaration (it is
/// dropped); else a declared UTF-8 is taken as is; else, with no declaration, valid UTF-8 that
/// holds a multi-byte character is taken as UTF-8; anything else is GB18030 (Gb18030ToUtf8).
/// Never fails; invalid UTF-8 becomes U+FFFD.
std::string DecodeFileText(std::string_view bytes);
/// Decodes plain text of unknown origin for showing: a UTF-8 BOM or valid UTF-8 is taken as
/// UTF-8, anything else as GB18030 with every invalid byte shown as U+FFFD.
std::string DecodeGuessedText(std::string_view bytes);
/// Converts bytes in the given charset (an iconv name, e.g. "CP936") to UTF-8 for showing;
/// unknown charsets fall back to GB18030. Invalid bytes become U+FFFD.
std::string CharsetToUtf8(std::string_view bytes, const char* charset);
