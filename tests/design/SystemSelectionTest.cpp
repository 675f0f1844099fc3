// The system check on the selection fixture, whose capacities are the same at every condition
// and load: an outdoor model of index I delivers C kW (A: 100/10, B: 200/20, C: 300/30), and an
// indoor model of index i gets i x C / E of the estimated total E, so every choice below can be
// worked out on paper.

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "DesignStore.h"
#include "PipingTestSystem.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/PipingLengths.h"
#include "design/PipingTree.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "design/TabReadiness.h"
#include "physics/MoistAir.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

// The requirements of one unit (kW) and the model chosen by hand, if any.
struct LTUnitInput {
  LTUnitInput(double total = 0, double sensible = 0, double heating = 0, std::string manual = "",
              std::string family = "FC")
      : total(total), sensible(sensible), heating(heating), manual(manual), family(family) {}
  double total;
  double sensible;
  double heating;
  std::string manual;
  std::string family;
};

class SystemSelection : public ::testing::Test {
 protected:
  Cls_QsOutPlacement* System(const std::string& series = "QST", int family = 1) {
    Cls_QsOutPlacement* system = d.project->AddOutdoorPlacement();
    system->SetSeries(series);
    system->SetFamily(family);
    system->SetSelCombination(100);
    system->SetAllowHighCombPerc(false);
    system->SetPipingLength(5);
    system->SetDistBranchToIndoors(0);
    system->SetPipingHeightDiff(0);
    system->Post();
    return system;
  }

  Cls_QsIndPlacement* Unit(Cls_QsOutPlacement* system, const LTUnitInput& input,
                           Cls_QsDevicePlacement* parent = nullptr) {
    Cls_QsIndPlacement* unit = d.project->AddIndoorPlacement();
    Configure(*unit, input);
    if (system) system->ConnectPlacement(unit, parent ? parent : system, nullptr);
    return unit;
  }

  void Configure(Cls_QsIndPlacement& unit, const LTUnitInput& input) {
    unit.SetSeries("QSI");
    unit.SetFamily(input.family);
    unit.SetCoolIndoorTemp(24);
    unit.SetCoolIndoorRH(50);
    unit.SetHeatIndoorTemp(20);
    unit.SetHeatIndoorRH(50);
    unit.SetCoolCapReqTotal(input.total);
    unit.SetCoolCapReqSensible(input.sensible);
    unit.SetHeatCapReq(input.heating);
    unit.SetManualSelect(!input.manual.empty());
    unit.SetRemoteTypeValue(Cls_QsIndPlacement::kNoWiredRemote);
    unit.Post();
    if (!input.manual.empty()) unit.SetModel(d.Catalogue<Cls_IndoorUnit>(input.manual));
  }

  std::vector<Cls_QsIndPlacement*> Units(Cls_QsOutPlacement* system,
                                         const std::vector<LTUnitInput>& inputs) {
    std::vector<Cls_QsIndPlacement*> units;
    for (const LTUnitInput& input : inputs) units.push_back(Unit(system, input));
    return units;
  }

  void Check(Cls_QsOutPlacement* system) { system->CheckSystem(d.OutdoorUnits()); }

  static std::string FullName(const CTDbObject& object) {
    std::string text;
    object.GetFullName(text);
    return text;
  }

  static std::string ModelOf(const Cls_QsDevicePlacement* p) {
    const CTDbObject* model = p->GetModel();
    return model ? model->Name() : "";
  }

  static std::string ModelsOf(const std::vector<Cls_QsIndPlacement*>& units) {
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) text += (i ? " " : "") + ModelOf(units[i]);
    return text;
  }

  DesignStore d{"selection"};
};

// -- Choosing the outdoor and indoor models
// ---------------------------------------------------------

TEST_F(SystemSelection, ASystemBelowFullLoadIsEvaluatedAsIfFullyLoaded) {
  Cls_QsOutPlacement* system = System();
  // 2 kW each: FC-20 gets 20 x 10 / 100 = 2.0 kW on A, which meets 2 kW exactly.
  const auto units = Units(system, {{2}, {2}, {2}});
  Check(system);
  EXPECT_EQ(ModelOf(system), "QST-A");
  EXPECT_EQ(ModelsOf(units), "FC-20 FC-20 FC-20");
  EXPECT_FALSE(system->HasError()) << system->GetErrorText();
  int charset = 0;
  std::string text;
  system->GetDisplayText(charset, text);
  EXPECT_TRUE(text.ends_with(" - 60%")) << text;
  // Each share is taken at the 100 % index, so the three add up to 6 of the 10 kW.
  double sum = 0;
  for (Cls_QsIndPlacement* unit : units) {
    EXPECT_FALSE(unit->HasError()) << unit->GetErrorText();
    EXPECT_DOUBLE_EQ(unit->GetUnitCapacity(true, true, false), 2.0);
    sum += unit->GetUnitCapacity(true, true, false);
  }
  EXPECT_DOUBLE_EQ(sum, 6.0);
  EXPECT_DOUBLE_EQ(units[0]->GetUnitCapacity(false, true, false), 20 * 12.0 / 100);
}

