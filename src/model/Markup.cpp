#include "model/Markup.h"

#include "base/NumberFormat.h"

namespace {

constexpr std::string_view kDelimiters = "<>=\\/?!";

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDelimiter(char c) { return kDelimiters.find(c) != std::string_view::npos; }

// Less-than, ampersand and greater-than in element text; attribute values also quote marks.
std::string Encode(std::string_view text, bool attribute) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
    case '<': out += "&lt;"; break;
    case '&': out += "&amp;"; break;
    case '>': out += "&gt;"; break;
    case '\'':
      if (attribute)
        out += "&apos;";
      else
        out += c;
      break;
    case '"':
      if (attribute)
        out += "&quot;";
      else
        out += c;
      break;
    default: out += c;
    }
  }
  return out;
}

const char* BoolText(bool value) { return value ? "True" : "False"; }

} // namespace

CMarkup::CMarkup() { SetDocument(nullptr); }

void CMarkup::SetDocument(Text text) {
  document_.assign(text.view());
  current_ = 0;
  child_ = 0;
  level_ = 0;
  nextFree_ = 1;
  Index();
}

void CMarkup::AdoptDocument(std::string&& text) {
  document_ = std::move(text);
  current_ = 0;
  child_ = 0;
  level_ = 0;
  nextFree_ = 1;
  Index();
}

std::string CMarkup::GetDocument() const { return document_; }

std::string CMarkup::TakeDocument() {
  std::string text = std::move(document_);
  SetDocument(Text());
  return text;
}

std::string CMarkup::GetError() const { return error_; }

// ---- tokens --------------------------------------------------------------------------------

bool CMarkup::NextToken(std::int64_t& pos, Token& token) const {
  const auto size = static_cast<std::int64_t>(document_.size());
  while (pos < size && IsSpace(document_[pos]))
    ++pos;
  if (pos >= size) return false;
  if (document_[pos] == '"') {
    token.quoted = true;
    token.begin = pos + 1;
    const auto close = document_.find('"', token.begin);
    token.end = close == std::string::npos ? size : static_cast<std::int64_t>(close);
    pos = token.end < size ? token.end + 1 : size;
    return true;
  }
  token.quoted = false;
  token.begin = pos;
  if (IsDelimiter(document_[pos])) {
    ++pos;
  } else {
    while (pos < size && !IsSpace(document_[pos]) && !IsDelimiter(document_[pos]))
      ++pos;
  }
  token.end = pos;
  return true;
}

std::string_view CMarkup::TokenText(const Token& token) const {
  return std::string_view(document_).substr(token.begin, token.end - token.begin);
}

std::string_view CMarkup::TagName(int pos) const {
  if (pos == 0) return {};
  std::int64_t at = positions_[pos].startL + 1;
  Token token;
  return NextToken(at, token) ? TokenText(token) : std::string_view();
}

bool CMarkup::IsEmpty(int pos) const { return positions_[pos].endL + 1 == positions_[pos].startR; }

