#pragma once

#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

/// Reads and writes the program's XML files without building a tree of objects. The whole
/// document is one UTF-8 text plus an index of element positions into it; a cursor moves from
/// element to element. Writing edits the text in place and shifts the index.
///
/// The cursor is a current element and, below it, a current child. Searches only go forward.
/// Elements written by this class sit one per line, without indentation, each line ending in
/// CR LF.
class CMarkup {
public:
  /// A name or text argument: a literal, a C string (null reads as empty) or a std::string.
  // The conversions are implicit on purpose, so callers pass literals and strings alike.
  class Text {
  public:
    Text() = default;
    Text(const char* text) : view_(text ? text : "") {}
    Text(std::string_view text) : view_(text) {}
    Text(const std::string& text) : view_(text) {}
    /// The text itself.
    std::string_view view() const { return view_; }

  private:
    std::string_view view_;
  };

  /// An empty document with no element.
  CMarkup();

  /// Replaces the document (null = empty) and indexes it; on failure no element is known.
  void SetDocument(Text text);
  /// SetDocument that takes the text over instead of copying it.
  void AdoptDocument(std::string&& text);
  /// A copy of the whole text.
  std::string GetDocument() const;
  /// Hands the whole text over and leaves an empty document with no element.
  std::string TakeDocument();
  /// The text of the last indexing error; "" when the last indexing found no fault.
  std::string GetError() const;

  /// Moves to the next sibling (or the top element) named `name` (empty = any); false: no move.
  bool FindElement(Text name = {});
  /// Moves the child position to the next child named `name` (empty = any); false: no move.
  bool FindChildElement(Text name = {});
  /// Starts the child search again from the first child.
  void ResetChildPos();
  /// Makes the current child (or else the first child) the current element; false if none.
  bool IntoElement();
  /// Makes the parent current, with the old current element as its child; false at the top.
  bool OutOfElement();

  /// The tag name of the current element; "" when there is none.
  std::string GetTagName() const;
  /// The decoded value of the current element's first quoted attribute `name`; "" if none.
  std::string GetAttribute(Text name) const;
  /// GetAttribute read as a C integer (0 when there are no digits).
  int GetAttributeInt(Text name) const;
  /// True only when the attribute reads "True" exactly.
  bool GetAttributeBool(Text name) const;
  /// The decoded text (a CDATA section as is) of the current child; "" if none or no text.
  std::string GetChildData() const;
  /// GetChildData read as a C integer (0 when there are no digits).
  int GetChildDataInt() const;
  /// True only when the child's text is "True" exactly.
  bool GetChildDataBool() const;
  /// GetChildData read as a decimal number and rounded to single precision.
  float GetChildDataFloat() const;
  /// GetChildData read as a decimal number (0 when nothing is readable).
  double GetChildDataDouble() const;

  /// Adds a sibling after the current element, or the top element to a document without one.
  bool AddElement(Text name, const char* data = nullptr);
  /// AddElement with a string.
  bool AddElement(Text name, std::string_view data);

  /// Adds a child after the current child (or last) and makes it the child; false: no element.
  bool AddChildElement(Text name, const char* data = nullptr);
  /// AddChildElement with a string.
  bool AddChildElement(Text name, std::string_view data);
  /// AddChildElement with "True" or "False".
  bool AddChildElement(Text name, bool value) { return AddChildElementBool(name, value); }
  /// AddChildElement with a single-precision value in "%f" form.
  bool AddChildElement(Text name, float value) { return AddChildElementFloat(name, value); }
  /// AddChildElement with a value in "%e" form.
  bool AddChildElement(Text name, double value) { return AddChildElementDouble(name, value); }
  /// AddChildElement with an integer in "%d" form.
  template <std::integral T>
  requires(!std::same_as<T, bool>) bool AddChildElement(Text name, T value) {
    return AddChildElementInt(name, static_cast<long long>(value));
  }
  /// AddChildElement with an integer in "%d" form.
  bool AddChildElementInt(Text name, long long value);
  /// AddChildElement with "True" for true, else "False".
  bool AddChildElementBool(Text name, bool value);
  /// AddChildElement with the value rounded to single precision, in "%f" form.
  bool AddChildElementFloat(Text name, float value);
  /// AddChildElement with the value in "%e" form.
  bool AddChildElementDouble(Text name, double value);

  /// Appends ` name="value"` to the current start tag, never replacing; false: no element.
  bool SetAttribute(Text name, const char* value);
  /// SetAttribute with a string.
  bool SetAttribute(Text name, std::string_view value);
  /// SetAttribute with "True" or "False".
  bool SetAttribute(Text name, bool value) { return SetAttributeBool(name, value); }
  /// SetAttribute with an integer in "%d" form.
  template <std::integral T>
  requires(!std::same_as<T, bool>) bool SetAttribute(Text name, T value) {
    return SetAttributeInt(name, static_cast<long long>(value));
  }
  // Attributes have no floating-point form; refuse instead of silently writing a boolean.
  bool SetAttribute(Text name, float value) = delete;
  bool SetAttribute(Text name, double value) = delete;
  /// SetAttribute with an integer in "%d" form.
  bool SetAttributeInt(Text name, long long value);
  /// SetAttribute with "True" for true, else "False".
  bool SetAttributeBool(Text name, bool value);

private:
  // Offsets are byte offsets into the document. An empty element ("/>") has
  // endL = startR - 1 and endR = startR.
  struct ElementPos {
    std::int64_t startL = 0; // "<" of the start tag
    std::int64_t startR = 0; // ">" of the start tag
    std::int64_t endL = 0;   // "<" of the end tag; the scan offset while indexing
    std::int64_t endR = 0;   // ">" of the end tag
    std::int64_t next = 0;   // the next "<" after the element: where a sibling goes
    std::int32_t parent = 0;
    std::int32_t firstChild = 0;
    std::int32_t nextSibling = 0;
  };
  struct Token {
    std::int64_t begin = 0;
    std::int64_t end = 0;
    bool quoted = false;
  };

  bool NextToken(std::int64_t& pos, Token& token) const;
  std::string_view TokenText(const Token& token) const;
  std::string_view TagName(int pos) const;
  bool IsEmpty(int pos) const;
  std::string Decode(std::int64_t begin, std::int64_t end) const;

  void Index();
  int TakeEntry(int parent);
  int Fail(const char* text, std::string_view name = {});
  int IndexStartTag(int parent, bool& open);
  int IndexEndTag(int pos);
  void SetNext(int pos);

  int FindSibling(int from, std::string_view name) const;
  int LastChild(int pos) const;
  int InsertElement(int parent, int after, std::string_view name, std::string_view data);
  void ShiftSubtree(int top, std::int64_t delta);
  void ShiftFollowing(int pos, std::int64_t delta);

  std::string document_;
  int level_ = 0;
  std::string error_;
  std::vector<ElementPos> positions_;
  int current_ = 0;
  int child_ = 0;
  int nextFree_ = 1;
};
