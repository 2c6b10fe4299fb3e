#include "model/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <optional>
#include <vector>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";
constexpr std::string_view kEuro = "\xE2\x82\xAC";
constexpr char kEuroByte = '\x80';
// U+FFFD in GB18030, written for a character the converter cannot take.
constexpr std::string_view kGbReplacement = "\x84\x31\xA4\x37";

// What a decoder makes of a byte that starts no character of the charset.
enum class InvalidBytes {
  Keep,   // raw-byte characters, 0x80 as the euro sign: the bytes can be written back
  Replace // U+FFFD: text that is only shown
};

// Length of the valid UTF-8 sequence starting at s[i], or 0 when it is invalid.
size_t Utf8SequenceLength(std::string_view s, size_t i) {
  auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t need;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    need = 1;
  } else if (c >= 0xE0 && c <= 0xEF) {
    need = 2;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F; // no surrogates
  } else if (c >= 0xF0 && c <= 0xF4) {
    need = 3;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + need >= s.size()) return 0;
  unsigned char first = byte(i + 1);
  if (first < lo || first > hi) return 0;
  for (size_t k = 2; k <= need; ++k) {
    unsigned char t = byte(i + k);
    if (t < 0x80 || t > 0xBF) return 0;
  }
  return need + 1;
}

// The UTF-8 of the raw-byte character of `byte` (U+F700 + byte: EF 9C 80 to EF 9F BF).
void AppendRawByte(std::string& out, unsigned char byte) {
  const char32_t c = kRawByteFirst + byte;
  out += static_cast<char>(0xE0 | (c >> 12));
  out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
  out += static_cast<char>(0x80 | (c & 0x3F));
}

// The byte that the raw-byte character at s[i] of valid UTF-8 stands for; -1 when there is
// none at s[i].
int RawByteAt(std::string_view s, size_t i) {
  if (i + 2 >= s.size() || static_cast<unsigned char>(s[i]) != 0xEF) return -1;
  const auto second = static_cast<unsigned char>(s[i + 1]);
  if (second < 0x9C || second > 0x9F) return -1;
  return ((second - 0x9C) << 6) | (static_cast<unsigned char>(s[i + 2]) & 0x3F);
}

std::string Lower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
}

bool IsGbFamily(std::string_view charset) {
  const std::string name = Lower(charset);
  return name == "gb18030" || name == "gbk" || name == "gb2312" || name == "cp936";
}

// One iconv conversion descriptor, closed on scope exit; `from` falls back to GB18030 when
// iconv does not know it.
class Converter {
public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (!ok()) cd_ = iconv_open(to, "GB18030");
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }

private:
  iconv_t cd_;
};

// Runs the converter over `in` and calls `flush(data, size)` with each piece of output and
// `reject(in, at)` at each input position the converter refuses; `reject` returns how many
// bytes to step over. Every call to iconv converts as much as it can at once.
template <class Flush, class Reject>
void RunIconv(iconv_t cd, std::string_view in, Flush flush, Reject reject) {
  char buffer[16384];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (true) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    const size_t r = srcLeft == 0 ? iconv(cd, nullptr, nullptr, &dst, &dstLeft)
                                  : iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    const int code = errno;
    flush(buffer, static_cast<size_t>(dst - buffer));
    if (r != static_cast<size_t>(-1)) {
      if (srcLeft == 0) {
        // Flush any shift state, then stop.
        dst = buffer;
        dstLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        flush(buffer, static_cast<size_t>(dst - buffer));
        return;
      }
      continue;
    }
    if (code == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut off by the end of the input.
    const size_t at = static_cast<size_t>(src - in.data());
    const size_t skip = std::min(reject(at), srcLeft);
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (srcLeft == 0) return;
  }
}

// GB18030 bytes of UTF-8 text, as iconv writes them (A2 E3 for the euro sign, four bytes for a
// raw-byte character); a character it refuses is written as U+FFFD.
void AppendPlainGb18030(std::string& out, std::string_view utf8) {
  if (utf8.empty()) return;
  static thread_local Converter converter("GB18030", "UTF-8");
  RunIconv(
      converter.get(), utf8, [&](const char* data, size_t n) { out.append(data, n); },
      [&](size_t at) {
        out.append(kGbReplacement);
        const size_t n = Utf8SequenceLength(utf8, at);
        return n == 0 ? size_t{1} : n;
      });
}

