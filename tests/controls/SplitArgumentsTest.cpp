#include <gtest/gtest.h>

#include "controls/SplitArguments.h"

namespace {

TEST(SplitArgumentsTest, SplitsLikeShellWordsWithoutExpanding) {
  using Words = std::vector<std::string>;
  struct Case {
    const char* text;
    Words words;
  } cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"  a  b\tc ", {"a", "b", "c"}},
      {"'hello world' x", {"hello world", "x"}},
      {"\"a b\" c", {"a b", "c"}},
      {"--name=\"x y\"z", {"--name=x yz"}},
      {"'' \"\" x", {"", "", "x"}},
      {"a\\ b c", {"a b", "c"}},
      {"'it'\\''s'", {"it's"}},
      {"\"x\\\"y\\$z\\n\\\\\"", {"x\"y$z\\n\\"}},
      {"'a\\b' \"c'd\"", {"a\\b", "c'd"}},
      // Nothing a shell would expand or run is touched.
      {"$HOME ${HOME} ~/f *.txt ?", {"$HOME", "${HOME}", "~/f", "*.txt", "?"}},
      {"a;b | c && d > e", {"a;b", "|", "c", "&&", "d", ">", "e"}},
      {"`rm -rf /` $(id)", {"`rm", "-rf", "/`", "$(id)"}},
      {"\"$(id) `id` $HOME\"", {"$(id) `id` $HOME"}},
      // Unclosed quotes run to the end; a final lone backslash stays.
      {"'abc def", {"abc def"}},
      {"x \"abc", {"x", "abc"}},
      {"a\\", {"a\\"}},
      {"a \\\n b", {"a", "b"}},
      {"文件 '中 文'", {"文件", "中 文"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SplitArguments(c.text), c.words) << c.text;
  }
}

} // namespace
