#include "base/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <cstdint>
#include <cstring>
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
void AppendRawByte(std::string& out, unsigned char byte) { AppendUtf8(out, kRawByteFirst + byte); }

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
void AppendPlainGb18030ByIconv(std::string& out, std::string_view utf8) {
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

// The two-byte characters of GB18030 (lead byte 81-FE, trail byte 40-7E or 80-FE), read off
// iconv once, so that the common characters are converted without a call: what each code
// reads as, and the code iconv writes for each character it writes in two bytes. Everything
// else (four-byte codes, refused bytes) still goes through iconv, so the bytes are exactly
// iconv's.
class TwoByteCodes {
public:
  static const TwoByteCodes& Get() {
    static const TwoByteCodes codes;
    return codes;
  }

  /// The character two bytes read as; 0 when iconv refuses them (or they are no two-byte
  /// code).
  char32_t Decode(unsigned char lead, unsigned char trail) const {
    if (lead < 0x81 || lead > 0xFE || trail < 0x40 || trail > 0xFE || trail == 0x7F) return 0;
    return decode_[Index(lead, trail)];
  }
  /// The two bytes iconv writes for a character (lead byte high); 0 when it writes it otherwise.
  uint16_t Encode(char32_t c) const { return c < encode_.size() ? encode_[c] : 0; }

private:
  static size_t Index(unsigned char lead, unsigned char trail) {
    return static_cast<size_t>(lead - 0x81) * 191 + (trail - 0x40);
  }

  TwoByteCodes() : decode_(126 * 191, 0), encode_(0x10000, 0) {
    Converter reader("UTF-32LE", "GB18030");
    Converter writer("GB18030", "UTF-32LE");
    if (!reader.ok() || !writer.ok()) return; // everything through iconv then
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
      for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
        if (trail == 0x7F) continue;
        char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
        uint32_t c = 0;
        if (!Convert(reader.get(), in, 2, &c, 4)) continue;
        decode_[Index(lead, trail)] = c;
        // Only a character that iconv itself writes as these two bytes is written from here.
        unsigned char back[4];
        if (c < encode_.size() && Convert(writer.get(), &c, 4, back, 2) && back[0] == lead &&
            back[1] == trail)
          encode_[c] = static_cast<uint16_t>(lead << 8 | trail);
      }
    }
  }

  // One conversion of a whole input to exactly `outSize` bytes of output.
  static bool Convert(iconv_t cd, const void* in, size_t inSize, void* out, size_t outSize) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    char* src = static_cast<char*>(const_cast<void*>(in));
    char* dst = static_cast<char*>(out);
    size_t srcLeft = inSize;
    size_t dstLeft = outSize;
    const size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    return r != static_cast<size_t>(-1) && srcLeft == 0 && dstLeft == 0;
  }

  std::vector<char32_t> decode_;
  std::vector<uint16_t> encode_;
};

// The code point of the valid UTF-8 sequence of `n` bytes at s[i].
char32_t CodePointAt(std::string_view s, size_t i, size_t n) {
  auto byte = [&](size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[k])); };
  switch (n) {
  case 1: return byte(i);
  case 2: return (byte(i) & 0x1F) << 6 | (byte(i + 1) & 0x3F);
  case 3: return (byte(i) & 0x0F) << 12 | (byte(i + 1) & 0x3F) << 6 | (byte(i + 2) & 0x3F);
  default:
    return (byte(i) & 0x07) << 18 | (byte(i + 1) & 0x3F) << 12 | (byte(i + 2) & 0x3F) << 6 |
           (byte(i + 3) & 0x3F);
  }
}

// Length of the run of ASCII bytes at s[i], eight bytes at a time where it can.
size_t AsciiRun(std::string_view s, size_t i) {
  size_t j = i;
  while (j + 8 <= s.size()) {
    uint64_t word;
    std::memcpy(&word, s.data() + j, 8);
    if (word & 0x8080808080808080ull) break;
    j += 8;
  }
  while (j < s.size() && static_cast<unsigned char>(s[j]) < 0x80)
    ++j;
  return j - i;
}

