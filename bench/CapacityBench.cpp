// Capacity-model and moist-air evaluations: what the outdoor selection repeats for every
// candidate model. Run: build/bench/capacity_bench. items_per_second counts evaluations;
// allocs_per_call counts heap allocations per evaluation once the model's families are built
// (it must stay 0).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "catalogue/CatalogueTestStore.h"  // tests/catalogue
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "physics/MoistAir.h"
#include "support/TestSupport.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

// Every allocation of the process is counted. GCC takes the replaced operators for a mismatch of
// malloc and delete where they are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

// The capacity fixture of the catalogue tests: a model with cooling families at 50, 100 and
// 130 % (interpolated between by index), heating and power-input families and defrost rows.
Cls_OutdoorUnit& Model() {
  static CTCatalogueTestStore* store = [] {
    auto* s = new CTCatalogueTestStore();
    if (!s->LoadFixture("capacity")) std::abort();
    return s;
  }();
  auto* unit = dynamic_cast<Cls_OutdoorUnit*>(CTDbObject::CachedObject(119, 1, &store->factory));
  if (!unit) std::abort();
  return *unit;
}

// Conditions spread over the envelope, so that branches and interpolations vary.
struct LTConditions {
  double db, rh, outdoor, index;
};
constexpr LTConditions kCooling[] = {
    {27, 47, 35, 150}, {24, 50, 30, 200}, {26, 55, 38, 230}, {22, 45, 25, 120}, {28, 60, 33, 180},
};
constexpr LTConditions kHeating[] = {
    {20, 50, 0, 200}, {21, 50, -5, 200}, {22, 50, 7, 200}, {18, 50, -12, 200}, {20, 50, 5, 200},
};

void BM_WetBulb(benchmark::State& state) {
  const TAir air;
  std::size_t i = 0;
  for (auto _ : state) {
    const LTConditions& c = kCooling[i++ % 5];
    benchmark::DoNotOptimize(air.WetBulbTemperature(c.db, c.rh));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_WetBulb);

template <bool kCool>
void BM_CapacityAtConditions(benchmark::State& state) {
  Cls_OutdoorUnit& unit = Model();
  const TAir air;
  int status = 0;
  unit.GetCapacityAt(kCool, 20, 50, 0, 0, 200, air, status);  // builds the families
  unit.GetDefrostFactor(0);
  const long long before = allocations.load();
  std::size_t i = 0;
  for (auto _ : state) {
    const LTConditions& c = kCool ? kCooling[i++ % 5] : kHeating[i++ % 5];
    benchmark::DoNotOptimize(
        unit.GetCapacityAt(kCool, c.db, c.rh, c.outdoor, 0, c.index, air, status));
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["allocs_per_call"] =
      static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_CapacityAtConditions<true>)->Name("BM_CoolingCapacityAtConditions");
BENCHMARK(BM_CapacityAtConditions<false>)->Name("BM_HeatingCapacityAtConditions");

void BM_CoolingValueOfKind(benchmark::State& state) {
  const auto& families = Model().GetCapacityFamilies(kCurveCoolingCapacity);
  std::size_t i = 0;
  int status = 0;
  for (auto _ : state) {
    const LTConditions& c = kCooling[i++ % 5];
    benchmark::DoNotOptimize(ValueOfKind(families, c.db - 8, c.outdoor, c.index, status));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CoolingValueOfKind);

}  // namespace

BENCHMARK_MAIN();
