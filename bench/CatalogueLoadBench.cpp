// Start-up cost of the embedded catalogue: expanding the compressed resource and parsing it into
// the memory engine, as connecting the program's databases does. Run: build/bench/catalogue_bench.
// bytes_per_second counts the compressed resource.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "app/ProgramFactory.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "platform/CompressedWrapper.h"
#include "platform/MemoryStream.h"
#include "platform/Resources.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

void BM_ExpandCatalogue(benchmark::State& state) {
  const auto bytes = CTResources::Find("DEVICE_DATABASE");
  if (!bytes) std::abort();
  char block[65536];
  std::size_t plain = 0;
  for (auto _ : state) {
    CTMemoryStream source(*bytes);
    CTCompressedTextReader reader;
    if (!reader.Open(source, kCompressedMagic)) std::abort();
    plain = 0;
    for (std::size_t n; (n = reader.Text().Read(block, sizeof block)) > 0;) plain += n;
    benchmark::DoNotOptimize(plain);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes->size()));
  state.counters["plain_bytes"] = static_cast<double>(plain);
}
BENCHMARK(BM_ExpandCatalogue)->Unit(benchmark::kMillisecond);

void BM_ConnectCatalogue(benchmark::State& state) {
  testsupport::TempDir dir;
  CTSettingsStore settings(dir.File("user.txt"), dir.File("machine.txt"));
  CTSettingsStore::SetProcess(&settings);
  RegisterBuiltinMessages();
  CTHeadlessMessageUi ui;
  CTScopedMessageUi scoped(ui);
  RegisterProgramEngines();
  CTFactory factory;
  CTScopedDefaultFactory defaultFactory(factory);
  factory.SetReadOnly(CTFactory::kCatalogue, true);
  factory.SetScratchProject(true);
  for (auto _ : state) {
    // The empty project connects along; it costs next to nothing.
    if (!factory.ConnectAll()) std::abort();
    state.PauseTiming();
    factory.DisconnectAll();
    state.ResumeTiming();
  }
  CTSettingsStore::SetProcess(nullptr);
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * CTResources::Find("DEVICE_DATABASE")->size()));
}
BENCHMARK(BM_ConnectCatalogue)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