// Length of the UTF-8 sequence that the lead byte of valid UTF-8 starts.
size_t LeadLength(unsigned char lead) {
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// AppendPlainGb18030ByIconv, with ASCII and the two-byte characters written from the table
// and only the rest handed to iconv, a run at a time.
// How AppendPlainGb18030 takes its text.
struct PlainWrite {
  bool validUtf8 = false;  // checked already: every character is read by its lead byte alone
  bool euroAsByte = false; // the euro sign as 0x80 (else as iconv writes it, A2 E3)
};

void AppendPlainGb18030(std::string& out, std::string_view utf8, PlainWrite how = {}) {
  const TwoByteCodes* codes = nullptr;
  // Written in place into room for as many bytes as the UTF-8 has (Chinese text needs less),
  // grown when a character needs more; what iconv writes is appended at the end.
  size_t end = out.size();
  out.resize(end + utf8.size() + 8);
  auto room = [&](size_t n) {
    if (end + n > out.size()) out.resize(std::max(out.size() * 3 / 2, end + n) + 8);
  };
  size_t slowFrom = std::string_view::npos; // start of the run that goes to iconv
  auto flushSlow = [&](size_t to) {
    if (slowFrom == std::string_view::npos) return;
    out.resize(end);
    AppendPlainGb18030ByIconv(out, utf8.substr(slowFrom, to - slowFrom));
    end = out.size();
    out.resize(end + (utf8.size() - to) + 8);
    slowFrom = std::string_view::npos;
  };
  for (size_t i = 0; i < utf8.size();) {
    if (const size_t ascii = AsciiRun(utf8, i)) {
      flushSlow(i);
      room(ascii);
      std::memcpy(out.data() + end, utf8.data() + i, ascii);
      end += ascii;
      i += ascii;
      continue;
    }
    const size_t n = how.validUtf8 ? LeadLength(static_cast<unsigned char>(utf8[i]))
                                   : Utf8SequenceLength(utf8, i);
    if (n == 0) { // not UTF-8: iconv's own answer
      if (slowFrom == std::string_view::npos) slowFrom = i;
      ++i;
      continue;
    }
    if (!codes) codes = &TwoByteCodes::Get();
    const char32_t c = CodePointAt(utf8, i, n);
    if (how.euroAsByte && c == 0x20AC) {
      flushSlow(i);
      room(1);
      out[end++] = kEuroByte;
    } else if (const uint16_t code = codes->Encode(c)) {
      flushSlow(i);
      room(2);
      out[end++] = static_cast<char>(code >> 8);
      out[end++] = static_cast<char>(code & 0xFF);
    } else if (slowFrom == std::string_view::npos) {
      slowFrom = i;
    }
    i += n;
  }
  flushSlow(utf8.size());
  out.resize(end);
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

// What a byte that starts no character reads as.
void AppendInvalidByte(std::string& out, unsigned char byte, InvalidBytes mode) {
  if (mode == InvalidBytes::Replace) {
    out.append(kReplacement);
  } else if (byte == static_cast<unsigned char>(kEuroByte)) {
    out.append(kEuro);
  } else {
    AppendRawByte(out, byte);
  }
}

// The one GB18030 character of exactly these bytes as iconv reads it, as UTF-8; false when
// iconv refuses them.
bool DecodeOneByIconv(std::string_view bytes, std::string& utf8) {
  static thread_local Converter converter("UTF-8", "GB18030");
  if (!converter.ok()) return false;
  iconv(converter.get(), nullptr, nullptr, nullptr, nullptr);
  char buffer[16];
  char* src = const_cast<char*>(bytes.data());
  char* dst = buffer;
  size_t srcLeft = bytes.size();
  size_t dstLeft = sizeof buffer;
  if (iconv(converter.get(), &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1) ||
      srcLeft != 0)
    return false;
  utf8.assign(buffer, static_cast<size_t>(dst - buffer));
  return true;
}

// GB18030 bytes to UTF-8, character by character exactly as iconv reads them from the start:
// ASCII and the two-byte codes from the table, a four-byte code through iconv, and a byte that
// starts none of these (or that iconv refuses) as an invalid byte, after which reading goes on
// with the next byte.
std::string DecodeGb18030(std::string_view bytes, InvalidBytes mode) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2 + 16);
  const TwoByteCodes* codes = nullptr;
  std::string piece;
  auto at = [&](size_t k) { return static_cast<unsigned char>(bytes[k]); };
  auto digit = [](unsigned char b) { return b >= 0x30 && b <= 0x39; };
  auto lead = [](unsigned char b) { return b >= 0x81 && b <= 0xFE; };
  for (size_t i = 0; i < bytes.size();) {
    if (const size_t ascii = AsciiRun(bytes, i)) {
      out.append(bytes.substr(i, ascii));
      i += ascii;
      continue;
    }
    const unsigned char first = at(i);
    if (lead(first) && i + 1 < bytes.size()) {
      if (!codes) codes = &TwoByteCodes::Get();
      if (const char32_t c = codes->Decode(first, at(i + 1))) {
        if (c >= kRawByteFirst && c <= kRawByteLast) {
          piece.clear();
          AppendUtf8(piece, c);
          AppendDecoded(out, piece, mode);
        } else {
          AppendUtf8(out, c);
        }
        i += 2;
        continue;
      }
      if (digit(at(i + 1)) && i + 3 < bytes.size() && lead(at(i + 2)) && digit(at(i + 3)) &&
          DecodeOneByIconv(bytes.substr(i, 4), piece)) {
        AppendDecoded(out, piece, mode);
        i += 4;
        continue;
      }
    }
    AppendInvalidByte(out, first, mode);
    ++i;
  }
  return out;
}

