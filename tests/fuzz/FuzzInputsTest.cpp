// Every fuzz harness over its seed corpus (fuzz/corpus/<target>/) and over the inputs that once
// made a reader fail (tests/<folder>/fuzz/<target>/, kept beside the tests of the code that had
// the fault). A harness aborts on a failed check; in the sanitizer build a crash, overflow or
// leak fails the test too.

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "Harnesses.h"
#include "base/AtomicFile.h"

namespace fs = std::filesystem;

// A harness shows as its name in test output.
void PrintTo(const FuzzHarness& harness, std::ostream* out) { *out << harness.name; }

namespace {

std::vector<fs::path> Inputs(const std::string& target) {
  std::vector<fs::path> folders = {fs::path(ZYNTRA_FUZZ_DIR) / "corpus" / target};
  for (const auto& entry : fs::directory_iterator(ZYNTRA_TEST_DATA))
    if (entry.is_directory()) folders.push_back(entry.path() / "fuzz" / target);
  std::vector<fs::path> files;
  for (const fs::path& folder : folders) {
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.is_regular_file()) files.push_back(entry.path());
  }
  return files;
}

class FuzzInputs : public testing::TestWithParam<FuzzHarness> {};

TEST_P(FuzzInputs, EveryStoredInputPasses) {
  const std::vector<fs::path> inputs = Inputs(GetParam().name);
  EXPECT_GE(inputs.size(), 3u) << "each target has a seed corpus";
  for (const fs::path& path : inputs) {
    SCOPED_TRACE(path.string());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path.string(), bytes));
    EXPECT_EQ(GetParam().run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Harnesses, FuzzInputs, testing::ValuesIn(kFuzzHarnesses),
                         [](const testing::TestParamInfo<FuzzHarness>& info) {
                           return std::string(info.param.name);
                         });

} // namespace
