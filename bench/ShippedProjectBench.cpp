// Opening, saving and loading a large design on the shipped catalogue: 50 systems of 20 indoor
// units (1,000 units; the heat-recovery systems have two BS boxes with every third unit behind
// one), made through the project's Add operations and ConnectPlacement with catalogue models.
// Measured apart: reading the placement cache, the series lists and every system's piping tree
// from the store (each dropped first), the three together as opening does it, saving the project
// database to its file, and connecting a fresh project database that loads the file.
// Run: build/release/bench/shipped_project_bench. items_per_second counts placements (cache),
// outdoor units (series) or piping nodes (trees); bytes_per_second the project file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ShippedProgram.h"
#include "app/ProgramFactory.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipingTree.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/BuiltinMessages.h"
#include "i18n/HeadlessMessageUi.h"
#include "platform/SettingsStore.h"
#include "support/TestSupport.h"

namespace {

constexpr int kSystems = 50;
constexpr int kUnitsPerSystem = 20;

// The program's factory on the embedded catalogue with a project in memory, settings in a
// temporary folder and a headless message front end; the project file is saved beside them.
class LTShippedDesign {
 public:
  LTShippedDesign() : preferences_(preferenceValues_) {
    ready_ = program_.Factory().ConnectAll() && Build();
    program_.Factory().SetFileName(CTFactory::kProject, program_.Dir().File("project.qrn"));
  }
  ~LTShippedDesign() { project_.reset(); }

  bool Ready() const { return ready_; }
  CTFactory& Factory() { return program_.Factory(); }
  Cls_QsProject& Project() { return *project_; }
  const LTOutdoorUnitList& OutdoorUnits() const { return outdoorUnits_; }
  std::string FilePath() { return program_.Factory().Database(CTFactory::kProject).fileName; }

  // The systems of the project's placement cache, reading the cache when it was dropped.
  std::vector<Cls_QsOutPlacement*> Systems() {
    std::vector<Cls_QsOutPlacement*> systems;
    for (Cls_QsDevicePlacement* top : project_->GetTopLevelPlacements()) {
      if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(top)) systems.push_back(system);
    }
    return systems;
  }

  // Forgets the project object (its placements and trees) before its database goes, and opens
  // the project record of the database connected again.
  void CloseProject() { project_.reset(); }
  void OpenProject() {
    project_ = std::make_unique<Cls_QsProject>(projectId_, &program_.Factory());
    project_->BuildSeriesLists(outdoorUnits_);
  }

 private:
  bool Build() {
    for (const auto& object :
         CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &program_.Factory())) {
      auto* unit = dynamic_cast<Cls_OutdoorUnit*>(CTDbObject::CachedObject(
          Cls_OutdoorUnit::kTableId, object->RecordId(), &program_.Factory()));
      if (unit && !unit->IsDeleted()) outdoorUnits_.push_back(unit);
    }
    project_ = std::make_unique<Cls_QsProject>(0, &program_.Factory());
    project_->InitDefaults();
    project_->Insert();
    projectId_ = project_->RecordId();
    CTDbObject* refrigerant =
        CTDbObject::CachedObject(Cls_Refrigerant::kTableId, 1, &program_.Factory());
    if (!refrigerant) return false;
    project_->ChangeRefrigerant(refrigerant, outdoorUnits_);

    // Heat-recovery models with boxes and heat pumps with indoor models, of the refrigerant.
    std::vector<Cls_OutdoorUnit*> recovery;
    std::vector<Cls_OutdoorUnit*> pumps;
    for (Cls_OutdoorUnit* unit : outdoorUnits_) {
      if (unit->RefrigerantRef().recordId != refrigerant->RecordId()) continue;
      if (unit->GetCompatibleIndoorUnits().empty()) continue;
      if (unit->Family() == 0 && !unit->GetCompatibleBSBoxes().empty()) recovery.push_back(unit);
      if (unit->Family() == 1) pumps.push_back(unit);
    }
    if (recovery.empty() || pumps.empty()) return false;

