// The system check on the catalogue the program ships with: a mixed design whose selections are
// checked against what each unit then delivers, a heat-recovery system with boxes and a header,
// and the charge of a pipe whose length the user entered.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MixedDesign.h"
#include "ProgramEnvironment.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/PipeSizing.h"
#include "design/PipingErrorList.h"
#include "design/PipingTree.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/QsProject.h"
#include "design/RefrigerantCharge.h"
#include "design/TabReadiness.h"
#include "physics/MoistAir.h"

namespace {

class ShippedSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(programtest::Connected());
    programtest::ResetProject();
    units = ShippedOutdoorUnits(programtest::Factory());
    project = std::make_unique<Cls_QsProject>(0, &programtest::Factory());
    project->InitDefaults();
    project->Insert();
    project->ChangeRefrigerant(
        CTDbObject::CachedObject(Cls_Refrigerant::kTableId, 1, &programtest::Factory()), units);
  }
  void TearDown() override { project.reset(); }

  Cls_QsIndPlacement* Unit(Cls_QsOutPlacement& system, Cls_QsDevicePlacement& parent,
                           const std::string& family, double cooling, double heating) {
    Cls_QsIndPlacement* unit = project->AddIndoorPlacement();
    unit->SetSeries("QRN");
    unit->SetFamily(family);
    unit->SetCoolCapReqTotal(cooling);
    unit->SetCoolCapReqSensible(0);
    unit->SetHeatCapReq(heating);
    unit->SetManualSelect(false);
    unit->SetRemoteTypeValue(Cls_QsIndPlacement::kNoWiredRemote);
    unit->Post();
    system.ConnectPlacement(unit, &parent, nullptr);
    return unit;
  }

  CTPreferences preferences;
  CTScopedPreferences scoped{preferences};
  LTOutdoorUnitList units;
  std::unique_ptr<Cls_QsProject> project;
};

std::string ModelOf(const Cls_QsDevicePlacement& p) {
  const CTDbObject* model = p.GetModel();
  return model ? model->Name() : "";
}

// In a system loaded at most 100 % every share is taken at the 100 % index, as the selection
// took it: each automatically chosen unit delivers what it must, and the next smaller model of
// its family would not have.
TEST_F(ShippedSelection, EveryChosenUnitDeliversItsLoads) {
  ASSERT_TRUE(BuildMixedDesign(*project, units, {8, 12}));
  project->RecalculateAll(units);
  int checked = 0;
  for (Cls_QsDevicePlacement* top : project->GetTopLevelPlacements()) {
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(top);
    ASSERT_NE(system, nullptr);
    SCOPED_TRACE(system->Name());
    auto* outdoor = dynamic_cast<Cls_OutdoorUnit*>(system->GetModel());
    ASSERT_NE(outdoor, nullptr);
    EXPECT_FALSE(system->HasError()) << system->GetErrorText();
    EXPECT_TRUE(IsSystemReady(*system, 1));
    const double at100 = outdoor->GetCapacityIndexAt(100);
    if (system->GetCapacityIndexSum(true) > at100) continue;
    for (Cls_QsIndPlacement* unit : system->GetIndoorUnits()) {
      SCOPED_TRACE(unit->Name());
      auto* model = dynamic_cast<Cls_IndoorUnit*>(unit->GetModel());
      ASSERT_NE(model, nullptr) << unit->GetErrorText();
      EXPECT_FALSE(unit->HasError()) << unit->GetErrorText();
      EXPECT_GE(unit->GetUnitCapacity(true, true, false), unit->GetCoolCapReqTotal() - 1e-9);
      EXPECT_GE(unit->GetUnitCapacity(true, false, false), unit->GetCoolCapReqSensible() - 1e-9);
      if (unit->GetHeatCapReq() > 0) {
        EXPECT_GE(unit->GetUnitCapacity(false, true, false), unit->GetHeatCapReq() - 1e-9);
      }
      // The next smaller model of the family fails one of the requirements.
      Cls_IndoorUnit* smaller = nullptr;
      for (Cls_IndoorUnit* other : outdoor->GetCompatibleIndoorUnits()) {
        if (other->Family() == model->Family() && other->Series() == model->Series() &&
            other->CapIndex() < model->CapIndex() &&
            (!smaller || other->CapIndex() > smaller->CapIndex())) {
          smaller = other;
        }
      }
      if (!smaller) continue;
      // The smaller model's share at the same outdoor capacity, and its coil's sensible part.
      const double share =
          unit->GetUnitCapacity(true, true, false) * smaller->CapIndex() / model->CapIndex();
      const TAir air;
      const double sensible =
          air.SensibleCapacity(smaller->HighBypass() * 100, smaller->HighFan(),
                               unit->GetCoolIndoorRH(), unit->GetCoolIndoorTemp(), share);
      const double heatingShare =
          unit->GetUnitCapacity(false, true, false) * smaller->CapIndex() / model->CapIndex();
      const bool fails = share < unit->GetCoolCapReqTotal() ||
                         sensible < unit->GetCoolCapReqSensible() ||
                         (unit->GetHeatCapReq() > 0 && heatingShare < unit->GetHeatCapReq());
      EXPECT_TRUE(fails) << smaller->Name();
      ++checked;
    }
  }
  EXPECT_GT(checked, 20);
}

