#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "DesignStore.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"

namespace {

using Names = std::vector<std::string>;

std::string ModelName(const Cls_QsDevicePlacement& p) {
  const CTDbObject* model = p.GetModel();
  return model ? model->Name() : "";
}

TEST(ProjectSeries, TheRefrigerantsSeriesAndDefaults) {
  DesignStore d;
  d.project->SetRefrigerant(d.Catalogue<Cls_Refrigerant>("R410A"));
  d.project->BuildSeriesLists(d.OutdoorUnits());
  // The lower-case "qhp" is the same series as "QHP".
  EXPECT_EQ(d.project->GetSeriesNames(), (Names{"QHP", "QHR"}));
  // QHP-8 lists the unit with DX coil first; the boxes come from QHR-10.
  EXPECT_EQ(d.project->GetDefaultIndoorSeries(), "QF");
  EXPECT_EQ(d.project->GetDefaultAXDSeries(), "AXDQ");
  EXPECT_EQ(d.project->GetDefaultBoxSeries(), "BSQ");
  EXPECT_TRUE(d.project->HasAXDSeries());
  // The preferred outdoor series becomes one of the list.
  EXPECT_EQ(d.preferences.outdoorSeries, "QHP");
  d.preferences.outdoorSeries = "qhr";
  d.project->BuildSeriesLists(d.OutdoorUnits());
  EXPECT_EQ(d.preferences.outdoorSeries, "qhr");

  // New placements take the defaults.
  EXPECT_EQ(d.project->AddIndoorPlacement()->GetSeries(), "QF");
  EXPECT_EQ(d.project->AddAXDPlacement()->GetSeries(), "AXDQ");
  Cls_QsOutPlacement* system = d.project->AddOutdoorPlacement();
  EXPECT_EQ(system->GetSeries(), "qhr");
  EXPECT_EQ(d.project->AddBSBoxPlacement(*system, *system, nullptr)->GetSeries(), "BSQ");

  // A refrigerant without outdoor units gives nothing and keeps the preferred series.
  d.project->SetRefrigerant(d.Catalogue<Cls_Refrigerant>("R22"));
  d.project->BuildSeriesLists(d.OutdoorUnits());
  EXPECT_TRUE(d.project->GetSeriesNames().empty());
  EXPECT_EQ(d.project->GetDefaultIndoorSeries(), "");
  EXPECT_FALSE(d.project->HasAXDSeries());
  EXPECT_EQ(d.preferences.outdoorSeries, "qhr");
}

class RefrigerantChange : public ::testing::Test {
 protected:
  void SetUp() override {
    d.project->SetRefrigerant(d.Catalogue<Cls_Refrigerant>("R410A"));
    d.project->BuildSeriesLists(d.OutdoorUnits());
    system = d.AddSystem("QHP-8");
    box = d.project->AddBSBoxPlacement(*system, *system, nullptr);
    sameSize = d.AddUnit(system, system, "QFC-25", true);
    onlyRetired = d.AddUnit(system, system, "QFC-20", true);
    noWallModel = d.AddUnit(system, box, "QFA-25", true);
    noWallModel->SetFamily("fxa");
    automatic = d.AddUnit(system, system, "QFC-25", false);
    axd = d.project->AddAXDPlacement();
    axd->SetManualSelect(true);
    axd->SetModel(d.Catalogue<Cls_IndoorUnit>("AXD-50"));
    // Families compare without regard to case.
    sameSize->SetFamily("fxc");
    for (Cls_QsIndPlacement* unit : {onlyRetired, automatic}) unit->SetFamily("FXC");
  }