TEST_F(SystemSelection, ASystemAboveFullLoadIsEvaluatedAtItsRealLoad) {
  Cls_QsOutPlacement* system = System();
  system->SetSelCombination(130);
  system->Post();
  // 125 index on A (100 at 100 %, 130 at 130 %): the second pass shares 10 kW by 125.
  const auto units = Units(system, {{0, 0, 0, "FC-60"}, {0, 0, 0, "FC-40"}, {0, 0, 0, "FC-25"}});
  Check(system);
  EXPECT_EQ(ModelOf(system), "QST-A");
  int charset = 0;
  std::string text;
  system->GetDisplayText(charset, text);
  EXPECT_TRUE(text.ends_with(" - 125%")) << text;
  EXPECT_DOUBLE_EQ(units[0]->GetUnitCapacity(true, true, false), 60 * 10.0 / 125);
  // At 100 % the share is taken at the 100 % index.
  EXPECT_DOUBLE_EQ(units[0]->GetUnitCapacity(true, true, true), 60 * 10.0 / 100);
  double sum = 0;
  for (Cls_QsIndPlacement* unit : units) sum += unit->GetUnitCapacity(true, true, false);
  EXPECT_DOUBLE_EQ(sum, 10.0);
}

TEST_F(SystemSelection, AModelThatNoLongerCarriesItsRealLoadGivesWayToTheNext) {
  Cls_QsOutPlacement* system = System();
  system->SetSelCombination(130);
  system->Post();
  // On A the first pass gives FC-40 (4.0) and FC-80 (8.0): 120, within 130 but above the
  // estimate; at 120 FC-80 gives 6.67 kW < 7, so A fails in the strict run. B carries both at
  // its 100 % estimate.
  const auto units = Units(system, {{4}, {7}});
  Check(system);
  EXPECT_EQ(ModelOf(system), "QST-B");
  EXPECT_EQ(ModelsOf(units), "FC-40 FC-80");
  EXPECT_FALSE(system->HasError()) << system->GetErrorText();
}

TEST_F(SystemSelection, TheHighRatioLimit) {
  // Two units chosen by hand, 120 index: above A's 100 % index.
  struct LTCase {
    const char* name;
    bool allowHigh;
    double highLimit;
    const char* model;
    int error;
  };
  const LTCase cases[] = {
      // Without high ratios A's limit is its 100 % index.
      {"not allowed", false, 130, "QST-B", 0},
      // Allowed to 130 % and every connected series goes to 130 %: L = 100 x 130 / 100; A's
      // OUT_MaxConnRatio of 100 % is passed, so the comfort warning shows.
      {"allowed to 130", true, 130, "QST-A", 10118},
      // The system's own limit of 115 % is below the load.
      {"allowed to 115", true, 115, "QST-B", 0},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.name);
    Cls_QsOutPlacement* system = System();
    system->SetAllowHighCombPerc(c.allowHigh);
    system->SetHighCombinationLimit(c.highLimit);
    system->Post();
    Units(system, {{0, 0, 0, "FC-60"}, {0, 0, 0, "FC-60"}});
    Check(system);
    EXPECT_EQ(ModelOf(system), c.model);
    EXPECT_EQ(system->GetErrorNumber(), c.error) << system->GetErrorText();
    if (c.error == 10118) {
      EXPECT_EQ(system->GetErrorLevel(), -1);
      EXPECT_EQ(system->GetErrorText(),
                Ansi("Обратите внимание на уровень комфорта в режиме обогрева при выборе свыше "
                     "100%"));
    }
  }
}

TEST_F(SystemSelection, ModelsLimitedToARatioAreOfferedOnlyUpToIt) {
  // HX-50 may be selected in systems of at most 130 %.
  for (const double target : {120.0, 150.0}) {
    SCOPED_TRACE(target);
    Cls_QsOutPlacement* system = System();
    system->SetSelCombination(target);
    system->Post();
    Cls_QsIndPlacement* unit = Unit(system, {0, 0, 0, "", "HX"});
    Check(system);
    if (target == 120) {
      EXPECT_EQ(ModelOf(unit), "HX-50");
    } else {
      EXPECT_EQ(ModelOf(unit), "");
      EXPECT_EQ(unit->GetErrorNumber(), 10068);
      EXPECT_EQ(unit->GetErrorText(),
                Ansi("Нет внутренних блоков серии / семейства QSI/HX, которые можно соединить с "
                     "QST-A"));
    }
  }
}

