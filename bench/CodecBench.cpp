// GB18030 at the file boundary: milliseconds per megabyte to read and to write a project's text
// (ASCII markup with Chinese names and captions), against a plain copy of the same bytes.
// Target: 1 ms/MB or better each way.

#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/TextCodec.h"

namespace {

// About 3 MB of UTF-8 text shaped like a saved project.
const std::string& ProjectText() {
  static const std::string text = [] {
    std::string t = "<?xml version=\"1.0\" encoding=\"GB2312\" standalone=\"yes\"?>\r\n<VRX>\r\n";
    for (int i = 0; t.size() < 3'000'000; ++i) {
      t += "<Label Name=\"Text" + std::to_string(i) + "\" Type=\"131\">\r\n";
      t += "<Caption>欢迎光临　同步屏演示 第" + std::to_string(i) + "条 € ～</Caption>\r\n";
      t += "<Color>65535</Color>\r\n<BgColor>4202496</BgColor>\r\n<Font>\r\n<Name>黑体</Name>\r\n"
           "<Size>300000</Size>\r\n</Font>\r\n<X>20</X>\r\n<Y>12</Y>\r\n<W>600</W>\r\n<H>60</H>\r\n"
           "</Label>\r\n";
    }
    return t + "</VRX>\r\n";
  }();
  return text;
}

double Megabytes(const std::string& s) { return s.size() / 1e6; }

void Copy(benchmark::State& state) {
  const std::string& text = ProjectText();
  for (auto _ : state) {
    std::string copy(text.size(), '\0');
    std::memcpy(copy.data(), text.data(), text.size());
    benchmark::DoNotOptimize(copy);
  }
}

void Encode(benchmark::State& state) {
  const std::string& text = ProjectText();
  for (auto _ : state)
    benchmark::DoNotOptimize(Utf8ToGb18030(text));
}

void Decode(benchmark::State& state) {
  const std::string bytes = Utf8ToGb18030(ProjectText());
  for (auto _ : state)
    benchmark::DoNotOptimize(DecodeFileText(bytes));
}

BENCHMARK(Copy)->Unit(benchmark::kMillisecond);
BENCHMARK(Encode)->Unit(benchmark::kMillisecond);
BENCHMARK(Decode)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  auto& t = reporter.times;
  if (!t.count("Copy") || !t.count("Encode") || !t.count("Decode")) return 0; // filtered
  const double mb = Megabytes(ProjectText());
  bool ok = true;
  for (const char* name : {"Encode", "Decode"}) {
    const double perMb = t[name] / mb;
    std::printf("%s: %.2f ms/MB (target 1.0), %.1f times a plain copy %s\n", name, perMb,
                t[name] / t["Copy"], perMb <= 1.0 ? "ok" : "MISSED");
    ok = ok && perMb <= 1.0;
  }
  return ok ? 0 : 1;
}