std::string CMarkup::Decode(std::int64_t begin, std::int64_t end) const {
  static constexpr struct {
    std::string_view name;
    char c;
  } kEntities[] = {{"lt;", '<'}, {"amp;", '&'}, {"gt;", '>'}, {"apos;", '\''}, {"quot;", '"'}};
  const std::string_view doc(document_);
  std::string out;
  out.reserve(end - begin);
  for (std::int64_t i = begin; i < end;) {
    if (doc[i] == '&') {
      bool replaced = false;
      for (const auto& entity : kEntities) {
        const auto length = static_cast<std::int64_t>(entity.name.size());
        if (i + 1 + length <= end && doc.substr(i + 1, length) == entity.name) {
          out += entity.c;
          i += 1 + length;
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    out += doc[i];
    ++i;
  }
  return out;
}

// ---- indexing ------------------------------------------------------------------------------

// Indexes the first element at the top level and everything inside it. The walk keeps its own
// stack of open elements, so any depth of nesting is indexed without recursion.
void CMarkup::Index() {
  error_.clear();
  positions_.assign(document_.size() / 64 + 8, ElementPos{});
  nextFree_ = 1;

  bool open = false;
  int top = IndexStartTag(0, open);
  struct Open {
    int pos;
    int lastChild;
  };
  std::vector<Open> stack;
  if (top > 0 && open) stack.push_back({top, 0});
  while (!stack.empty() && top > 0) {
    const int parent = stack.back().pos;
    const int child = IndexStartTag(parent, open);
    if (child < 0) {
      top = -1;
    } else if (child > 0) {
      const int previous = stack.back().lastChild;
      if (previous)
        positions_[previous].nextSibling = child;
      else
        positions_[parent].firstChild = child;
      stack.back().lastChild = child;
      if (open)
        stack.push_back({child, 0});
      else
        positions_[parent].endL = positions_[child].endR + 1;
    } else if (IndexEndTag(parent) < 0) {
      top = -1;
    } else {
      stack.pop_back();
      if (!stack.empty()) positions_[stack.back().pos].endL = positions_[parent].endR + 1;
    }
  }

  if (top > 0) {
    positions_[0].firstChild = top;
  } else {
    positions_[0] = ElementPos{};
    nextFree_ = 1;
  }
}

int CMarkup::TakeEntry(int parent) {
  const int pos = nextFree_++;
  if (nextFree_ >= static_cast<int>(positions_.size())) {
    // Exactly 1.5 times: a plain resize would double the capacity, and with the old array
    // still held while copying a large file's index would need four times its size at once.
    const size_t grown = positions_.size() + positions_.size() / 2 + 1;
    positions_.reserve(grown);
    positions_.resize(grown);
  }
  positions_[pos] = ElementPos{};
  positions_[pos].parent = parent;
  return pos;
}

// Keeps the error text, with the tag name in place of "%s", and returns -1. Any error fails the
// whole document, so the entries taken so far are all given back together by Index().
int CMarkup::Fail(const char* text, std::string_view name) {
  error_ = text;
  const auto mark = error_.find("%s");
  if (mark != std::string::npos) error_.replace(mark, 2, name);
  return -1;
}

// Finds the next element's start tag under `parent`, from the parent's scan offset, skipping
// processing instructions, comments, CDATA sections and declarations. Returns the new entry
// (`open` says whether it still needs its content and end tag), 0 at the parent's end tag, or
// -1 on an error.
int CMarkup::IndexStartTag(int parent, bool& open) {
  const int pos = TakeEntry(parent);
  const auto size = static_cast<std::int64_t>(document_.size());
  std::int64_t scan = positions_[parent].endL;
  for (;;) {
    const auto lt = document_.find('<', scan);
    if (lt == std::string::npos) return Fail("Element tag not found");
    positions_[parent].endL = static_cast<std::int64_t>(lt);
    positions_[pos].startL = static_cast<std::int64_t>(lt);

    std::int64_t at = positions_[pos].startL + 1;
    Token token;
    if (!NextToken(at, token)) return Fail("Abrupt end within tag");
    if (token.quoted) return Fail("Tag starts with quote");
    const char first = document_[token.begin];
    if (first == '?' || first == '!') {
      std::string_view close = "?>";
      std::int64_t from = token.begin;
      if (first == '!') {
        from = token.end;
        const char nextChar = from < size ? document_[from] : '\0';
        close = nextChar == '[' ? "]]>" : nextChar == '-' ? "-->" : ">";
      }
      const auto found = document_.find(close, from);
      if (found == std::string::npos) return Fail("End of tag not found");
      scan = static_cast<std::int64_t>(found + close.size());
      continue;
    }
    if (first == '/') {
      --nextFree_;
      return 0;
    }
    const auto gt = document_.find('>', token.end);
    if (gt == std::string::npos) return Fail("End of tag not found");
    ElementPos& element = positions_[pos];
    element.startR = static_cast<std::int64_t>(gt);
    open = document_[gt - 1] != '/';
    if (open) {
      element.endL = element.startR + 1;
    } else {
      element.endL = element.startR - 1;
      element.endR = element.startR;
      SetNext(pos);
    }
    return pos;
  }
}

// Reads the end tag at the element's scan offset, where the last child attempt stopped.
// Returns the entry, or -1 on an error.
int CMarkup::IndexEndTag(int pos) {
  const std::string name(TagName(pos));
  const auto lt = document_.find('<', positions_[pos].endL);
  if (lt == std::string::npos) return Fail("End tag of %s element not found", name);
  positions_[pos].endL = static_cast<std::int64_t>(lt);

  std::int64_t at = positions_[pos].endL + 1;
  Token token;
  int count = 0;
  bool closed = false;
  while (NextToken(at, token)) {
    ++count;
    if (token.quoted) continue;
    const std::string_view text = TokenText(token);
    if (count == 1 && text[0] != '/') return Fail("Expecting end tag of element %s", name);
    if (count == 2 && text != name) return Fail("End tag does not correspond to %s", name);
    if (text == ">") {
      closed = true;
      break;
    }
  }
  if (!closed || count < 2) return Fail("End tag not completed for element %s", name);
  positions_[pos].endR = token.begin;
  SetNext(pos);
  return pos;
}

void CMarkup::SetNext(int pos) {
  const auto lt = document_.find('<', positions_[pos].endR);
  positions_[pos].next = static_cast<std::int64_t>(lt == std::string::npos ? document_.size() : lt);
}

// ---- navigation ----------------------------------------------------------------------------

int CMarkup::FindSibling(int from, std::string_view name) const {
  for (int pos = from; pos; pos = positions_[pos].nextSibling) {
    if (name.empty() || TagName(pos) == name) return pos;
  }
  return 0;
}

bool CMarkup::FindElement(Text name) {
  const int from = current_ ? positions_[current_].nextSibling : positions_[0].firstChild;
  const int found = FindSibling(from, name.view());
  if (!found) return false;
  current_ = found;
  child_ = 0;
  return true;
}

bool CMarkup::FindChildElement(Text name) {
  if (!current_) FindElement();
  if (!current_ || IsEmpty(current_)) return false;
  const int from = child_ ? positions_[child_].nextSibling : positions_[current_].firstChild;
  const int found = FindSibling(from, name.view());
  if (!found) return false;
  child_ = found;
  return true;
}

void CMarkup::ResetChildPos() { child_ = 0; }

bool CMarkup::IntoElement() {
  if (!child_) FindChildElement();
  if (!child_) return false;
  current_ = child_;
  child_ = 0;
  ++level_;
  return true;
}

bool CMarkup::OutOfElement() {
  if (!current_ || level_ <= 0) return false;
  child_ = current_;
  current_ = positions_[current_].parent;
  --level_;
  return true;
}

// ---- reading -------------------------------------------------------------------------------

std::string CMarkup::GetTagName() const { return std::string(TagName(current_)); }

// Token 0 is the tag name; an unquoted token other than "=" is an attribute name, and the
// quoted token two further on is its value. An unquoted ">" or "/" ends the start tag.
std::string CMarkup::GetAttribute(Text name) const {
  if (!current_) return {};
  std::int64_t at = positions_[current_].startL + 1;
  Token token;
  int match = -1;
  for (int number = 0; NextToken(at, token); ++number) {
    if (token.quoted) {
      if (match >= 0 && number == match + 2) return Decode(token.begin, token.end);
      if (match >= 0 && number > match + 2) return {};
      continue;
    }
    const std::string_view text = TokenText(token);
    if (text == ">" || text == "/") return {};
    if (match < 0 && number > 0 && text != "=" && text == name.view()) match = number;
  }
  return {};
}

int CMarkup::GetAttributeInt(Text name) const { return ParseInt(GetAttribute(name)); }

bool CMarkup::GetAttributeBool(Text name) const { return GetAttribute(name) == "True"; }

std::string CMarkup::GetChildData() const {
  if (!child_ || IsEmpty(child_) || positions_[child_].firstChild) return {};
  const std::int64_t begin = positions_[child_].startR + 1;
  const std::int64_t end = positions_[child_].endL;
  if (end <= begin) return {};
  const std::string_view content = std::string_view(document_).substr(begin, end - begin);
  constexpr std::string_view kOpen = "<![CDATA[";
  if (content.size() >= 11 && content.starts_with(kOpen)) {
    const auto close = content.find("]]>", kOpen.size());
    if (close != std::string_view::npos)
      return std::string(content.substr(kOpen.size(), close - kOpen.size()));
  }
  return Decode(begin, end);
}

int CMarkup::GetChildDataInt() const { return ParseInt(GetChildData()); }

bool CMarkup::GetChildDataBool() const { return GetChildData() == "True"; }

float CMarkup::GetChildDataFloat() const { return static_cast<float>(ParseDouble(GetChildData())); }

double CMarkup::GetChildDataDouble() const { return ParseDouble(GetChildData()); }

// ---- writing -------------------------------------------------------------------------------

bool CMarkup::AddElement(Text name, const char* data) {
  return AddElement(name, std::string_view(data ? data : ""));
}

bool CMarkup::AddElement(Text name, std::string_view data) {
  const int parent = current_ ? positions_[current_].parent : 0;
  if (parent == 0) {
    // The top level holds one element only; a document without one starts afresh.
    if (positions_[0].firstChild) return false;
    document_.clear();
    positions_[0] = ElementPos{};
    nextFree_ = 1;
  }
  current_ = InsertElement(parent, parent ? current_ : 0, name.view(), data);
  child_ = 0;
  return true;
}

bool CMarkup::AddChildElement(Text name, const char* data) {
  return AddChildElement(name, std::string_view(data ? data : ""));
}

bool CMarkup::AddChildElement(Text name, std::string_view data) {
  if (!current_) return false;
  const int after = child_ ? child_ : LastChild(current_);
  child_ = InsertElement(current_, after, name.view(), data);
  return true;
}

bool CMarkup::AddChildElementInt(Text name, long long value) {
  return AddChildElement(name, std::string_view(FormatInt(value)));
}

bool CMarkup::AddChildElementBool(Text name, bool value) {
  return AddChildElement(name, BoolText(value));
}

bool CMarkup::AddChildElementFloat(Text name, float value) {
  return AddChildElement(name, std::string_view(FormatFloat(value)));
}

bool CMarkup::AddChildElementDouble(Text name, double value) {
  return AddChildElement(name, std::string_view(FormatExp(value)));
}

bool CMarkup::SetAttribute(Text name, const char* value) {
  return SetAttribute(name, std::string_view(value ? value : ""));
}

bool CMarkup::SetAttribute(Text name, std::string_view value) {
  if (!current_) return false;
  std::string text = " ";
  text += name.view();
  text += "=\"";
  text += Encode(value, true);
  text += '"';

  ElementPos& element = positions_[current_];
  const std::int64_t at = IsEmpty(current_) ? element.startR - 1 : element.startR;
  document_.insert(static_cast<std::size_t>(at), text);
  const auto delta = static_cast<std::int64_t>(text.size());
  element.startR += delta;
  element.endL += delta;
  element.endR += delta;
  element.next += delta;
  for (int c = element.firstChild; c; c = positions_[c].nextSibling)
    ShiftSubtree(c, delta);
  ShiftFollowing(current_, delta);
  return true;
}

bool CMarkup::SetAttributeInt(Text name, long long value) {
  return SetAttribute(name, std::string_view(FormatInt(value)));
}

bool CMarkup::SetAttributeBool(Text name, bool value) {
  return SetAttribute(name, BoolText(value));
}

int CMarkup::LastChild(int pos) const {
  int last = positions_[pos].firstChild;
  while (last && positions_[last].nextSibling)
    last = positions_[last].nextSibling;
  return last;
}

// Inserts "<name>data</name>\r\n" (or "<name/>\r\n") under `parent`, after the sibling `after`
// or else first, and returns its entry. An empty parent is opened into a start tag, the new
// element and an end tag, each on its own line.
int CMarkup::InsertElement(int parent, int after, std::string_view name, std::string_view data) {
  const std::string encoded = Encode(data, false);
  const auto nameLength = static_cast<std::int64_t>(name.size());
  std::string text = "<";
  text += name;
  if (encoded.empty()) {
    text += "/>\r\n";
  } else {
    text += '>';
    text += encoded;
    text += "</";
    text += name;
    text += ">\r\n";
  }

  const int pos = TakeEntry(parent);
  const bool opening = !after && !positions_[parent].firstChild && parent && IsEmpty(parent);
  std::int64_t at = 0;
  std::int64_t startL = 0;
  std::int64_t replaced = 0;
  std::string inserted;
  if (opening) {
    // "<P/>" becomes "<P>\r\n<name.../>\r\n</P>": the "/" turns into ">" and a line end, the
    // new element, "</" and P's name; P's own ">" closes the end tag.
    at = positions_[parent].startR - 1;
    startL = at + 3;
    replaced = 1;
    inserted = ">\r\n" + text + "</";
    inserted += TagName(parent);
  } else {
    if (after)
      at = positions_[after].next;
    else if (positions_[parent].firstChild)
      at = positions_[positions_[parent].firstChild].startL;
    else
      at = positions_[parent].endL;
    startL = at;
    inserted = text;
  }
  document_.replace(static_cast<std::size_t>(at), static_cast<std::size_t>(replaced), inserted);

  ElementPos& element = positions_[pos];
  element.startL = startL;
  if (encoded.empty()) {
    element.startR = startL + nameLength + 2;
    element.endL = element.startR - 1;
    element.endR = element.startR;
    element.next = element.startR + 3;
  } else {
    element.startR = startL + nameLength + 1;
    element.endL = element.startR + static_cast<std::int64_t>(encoded.size()) + 1;
    element.endR = element.endL + nameLength + 2;
    element.next = element.endR + 3;
  }
  if (after) {
    element.nextSibling = positions_[after].nextSibling;
    positions_[after].nextSibling = pos;
  } else {
    element.nextSibling = positions_[parent].firstChild;
    positions_[parent].firstChild = pos;
  }

  ShiftFollowing(pos, static_cast<std::int64_t>(inserted.size()) - replaced);
  if (opening) {
    positions_[parent].startR = at;
    positions_[parent].endL = startL + static_cast<std::int64_t>(text.size());
  }
  return pos;
}

// Shifts every offset of an element and of everything inside it.
void CMarkup::ShiftSubtree(int top, std::int64_t delta) {
  int pos = top;
  for (;;) {
    ElementPos& element = positions_[pos];
    element.startL += delta;
    element.startR += delta;
    element.endL += delta;
    element.endR += delta;
    element.next += delta;
    if (element.firstChild) {
      pos = element.firstChild;
      continue;
    }
    while (pos != top && !positions_[pos].nextSibling)
      pos = positions_[pos].parent;
    if (pos == top) return;
    pos = positions_[pos].nextSibling;
  }
}

// Shifts what follows `pos` in document order after text was inserted at or inside it: its
// later siblings, then each ancestor's end tag and next, and the ancestors' later siblings.
// Everything before stays, so building a document in order touches only its few open
// ancestors.
void CMarkup::ShiftFollowing(int pos, std::int64_t delta) {
  for (;;) {
    for (int s = positions_[pos].nextSibling; s; s = positions_[s].nextSibling)
      ShiftSubtree(s, delta);
    if (pos == 0) return;
    pos = positions_[pos].parent;
    ElementPos& ancestor = positions_[pos];
    ancestor.endL += delta;
    ancestor.endR += delta;
    ancestor.next += delta;
  }
}