// Copies UTF-8 text to out, handing each raw-byte character (three bytes from 0xEF) to
// replace instead of copying it.
template <class Replace>
void ReplaceRawBytes(std::string& out, std::string_view utf8, Replace replace) {
  size_t from = 0;
  while (true) {
    const size_t at = utf8.find('\xEF', from);
    if (at == std::string_view::npos) break;
    if (RawByteAt(utf8, at) < 0) {
      out.append(utf8.substr(from, at + 1 - from));
      from = at + 1;
      continue;
    }
    out.append(utf8.substr(from, at - from));
    replace(utf8.substr(at, 3));
    from = at + 3;
  }
  out.append(utf8.substr(from));
}

// Appends converted UTF-8. Keeping raw bytes, a character of the raw-byte range that the input
// held as a proper code becomes the raw bytes of that code, so that it is written back as it
// was and never taken for a raw byte of the file.
void AppendDecoded(std::string& out, std::string_view utf8, InvalidBytes mode) {
  if (mode == InvalidBytes::Replace) {
    out.append(utf8);
    return;
  }
  ReplaceRawBytes(out, utf8, [&out](std::string_view character) {
    std::string code;
    AppendPlainGb18030(code, character);
    for (unsigned char byte : code)
      AppendRawByte(out, byte);
  });
}

std::string Decode(std::string_view bytes, const char* charset, InvalidBytes mode) {
  // The files' own charset is converted often (a check per raw byte when writing): its
  // converter is opened once per thread.
  static thread_local Converter gb18030("UTF-8", "GB18030");
  std::optional<Converter> other;
  if (std::string_view(charset) != "GB18030") other.emplace("UTF-8", charset);
  const Converter& converter = other ? *other : gb18030;
  if (!converter.ok()) return SanitizeUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2 + 16);
  RunIconv(
      converter.get(), bytes,
      [&](const char* data, size_t n) { AppendDecoded(out, std::string_view(data, n), mode); },
      [&](size_t at) {
        const auto byte = static_cast<unsigned char>(bytes[at]);
        if (mode == InvalidBytes::Replace) {
          out.append(kReplacement);
        } else if (byte == static_cast<unsigned char>(kEuroByte)) {
          out.append(kEuro);
        } else {
          AppendRawByte(out, byte);
        }
        return size_t{1};
      });
  return out;
}

// A run of the text to write: plain text (with euro signs) or raw-byte characters.
struct Piece {
  std::string_view text; // the UTF-8 it stands for
  std::string bytes;     // what is written for it
  bool raw = false;
};

// Splits UTF-8 text into pieces and gives each its bytes: the euro sign as 0x80, a raw-byte
// character as its byte. Consecutive raw-byte characters form one piece; the text between them
// is converted a whole run at once.
std::vector<Piece> SplitForWriting(std::string_view text) {
  std::vector<Piece> pieces;
  // The last piece, when of that kind, else a new one, grown to end at `end`.
  auto extend = [&](bool raw, size_t begin, size_t end) -> Piece& {
    if (pieces.empty() || pieces.back().raw != raw)
      pieces.push_back(Piece{text.substr(begin, 0), {}, raw});
    Piece& p = pieces.back();
    const auto first = static_cast<size_t>(p.text.data() - text.data());
    p.text = text.substr(first, end - first);
    return p;
  };
  size_t plainFrom = 0;
  size_t i = 0;
  while (true) {
    const size_t at = text.find_first_of("\xE2\xEF", i);
    if (at == std::string_view::npos) break;
    const int raw = RawByteAt(text, at);
    if (raw < 0 && text.compare(at, kEuro.size(), kEuro) != 0) {
      i = at + 1;
      continue;
    }
    if (at > plainFrom)
      AppendPlainGb18030(extend(false, plainFrom, at).bytes,
                         text.substr(plainFrom, at - plainFrom));
    Piece& p = extend(raw >= 0, at, at + 3);
    p.bytes += raw >= 0 ? static_cast<char>(raw) : kEuroByte;
    i = plainFrom = at + 3;
  }
  if (text.size() > plainFrom)
    AppendPlainGb18030(extend(false, plainFrom, text.size()).bytes, text.substr(plainFrom));
  return pieces;
}

} // namespace

