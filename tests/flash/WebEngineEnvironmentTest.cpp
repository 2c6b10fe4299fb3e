#include <gtest/gtest.h>

#include "controls/WebEngineEnvironment.h"

namespace {

using Vars = std::map<std::string, std::string>;
using Facts = WebEngineEnvironment::Facts;

Facts Desktop() { return Facts{false, "xcb", true, true, ""}; }

} // namespace

TEST(WebEngineEnvironmentTest, SetsWhatThisMachineNeeds) {
  const Vars soft = {{"QT_QUICK_BACKEND", "software"},
                     {"QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu --disable-gpu-compositing"}};
  auto with = [](Facts f, auto change) {
    change(f);
    return f;
  };
  struct Case {
    const char* name;
    Facts facts;
    Vars current;
    Vars expected;
  } cases[] = {
      {"desktop with GPU", Desktop(), {}, {}},
      {"root",
       with(Desktop(), [](Facts& f) { f.root = true; }),
       {},
       {{"QTWEBENGINE_DISABLE_SANDBOX", "1"}}},
      {"root, sandbox set by the user",
       with(Desktop(), [](Facts& f) { f.root = true; }),
       {{"QTWEBENGINE_DISABLE_SANDBOX", "0"}},
       {}},
      {"offscreen", with(Desktop(), [](Facts& f) { f.platform = "offscreen"; }), {}, soft},
      {"minimal with options",
       with(Desktop(), [](Facts& f) { f.platform = "minimal:x=1"; }),
       {},
       soft},
      {"no display",
       with(Desktop(), [](Facts& f) { f.platform = "", f.hasDisplay = false; }),
       {},
       soft},
      {"Xvfb without GPU", with(Desktop(), [](Facts& f) { f.hasGpu = false; }), {}, soft},
      {"forced", with(Desktop(), [](Facts& f) { f.forceSoftware = "1"; }), {}, soft},
      {"forbidden",
       with(Desktop(), [](Facts& f) { f.hasGpu = false, f.forceSoftware = "0"; }),
       {},
       {}},
      {"user's flags kept, missing one added",
       with(Desktop(), [](Facts& f) { f.hasGpu = false; }),
       {{"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=zh --disable-gpu"}, {"QT_QUICK_BACKEND", "openvg"}},
       {{"QTWEBENGINE_CHROMIUM_FLAGS", "--lang=zh --disable-gpu --disable-gpu-compositing"}}},
      {"all set already", with(Desktop(), [](Facts& f) { f.hasGpu = false; }), soft, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(WebEngineEnvironment::Variables(c.facts, c.current), c.expected) << c.name;
}
