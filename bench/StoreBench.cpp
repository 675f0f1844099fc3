// Load, save and queries of the memory engine on a database of 200,000 records.
// Run: build/bench/store_bench. bytes_per_second is the size of the text written or read;
// items_per_second counts records (load, save) or look-ups.
#include <benchmark/benchmark.h>

#include <random>

#include "objectstore/StoreLock.h"
#include "objectstore/TestStore.h"  // tests/objectstore
#include "platform/MemoryStream.h"

using namespace teststore;

namespace {

constexpr int kRecords = 200000;
constexpr int kFamilies = 1000;

// 1,000 families and 200,000 indoor units spread over them.
TestStore& BigStore() {
  static TestStore* store = [] {
    auto* s = new TestStore();
    std::vector<std::unique_ptr<CTDbObject>> families;
    for (int f = 0; f < kFamilies; ++f)
      families.push_back(s->Add(kFamily, "Family " + std::to_string(f)));
    for (int i = 0; i < kRecords; ++i) {
      auto unit = s->factory.CreateObject(kIndoor, 0);
      unit->SetName("QRN-" + std::to_string(i) + " room " + std::to_string(i % 97));
      unit->SetDouble(kDevPower, 2.2 + (i % 50) * 0.1);
      unit->SetString(kDevNotes, i % 3 ? "ceiling cassette, 4-way" : "");
      unit->SetBool(kIndCooling, i % 2);
      unit->SetReference(kDevFamily, families[static_cast<std::size_t>(i % kFamilies)].get());
      unit->Insert();
    }
    return s;
  }();
  return *store;
}

const std::string& BigText() {
  static const std::string text = BigStore().SaveText();
  return text;
}

void BM_Save(benchmark::State& state) {
  TestStore& store = BigStore();
  std::size_t bytes = 0;
  for (auto _ : state) {
    CTMemoryStream out;
    store.Project().SaveToStream(out);
    bytes = out.Bytes().size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
  state.SetItemsProcessed(state.iterations() * (kRecords + kFamilies));
}

void BM_Load(benchmark::State& state) {
  const std::string& text = BigText();
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<TestStore>();
    state.ResumeTiming();
    CTMemoryStream in(text);
    if (!store->Project().LoadFromStream(in)) state.SkipWithError("load failed");
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
  state.SetItemsProcessed(state.iterations() * (kRecords + kFamilies));
}

void BM_LookupById(benchmark::State& state) {
  TestStore& store = BigStore();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> id(1, kRecords);
  for (auto _ : state) benchmark::DoNotOptimize(store.Project().FindRecord(kIndoor, id(random)));
  state.SetItemsProcessed(state.iterations());
}

void BM_ObjectById(benchmark::State& state) {
  TestStore& store = BigStore();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> id(1, kRecords);
  for (auto _ : state) {
    auto unit = store.factory.CreateObject(kIndoor, id(random));
    benchmark::DoNotOptimize(unit->GetString(kDevNotes));
  }
  state.SetItemsProcessed(state.iterations());
}

// The 200 units of one family, out of 200,000.
void BM_RelatedRecords(benchmark::State& state) {
  TestStore& store = BigStore();
  std::mt19937 random(7);
  std::uniform_int_distribution<int> id(1, kFamilies);
  std::size_t found = 0;
  for (auto _ : state) {
    auto family = store.factory.CreateObject(kFamily, id(random));
    found = family->RelatedObjects(kIndoor, kDevFamily).size();
  }
  state.counters["related"] = static_cast<double>(found);
  state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LookupById);
BENCHMARK(BM_ObjectById);
BENCHMARK(BM_RelatedRecords)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