std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) {
      out.append(kReplacement);
      ++i;
    } else {
      out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string Utf8ToGb18030(std::string_view utf8) {
  const std::string clean = SanitizeUtf8(utf8);
  std::vector<Piece> pieces = SplitForWriting(clean);
  const bool anyRaw =
      std::any_of(pieces.begin(), pieces.end(), [](const Piece& p) { return p.raw; });
  if (anyRaw) {
    // A raw byte is written as itself only where it reads back alone: one that came from a
    // file always does, but one typed next to the wrong character would join it (B0 before
    // A1 reads as one character) and change the text around it. Such a run is written as
    // GB18030 codes instead. Whether a run reads back alone depends on the bytes after it,
    // which are settled first, from the end.
    std::string after; // the first bytes written after the current piece
    for (size_t k = pieces.size(); k-- > 0;) {
      Piece& p = pieces[k];
      if (p.raw && Gb18030ToUtf8(p.bytes + after) != std::string(p.text) + Gb18030ToUtf8(after)) {
        p.bytes.clear();
        AppendPlainGb18030(p.bytes, p.text);
      }
      after = (p.bytes + after).substr(0, 4);
    }
  }
  if (pieces.size() == 1) return std::move(pieces.front().bytes); // no second copy of a big file
  std::string out;
  size_t total = 0;
  for (const Piece& p : pieces)
    total += p.bytes.size();
  out.reserve(total);
  for (const Piece& p : pieces)
    out += p.bytes;
  return out;
}

std::string Gb18030ToUtf8(std::string_view bytes) {
  return Decode(bytes, "GB18030", InvalidBytes::Keep);
}

std::string VisibleText(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  ReplaceRawBytes(out, utf8, [&out](std::string_view) { out.append(kReplacement); });
  return out;
}

std::string CharsetToUtf8(std::string_view bytes, const char* charset) {
  std::string name = Lower(charset ? charset : "");
  if (name == "utf-8" || name == "utf8") return SanitizeUtf8(bytes);
  const char* from = charset && *charset ? charset : "GB18030";
  // Code page 936 text is read as GB18030, which reads every GBK character the same way and
  // more besides.
  if (IsGbFamily(name)) from = "GB18030";
  return Decode(bytes, from, InvalidBytes::Replace);
}

std::string DeclaredEncoding(std::string_view bytes) {
  size_t start = 0;
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") start = 3;
  while (start < bytes.size() && std::isspace(static_cast<unsigned char>(bytes[start])))
    ++start;
  if (bytes.substr(start, 5) != "<?xml") return {};
  size_t end = bytes.find("?>", start);
  if (end == std::string_view::npos) end = std::min(bytes.size(), start + 200);
  std::string_view decl = bytes.substr(start, end - start);
  size_t at = decl.find("encoding");
  if (at == std::string_view::npos) return {};
  at = decl.find_first_of("\"'", at);
  if (at == std::string_view::npos) return {};
  char quote = decl[at];
  size_t close = decl.find(quote, at + 1);
  if (close == std::string_view::npos) return {};
  return std::string(decl.substr(at + 1, close - at - 1));
}

namespace {

// Valid UTF-8 with at least one character beyond ASCII. No GB2312 text of more than a few
// characters passes this by chance: its lead bytes A1-F7 are UTF-8 trail bytes.
bool IsMultibyteUtf8(std::string_view bytes) {
  bool multibyte = false;
  for (size_t i = 0; i < bytes.size();) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) return false;
    multibyte = true;
    i += n;
  }
  return multibyte;
}

} // namespace

std::string DecodeFileText(std::string_view bytes) {
  constexpr std::string_view kBom = "\xEF\xBB\xBF";
  // An editor that writes the mark writes UTF-8, whatever the declaration it left in place.
  if (bytes.starts_with(kBom)) return SanitizeUtf8(bytes.substr(kBom.size()));
  const std::string enc = Lower(DeclaredEncoding(bytes));
  if (enc == "utf-8" || enc == "utf8") return SanitizeUtf8(bytes);
  if (enc.empty() && IsMultibyteUtf8(bytes)) return std::string(bytes);
  return Gb18030ToUtf8(bytes);
}

std::string DecodeGuessedText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return SanitizeUtf8(bytes.substr(3));
  for (size_t i = 0; i < bytes.size();) {
    size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) return Decode(bytes, "GB18030", InvalidBytes::Replace);
    i += n;
  }
  return std::string(bytes);
}
