// Start-up cost of the embedded catalogue: expanding the compressed resource and parsing it into
// the memory engine, as connecting the program's databases does, and the first use of the
// per-model views after connecting. Run: build/bench/catalogue_bench. bytes_per_second counts
// the compressed resource; models counts the outdoor models of the catalogue.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "ShippedProgram.h"
#include "app/ProgramFactory.h"
#include "catalogue/CapacityTables.h"
#include "catalogue/CompatTables.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
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
  LTShippedProgram program;
  CTFactory& factory = program.Factory();
  for (auto _ : state) {
    // The empty project connects along; it costs next to nothing.
    if (!factory.ConnectAll()) std::abort();
    state.PauseTiming();
    factory.DisconnectAll();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(
      static_cast<int64_t>(state.iterations() * CTResources::Find("DEVICE_DATABASE")->size()));
}
BENCHMARK(BM_ConnectCatalogue)->Unit(benchmark::kMillisecond);

// What the outdoor selection asks of every model on its first pass: the four kinds of curve
// families, the defrost table, the compatible indoor models, the diameter and joint rows.
void UseOutdoorViews(CTDbObjectList& units) {
  for (auto& object : units) {
    auto& unit = static_cast<Cls_OutdoorUnit&>(*object);
    for (int kind :
         {kCurveCoolingCapacity, kCurveCoolingPower, kCurveHeatingCapacity, kCurveHeatingPower})
      benchmark::DoNotOptimize(unit.GetCapacityFamilies(kind).size());
    benchmark::DoNotOptimize(unit.GetDefrostFactor(0.0));
    benchmark::DoNotOptimize(unit.GetCompatibleIndoorUnits().size());
    benchmark::DoNotOptimize(GetDiameterRows(unit).size());
    benchmark::DoNotOptimize(GetJointRows(unit).size());
  }
}

// Building the views of every outdoor model right after connecting (connecting is not timed).
void BM_BuildOutdoorViews(benchmark::State& state) {
  LTShippedProgram program;
  std::size_t models = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (!program.Factory().ConnectAll()) std::abort();
    CTDbObjectList units =
        CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &program.Factory());
    models = units.size();
    state.ResumeTiming();
    UseOutdoorViews(units);
    state.PauseTiming();
    units.clear();
    program.Factory().DisconnectAll();
    state.ResumeTiming();
  }
  state.counters["models"] = static_cast<double>(models);
}
BENCHMARK(BM_BuildOutdoorViews)->Unit(benchmark::kMillisecond);

// The same requests from fresh handles on every model once the views exist, as a later pass
// over the models (a new query's objects) makes them.
void BM_OutdoorViewsFromNewHandles(benchmark::State& state) {
  LTShippedProgram program;
  if (!program.Factory().ConnectAll()) std::abort();
  {
    CTDbObjectList warm =
        CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &program.Factory());
    UseOutdoorViews(warm);
  }
  std::size_t models = 0;
  for (auto _ : state) {
    CTDbObjectList units =
        CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &program.Factory());
    models = units.size();
    UseOutdoorViews(units);
  }
  state.counters["models"] = static_cast<double>(models);
}
BENCHMARK(BM_OutdoorViewsFromNewHandles)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
