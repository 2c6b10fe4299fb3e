#include <gtest/gtest.h>

#include <string>

#include "cli/DumpFixture.h"
#include "cli/ProjectJson.h"
#include "base/AtomicFile.h"
#include "base/TextCodec.h"

namespace {

std::string FixtureText(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(ReadFileBytes(std::string(ZYNTRA_TEST_DATA) + "/cli/data/" + name, bytes)) << name;
  return DecodeFileText(bytes);
}

TEST(ProjectJson, DumpsTheFixtureExactly) {
  std::string json;
  ASSERT_TRUE(ProjectToJson(FixtureText("dump.vrx"), json));
  EXPECT_EQ(json, kDumpJson);
}

TEST(ProjectJson, OneItemIsStillAListAndAProjectWithoutPagesHasNoFrames) {
  const std::string oneItem =
      "<VRX><Screen Name=\"S\" Type=\"-1\"><Frame Name=\"Page1\" Type=\"-2\">"
      "<Exe Name=\"Program1\" Type=\"128\"><Item><Name>/bin/true</Name><Para/></Item>"
      "<X>1</X></Exe></Frame></Screen></VRX>";
  std::string json;
  ASSERT_TRUE(ProjectToJson(oneItem, json));
  EXPECT_NE(json.find(R"("Objects":[{"Name":"Program1","Type":"128","X":"1","Props":{"Item":[)"
                      R"({"Name":"/bin/true","Para":""}]}}])"),
            std::string::npos)
      << json;

  ASSERT_TRUE(ProjectToJson("<VRX><Screen W=\"8\"/></VRX>", json));
  EXPECT_EQ(json, R"({"frameCount":"","proTextCount":"","effectBoxCount":"","clockCount":"",)"
                  R"("mPlayerCount":"","flashCount":"","gifCount":"","labelCount":"",)"
                  R"("exeCount":"","X":"","Y":"","W":"8","H":"","Name":"","Type":"","Frames":[]})");
}

TEST(ProjectJson, RefusesWhatIsNotAProject) {
  for (const char* text : {"", "not xml at all", "<VORN><TASKS/></VORN>", "<VRX></VRX>",
                           "<VRX><Frame Name=\"Page1\"/></VRX>"}) {
    std::string json = "untouched";
    EXPECT_FALSE(ProjectToJson(text, json)) << text;
    EXPECT_EQ(json, "untouched") << text;
  }
}

TEST(ProjectJson, EscapesQuotesBackslashesAndControlCharacters) {
  EXPECT_EQ(JsonString("a\"b\\c\nd\re\tf"), R"("a\"b\\c\nd\re\tf")");
  EXPECT_EQ(JsonString(std::string("\x01\x1f", 2)), R"("\u0001\u001f")");
  EXPECT_EQ(JsonString("时钟/é"), "\"时钟/é\"");
}

} // namespace
