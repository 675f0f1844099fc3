#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/QsBSBPlacement.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "support/TestSupport.h"

namespace {

using testsupport::Ansi;

std::string Display(const CTDbObject& object) {
  int charset = 0;
  std::string text;
  object.GetDisplayText(charset, text);
  return text;
}

std::string FullName(const CTDbObject& object) {
  std::string text;
  object.GetFullName(text);
  return text;
}

TEST(PlacementErrorState, TextLevelsAndClearing) {
  DesignStore d;
  Cls_QsIndPlacement* unit = d.project->AddIndoorPlacement();
  EXPECT_FALSE(unit->HasError());
  EXPECT_FALSE(unit->HasWarning());
  EXPECT_EQ(unit->GetErrorText(), "");

  unit->SetError(10056, "A", 3, "B");
  EXPECT_TRUE(unit->HasError());
  EXPECT_FALSE(unit->HasWarning());
  EXPECT_EQ(unit->GetErrorText(),
            "Cannot delete A. It is connected to B, for which you have chosen to enter piping "
            "lengths manually");

  unit->SetError(10042, "C", -1);
  EXPECT_FALSE(unit->HasError());
  EXPECT_TRUE(unit->HasWarning());
  EXPECT_EQ(unit->GetErrorText(), Ansi("C должно быть соединение с наружным блоком "));

  // A level without message number is an error with an empty text.
  unit->SetError(0, "", 1);
  EXPECT_TRUE(unit->HasError());
  EXPECT_EQ(unit->GetErrorText(), "");

  unit->ClearError();
  EXPECT_FALSE(unit->HasError());
  EXPECT_EQ(unit->GetErrorNumber(), 0);
}

TEST(PlacementDefaultName, TrailingNumbers) {
  struct Case {
    std::string name;
    std::string number;
  };
  for (const Case& c : std::vector<Case>{{"Out 1", "1"},
                                         {"Out 007", "7"},
                                         {"Out 0", "0"},
                                         {"000", "0"},
                                         {"Out", ""},
                                         {"12 Out", ""},
                                         {"", ""},
                                         {"X99999999999999999999", "99999999999999999999"}}) {
    EXPECT_EQ(TrailingNumber(c.name), c.number) << c.name;
  }
  EXPECT_EQ(NextDefaultName("Out ", {}), "Out 1");
  EXPECT_EQ(NextDefaultName("Out ", {"Out 2", "Main", "Out 007", "B 10x"}), "Out 8");
  // A number of any length counts with its exact value.
  EXPECT_EQ(NextDefaultName("Out ", {"X99999999999999999999", "Out 5"}),
            "Out 100000000000000000000");
}

TEST(PlacementDefaultName, NumbersPerKindFromTheStoredNames) {
  DesignStore d;
  Cls_QsOutPlacement* out1 = d.project->AddOutdoorPlacement();
  EXPECT_EQ(out1->Name(), "Out 1");
  EXPECT_EQ(d.project->AddOutdoorPlacement()->Name(), "Out 2");
  // Deleting Out 1 frees no number: the largest one in use decides.
  ASSERT_TRUE(d.project->DeletePlacementNode(*out1));
  Cls_QsOutPlacement* out3 = d.project->AddOutdoorPlacement();
  EXPECT_EQ(out3->Name(), "Out 3");

  // A name without digits counts for nothing, 007 counts as 7.
  out3->SetName("Main");
  out3->Post();
  EXPECT_EQ(d.project->AddOutdoorPlacement()->Name(), "Out 3");
  out3->SetName("Main 007");
  out3->Post();
  EXPECT_EQ(d.project->AddOutdoorPlacement()->Name(), "Out 8");

  // Indoor units and their variants are numbered together, boxes apart, each with the prefix
  // of the preferences.
  d.preferences.indoorPrefix = "Room-";
  EXPECT_EQ(d.project->AddIndoorPlacement()->Name(), "Room-1");
  EXPECT_EQ(d.project->AddAEXPlacement()->Name(), "Room-2");
  EXPECT_EQ(d.project->AddAXDPlacement()->Name(), "Room-3");
  EXPECT_EQ(d.project->AddAdapterPlacement()->Name(), "Room-4");
  EXPECT_EQ(d.project->AddBSBoxPlacement(*out3, *out3, nullptr)->Name(), "BS 1");
}

TEST(PlacementTexts, DisplayTextsTypeNamesAndFullNames) {
  DesignStore d;
  d.preferences.indoorFamily = "FXC";
  Cls_QsOutPlacement* system = d.AddSystem("QHP-8", 1);
  EXPECT_EQ(Display(*system), "Out 1 [QHP-8]");
  EXPECT_EQ(system->TypeName(), Ansi("Наружный блок "));

  // An indoor unit shows its model once it is chosen by hand or connected, else its family.
  Cls_QsIndPlacement* unit = d.AddUnit(nullptr, nullptr, "QFC-20");
  EXPECT_EQ(Display(*unit), "Ind 1 [FXC]");
  unit->SetManualSelect(true);
  EXPECT_EQ(Display(*unit), "Ind 1 [QFC-20]");
  unit->SetManualSelect(false);
  system->ConnectPlacement(unit, system, nullptr);
  EXPECT_EQ(Display(*unit), "Ind 1 [QFC-20]");
  EXPECT_EQ(unit->TypeName(), Ansi("Внутренний блок"));
  EXPECT_EQ(FullName(*unit), Ansi("Внутренний блок Ind 1"));

  // The system adds the combination ratio: (20 + 32) of 200 at 100 %.
  d.AddUnit(system, system, "QFC-32");
  EXPECT_EQ(Display(*system), "Out 1 [QHP-8] - 26%");

  // Boxes and headers add the capacity-index sum below them.
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
  EXPECT_EQ(Display(*box), "BS 1");
  box->SetModel(d.Catalogue<Cls_BSBox>("BSQ-4"));
  d.AddUnit(system, box, "QFC-25");
  EXPECT_EQ(Display(*box), "BS 1 [BSQ-4] - 25 CI");
  EXPECT_EQ(box->TypeName(), Ansi("BS-блок"));

  Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *system, nullptr, 4);
  EXPECT_EQ(Display(*header), "4");
  d.AddUnit(system, header, "QFA-25");
  EXPECT_EQ(Display(*header), "4 - 25 CI");
  EXPECT_EQ(header->TypeName(), Ansi("\"Гребенка\""));
  EXPECT_EQ(FullName(*header), Ansi("\"Гребенка\""));

