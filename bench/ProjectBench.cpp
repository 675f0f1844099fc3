// Opening a large project: reading the placement cache of 10,000 placements from the store (the
// records are already loaded) and listing the indoor units. Run: build/bench/project_bench.
// The argument is the number of units per system; 9,999 puts every unit below one system, stored
// in the reverse of their order, which the children's sort must put right.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "design/ProjectTestStore.h"  // tests/design
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"

namespace {

constexpr int kPlacements = 10000;

void BM_OpenPlacementCache(benchmark::State& state) {
  const int perSystem = static_cast<int>(state.range(0));
  ProjectTestStore store;
  Cls_QsProject project(0, &store.factory);
  project.Insert();
  int count = 0;
  while (count < kPlacements) {
    Cls_QsOutPlacement system(0, &store.factory);
    system.SetProject(&project);
    system.SetName("S" + std::to_string(count));
    system.Insert();
    ++count;
    for (int u = 0; u < perSystem && count < kPlacements; ++u, ++count) {
      Cls_QsIndPlacement unit(0, &store.factory);
      unit.SetProject(&project);
      unit.SetParent(&system);
      unit.SetSeqNr(perSystem - u);
      unit.SetIuSeqNr(kPlacements - count);
      unit.Insert();
    }
  }
  for (auto _ : state) {
    Cls_QsProject opened(project.RecordId(), &store.factory);
    if (opened.GetPlacements().size() != kPlacements) std::abort();
    benchmark::DoNotOptimize(opened.GetIndoorPlacements().size());
  }
  state.SetItemsProcessed(state.iterations() * kPlacements);
}
BENCHMARK(BM_OpenPlacementCache)->Arg(99)->Arg(9999)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