TEST_F(SystemSelection, AnImpossibleRequirementLeavesTheUnitWithoutModelInTheLenientRun) {
  // FC-80 gives at most 80 x 30 / 300 = 8 kW anywhere: 9 kW fails every candidate in the strict
  // run; the lenient run takes A with FC-20 alone. The message names the requirement the last
  // candidate failed.
  struct LTCase {
    LTUnitInput input;
    int error;
    const char* text;
  };
  const LTCase cases[] = {
      {{9, 0, 0},
       10070,
       "Нет внутренних блоков серии / семейства QSI/FC , обеспечивающих общую "
       "холодопроизводительность 9.0 кВт"},
      {{0, 9, 0},
       10069,
       "Нет внутренних блоков серии / семейства QSI/FC , обеспечивающих 9.0 кВт ощутимую "
       "мощность охлаждения"},
      {{0, 0, 13},
       10071,
       "Нет внутренних блоков серии / семейства QSI/FC , обеспечивающих мощность обогрева для "
       "13.0 кВт "},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.error);
    Cls_QsOutPlacement* system = System();
    const auto units = Units(system, {{2}, c.input});
    Check(system);
    EXPECT_EQ(ModelOf(system), "QST-A");
    EXPECT_EQ(ModelsOf(units), "FC-20 ");
    EXPECT_EQ(units[1]->GetErrorNumber(), c.error);
    EXPECT_EQ(units[1]->GetErrorLevel(), 3);
    EXPECT_EQ(units[1]->GetErrorText(), Ansi(c.text));
    // 20 of 100 is below the series' smallest minimum ratio.
    EXPECT_EQ(system->GetErrorNumber(), 10041);
  }
}

TEST_F(SystemSelection, ASensibleShortfallIsFoundBeforeTheTotal) {
  // FC-40 on A: total share 4.0 kW, of which the coil gives less as sensible capacity.
  const TAir air;
  const double sensibleOf40 = air.SensibleCapacity(10, 600, 50, 24, 4.0);
  ASSERT_LT(sensibleOf40, 4.0);
  Cls_QsOutPlacement* system = System();
  const auto units = Units(system, {{4, sensibleOf40 + 0.01}, {4, sensibleOf40}});
  Check(system);
  EXPECT_EQ(ModelOf(system), "QST-A");
  EXPECT_EQ(ModelsOf(units), "FC-60 FC-40");
}

TEST_F(SystemSelection, TheLastCandidateIsTriedWithTooFewConnections) {
  // Six units: A (3) and B (4) are passed over, C (5) is tried as the last candidate.
  Cls_QsOutPlacement* system = System();
  Units(system, std::vector<LTUnitInput>(6));
  Check(system);
  EXPECT_EQ(ModelOf(system), "QST-C");
  EXPECT_EQ(system->GetErrorNumber(), 10059);
  EXPECT_EQ(system->GetErrorText(), Ansi("Возможно соединить только внутренние блоки 5 с QST-C"));

  // Sixteen units of FC-20 (320) are more than C's 300 in both runs: no model at all.
  Cls_QsOutPlacement* large = System();
  const auto units = Units(large, std::vector<LTUnitInput>(16));
  Check(large);
  EXPECT_EQ(ModelOf(large), "");
  EXPECT_EQ(large->GetErrorNumber(), 10079);
  EXPECT_EQ(large->GetErrorText(),
            Ansi("Наибольший индекс пропускной способности 300 перевышает ") + FullName(*large) +
                Ansi(".Соединить некоторые внутренние блоки с другими наружными блоками"));
  EXPECT_EQ(ModelsOf(units), std::string(15, ' '));
}

// -- The rules of the system
// ------------------------------------------------------------------------

