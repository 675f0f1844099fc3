// Start-up of the application core to its first, empty project: the object store set up, the
// embedded catalogue expanded and connected, the glossary loaded and attached, the version
// check, the units, the preferences, the catalogue caches and the new project. Measured whole
// and in its parts: connecting the catalogue, loading the glossary, and making a new project. The
// whole includes closing the core again (disconnecting). Run: build/release/bench/startup_bench.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/ProgramGlossary.h"
#include "app/QRNSolvoMain.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/Glossary.h"
#include "i18n/HeadlessMessageUi.h"
#include "i18n/MessageUi.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

// Settings in a temporary folder and a headless message front end for the whole run.
struct LTBenchEnvironment {
  LTBenchEnvironment()
      : settings(dir.File("user.txt"), dir.File("machine.txt")),
        scopedSettings(settings),
        scopedUi(ui) {
    RegisterBuiltinMessages();
  }
  testsupport::TempDir dir;
  CTSettingsStore settings;
  CTScopedProcessSettings scopedSettings;
  CTHeadlessMessageUi ui;
  CTScopedMessageUi scopedUi;
};

void BM_StartUpToNewProject(benchmark::State& state) {
  for (auto _ : state) {
    CTQRNSolvoMainImpl core;
    if (core.StartUp({}) != TStartUpResult::kRunning) state.SkipWithError("start-up failed");
    benchmark::DoNotOptimize(core.HasProject());
  }
}

void BM_LoadGlossary(benchmark::State& state) {
  for (auto _ : state) {
    CTGlossary glossary;
    if (!LoadProgramGlossary(glossary)) state.SkipWithError("no glossary");
    benchmark::DoNotOptimize(glossary);
  }
}

void BM_NewProject(benchmark::State& state) {
  CTQRNSolvoMainImpl core;
  if (core.StartUp({}) != TStartUpResult::kRunning) state.SkipWithError("start-up failed");
  for (auto _ : state) core.LoadProject("", true);
}

}  // namespace

BENCHMARK(BM_StartUpToNewProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadGlossary)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NewProject)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  LTBenchEnvironment environment;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