  // The variants.
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  EXPECT_EQ(aex->TypeName(), "AEX");
  EXPECT_EQ(Display(*aex), "Ind 5 []");
  aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));
  EXPECT_EQ(Display(*aex), "Ind 5 [QAE-150]");

  Cls_QsAXDPlacement* axd = d.project->AddAXDPlacement();
  EXPECT_EQ(axd->TypeName(), Ansi("Внутренний блок"));
  EXPECT_EQ(Display(*axd), "Ind 6 [FXC]");

  // An adapter-connected device shows its adapter, without family or model part.
  Cls_QsHXB415Placement* adapter = d.project->AddAdapterPlacement();
  EXPECT_EQ(adapter->TypeName(), "Other device");
  EXPECT_EQ(Display(*adapter), "Ind 7");
  adapter->SetAdapter(d.Catalogue<Cls_IndOption>("QIA"));
  EXPECT_EQ(Display(*adapter), "Ind 7 [QIA]");

  EXPECT_EQ(d.project->TypeName(), Ansi("Проект"));
}

TEST(PlacementModel, ModelNamesAndWhatNeedsOne) {
  DesignStore d;
  Cls_QsIndPlacement* unit = d.project->AddIndoorPlacement();
  EXPECT_EQ(unit->GetModel(), nullptr);
  Cls_IndoorUnit* model = d.Catalogue<Cls_IndoorUnit>("QFC-20");
  unit->SetModel(model);
  // The catalogue's cached instance.
  EXPECT_EQ(unit->GetModel(), model);
  int charset = 0;
  std::string name;
  unit->GetModelName(charset, name);
  EXPECT_EQ(name, "QFC-20");
  EXPECT_TRUE(unit->NeedsModel());

  // A reference to a missing record or to something that is no device is no model.
  unit->SetModel(d.Catalogue<Cls_IndOption>("QPN"));
  EXPECT_EQ(unit->GetModel(), nullptr);
  unit->SetModel(model);
  unit->SetInt(Cls_QsDevicePlacement::kDevice + 1, 9999);
  EXPECT_EQ(unit->GetModel(), nullptr);
  unit->GetModelName(charset, name);
  EXPECT_EQ(name, "");

  Cls_QsHXB415Placement* adapter = d.project->AddAdapterPlacement();
  EXPECT_FALSE(adapter->NeedsModel());
  adapter->GetModelName(charset, name);
  EXPECT_EQ(name, "");
  adapter->SetAdapter(d.Catalogue<Cls_IndOption>("QIA"));
  adapter->GetModelName(charset, name);
  EXPECT_EQ(name, "QIA");

  // A header is its own model.
  Cls_QsOutPlacement* system = d.AddSystem();
  Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *system, nullptr, 3);
  EXPECT_EQ(header->GetModel(), header);
}