TEST_F(SystemSelection, SystemRules) {
  struct LTCase {
    const char* name;
    std::string series = "QST";
    double pipingLength = 5;
    double distance = 0;
    double height = 0;
    std::vector<LTUnitInput> units{{2}, {2}, {2}};
    int error = 0;
    const char* text = "";
  };
  const LTCase cases[] = {
      {"no model of the series",
       "ZZZ",
       5,
       0,
       0,
       {{2}},
       10074,
       "Недоступны наружные блоки серии ZZZ и семейства Тепловой насос"},
      {"too long",
       "QST",
       120,
       0,
       0,
       {{2}, {2}, {2}},
       10060,
       "Макс. превышение длины трубопровода 100.000 м"},
      {"far from the first branch",
       "QST",
       60,
       50,
       0,
       {{2}, {2}, {2}},
       10058,
       "Макс. расстояние от первого ответвителя до внутр. блока 40.000 мпревышает"},
      // 60 % with the outdoor unit below the indoor units, whose minimum is 70 %.
      {"outdoor unit below", "QST", 5, 0, -10, {{2}, {2}, {2}}, 10062, nullptr},
      {"outdoor unit above", "QST", 5, 0, 10, {{2}, {2}, {2}}, 0, ""},
      {"exactly the largest length", "QST", 100, 40, 0, {{2}, {2}, {2}}, 0, ""},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.name);
    Cls_QsOutPlacement* system = System(c.series);
    system->SetPipingLength(c.pipingLength);
    system->SetDistBranchToIndoors(c.distance);
    system->SetPipingHeightDiff(c.height);
    system->Post();
    Units(system, c.units);
    Check(system);
    EXPECT_EQ(system->GetErrorNumber(), c.error) << system->GetErrorText();
    if (c.error) {
      EXPECT_EQ(system->GetErrorLevel(), 3);
    }
    if (c.text && *c.text) {
      EXPECT_EQ(system->GetErrorText(), Ansi(c.text));
    }
  }
}

TEST_F(SystemSelection, ASystemWithoutPlainIndoorUnitGetsNoModel) {
  Cls_QsOutPlacement* system = System();
  Cls_QsHXB415Placement* adapter = d.project->AddAdapterPlacement();
  system->ConnectPlacement(adapter, system, nullptr);
  Check(system);
  EXPECT_EQ(ModelOf(system), "");
  EXPECT_EQ(system->GetErrorNumber(), 10043);
  EXPECT_FALSE(adapter->HasError());
}

TEST_F(SystemSelection, HeatingDependsOnWhereTheUnitHangs) {
  // Heat recovery: a unit directly on the system only cools (a warning), and a heating
  // requirement there is an error; behind the box it heats.
  Cls_QsOutPlacement* recovery = System("QSR", 0);
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*recovery, *recovery, nullptr);
  box->SetSeries("QSB");
  box->Post();
  Cls_QsIndPlacement* direct = Unit(recovery, {2});
  Cls_QsIndPlacement* behindBox = Unit(recovery, {2, 0, 2}, box);
  Check(recovery);
  EXPECT_EQ(ModelOf(recovery), "QSR-B");
  EXPECT_EQ(ModelOf(box), "QSB-2");
  EXPECT_EQ(direct->GetErrorNumber(), 10049);
  EXPECT_EQ(direct->GetErrorLevel(), -1);
  EXPECT_FALSE(behindBox->HasError()) << behindBox->GetErrorText();
  EXPECT_FALSE(direct->CanHeatInSystem());
  EXPECT_TRUE(behindBox->CanHeatInSystem());
  EXPECT_EQ(direct->GetUnitCapacity(false, true, false), 0);
  EXPECT_GT(behindBox->GetUnitCapacity(false, true, false), 0);
  // Only the unit behind the box counts in heating.
  EXPECT_EQ(recovery->GetCapacityIndexSum(false), 20);
  EXPECT_EQ(recovery->GetCapacityIndexSum(true), 40);

  direct->SetHeatCapReq(1);
  direct->Post();
  Check(recovery);
  EXPECT_EQ(direct->GetErrorNumber(), 10049);
  EXPECT_EQ(direct->GetErrorLevel(), 3);
  EXPECT_EQ(ModelOf(direct), "");

  // Cooling only: a heating requirement cannot be met, and nothing heats.
  Cls_QsOutPlacement* cooling = System("QSC", 2);
  Cls_QsIndPlacement* unit = Unit(cooling, {2, 0, 1});
  Check(cooling);
  EXPECT_EQ(unit->GetErrorNumber(), 10048);
  EXPECT_EQ(cooling->GetAvailableCapacity(dynamic_cast<Cls_OutdoorUnit*>(cooling->GetModel()),
                                          false, 50, 0),
            0);
}

TEST_F(SystemSelection, HeatingIsSharedAsIfFullyLoadedWhenCoolingIsAbove) {
  // Heat recovery, index 200, 24 kW heating, up to 130 %: five cooling-only units of 40 by hand
  // directly on the system and one unit behind the box that needs 6 kW of heating. The first
  // pass gives it FC-60 (60 x 24 / 200 = 7.2 kW) and a cooling total of 260; the second pass
  // shares heating by 200 again, not by the 60 that heat, so the unit keeps FC-60 and really
  // gets what it needs.
  Cls_QsOutPlacement* system = System("QSR", 0);
  system->SetSelCombination(130);
  system->Post();
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
  box->SetSeries("QSB");
  box->Post();
  Units(system, std::vector<LTUnitInput>(5, {0, 0, 0, "FC-40"}));
  Cls_QsIndPlacement* heating = Unit(system, {0, 0, 6}, box);
  Check(system);
  ASSERT_EQ(ModelOf(system), "QSR-B");
  EXPECT_EQ(ModelOf(heating), "FC-60");
  EXPECT_FALSE(heating->HasError()) << heating->GetErrorText();
  EXPECT_GE(heating->GetUnitCapacity(false, true, false), 6);
  EXPECT_DOUBLE_EQ(heating->GetUnitCapacity(false, true, false), 60 * 24.0 / 200);
}