std::string Decode(std::string_view bytes, const char* charset, InvalidBytes mode) {
  if (std::string_view(charset) == "GB18030") return DecodeGb18030(bytes, mode);
  const Converter converter("UTF-8", charset);
  if (!converter.ok()) return SanitizeUtf8(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2 + 16);
  RunIconv(
      converter.get(), bytes,
      [&](const char* data, size_t n) { AppendDecoded(out, std::string_view(data, n), mode); },
      [&](size_t at) {
        AppendInvalidByte(out, static_cast<unsigned char>(bytes[at]), mode);
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
    // The text is valid UTF-8: ASCII is skipped in runs, other characters by their length.
    size_t at = i;
    while (at < text.size()) {
      at += AsciiRun(text, at);
      if (at == text.size() || text[at] == '\xE2' || text[at] == '\xEF') break;
      at += LeadLength(static_cast<unsigned char>(text[at]));
    }
    if (at >= text.size()) break;
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

// The position of the first byte of bytes[from..] that is not valid UTF-8 (size() when none);
// `anyRawByte`, when given, is set when the valid part holds a raw-byte character.
size_t FirstInvalidUtf8(std::string_view bytes, size_t from = 0, bool* anyRawByte = nullptr) {
  for (size_t i = from; i < bytes.size();) {
    if (const size_t ascii = AsciiRun(bytes, i)) {
      i += ascii;
      continue;
    }
    const size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) return i;
    if (anyRawByte && n == 3 && RawByteAt(bytes, i) >= 0) *anyRawByte = true;
    i += n;
  }
  return bytes.size();
}

} // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string SanitizeUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t bad = FirstInvalidUtf8(bytes, i);
    out.append(bytes.substr(i, bad - i));
    if (bad == bytes.size()) break;
    out.append(kReplacement);
    i = bad + 1;
  }
  return out;
}

std::string Utf8ToGb18030(std::string_view utf8) {
  // Text from inside the program is valid UTF-8 already: it is read in place.
  bool anyRawByte = false;
  std::string sanitized;
  std::string_view clean = utf8;
  if (FirstInvalidUtf8(utf8, 0, &anyRawByte) != utf8.size()) {
    clean = sanitized = SanitizeUtf8(utf8);
    FirstInvalidUtf8(clean, 0, &anyRawByte);
  }
  if (!anyRawByte) {
    // The common case: plain text and euro signs, written in one pass.
    std::string out;
    out.reserve(clean.size());
    AppendPlainGb18030(out, clean, {.validUtf8 = true, .euroAsByte = true});
    return out;
  }
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
