#include "console/ConsoleJson.h"

#include <cstdio>

#include "base/TextCodec.h"

namespace {

// Length of the valid UTF-8 sequence at `i`, or 0.
size_t Utf8SequenceAt(const std::string& s, size_t i) {
  const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char c = byte(i);
  if (c < 0x80) return 1;
  size_t n;
  uint32_t cp;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
    cp = c & 0x1F;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    cp = c & 0x0F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    cp = c & 0x07;
  } else {
    return 0;
  }
  if (i + n > s.size()) return 0;
  for (size_t k = 1; k < n; ++k) {
    if ((byte(i + k) & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  if ((n == 3 && cp < 0x800) || (n == 4 && cp < 0x10000) || cp > 0x10FFFF ||
      (cp >= 0xD800 && cp <= 0xDFFF))
    return 0;
  return n;
}

class Reader {
public:
  explicit Reader(const std::string& text) : s_(text) {}

  std::optional<std::map<std::string, JsonScalar>> Object() {
    std::map<std::string, JsonScalar> members;
    Space();
    if (!Eat('{')) return std::nullopt;
    Space();
    if (!Eat('}')) {
      for (;;) {
        Space();
        std::string key;
        if (!String(key)) return std::nullopt;
        Space();
        if (!Eat(':')) return std::nullopt;
        Space();
        JsonScalar value;
        if (!Scalar(value)) return std::nullopt;
        members[key] = std::move(value);
        if (members.size() > 64) return std::nullopt;
        Space();
        if (Eat('}')) break;
        if (!Eat(',')) return std::nullopt;
      }
    }
    Space();
    if (pos_ != s_.size()) return std::nullopt;
    return members;
  }

private:
  bool Eat(char c) {
    if (pos_ < s_.size() && s_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(const char* word) {
    const std::string w(word);
    if (s_.compare(pos_, w.size(), w) != 0) return false;
    pos_ += w.size();
    return true;
  }
  void Space() {
    while (pos_ < s_.size() &&
           (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r'))
      ++pos_;
  }
  bool Hex4(uint32_t& value) {
    if (pos_ + 4 > s_.size()) return false;
    value = 0;
    for (int k = 0; k < 4; ++k) {
      const char c = s_[pos_++];
      value <<= 4;
      if (c >= '0' && c <= '9')
        value |= static_cast<uint32_t>(c - '0');
      else if (c >= 'a' && c <= 'f')
        value |= static_cast<uint32_t>(c - 'a' + 10);
      else if (c >= 'A' && c <= 'F')
        value |= static_cast<uint32_t>(c - 'A' + 10);
      else
        return false;
    }
    return true;
  }
  bool String(std::string& out) {
    if (!Eat('"')) return false;
    while (pos_ < s_.size()) {
      const unsigned char c = static_cast<unsigned char>(s_[pos_]);
      if (c == '"') {
        ++pos_;
        return true;
      }
      if (c < 0x20) return false;
      if (c != '\\') {
        const size_t n = Utf8SequenceAt(s_, pos_);
        if (n == 0) return false;
        out.append(s_, pos_, n);
        pos_ += n;
        continue;
      }
      ++pos_;
      if (pos_ >= s_.size()) return false;
      const char e = s_[pos_++];
      switch (e) {
      case '"': out += '"'; break;
      case '\\': out += '\\'; break;
      case '/': out += '/'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u': {
        uint32_t cp;
        if (!Hex4(cp)) return false;
        if (cp >= 0xDC00 && cp <= 0xDFFF) return false;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
          uint32_t low;
          if (!Word("\\u") || !Hex4(low) || low < 0xDC00 || low > 0xDFFF) return false;
          cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
        }
        AppendUtf8(out, static_cast<char32_t>(cp));
        break;
      }
      default: return false;
      }
    }
    return false;
  }
  bool Number(std::string& out) {
    const size_t start = pos_;
    Eat('-');
    if (Eat('0')) {
    } else if (pos_ < s_.size() && s_[pos_] >= '1' && s_[pos_] <= '9') {
      while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
        ++pos_;
    } else {
      return false;
    }
    if (Eat('.')) {
      const size_t digits = pos_;
      while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
        ++pos_;
      if (pos_ == digits) return false;
    }
    if (Eat('e') || Eat('E')) {
      if (!Eat('+')) Eat('-');
      const size_t digits = pos_;
      while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9')
        ++pos_;
      if (pos_ == digits) return false;
    }
    out = s_.substr(start, pos_ - start);
    return true;
  }
  bool Scalar(JsonScalar& value) {
    if (pos_ >= s_.size()) return false;
    const char c = s_[pos_];
    if (c == '"') {
      value.kind = JsonScalar::Kind::String;
      return String(value.text);
    }
    if (Word("true")) {
      value.kind = JsonScalar::Kind::Bool;
      value.flag = true;
      return true;
    }
    if (Word("false")) {
      value.kind = JsonScalar::Kind::Bool;
      return true;
    }
    if (Word("null")) return true;
    value.kind = JsonScalar::Kind::Number;
    return Number(value.text);
  }

  const std::string& s_;
  size_t pos_ = 0;
};

} // namespace

bool IsValidUtf8(const std::string& text) {
  for (size_t i = 0; i < text.size();) {
    const size_t n = Utf8SequenceAt(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string JsonQuote(const std::string& text) {
  std::string out = "\"";
  out.reserve(text.size() + 2);
  for (size_t i = 0; i < text.size();) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t n = Utf8SequenceAt(text, i);
    if (n == 0) {
      out += "\xEF\xBF\xBD";
      ++i;
      continue;
    }
    if (n > 1) {
      out.append(text, i, n);
      i += n;
      continue;
    }
    ++i;
    switch (c) {
    case '"': out += "\\\""; break;
    case '\\': out += "\\\\"; break;
    case '\n': out += "\\n"; break;
    case '\r': out += "\\r"; break;
    case '\t': out += "\\t"; break;
    default:
      // "<" and ">" are escaped too, so a name never closes a script element it is put in.
      if (c < 0x20 || c == 0x7F || c == '<' || c == '>') {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
        out += buffer;
      } else {
        out += static_cast<char>(c);
      }
    }
  }
  return out + "\"";
}

void JsonObject::Key(const std::string& key) {
  if (text_.size() > 1) text_ += ',';
  text_ += JsonQuote(key);
  text_ += ':';
}

JsonObject& JsonObject::Add(const std::string& key, const std::string& value) {
  Key(key);
  text_ += JsonQuote(value);
  return *this;
}

JsonObject& JsonObject::Add(const std::string& key, const char* value) {
  return Add(key, std::string(value));
}

JsonObject& JsonObject::Add(const std::string& key, int64_t value) {
  Key(key);
  text_ += std::to_string(value);
  return *this;
}

JsonObject& JsonObject::Add(const std::string& key, bool value) {
  Key(key);
  text_ += value ? "true" : "false";
  return *this;
}

JsonObject& JsonObject::AddRaw(const std::string& key, const std::string& json) {
  Key(key);
  text_ += json;
  return *this;
}

std::optional<std::map<std::string, JsonScalar>> ParseFlatJsonObject(const std::string& text) {
  return Reader(text).Object();
}
