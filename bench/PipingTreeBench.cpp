// The piping trees of a project of 50 systems with 20 indoor units each (1,000 units, a third
// of them behind BS boxes), made through ConnectPlacement on stored records; and one system of
// growing size, to show that building a tree is not quadratic.
// Run: build/release/bench/piping_bench. items_per_second counts piping nodes (building) or
// placements (connecting); bytes_per_second is the size of the project text (save, load).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "design/PipingTree.h"
#include "design/ProjectTestStore.h"  // tests/design
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "platform/MemoryStream.h"

namespace {

constexpr int kSystems = 50;
constexpr int kUnitsPerSystem = 20;

// A project built as the program builds it: each system with its root node, boxes and units
// connected through the system.
struct BenchProject {
  ProjectTestStore store;
  std::unique_ptr<Cls_QsProject> project;
  std::vector<std::unique_ptr<Cls_QsDevicePlacement>> placements;
  std::vector<Cls_QsOutPlacement*> systems;

  BenchProject() {
    project = std::make_unique<Cls_QsProject>(0, &store.factory);
    project->Insert();
  }

  template <class T>
  T& Add(const std::string& name) {
    auto placement = std::make_unique<T>(0, &store.factory);
    placement->SetName(name);
    placement->SetProject(project.get());
    placement->Insert();
    T& result = *placement;
    placements.push_back(std::move(placement));
    return result;
  }

  Cls_QsOutPlacement& AddSystem(const std::string& name) {
    auto& system = Add<Cls_QsOutPlacement>(name);
    Cls_QsDevicePipingNode root(0, &store.factory);
    root.SetSystem(&system);
    root.SetPlacement(&system);
    root.Insert();
    systems.push_back(&system);
    return system;
  }

  // A system with `units` indoor units: every third unit hangs below one of two BS boxes.
  void AddFilledSystem(const std::string& name, int units) {
    Cls_QsOutPlacement& system = AddSystem(name);
    Cls_QsDevicePlacement* boxes[2] = {&Add<Cls_QsBSBPlacement>(name + " B1"),
                                       &Add<Cls_QsBSBPlacement>(name + " B2")};
    system.ConnectPlacement(boxes[0], &system, nullptr);
    for (int u = 0; u < units; ++u) {
      auto& unit = Add<Cls_QsIndPlacement>(name + " U" + std::to_string(u));
      Cls_QsDevicePlacement* parent = u % 3 == 2 ? boxes[u % 2] : &system;
      if (u == units / 2) system.ConnectPlacement(boxes[1], &system, nullptr);
      system.ConnectPlacement(&unit, parent, nullptr);
    }
  }

  std::size_t NodeCount() {
    std::size_t nodes = 0;
    for (Cls_QsOutPlacement* system : systems) nodes += system->PipingTree().Nodes().size();
    return nodes;
  }
};

BenchProject& Project() {
  static BenchProject* project = [] {
    auto* p = new BenchProject();
    for (int s = 0; s < kSystems; ++s)
      p->AddFilledSystem("Out " + std::to_string(s + 1), kUnitsPerSystem);
    return p;
  }();
  return *project;
}

const std::string& ProjectText() {
  static const std::string text = Project().store.SaveText();
  return text;
}

// Making the 50 systems: 1,000 units and 100 boxes connected one by one.
void BM_ConnectProject(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto project = std::make_unique<BenchProject>();
    state.ResumeTiming();
    for (int s = 0; s < kSystems; ++s) {
      project->AddFilledSystem("Out " + std::to_string(s + 1), kUnitsPerSystem);
    }
    state.PauseTiming();
    project.reset();
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * kSystems * (kUnitsPerSystem + 3));
}

// Every system's tree built again from the stored nodes.
void BM_BuildAllTrees(benchmark::State& state) {
  BenchProject& project = Project();
  const std::size_t nodes = project.NodeCount();
  for (auto _ : state) {
    for (Cls_QsOutPlacement* system : project.systems) {
      system->DropPipingTree();
      benchmark::DoNotOptimize(system->GetRootNode());
    }
  }
  state.counters["nodes"] = static_cast<double>(nodes);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(nodes));
}

void BM_SaveProject(benchmark::State& state) {
  BenchProject& project = Project();
  std::size_t bytes = 0;
  for (auto _ : state) {
    CTMemoryStream out;
    project.store.Project().SaveToStream(out);
    bytes = out.Bytes().size();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void BM_LoadProject(benchmark::State& state) {
  const std::string& text = ProjectText();
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<ProjectTestStore>();
    state.ResumeTiming();
    if (!store->LoadText(text)) state.SkipWithError("load failed");
    state.PauseTiming();
    store.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// One system of n units: building its tree, and resetting its layout.
void BM_BuildOneTree(benchmark::State& state) {
  BenchProject project;
  project.AddFilledSystem("Big", static_cast<int>(state.range(0)));
  Cls_QsOutPlacement& system = *project.systems.front();
  const std::size_t nodes = project.NodeCount();
  for (auto _ : state) {
    system.DropPipingTree();
    benchmark::DoNotOptimize(system.GetRootNode());
  }
  state.SetComplexityN(static_cast<std::int64_t>(nodes));
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(nodes));
}

void BM_ResetOneTree(benchmark::State& state) {
  BenchProject project;
  project.AddFilledSystem("Big", static_cast<int>(state.range(0)));
  Cls_QsOutPlacement& system = *project.systems.front();
  for (auto _ : state) system.ResetPipingLayout();
  state.SetComplexityN(state.range(0));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

}  // namespace

BENCHMARK(BM_ConnectProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildAllTrees)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildOneTree)
    ->RangeMultiplier(4)
    ->Range(25, 1600)
    ->Complexity()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ResetOneTree)
    ->RangeMultiplier(4)
    ->Range(25, 400)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