TEST_F(SystemSelection, AManualModelIsOnlyChecked) {
  Cls_QsOutPlacement* system = System();
  system->SetSelCombination(150);
  system->Post();
  // HX-50 is limited to systems of 130 %.
  Cls_QsIndPlacement* limited = Unit(system, {0, 0, 0, "HX-50", "HX"});
  Cls_QsIndPlacement* plain = Unit(system, {50, 0, 0, "FC-20"});
  Check(system);
  EXPECT_EQ(ModelOf(limited), "HX-50");
  EXPECT_EQ(limited->GetErrorNumber(), 10050);
  EXPECT_EQ(limited->GetErrorText(), Ansi("Макс. значение коэф. соединения для внутр. блока ") +
                                         FullName(*limited->GetModel()) + " : 130%");
  // A model chosen by hand keeps its model whatever its requirement.
  EXPECT_EQ(ModelOf(plain), "FC-20");
  EXPECT_FALSE(plain->HasError());
}

TEST_F(SystemSelection, ConditionsOutsideTheModelsData) {
  // The envelopes reach 10 °C indoors, the curves 14 °C wet bulb (cooling) and 15 °C (heating);
  // cooling ends at 43 °C outdoor, heating at -20 °C.
  struct LTCase {
    const char* name;
    double coolRoom;
    double heatRoom;
    double coolOutdoor;
    double heatOutdoor;
    bool manual;
    int error;
  };
  const LTCase cases[] = {
      {"cooling outside the envelope", 24, 20, 45, 0, false, 10051},
      {"heating outside the envelope", 24, 20, 32, -22, false, 10052},
      {"cooling outside the table", 14, 20, 32, 0, false, 10053},
      {"heating outside the table", 24, 12, 32, 0, false, 10054},
      {"by hand, cooling outside the table", 14, 20, 32, 0, true, 10053},
      {"by hand, heating outside the table", 24, 12, 32, 0, true, 10054},
  };
  for (const LTCase& c : cases) {
    SCOPED_TRACE(c.name);
    Cls_QsOutPlacement* system = System();
    system->SetCoolOutdoorTemp(c.coolOutdoor);
    system->SetHeatOutdoorTemp(c.heatOutdoor);
    system->Post();
    Units(system, {{2}, {2}});
    Cls_QsIndPlacement* unit = Unit(system, {2, 0, 2, c.manual ? "FC-40" : ""});
    unit->SetCoolIndoorTemp(c.coolRoom);
    unit->SetHeatIndoorTemp(c.heatRoom);
    unit->Post();
    Check(system);
    EXPECT_EQ(unit->GetErrorNumber(), c.error) << unit->GetErrorText();
    EXPECT_EQ(unit->GetErrorText().find("QST-"), std::string::npos) << unit->GetErrorText();
  }
}

TEST_F(SystemSelection, AManualModelTheOutdoorUnitDoesNotTake) {
  Cls_QsOutPlacement* system = System();
  Units(system, {{2}, {2}});
  Cls_QsIndPlacement* foreign = Unit(system, {0, 0, 0, "FC-99"});
  Cls_QsIndPlacement* none = Unit(system, {});
  none->SetManualSelect(true);
  none->Post();
  Check(system);
  EXPECT_EQ(foreign->GetErrorNumber(), 10038);
  EXPECT_EQ(foreign->GetErrorText(),
            FullName(*foreign->GetModel()) + Ansi(" не может быть соединён с ") + ModelOf(system));
  EXPECT_EQ(none->GetErrorNumber(), 10072);
  EXPECT_EQ(none->GetErrorText(), Ansi("Нет выбранной модели для ") + FullName(*none));
}

