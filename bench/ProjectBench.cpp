#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>
#include <unistd.h>

#include "controls/Clock.h"
#include "controls/DoExe.h"
#include "controls/EffectBox.h"
#include "controls/Glasso.h"
#include "model/ZyntraDoc.h"
#include "support/FakeControls.h"
#include "support/RecordingPageList.h"
#include "support/ScriptedPrompts.h"

namespace {

constexpr int kPages = 10;
const ObjectKind kKinds[] = {ObjectKind::Picture, ObjectKind::Clock,  ObjectKind::Movie,
                             ObjectKind::Flash,   ObjectKind::Gif,    ObjectKind::Exe,
                             ObjectKind::Label,   ObjectKind::RtfText};

// A project of `objects` objects of all kinds spread over ten pages, with in-memory controls.
struct BenchProject {
  FakeControlFactory factory;
  ScriptedPrompts prompts;
  RecordingPageList pageList;
  CZyntraDoc doc{pageList, factory, prompts};
  std::string path;

  explicit BenchProject(int objects) {
    pageList.Attach(doc, prompts);
    doc.NewDocument();
    for (int page = 0; page < kPages; ++page) {
      if (page > 0) pageList.NewPage();
      for (int i = page; i < objects; i += kPages) {
        int32_t left = (i * 37) % 900;
        int32_t top = (i * 53) % 700;
        ShowNode* node = pageList.CreateObject(kKinds[i % 8], {left, top, left + 80, top + 60});
        node->inStyle = i % 20;
        node->delayTime = 5;
        if (auto* picture = node->ControlAs<C_EffectBox>()) {
          picture->AddItem("图片/" + std::to_string(i) + ".jpg", "无效果", 5, 3);
          picture->AddItem("图片/b.png", "水平放大", 10, 0);
        } else if (auto* label = node->ControlAs<C_Glasso>()) {
          label->SetCaption("欢迎光临 <" + std::to_string(i) + "> & 再见");
          label->SetFontName("黑体");
          label->SetFontSize(200000);
        } else if (auto* clock = node->ControlAs<C_Clock>()) {
          clock->SetTargetDate(38353.75);
          clock->SetPreText("距");
        } else if (auto* exe = node->ControlAs<C_DoExe>()) {
          exe->AddProgram("/usr/bin/xclock", "-digital");
        }
      }
    }
    char dir[] = "/tmp/zyntra-bench-XXXXXX";
    path = std::string(mkdtemp(dir)) + "/project.vrx";
    doc.SetPath(path);
  }
  ~BenchProject() { std::filesystem::remove_all(std::filesystem::path(path).parent_path()); }
};

// One save of the whole project and one open of the saved file (clearing the old tree,
// creating every control and setting its properties).
void SaveAndOpen(benchmark::State& state) {
  BenchProject project(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    if (!project.doc.SaveDocument() || !project.doc.OpenDocument(project.path)) {
      state.SkipWithError("save or open failed");
      break;
    }
  }
  state.counters["objects"] = static_cast<double>(project.factory.LiveCount());
}

BENCHMARK(SaveAndOpen)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double base = reporter.times["SaveAndOpen/1000"];
  if (base <= 0) return 0; // filtered out
  for (const char* n : {"1000", "2000", "4000"})
    std::printf("save + open, %s objects: %.1f ms\n", n,
                reporter.times[std::string("SaveAndOpen/") + n]);
  const double ratio = reporter.times["SaveAndOpen/4000"] / base;
  std::printf("ratio 4000/1000: %.2f (linear growth is 4; must stay below 5) %s\n", ratio,
              ratio < 5.0 ? "OK" : "TOO SLOW");
  benchmark::Shutdown();
  return ratio < 5.0 ? 0 : 1;
}