TEST_F(ShippedSelection, AHeatRecoverySystemWithBoxesAndAHeader) {
  Cls_QsOutPlacement* system = project->AddOutdoorPlacement();
  system->SetSeries("QOR");
  system->SetFamily(0);
  system->SetSelCombination(100);
  system->SetPipingLength(40);
  system->SetDistBranchToIndoors(20);
  system->Post();
  Cls_QsBSBPlacement* box = project->AddBSBoxPlacement(*system, *system, nullptr);
  Cls_QsHeaderPlacement* header = project->AddHeaderPlacement(*system, *box, nullptr, 4);
  std::vector<Cls_QsIndPlacement*> heating;
  for (int i = 0; i < 3; ++i) heating.push_back(Unit(*system, *header, "CF", 4, 4.5));
  heating.push_back(Unit(*system, *box, "DM", 5, 5.5));
  Cls_QsIndPlacement* coolingOnly = Unit(*system, *system, "WL", 2, 0);
  project->RecalculateAll(units);

  EXPECT_EQ(ModelOf(*box).rfind("QBS-", 0), 0u) << ModelOf(*box);
  EXPECT_FALSE(box->HasError()) << box->GetErrorText();
  EXPECT_FALSE(system->HasError()) << system->GetErrorText();
  EXPECT_EQ(coolingOnly->GetErrorNumber(), 10049);
  EXPECT_EQ(coolingOnly->GetErrorLevel(), -1);
  for (Cls_QsIndPlacement* unit : heating) {
    EXPECT_FALSE(unit->HasError()) << unit->GetErrorText();
    EXPECT_TRUE(unit->CanHeatInSystem());
  }
  // The box carries what hangs below it.
  const auto* boxModel = dynamic_cast<const Cls_BSBox*>(box->GetModel());
  ASSERT_NE(boxModel, nullptr);
  EXPECT_GE(const_cast<Cls_BSBox*>(boxModel)->MaxCapIndex(), box->GetCapacityIndexSum(true));
  // The header found its catalogue header, and every pipe has its sizes; the main pipe has three
  // pipes, the pipes below the box two.
  EXPECT_NE(header->GetHeaderModel(), nullptr);
  EXPECT_FALSE(header->HasError()) << header->GetErrorText();
  for (Cls_QsPipingNode* node : system->GetPipingNodes()) {
    if (node->IsRoot()) continue;
    EXPECT_FALSE(GetPipeText(*node).empty()) << node->Name();
  }
  EXPECT_EQ(system->GetRootNode()->PipeSizes().pipeCount, 3);
  EXPECT_EQ(system->PipingTree().NodeOf(*heating[0])->PipeSizes().pipeCount, 2);
  EXPECT_EQ(ComputeTabImages(*project)[static_cast<int>(TQsTab::kReports)], kTabImageAvailable);
}

// What the manual piping check lists, as the piping tab shows it.
class LTRecordedErrors : public CTPipingErrorList {
 public:
  void Clear() override { lines.clear(); }
  void AddLine(const std::string& caption, int) override { lines.push_back(caption); }
  std::vector<std::string> lines;
};

TEST_F(ShippedSelection, TheChargeOfAPipeEnteredByHand) {
  // One unit directly below a heat pump: its pipe is the main pipe, sized by the unit's own
  // 9.5 mm liquid connection, and R410A adds 0.054 kg per metre of it.
  Cls_QsOutPlacement* system = project->AddOutdoorPlacement();
  system->SetSeries("QOH");
  system->SetFamily(1);
  system->Post();
  Cls_QsIndPlacement* unit = Unit(*system, *system, "CF", 0, 0);
  unit->SetManualSelect(true);
  unit->Post();
  unit->SetModel(CTDbObject::CachedObject(
      Cls_IndoorUnit::kTableId,
      [] {
        for (const auto& o :
             CTDbObject::AllObjects(Cls_IndoorUnit::kTableId, false, &programtest::Factory())) {
          if (o->Name() == "QCF-125") return o->RecordId();
        }
        return 0;
      }(),
      &programtest::Factory()));
  project->RecalculateAll(units);
  ASSERT_EQ(ModelOf(*unit), "QCF-125");
  ASSERT_EQ(ModelOf(*system), "QOH-08");
  Cls_QsPipingNode* node = system->PipingTree().NodeOf(*unit);
  ASSERT_NE(node, nullptr);
  node->SetBranchLength(12.5);
  node->Post();
  system->SetLocked(true);
  system->Post();

  LTRecordedErrors errors;
  system->CheckSystem(units, &errors);
  EXPECT_EQ(node->PipeSizes().liquid, 9.5);
  EXPECT_DOUBLE_EQ(GetAdditionalCharge(*system), 0.054 * 12.5);
  EXPECT_TRUE(errors.lines.empty());
  EXPECT_FALSE(system->HasError()) << system->GetErrorText();
  EXPECT_DOUBLE_EQ(unit->ActualLength(), 12.5);

  // Longer than the limit between a unit and its branch (40 m): the check lists it and marks
  // the system.
  node->SetBranchLength(45);
  node->Post();
  system->CheckSystem(units, &errors);
  ASSERT_EQ(errors.lines.size(), 1u);
  EXPECT_EQ(system->GetErrorNumber(), 10057);
  EXPECT_EQ(system->GetErrorLevel(), 2);
  EXPECT_EQ(ComputeTabImages(*project)[static_cast<int>(TQsTab::kPiping)], kTabImageAvailable);
  EXPECT_EQ(ComputeTabImages(*project)[static_cast<int>(TQsTab::kWiring)], kTabImageUnavailable);
}

}  // namespace