  DesignStore d;
  Cls_QsOutPlacement* system = nullptr;
  Cls_QsBSBPlacement* box = nullptr;
  Cls_QsIndPlacement* sameSize = nullptr;
  Cls_QsIndPlacement* onlyRetired = nullptr;
  Cls_QsIndPlacement* noWallModel = nullptr;
  Cls_QsIndPlacement* automatic = nullptr;
  Cls_QsAXDPlacement* axd = nullptr;
};

TEST_F(RefrigerantChange, EveryPlacementFitsTheNewSeries) {
  Cls_Refrigerant* r32 = d.Catalogue<Cls_Refrigerant>("R32");
  d.project->ChangeRefrigerant(r32, d.OutdoorUnits());
  EXPECT_EQ(d.project->GetRefrigerantRef(), (LTRecordRef{r32->TableId(), r32->RecordId()}));
  // The choice is remembered as the preferred refrigerant.
  EXPECT_EQ(d.preferences.refrigerant, d.project->GetRefrigerantRef());

  EXPECT_EQ(d.project->GetSeriesNames(), (Names{"QXP"}));
  EXPECT_EQ(system->GetSeries(), "QXP");
  EXPECT_EQ(d.preferences.outdoorSeries, "QXP");
  EXPECT_EQ(box->GetSeries(), "BSX");
  EXPECT_EQ(sameSize->GetSeries(), "QX");
  EXPECT_EQ(axd->GetSeries(), "AXDX");

  // A model chosen by hand is replaced by the new series' model of the same index and family.
  EXPECT_EQ(ModelName(*sameSize), "QXC-25");
  // Without such a model (the only one is retired; no wall model of 25; no unit with DX coil
  // of 50) the old model stays, as does an automatically chosen one.
  EXPECT_EQ(ModelName(*onlyRetired), "QFC-20");
  EXPECT_EQ(ModelName(*noWallModel), "QFA-25");
  EXPECT_EQ(ModelName(*axd), "AXD-50");
  EXPECT_EQ(ModelName(*automatic), "QFC-25");

  // Everything was posted: a fresh handle reads the new series.
  Cls_QsIndPlacement stored(sameSize->RecordId(), &d.store.factory);
  EXPECT_EQ(stored.GetSeries(), "QX");
}

TEST_F(RefrigerantChange, WithoutOutdoorUnitsSystemsKeepTheirSeries) {
  d.preferences.outdoorSeries = "QHR";
  d.project->ChangeRefrigerant(d.Catalogue<Cls_Refrigerant>("R22"), d.OutdoorUnits());
  EXPECT_TRUE(d.project->GetSeriesNames().empty());
  EXPECT_EQ(system->GetSeries(), "QHP");
  EXPECT_EQ(d.preferences.outdoorSeries, "QHR");
  // The other placements take the (empty) defaults; the models stay.
  EXPECT_EQ(sameSize->GetSeries(), "");
  EXPECT_EQ(box->GetSeries(), "");
  EXPECT_EQ(ModelName(*sameSize), "QFC-25");
}

TEST(ProjectDefaults, RefrigerantAndFamiliesFromThePreferences) {
  DesignStore d;
  Cls_Refrigerant* r32 = d.Catalogue<Cls_Refrigerant>("R32");
  d.preferences.refrigerant = {r32->TableId(), r32->RecordId()};
  d.preferences.outdoorFamily = 2;
  d.preferences.indoorFamily = "FXA";
  Cls_QsProject project(0, &d.store.factory);
  project.InitDefaults();
  EXPECT_EQ(project.GetRefrigerantRef(), d.preferences.refrigerant);
  EXPECT_EQ(project.GetOuFamily(), 2);
  EXPECT_EQ(project.GetIuFamily(), "FXA");
  EXPECT_EQ(project.GetDbVersion(), "1.3");

  // A preference that names something other than a refrigerant leaves the refrigerant alone.
  Cls_IndoorUnit* model = d.Catalogue<Cls_IndoorUnit>("QFC-20");
  d.preferences.refrigerant = {model->TableId(), model->RecordId()};
  Cls_QsProject other(0, &d.store.factory);
  other.InitDefaults();
  EXPECT_FALSE(other.GetRefrigerantRef().IsSet());

  other.SetOuFamily(0);
  other.SetIuFamily("FXC");
  other.StoreAsDefaults();
  EXPECT_EQ(d.preferences.outdoorFamily, 0);
  EXPECT_EQ(d.preferences.indoorFamily, "FXC");
  EXPECT_FALSE(d.preferences.refrigerant.IsSet());
}

TEST(ProjectDefaults, IdentificationTextsArePostedOnlyWhenChanged) {
  DesignStore d;
  EXPECT_TRUE(d.project->SetIdentificationText(Cls_QsProject::kClientName, "  Client  "));
  EXPECT_EQ(d.project->GetClientName(), "Client");
  EXPECT_FALSE(d.project->SetIdentificationText(Cls_QsProject::kClientName, "Client "));
  Cls_QsProject stored(d.project->RecordId(), &d.store.factory);
  EXPECT_EQ(stored.GetClientName(), "Client");
}

}  // namespace