TEST(PlacementModel, UnitCountsBoxSizesAndCapacityIndexSums) {
  DesignStore d;
  Cls_QsOutPlacement* system = d.AddSystem("QHR-10", 0);
  Cls_QsBSBPlacement* box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
  Cls_QsHeaderPlacement* header = d.project->AddHeaderPlacement(*system, *system, nullptr, 4);
  Cls_QsIndPlacement* direct = d.AddUnit(system, system, "QFC-20");
  Cls_QsIndPlacement* belowBox = d.AddUnit(system, box, "QFC-25");
  d.AddUnit(system, header, "QFC-32");
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  aex->SetModel(d.Catalogue<Cls_AEX>("QAE-150"));
  system->ConnectPlacement(aex, system, nullptr);

  EXPECT_EQ(system->GetUnitCount(), 4);
  EXPECT_EQ(box->GetUnitCount(), 1);

  // On a heat-recovery system only the units below a box count for heating; a ventilation unit
  // never counts.
  EXPECT_EQ(system->GetCapacityIndexSum(true), 20 + 25 + 32);
  EXPECT_EQ(system->GetCapacityIndexSum(false), 25);
  EXPECT_EQ(direct->GetCapacityIndexSum(false), 0);
  EXPECT_EQ(belowBox->GetCapacityIndexSum(false), 25);
  EXPECT_EQ(aex->GetCapacityIndexSum(true), 0);
  system->SetFamily(1);
  EXPECT_EQ(system->GetCapacityIndexSum(false), 20 + 25 + 32);
  direct->Disconnect();
  EXPECT_EQ(direct->GetCapacityIndexSum(false), 20);

  int width = 0;
  int height = 0;
  system->GetBoxSize(width, height, false);
  EXPECT_EQ(width, 76);
  EXPECT_EQ(height, 42);
  box->GetBoxSize(width, height, false);
  EXPECT_EQ(width, 60);
  EXPECT_EQ(height, 42);
  belowBox->SetWideBox(true);
  belowBox->GetBoxSize(width, height, true);
  EXPECT_EQ(width, 84);
}

