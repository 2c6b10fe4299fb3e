#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "model/Markup.h"

namespace {

// Writes a project-like document of `count` elements the way the project writer does: pages of
// ten objects, each object with eight valued children, attributes set on entering.
void Build(CMarkup& m, int count) {
  m.SetDocument(nullptr);
  m.AddElement("VRX");
  m.AddChildElement("Screen");
  m.IntoElement();
  int made = 2;
  while (made < count) {
    m.AddChildElement("Frame");
    m.IntoElement();
    m.SetAttribute("seconds", 10);
    ++made;
    for (int object = 0; object < 10 && made < count; ++object) {
      m.AddChildElement("Label");
      m.IntoElement();
      m.SetAttribute("Name", "Label");
      ++made;
      for (int value = 0; value < 8 && made < count; ++value, ++made)
        m.AddChildElement("Value", value * 7);
      m.OutOfElement();
    }
    m.OutOfElement();
  }
}

void BuildDocument(benchmark::State& state) {
  for (auto _ : state) {
    CMarkup m;
    Build(m, static_cast<int>(state.range(0)));
    benchmark::DoNotOptimize(m);
  }
}

void IndexDocument(benchmark::State& state) {
  CMarkup m;
  Build(m, static_cast<int>(state.range(0)));
  const std::string text = m.GetDocument();
  for (auto _ : state) {
    CMarkup r;
    r.SetDocument(text);
    benchmark::DoNotOptimize(r.FindElement());
  }
}

BENCHMARK(BuildDocument)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);
BENCHMARK(IndexDocument)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bool linear = true;
  for (const char* name : {"BuildDocument", "IndexDocument"}) {
    const std::string base = std::string(name) + "/";
    if (!reporter.times.count(base + "10000")) continue;
    const double t10 = reporter.times[base + "10000"];
    const double r20 = reporter.times[base + "20000"] / t10;
    const double r40 = reporter.times[base + "40000"] / t10;
    std::printf("%s: 20k/10k = %.2f, 40k/10k = %.2f (linear: 2 and 4; must stay below 5)\n", name,
                r20, r40);
    linear = linear && r40 < 5.0;
  }
  benchmark::Shutdown();
  return linear ? 0 : 1;
}