TEST_F(SystemSelection, PipesFarFromTheFirstBranchAreSizedUp) {
  // C sizes up beyond 30 m from the first branch and loses 0.2 % of its cooling per metre (0.1 %
  // in heating). Five units of index 40 take C (A and B have too few connections). Estimated
  // lengths: 80 m to the farthest unit, d m of them after the first branch.
  struct LTCase {
    double distance;
    double effective;  // 80 - d / 2 when d > 30, else 80
    bool marked;
  };
  for (const LTCase& c : {LTCase{20, 80, false}, LTCase{35, 62.5, true}}) {
    SCOPED_TRACE(c.distance);
    Cls_QsOutPlacement* system = System();
    system->SetPipingLength(80);
    system->SetDistBranchToIndoors(c.distance);
    system->Post();
    const auto units = Units(system, std::vector<LTUnitInput>(5, {0, 0, 0, "FC-40"}));
    Check(system);
    ASSERT_EQ(ModelOf(system), "QST-C");
    EXPECT_FALSE(system->HasError()) << system->GetErrorText();
    for (Cls_QsIndPlacement* unit : units) {
      EXPECT_DOUBLE_EQ(unit->ActualLength(), 80);
      EXPECT_DOUBLE_EQ(unit->EquivalentLength(), 80);
      EXPECT_DOUBLE_EQ(unit->EffectiveLength(), c.effective);
      // The factors at the rounded length: 62.5 m counts as 63 m.
      const double length = c.marked ? 63 : 80;
      EXPECT_NEAR(unit->CoolPipingFactor(), 1 - 0.002 * length, 1e-12);
      EXPECT_NEAR(unit->HeatPipingFactor(), 1 - 0.001 * length, 1e-12);
      EXPECT_EQ(system->PipingTree().NodeOf(*unit)->GetSizeUpMark(), c.marked);
    }
    EXPECT_DOUBLE_EQ(system->GetMaxEffectiveLength(), c.effective);
    // The first joint hangs on the root: its pipe is the main pipe, never marked.
    EXPECT_FALSE(system->PipingTree().Root()->ChildAt(0)->GetSizeUpMark());
  }

  // A heat-recovery system cannot size up the branches: an error instead.
  Cls_QsOutPlacement* recovery = System("QSR", 0);
  recovery->SetPipingLength(80);
  recovery->SetDistBranchToIndoors(35);
  recovery->Post();
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*recovery, *recovery, nullptr);
  box->SetSeries("QSB");
  box->Post();
  Units(recovery, {{2}});
  Unit(recovery, {2}, box);
  Check(recovery);
  EXPECT_EQ(recovery->GetErrorNumber(), 10084);
  EXPECT_EQ(recovery->GetErrorText(),
            "The maximum equivalent length to the first branch " +
                Cls_QsProject::FormatLength(true, 35) + " exceeds " +
                Cls_QsProject::FormatLength(true, 30) +
                ", but size up of intermediate branches is not yet supported for heat recovery "
                "systems");
}

TEST_F(SystemSelection, LengthsEnteredByHand) {
  // Five units on a chain of joints: the main pipe 10 m, every other pipe 1 m but the last
  // unit's, 45 m. This catalogue has no fittings (no allowance). The last unit is 3 + 45 m from
  // the first branch: its pipe and the three joint pipes on its way count half.
  Cls_QsOutPlacement* system = System();
  const auto units = Units(system, {{0, 0, 0, "FC-20"},
                                    {0, 0, 0, "FC-20"},
                                    {0, 0, 0, "FC-20"},
                                    {0, 0, 0, "FC-20"},
                                    {0, 0, 0, "FC-80"}});
  CTPipingTree& tree = system->PipingTree();
  for (Cls_QsPipingNode* node : tree.Nodes()) {
    if (node->IsRoot()) continue;
    node->SetBranchLength(node->GetParent()->IsRoot() ? 10 : 1);
    node->Post();
  }
  Cls_QsPipingNode* far = tree.NodeOf(*units[4]);
  far->SetBranchLength(45);
  far->Post();
  system->SetLocked(true);
  system->Post();
  Check(system);
  ASSERT_EQ(ModelOf(system), "QST-C");
  EXPECT_EQ(Shape(tree.Root()), "Out 1(J(Ind 1, J(Ind 2, J(Ind 3, J(Ind 4, Ind 5)))))");
  EXPECT_DOUBLE_EQ(units[4]->ActualLength(), 58);
  EXPECT_DOUBLE_EQ(units[4]->EquivalentLength(), 58);
  EXPECT_DOUBLE_EQ(units[4]->EffectiveLength(), 10 + (3 + 45) / 2.0);
  EXPECT_TRUE(far->GetSizeUpMark());
  EXPECT_DOUBLE_EQ(units[0]->EffectiveLength(), units[0]->EquivalentLength());
  EXPECT_FALSE(tree.NodeOf(*units[0])->GetSizeUpMark());
}

// -- What the system delivers
// -------------------------------------------------------------------------

