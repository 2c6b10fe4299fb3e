#include "controls/RtfReader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>
#include <vector>

#include "base/AtomicFile.h"
#include "base/TextCodec.h"

namespace {

// Deeper groups than this share the state of the deepest one: enough for any real document,
// and a file of a million '{' costs no memory.
constexpr size_t kMaxDepth = 1024;
constexpr int kDefaultCodePage = 936;

// What the text of a group is.
enum class Dest { Text, Skip, FontTable, ColorTable };

// Formatting and destination of one group; '{' copies it, '}' restores the outer one.
struct GroupState {
  Dest dest = Dest::Text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  int halfPoints = 24;
  int font = -1; // -1: the default font
  int color = 0; // colour table index; 0 is automatic
  int background = 0;
  int uc = 1; // bytes of fallback after \uN
  RtfAlign align = RtfAlign::Left;
};

struct FontEntry {
  std::string name;
  std::string nameBytes;
  int codePage = 0; // 0: the document's
};

// Code page of a font table charset (\fcharsetN); 0 for "the document's".
int CharsetCodePage(int charset) {
  switch (charset) {
  case 77: return 10000;
  case 128: return 932;
  case 129: return 949;
  case 130: return 1361;
  case 134: return 936;
  case 136: return 950;
  case 161: return 1253;
  case 162: return 1254;
  case 163: return 1258;
  case 177: return 1255;
  case 178: return 1256;
  case 186: return 1257;
  case 204: return 1251;
  case 222: return 874;
  case 238: return 1250;
  case 255: return 437;
  default: return 0; // ANSI, default and symbol fonts follow \ansicpg
  }
}

std::string CodePageToUtf8(std::string_view bytes, int codePage) {
  switch (codePage) {
  case 936:
  case 54936: return CharsetToUtf8(bytes, "GB18030");
  case 65001: return SanitizeUtf8(bytes);
  case 10000: return CharsetToUtf8(bytes, "MACINTOSH");
  case 1361: return CharsetToUtf8(bytes, "JOHAB");
  default: {
    std::string name = "CP" + std::to_string(codePage);
    return CharsetToUtf8(bytes, name.c_str());
  }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Destinations whose text is never shown.
bool IsSkippedDestination(std::string_view word) {
  static const char* const kSkipped[] = {
      "annotation",   "atnauthor",
      "atnid",        "author",
      "bkmkend",      "bkmkstart",
      "buptim",       "colorschememapping",
      "comment",      "creatim",
      "datastore",    "docvar",
      "doccomm",      "falt",
      "fldinst",      "filetbl",
      "footer",       "footerf",
      "footerl",      "footerr",
      "footnote",     "generator",
      "header",       "headerf",
      "headerl",      "headerr",
      "info",         "keywords",
      "latentstyles", "listoverridetable",
      "listtable",    "mmathPr",
      "nonshppict",   "objclass",
      "objdata",      "objname",
      "operator",     "panose",
      "pgdsctbl",     "pict",
      "pn",           "pntxta",
      "pntxtb",       "printim",
      "private",      "revtim",
      "revtbl",       "rsidtbl",
      "rxe",          "shpinst",
      "stylesheet",   "subject",
      "tc",           "template",
      "themedata",    "title",
      "txe",          "userprops",
      "xe",           "xmlnstbl",
  };
  for (const char* s : kSkipped)
    if (word == s) return true;
  return false;
}

// Control words that stand for one character.
const char* SpecialCharacter(std::string_view word) {
  static const std::pair<const char*, const char*> kChars[] = {
      {"tab", "\t"},           {"line", "\n"},        {"cell", "\t"},
      {"emdash", "\u2014"},    {"endash", "\u2013"},  {"bullet", "\u2022"},
      {"lquote", "\u2018"},    {"rquote", "\u2019"},  {"ldblquote", "\u201C"},
      {"rdblquote", "\u201D"}, {"emspace", "\u2003"}, {"enspace", "\u2002"},
      {"qmspace", "\u2005"},
  };
  for (const auto& [name, text] : kChars)
    if (word == name) return text;
  return nullptr;
}

class Parser {
public:
  explicit Parser(std::string_view in) : in_(in) { stack_.push_back(GroupState{}); }

  RtfDocument Run() {
    while (pos_ < in_.size() && !ended_)
      Step();
    Flush();
    if (!current_.runs.empty()) EndParagraph();
    return std::move(doc_);
  }

private:
  GroupState& State() { return stack_.back(); }

  void Step() {
    char c = in_[pos_++];
    switch (c) {
    case '{':
      Flush();
      skip_ = 0;
      if (stack_.size() < kMaxDepth)
        stack_.push_back(State());
      else
        ++overflow_;
      ignorable_ = false;
      return;
    case '}':
      Flush();
      skip_ = 0;
      ignorable_ = false;
      if (overflow_ > 0) {
        --overflow_;
        return;
      }
      if (stack_.size() > 1) {
        if (State().dest == Dest::FontTable) EndFontEntry();
        stack_.pop_back();
        if (stack_.size() == 1) ended_ = true; // the document's group closed
      }
      return;
    case '\\': ControlSequence(); return;
    case '\r':
    case '\n':
    case '\0': return;
    default: TextByte(c); return;
    }
  }

  void ControlSequence() {
    if (pos_ >= in_.size()) return;
    char c = in_[pos_];
    if (IsLetter(c)) {
      size_t start = pos_;
      while (pos_ < in_.size() && IsLetter(in_[pos_]))
        ++pos_;
      std::string_view word = in_.substr(start, std::min<size_t>(pos_ - start, 32));
      bool hasParam = false;
      int64_t param = 0;
      bool negative = false;
      if (pos_ < in_.size() && in_[pos_] == '-' && pos_ + 1 < in_.size() && in_[pos_ + 1] >= '0' &&
          in_[pos_ + 1] <= '9') {
        negative = true;
        ++pos_;
      }
      while (pos_ < in_.size() && in_[pos_] >= '0' && in_[pos_] <= '9') {
        hasParam = true;
        if (param < 100000000000LL) param = param * 10 + (in_[pos_] - '0');
        ++pos_;
      }
      if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
      param = std::clamp<int64_t>(negative ? -param : param, INT32_MIN, INT32_MAX);
      ControlWord(word, hasParam, static_cast<int32_t>(param));
      return;
    }
    ++pos_;
    switch (c) {
    case '\'': {
      if (pos_ + 2 > in_.size()) {
        pos_ = in_.size();
        return;
      }
      int hi = HexValue(in_[pos_]);
      int lo = HexValue(in_[pos_ + 1]);
      pos_ += 2;
      if (hi >= 0 && lo >= 0) TextByte(static_cast<char>(hi * 16 + lo));
      return;
    }
    case '\\':
    case '{':
    case '}': TextByte(c); return;
    case '*': ignorable_ = true; return;
    case '~': Special("\u00A0"); return;
    case '_': Special("\u2011"); return;
    case '\r':
    case '\n': ControlWord("par", false, 0); return;
    default: // \- optional hyphen, \| \: and unknown symbols show nothing
      if (skip_ > 0) --skip_;
      return;
    }
  }

  void ControlWord(std::string_view word, bool hasParam, int32_t param) {
    Flush();
    GroupState& s = State();
    bool ignorable = ignorable_;
    ignorable_ = false;
    if (skip_ > 0) { // a control word in a \u fallback counts as one character
      --skip_;
      return;
    }
    if (word == "bin") { // binary data: never text
      size_t n = hasParam && param > 0 ? static_cast<size_t>(param) : 0;
      pos_ += std::min(n, in_.size() - pos_);
      return;
    }
    if (s.dest == Dest::Skip) return;

    if (word == "fonttbl") {
      s.dest = Dest::FontTable;
      return;
    }
    if (word == "colortbl") {
      s.dest = Dest::ColorTable;
      color_ = {};
      return;
    }
    if (IsSkippedDestination(word) || (ignorable && !IsKnownIgnorable(word))) {
      s.dest = Dest::Skip;
      return;
    }
    if (s.dest == Dest::FontTable) {
      FontTableWord(word, hasParam, param);
      return;
    }
    if (s.dest == Dest::ColorTable) {
      int v = std::clamp(param, 0, 255);
      int* channel = word == "red"     ? &color_.r
                     : word == "green" ? &color_.g
                     : word == "blue"  ? &color_.b
                                       : nullptr;
      if (channel) {
        *channel = v;
        color_.set = true;
      }
      return;
    }

    int on = hasParam ? param : 1;
    if (word == "ansicpg" && hasParam && param > 0)
      codePage_ = param;
    else if (word == "deff" && hasParam)
      defaultFont_ = param;
    else if (word == "uc")
      s.uc = std::clamp(param, 0, 255);
    else if (word == "u")
      Unicode(param);
    else if (word == "par" || word == "sect" || word == "page" || word == "row")
      EndParagraph();
    else if (word == "pard")
      s.align = RtfAlign::Left;
    else if (word == "ql")
      s.align = RtfAlign::Left;
    else if (word == "qc")
      s.align = RtfAlign::Center;
    else if (word == "qr")
      s.align = RtfAlign::Right;
    else if (word == "qj")
      s.align = RtfAlign::Justify;
    else if (word == "plain") {
      s.bold = s.italic = s.underline = s.strike = false;
      s.halfPoints = 24;
      s.font = -1;
      s.color = s.background = 0;
    } else if (word == "b")
      s.bold = on != 0;
    else if (word == "i")
      s.italic = on != 0;
    else if (word == "ul" || word == "uld" || word == "uldb" || word == "uldash" || word == "ulw" ||
             word == "ulth" || word == "ulwave")
      s.underline = on != 0;
    else if (word == "ulnone")
      s.underline = false;
    else if (word == "strike" || word == "striked")
      s.strike = on != 0;
    else if (word == "fs")
      s.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
    else if (word == "f")
      s.font = hasParam ? param : -1;
    else if (word == "cf")
      s.color = param;
    else if (word == "cb" || word == "highlight" || word == "chcbpat")
      s.background = param;
    else if (const char* text = SpecialCharacter(word))
      Special(text);
  }

  // \*-destinations whose content matters to us.
  static bool IsKnownIgnorable(std::string_view word) {
    return word == "pntext" || word == "listtext";
  }

  void FontTableWord(std::string_view word, bool hasParam, int32_t param) {
    if (word == "f" && hasParam) {
      EndFontEntry();
      fontIndex_ = param;
      fontOpen_ = true;
    } else if (word == "fcharset" && fontOpen_) {
      fonts_[fontIndex_].codePage = CharsetCodePage(param);
    } else if (word == "cpg" && fontOpen_ && param > 0) {
      fonts_[fontIndex_].codePage = param;
    }
  }

  void EndFontEntry() {
    if (!fontOpen_) return;
    FontEntry& f = fonts_[fontIndex_];
    std::string name = CodePageToUtf8(f.nameBytes, f.codePage ? f.codePage : codePage_);
    size_t a = name.find_first_not_of(" \t");
    size_t b = name.find_last_not_of(" \t");
    f.name = a == std::string::npos ? std::string() : name.substr(a, b - a + 1);
    f.nameBytes.clear();
    fontOpen_ = false;
  }

  void TextByte(char c) {
    if (skip_ > 0) {
      --skip_;
      return;
    }
    switch (State().dest) {
    case Dest::Skip: return;
    case Dest::FontTable:
      if (!fontOpen_) return;
      if (c == ';')
        EndFontEntry();
      else if (fonts_[fontIndex_].nameBytes.size() < 256)
        fonts_[fontIndex_].nameBytes += c;
      return;
    case Dest::ColorTable:
      if (c == ';') {
        colors_.push_back(color_.set
                              ? std::optional<uint32_t>(color_.r | color_.g << 8 | color_.b << 16)
                              : std::nullopt);
        color_ = {};
      }
      return;
    case Dest::Text: pending_ += c; return;
    }
  }

  // Text that needs no code page.
  void Special(const char* utf8) {
    if (skip_ > 0) {
      --skip_;
      return;
    }
    if (State().dest != Dest::Text) return;
    Flush();
    Append(utf8);
  }

  void Unicode(int32_t n) {
    skip_ = 0;
    uint32_t cp = static_cast<uint32_t>(n < 0 ? n + 65536 : n) & 0xFFFFu;
    if (State().dest == Dest::Text) {
      std::string utf8;
      if (cp >= 0xD800 && cp <= 0xDBFF) {
        highSurrogate_ = cp;
      } else {
        if (cp >= 0xDC00 && cp <= 0xDFFF && highSurrogate_) {
          cp = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (cp - 0xDC00);
        }
        highSurrogate_ = 0;
        if (cp != 0) AppendUtf8(utf8, cp);
        Append(utf8);
      }
    }
    skip_ = State().uc;
  }

  // Decodes the bytes gathered since the last control word with the current font's code page.
  void Flush() {
    if (pending_.empty()) return;
    int cp = codePage_;
    auto it = fonts_.find(FontOf(State()));
    if (it != fonts_.end() && it->second.codePage) cp = it->second.codePage;
    std::string text = CodePageToUtf8(pending_, cp);
    pending_.clear();
    Append(text);
  }

  int FontOf(const GroupState& s) const { return s.font >= 0 ? s.font : defaultFont_; }

  void Append(std::string_view utf8) {
    if (utf8.empty()) return;
    if (highSurrogate_) { // a lone high surrogate
      highSurrogate_ = 0;
      Append("\uFFFD");
    }
    const GroupState& s = State();
    RtfCharFormat f;
    f.bold = s.bold;
    f.italic = s.italic;
    f.underline = s.underline;
    f.strike = s.strike;
    f.halfPoints = s.halfPoints;
    auto font = fonts_.find(FontOf(s));
    if (font != fonts_.end()) f.fontName = font->second.name;
    f.color = ColorAt(s.color);
    f.background = ColorAt(s.background);
    if (!current_.runs.empty() && current_.runs.back().format == f) {
      current_.runs.back().text += utf8;
    } else {
      current_.runs.push_back(RtfRun{std::string(utf8), std::move(f)});
    }
  }

  std::optional<uint32_t> ColorAt(int index) const {
    if (index <= 0 || static_cast<size_t>(index) >= colors_.size()) return std::nullopt;
    return colors_[index];
  }

  void EndParagraph() {
    Flush();
    current_.align = State().align;
    doc_.paragraphs.push_back(std::move(current_));
    current_ = {};
  }

  struct PendingColor {
    int r = 0, g = 0, b = 0;
    bool set = false;
  };

  std::string_view in_;
  size_t pos_ = 0;
  bool ended_ = false;
  std::vector<GroupState> stack_;
  size_t overflow_ = 0;
  bool ignorable_ = false;
  int skip_ = 0;
  uint32_t highSurrogate_ = 0;
  int codePage_ = kDefaultCodePage;
  int defaultFont_ = 0;
  std::map<int, FontEntry> fonts_;
  int fontIndex_ = 0;
  bool fontOpen_ = false;
  std::vector<std::optional<uint32_t>> colors_;
  PendingColor color_;
  std::string pending_;
  RtfParagraph current_;
  RtfDocument doc_;
};

bool EndsWithTxt(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext == ".txt";
}

} // namespace

RtfDocument RtfReader::Read(std::string_view bytes) { return Parser(bytes).Run(); }

RtfDocument RtfReader::ReadPlainText(std::string_view bytes) {
  std::string text = DecodeGuessedText(bytes);
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
  RtfDocument doc;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    std::string line =
        text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (end == std::string::npos && line.empty()) break; // no paragraph after a final newline
    RtfParagraph p;
    if (!line.empty()) p.runs.push_back(RtfRun{std::move(line), RtfCharFormat{}});
    doc.paragraphs.push_back(std::move(p));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return doc;
}

bool RtfReader::ReadFile(const std::string& path, RtfDocument* doc) {
  std::string bytes;
  *doc = {};
  if (!ReadFileBytes(path, bytes)) return false;
  std::string_view view = bytes;
  size_t start = view.find_first_not_of(" \t\r\n");
  if (!EndsWithTxt(path) && start != std::string_view::npos && view.substr(start, 5) == "{\\rtf") {
    *doc = Read(view.substr(start));
  } else {
    *doc = ReadPlainText(view);
  }
  return true;
}