TEST(PlacementDefaults, NewPlacementsTakeThePreferences) {
  DesignStore d;
  CTPreferences& p = d.preferences;
  p.outdoorSeries = "QHR";
  p.outdoorFamily = 0;
  p.outdoorCombination = 110;
  p.outdoorHighCombination = 130;
  p.allowHighCombination = true;
  p.outdoorPipingLength = 60;
  p.outdoorMaxDistToIndoor = 35;
  p.coolOutdoorTemp = 35;
  p.coolOutdoorRH = 40;
  p.heatOutdoorTemp = -5;
  p.heatOutdoorRH = 80;
  Cls_QsOutPlacement* system = d.project->AddOutdoorPlacement();
  EXPECT_EQ(system->GetSeries(), "QHR");
  EXPECT_EQ(system->GetFamily(), 0);
  EXPECT_EQ(system->GetSelCombination(), 110);
  EXPECT_EQ(system->GetHighCombinationLimit(), 130);
  EXPECT_TRUE(system->GetAllowHighCombPerc());
  EXPECT_EQ(system->GetPipingLength(), 60);
  EXPECT_EQ(system->GetDistBranchToIndoors(), 35);
  EXPECT_EQ(system->GetCoolOutdoorTemp(), 35);
  EXPECT_EQ(system->GetCoolOutdoorRH(), 40);
  EXPECT_EQ(system->GetHeatOutdoorTemp(), -5);
  EXPECT_EQ(system->GetHeatOutdoorRH(), 80);
  EXPECT_EQ(system->GetCcSeqNr(), system->RecordId());

  system->SetSeries("QHP");
  system->SetFamily(2);
  system->SetPipingLength(70);
  system->SetHeatOutdoorRH(60);
  system->StoreAsDefaults();
  EXPECT_EQ(p.outdoorSeries, "QHP");
  EXPECT_EQ(p.outdoorFamily, 2);
  EXPECT_EQ(p.outdoorPipingLength, 70);
  EXPECT_EQ(p.heatOutdoorRH, 60);
  EXPECT_EQ(p.outdoorCombination, 110);

  p.indoorFamily = "FXA";
  p.coolRoomTemp = 26;
  p.coolRoomRH = 45;
  p.coolLoadSensible = 1.5;
  p.coolLoadTotal = 2.5;
  p.heatRoomTemp = 21;
  p.heatRoomRH = 40;
  p.heatLoad = 3;
  p.indoorManualSelect = true;
  // Indoor units and units with DX coil take the same defaults.
  for (Cls_QsIndPlacement* unit : std::vector<Cls_QsIndPlacement*>{d.project->AddIndoorPlacement(),
                                                                   d.project->AddAXDPlacement()}) {
    EXPECT_EQ(unit->GetFamily(), "FXA");
    EXPECT_EQ(unit->GetCoolIndoorTemp(), 26);
    EXPECT_EQ(unit->GetCoolIndoorRH(), 45);
    EXPECT_EQ(unit->GetCoolCapReqSensible(), 1.5);
    EXPECT_EQ(unit->GetCoolCapReqTotal(), 2.5);
    EXPECT_EQ(unit->GetHeatIndoorTemp(), 21);
    EXPECT_EQ(unit->GetHeatIndoorRH(), 40);
    EXPECT_EQ(unit->GetHeatCapReq(), 3);
    EXPECT_TRUE(unit->GetManualSelect());
  }

  Cls_QsIndPlacement* unit = d.project->AddIndoorPlacement();
  unit->SetModel(d.Catalogue<Cls_IndoorUnit>("QFC-32"));
  unit->SetHeatCapReq(4);
  unit->StoreAsDefaults();
  EXPECT_EQ(p.heatLoad, 4);
  EXPECT_EQ(p.indoorModel, unit->GetDeviceRef().recordId);
  // Without the manual choice the model is not remembered.
  p.indoorModel = 0;
  unit->SetManualSelect(false);
  unit->StoreAsDefaults();
  EXPECT_EQ(p.indoorModel, 0);
  EXPECT_FALSE(p.indoorManualSelect);
}

TEST(PlacementDefaults, VentilationAndAdapterDefaults) {
  DesignStore d;
  CTPreferences& p = d.preferences;
  p.indoorFamily = "FXA";
  p.coolRoomTemp = 27;

  // A ventilation unit is chosen by hand and takes nothing else from the preferences.
  Cls_QsAEXPlacement* aex = d.project->AddAEXPlacement();
  EXPECT_TRUE(aex->GetManualSelect());
  EXPECT_EQ(aex->GetFamily(), "");
  EXPECT_EQ(aex->GetCoolIndoorTemp(), 24);
  EXPECT_EQ(aex->GetModel(), nullptr);
  aex->SetModel(d.Catalogue<Cls_AEX>("QAE-250"));
  aex->StoreAsDefaults();
  EXPECT_EQ(p.ventilationModel, d.Catalogue<Cls_AEX>("QAE-250")->RecordId());
  EXPECT_EQ(p.indoorFamily, "FXA");

  // The remembered adapter is taken only when it is an interface adapter.
  Cls_IndOption* qia = d.Catalogue<Cls_IndOption>("QIA");
  p.adapterOption = {qia->TableId(), qia->RecordId()};
  Cls_QsHXB415Placement* adapter = d.project->AddAdapterPlacement();
  EXPECT_EQ(adapter->GetAdapter(), qia);
  EXPECT_TRUE(adapter->GetManualSelect());
  Cls_IndOption* panel = d.Catalogue<Cls_IndOption>("QPN");
  p.adapterOption = {panel->TableId(), panel->RecordId()};
  EXPECT_EQ(d.project->AddAdapterPlacement()->GetAdapter(), nullptr);
  p.adapterOption = {Cls_IndOption::kTableId, 999};
  EXPECT_EQ(d.project->AddAdapterPlacement()->GetAdapter(), nullptr);
  adapter->StoreAsDefaults();
  EXPECT_EQ(p.adapterOption, (LTRecordRef{qia->TableId(), qia->RecordId()}));
}

}  // namespace
