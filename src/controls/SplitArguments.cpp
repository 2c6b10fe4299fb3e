#include "controls/SplitArguments.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

} // namespace

std::vector<std::string> SplitArguments(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false; // a quoted empty string ("") is still a word
  size_t i = 0;
  while (i < text.size()) {
    char c = text[i++];
    if (IsBlank(c)) {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      continue;
    }
    if (c == '\\' && i < text.size() && text[i] == '\n') {
      ++i; // a backslash-newline joins lines, as in the shell
      continue;
    }
    inWord = true;
    if (c == '\\') {
      // A lone backslash at the very end stays as it is.
      word += i < text.size() ? text[i++] : c;
    } else if (c == '\'') {
      size_t end = text.find('\'', i);
      if (end == std::string_view::npos) end = text.size();
      word.append(text.substr(i, end - i));
      i = end + 1;
    } else if (c == '"') {
      while (i < text.size() && text[i] != '"') {
        char d = text[i++];
        if (d == '\\' && i < text.size()) {
          char e = text[i];
          if (e == '$' || e == '`' || e == '"' || e == '\\' || e == '\n') {
            if (e != '\n') word += e;
            ++i;
            continue;
          }
        }
        word += d;
      }
      ++i; // the closing quote, if any
    } else {
      word += c;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return words;
}