    for (int s = 0; s < kSystems; ++s) {
      const bool withBoxes = s % 2 == 0;
      Cls_OutdoorUnit* model = withBoxes
                                   ? recovery[static_cast<std::size_t>(s / 2) % recovery.size()]
                                   : pumps[static_cast<std::size_t>(s / 2) % pumps.size()];
      Cls_QsOutPlacement* system = project_->AddOutdoorPlacement();
      system->SetFamily(model->Family());
      system->Post();
      system->SetModel(model);
      std::vector<Cls_QsDevicePlacement*> boxes;
      if (withBoxes) {
        for (int b = 0; b < 2; ++b) {
          Cls_QsBSBPlacement* box = project_->AddBSBoxPlacement(*system, *system, nullptr);
          box->SetModel(model->GetCompatibleBSBoxes().front());
          boxes.push_back(box);
        }
      }
      const std::vector<Cls_IndoorUnit*>& indoorModels = model->GetCompatibleIndoorUnits();
      for (int u = 0; u < kUnitsPerSystem; ++u) {
        Cls_QsIndPlacement* unit = project_->AddIndoorPlacement();
        unit->SetIuSeqNr(s * kUnitsPerSystem + u);
        unit->Post();
        unit->SetModel(indoorModels[static_cast<std::size_t>(u) % indoorModels.size()]);
        Cls_QsDevicePlacement* parent = boxes.empty() || u % 3 != 2 ? system : boxes[u % 2];
        system->ConnectPlacement(unit, parent, nullptr);
      }
    }
    return static_cast<int>(Systems().size()) == kSystems;
  }

  LTShippedProgram program_;
  CTPreferences preferenceValues_;
  CTScopedPreferences preferences_;
  LTOutdoorUnitList outdoorUnits_;
  std::unique_ptr<Cls_QsProject> project_;
  int projectId_ = 0;
  bool ready_ = false;
};

LTShippedDesign* g_design = nullptr;

std::size_t NodeCount(const std::vector<Cls_QsOutPlacement*>& systems) {
  std::size_t nodes = 0;
  for (Cls_QsOutPlacement* system : systems) nodes += system->PipingTree().Nodes().size();
  return nodes;
}

void BuildTrees(const std::vector<Cls_QsOutPlacement*>& systems) {
  for (Cls_QsOutPlacement* system : systems) {
    system->DropPipingTree();
    benchmark::DoNotOptimize(system->GetRootNode());
  }
}

void BM_PlacementCache(benchmark::State& state) {
  Cls_QsProject& project = g_design->Project();
  std::size_t placements = 0;
  for (auto _ : state) {
    project.DropPlacementCache();
    placements = project.GetPlacements().size();
  }
  state.counters["placements"] = static_cast<double>(placements);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(placements));
}

void BM_SeriesLists(benchmark::State& state) {
  Cls_QsProject& project = g_design->Project();
  const LTOutdoorUnitList& units = g_design->OutdoorUnits();
  for (auto _ : state) {
    project.BuildSeriesLists(units);
    benchmark::DoNotOptimize(project.GetSeriesNames().size());
  }
  state.counters["series"] = static_cast<double>(project.GetSeriesNames().size());
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(units.size()));
}

void BM_PipingTrees(benchmark::State& state) {
  const std::vector<Cls_QsOutPlacement*> systems = g_design->Systems();
  const std::size_t nodes = NodeCount(systems);
  for (auto _ : state) BuildTrees(systems);
  state.counters["nodes"] = static_cast<double>(nodes);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(nodes));
}

// The three as opening a project needs them.
void BM_AllCachesAndTrees(benchmark::State& state) {
  Cls_QsProject& project = g_design->Project();
  for (auto _ : state) {
    project.DropPlacementCache();
    project.BuildSeriesLists(g_design->OutdoorUnits());
    BuildTrees(g_design->Systems());
  }
}

void BM_SaveProject(benchmark::State& state) {
  CTFactory& factory = g_design->Factory();
  for (auto _ : state) {
    if (!factory.SaveDatabase(CTFactory::kProject, false)) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(
      state.iterations() * std::filesystem::file_size(g_design->FilePath())));
}

// Connecting a fresh project database that loads the saved file (disconnecting is not timed).
void BM_LoadProject(benchmark::State& state) {
  CTFactory& factory = g_design->Factory();
  if (!factory.SaveDatabase(CTFactory::kProject, false)) state.SkipWithError("save failed");
  g_design->CloseProject();
  factory.SetScratchProject(false);
  std::size_t placements = 0;
  for (auto _ : state) {
    state.PauseTiming();
    factory.DisconnectDatabase(CTFactory::kProject);
    state.ResumeTiming();
    factory.ConnectDatabase(CTFactory::kProject);
    if (!factory.Engine(CTFactory::kProject)->Connect("", "", false).IsOk()) {
      state.SkipWithError("load failed");
      break;
    }
    state.PauseTiming();
    placements = factory.Engine(CTFactory::kProject)->RecordCount(Cls_QsIndPlacement::kTableId);
    state.ResumeTiming();
  }
  g_design->OpenProject();
  if (placements != static_cast<std::size_t>(kSystems * kUnitsPerSystem) ||
      g_design->Systems().size() != static_cast<std::size_t>(kSystems)) {
    state.SkipWithError("the loaded project lacks indoor units");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(
      state.iterations() * std::filesystem::file_size(g_design->FilePath())));
}

}  // namespace

BENCHMARK(BM_PlacementCache)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SeriesLists)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PipingTrees)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AllCachesAndTrees)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadProject)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  LTShippedDesign design;
  if (!design.Ready()) {
    std::fprintf(stderr, "the design on the shipped catalogue could not be made\n");
    return 1;
  }
  g_design = &design;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  g_design = nullptr;
  return 0;
}
