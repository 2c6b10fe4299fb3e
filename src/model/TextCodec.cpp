#include "model/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

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

// Runs iconv over the whole input. An input sequence the converter rejects is replaced: on
// decoding by U+FFFD (one per offending byte), so malformed files still open.
std::string Convert(std::string_view in, const char* to, const char* from) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    cd = iconv_open(to, "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) return SanitizeUtf8(in);
  }
  std::string out;
  out.reserve(in.size() * 3 / 2 + 16);
  char buffer[4096];
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (true) {
    char* dst = buffer;
    size_t dstLeft = sizeof buffer;
    size_t r = srcLeft == 0 ? iconv(cd, nullptr, nullptr, &dst, &dstLeft)
                            : iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer, static_cast<size_t>(dst - buffer));
    if (r != static_cast<size_t>(-1)) {
      if (srcLeft == 0) {
        // Flush any shift state, then stop.
        dst = buffer;
        dstLeft = sizeof buffer;
        iconv(cd, nullptr, nullptr, &dst, &dstLeft);
        out.append(buffer, static_cast<size_t>(dst - buffer));
        break;
      }
      continue;
    }
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL (truncated sequence at the end): skip one byte, mark it.
    out.append(kReplacement);
    ++src;
    --srcLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (srcLeft == 0) break;
  }
  iconv_close(cd);
  return out;
}

std::string Lower(std::string_view s) {
  std::string r(s);
  std::transform(r.begin(), r.end(), r.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return r;
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
  std::string clean = SanitizeUtf8(utf8);
  return Convert(clean, "GB18030", "UTF-8");
}

std::string Gb18030ToUtf8(std::string_view bytes) { return Convert(bytes, "UTF-8", "GB18030"); }

std::string CharsetToUtf8(std::string_view bytes, const char* charset) {
  std::string name = Lower(charset ? charset : "");
  if (name == "utf-8" || name == "utf8") return SanitizeUtf8(bytes);
  return Convert(bytes, "UTF-8", charset && *charset ? charset : "GB18030");
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

std::string DecodeFileText(std::string_view bytes) {
  std::string enc = Lower(DeclaredEncoding(bytes));
  bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
  if (enc == "utf-8" || enc == "utf8" || (enc.empty() && bom)) {
    return SanitizeUtf8(bom ? bytes.substr(3) : bytes);
  }
  return Gb18030ToUtf8(bytes);
}

std::string DecodeGuessedText(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") return SanitizeUtf8(bytes.substr(3));
  for (size_t i = 0; i < bytes.size();) {
    size_t n = Utf8SequenceLength(bytes, i);
    if (n == 0) return Gb18030ToUtf8(bytes);
    i += n;
  }
  return std::string(bytes);
}
