#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// The little JSON the console speaks: objects written member by member, and the flat request
// objects ({"name": "a.vrx", "discard": true}) read back.

/// A JSON string literal of UTF-8 text, quotes included; control characters as \u00XX, and
/// bytes that are no valid UTF-8 as U+FFFD, so the reply is always valid JSON.
std::string JsonQuote(const std::string& text);

/// Writes one JSON object: Add the members in order, then Text().
class JsonObject {
public:
  JsonObject& Add(const std::string& key, const std::string& value);
  JsonObject& Add(const std::string& key, const char* value);
  JsonObject& Add(const std::string& key, int64_t value);
  JsonObject& Add(const std::string& key, int32_t value) { return Add(key, int64_t{value}); }
  JsonObject& Add(const std::string& key, bool value);
  /// A member whose value is already JSON text (an object, an array, null).
  JsonObject& AddRaw(const std::string& key, const std::string& json);
  JsonObject& AddNull(const std::string& key) { return AddRaw(key, "null"); }
  /// The object's text.
  std::string Text() const { return text_ + "}"; }

private:
  void Key(const std::string& key);
  std::string text_ = "{";
};

/// A value of a flat request object.
struct JsonScalar {
  enum class Kind { String, Bool, Number, Null } kind = Kind::Null;
  std::string text; ///< the string's UTF-8 text, or a number as written
  bool flag = false;
};

/// Reads a JSON object whose members are strings, booleans, numbers or null (nesting is
/// refused). Nullopt when the text is no such object: bad syntax, an invalid escape or UTF-8,
/// a lone surrogate, text after the object, or more than 64 members.
std::optional<std::map<std::string, JsonScalar>> ParseFlatJsonObject(const std::string& text);

/// True when the bytes are valid UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool IsValidUtf8(const std::string& text);