TEST_F(SystemSelection, TheSystemsConditionsAndCapacities) {
  Cls_QsOutPlacement* system = System();
  const auto units = Units(system, {{0, 0, 0, "FC-20"}, {0, 0, 0, "FC-60"}});
  units[0]->SetCoolIndoorTemp(24);
  units[1]->SetCoolIndoorTemp(28);
  units[0]->SetCoolIndoorRH(40);
  units[1]->SetCoolIndoorRH(60);
  units[0]->Post();
  units[1]->Post();
  Check(system);
  ASSERT_EQ(ModelOf(system), "QST-A");
  double total = 0;
  double rh = 0;
  double t = 0;
  system->GetIndoorConditions(true, total, rh, t);
  EXPECT_DOUBLE_EQ(total, 80);
  EXPECT_DOUBLE_EQ(t, (20 * 24 + 60 * 28) / 80.0);
  EXPECT_DOUBLE_EQ(rh, (20 * 40 + 60 * 60) / 80.0);
  auto* a = dynamic_cast<Cls_OutdoorUnit*>(system->GetModel());
  EXPECT_DOUBLE_EQ(system->GetAvailableCapacity(a, true, 50, 32), 10);
  EXPECT_DOUBLE_EQ(system->GetAvailableCapacity(a, false, 50, 0), 12);
  EXPECT_DOUBLE_EQ(system->GetCapacityAt100(a, true, 50, 32), 10);
  EXPECT_DOUBLE_EQ(system->GetNominalCapacity(a, true), 10);
  EXPECT_DOUBLE_EQ(system->GetPowerInputAt100(a, true, 50, 32), 2.5);
  EXPECT_DOUBLE_EQ(system->GetNominalPowerInput(a, false), 3);
  EXPECT_EQ(system->GetAvailableCapacity(nullptr, true, 50, 32), 0);
  // The largest ratio: the target, limited by A's largest ratio (130 with high ratios).
  system->SetSelCombination(150);
  EXPECT_DOUBLE_EQ(system->GetMaxCombination(), 130);
  system->SetSelCombination(100);
  system->SetAllowHighCombPerc(true);
  system->SetHighCombinationLimit(120);
  // With high ratios: min(100, 120) raised to what the series allow, at most 120.
  EXPECT_DOUBLE_EQ(system->GetMaxCombination(), 120);
}

TEST_F(SystemSelection, ACheckThatChangesNothingWritesNothing) {
  Cls_QsOutPlacement* system = System();
  Units(system, {{2}, {4}, {6}});
  Check(system);
  int writes = 0;
  d.store.Project().SetChangeCallback([&](int, int, int, const std::string*, int) { ++writes; });
  Check(system);
  d.store.Project().SetChangeCallback(nullptr);
  EXPECT_EQ(writes, 0);
}

// -- Remote controllers
// -------------------------------------------------------------------------------

TEST_F(SystemSelection, RemoteControllerGroups) {
  auto* remote =
      dynamic_cast<Cls_DeviceOption*>(d.CatalogueRecord(Cls_IndOption::kTableId, "RC-2"));
  ASSERT_NE(remote, nullptr);
  Cls_QsOutPlacement* system = System();
  // Head (own remote for two units), then two units that use the previous unit's remote, then
  // one that uses the next unit's remote where none follows.
  const auto units = Units(
      system, {{0, 0, 0, "FC-20"}, {0, 0, 0, "FC-20"}, {0, 0, 0, "FC-20"}, {0, 0, 0, "FC-20"}});
  units[0]->SetUsedOptions({remote});
  units[0]->SetRemoteTypeValue(Cls_QsIndPlacement::kOwnRemote);
  units[0]->Post();
  for (int i : {1, 2}) {
    units[i]->SetRemoteTypeValue(Cls_QsIndPlacement::kRemoteOfPreviousUnit);
    units[i]->Post();
  }
  units[3]->SetRemoteTypeValue(Cls_QsIndPlacement::kRemoteOfNextUnit);
  units[3]->Post();
  system->SetSelCombination(130);
  system->Post();
  Check(system);
  int count = 0;
  int maximum = 0;
  units[0]->GetRemoteGroup(count, maximum);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(maximum, 2);
  EXPECT_EQ(units[0]->GetErrorNumber(), 10061);
  EXPECT_EQ(units[0]->GetErrorLevel(), 1);
  EXPECT_EQ(units[3]->GetErrorNumber(), 10073);
  EXPECT_EQ(system->GetPreviousRemoteUnit(*units[2]), units[0]);
  EXPECT_EQ(system->GetNextRemoteUnit(*units[1]), nullptr);

  // Joining a full group is refused with a message and changes nothing; the previous unit is
  // the head, there is no next one.
  d.store.ui.ClearShown();
  units[3]->SetRemoteType(Cls_QsIndPlacement::kRemoteOfPreviousUnit, false);
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].text,
            Ansi("Только внутренние блоки 2 могут соединяться с ПДУ  " + units[0]->Name()));
  EXPECT_EQ(units[3]->GetRemoteType(), Cls_QsIndPlacement::kRemoteOfNextUnit);
  units[3]->SetRemoteType(Cls_QsIndPlacement::kRemoteOfNextUnit, false);
  EXPECT_EQ(d.store.ui.Shown().size(), 2u);
  EXPECT_EQ(d.store.ui.Shown()[1].text, Ansi("Не существует следующего внутреннего блока с ПДУ"));
  // A group of two is full: only when both others leave it may the last unit join.
  units[1]->SetRemoteType(Cls_QsIndPlacement::kNoWiredRemote, false);
  units[2]->SetRemoteType(Cls_QsIndPlacement::kNoWiredRemote, false);
  units[3]->SetRemoteType(Cls_QsIndPlacement::kRemoteOfPreviousUnit, false);
  EXPECT_EQ(units[3]->GetRemoteType(), Cls_QsIndPlacement::kRemoteOfPreviousUnit);
  // The head cannot give up its own remote controller while it has one.
  units[0]->SetRemoteType(Cls_QsIndPlacement::kNoWiredRemote, false);
  EXPECT_EQ(d.store.ui.Shown().back().text,
            Ansi("В начале уберите пульт дистанционного управления от выбранных опций "));
}

