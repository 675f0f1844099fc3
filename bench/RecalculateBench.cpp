// The recalculation of a whole project, which runs on every refresh of the design: 50 systems
// of 20 indoor units (1,000 units) entered by series, family and load on the shipped catalogue,
// heat recovery with BS boxes and heat pumps, every fifth system above 100 % (tests/app/
// MixedDesign). The counters say how the design came out: systems with a model, systems and
// units with an error.
// Run: build/release/bench/recalculate_bench. items_per_second counts indoor units.
#include <benchmark/benchmark.h>

#include <memory>

#include "ShippedProgram.h"
#include "app/MixedDesign.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"

namespace {

class LTRecalculatedDesign {
 public:
  LTRecalculatedDesign() : preferences_(preferenceValues_) {
    if (!program_.Factory().ConnectAll()) return;
    units_ = ShippedOutdoorUnits(program_.Factory());
    project_ = std::make_unique<Cls_QsProject>(0, &program_.Factory());
    project_->InitDefaults();
    project_->Insert();
    ready_ = BuildMixedDesign(*project_, units_);
  }
  ~LTRecalculatedDesign() { project_.reset(); }

  bool Ready() const { return ready_; }
  Cls_QsProject& Project() { return *project_; }
  const LTOutdoorUnitList& OutdoorUnits() const { return units_; }

 private:
  LTShippedProgram program_;
  CTPreferences preferenceValues_;
  CTScopedPreferences preferences_;
  LTOutdoorUnitList units_;
  std::unique_ptr<Cls_QsProject> project_;
  bool ready_ = false;
};

LTRecalculatedDesign* g_recalculated = nullptr;

void BM_RecalculateAll(benchmark::State& state) {
  Cls_QsProject& project = g_recalculated->Project();
  for (auto _ : state) project.RecalculateAll(g_recalculated->OutdoorUnits());
  int withModel = 0;
  int systemErrors = 0;
  int unitErrors = 0;
  int units = 0;
  for (Cls_QsDevicePlacement* top : project.GetTopLevelPlacements()) {
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(top);
    if (!system) continue;
    if (system->GetModel()) ++withModel;
    if (system->HasError()) ++systemErrors;
    for (Cls_QsIndPlacement* unit : system->GetIndoorUnits()) {
      ++units;
      if (unit->HasError()) ++unitErrors;
    }
  }
  state.counters["systems_with_model"] = withModel;
  state.counters["system_errors"] = systemErrors;
  state.counters["unit_errors"] = unitErrors;
  state.SetItemsProcessed(state.iterations() * units);
}
BENCHMARK(BM_RecalculateAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  LTRecalculatedDesign design;
  if (!design.Ready()) return 1;
  g_recalculated = &design;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