TEST_F(SystemSelection, ADXCoilUnitNeedsAnotherUnitsRemote) {
  Cls_QsOutPlacement* system = System();
  Unit(system, {2});
  Cls_QsAXDPlacement* axd = d.project->AddAXDPlacement();
  Configure(*axd, {2});
  axd->SetRemoteTypeValue(Cls_QsIndPlacement::kOwnRemote);
  axd->Post();
  system->ConnectPlacement(axd, system, nullptr);
  Check(system);
  EXPECT_EQ(axd->GetErrorNumber(), 10086);
  EXPECT_EQ(axd->GetErrorLevel(), 1);
  EXPECT_EQ(ModelOf(axd), "FC-20");

  // With a remote controller of its own it still may not head a group: a unit that uses it is
  // refused, and one that already does makes it an error.
  auto* remote =
      dynamic_cast<Cls_DeviceOption*>(d.CatalogueRecord(Cls_IndOption::kTableId, "RC-2"));
  axd->SetUsedOptions({remote});
  axd->SetRemoteTypeValue(Cls_QsIndPlacement::kRemoteOfPreviousUnit);
  axd->Post();
  Cls_QsIndPlacement* after = Unit(system, {2});
  Check(system);
  d.store.ui.ClearShown();
  after->SetRemoteType(Cls_QsIndPlacement::kRemoteOfPreviousUnit, false);
  ASSERT_EQ(d.store.ui.Shown().size(), 1u);
  EXPECT_EQ(d.store.ui.Shown()[0].text,
            "Cannot connect other devices to the remote controller of " + FullName(*axd));
  EXPECT_EQ(after->GetRemoteType(), Cls_QsIndPlacement::kNoWiredRemote);
  after->SetRemoteTypeValue(Cls_QsIndPlacement::kRemoteOfPreviousUnit);
  after->Post();
  Check(system);
  EXPECT_EQ(axd->GetErrorNumber(), 10067);
  EXPECT_EQ(axd->GetErrorLevel(), 1);
}

// -- Which tabs the design opens
// --------------------------------------------------------------------

TEST_F(SystemSelection, TabsOpenAsTheSystemsBecomeReady) {
  using Images = std::array<int, kTabCount>;
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 3, 3, 3, 3, 3}));

  Cls_QsOutPlacement* ready = System();
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 2, 3, 3, 3, 3}));
  const auto units = Units(ready, {{2}, {2}, {2}});
  Cls_QsOutPlacement* broken = System("ZZZ");
  Units(broken, {{2}});
  d.project->RecalculateAll(d.OutdoorUnits());
  ASSERT_FALSE(ready->HasError());
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 2, 2, 2, 2, 2}));
  EXPECT_EQ(SystemsForTab(*d.project, TQsTab::kWiring), std::vector<Cls_QsOutPlacement*>{ready});
  EXPECT_EQ(SystemsForTab(*d.project, TQsTab::kOutdoor).size(), 2u);

  // A warning does not count; a level-2 error below the system closes all but piping; a unit
  // without the model it needs closes piping too.
  units[0]->SetError(10049, "", Cls_QsDevicePlacement::kWarning);
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 2, 2, 2, 2, 2}));
  units[1]->SetError(10057, "", Cls_QsDevicePlacement::kErrorLevel2);
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 2, 2, 3, 3, 3}));
  EXPECT_TRUE(SystemsForTab(*d.project, TQsTab::kReports).empty());
  units[2]->SetModel(nullptr);
  EXPECT_EQ(ComputeTabImages(*d.project), (Images{2, 2, 3, 3, 3, 3}));
  EXPECT_FALSE(IsTabAvailable(ComputeTabImages(*d.project), TQsTab::kPiping));
}

}  // namespace
