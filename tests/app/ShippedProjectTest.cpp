// Design work on the catalogue the program ships with: the series a project's refrigerant
// offers and the placements made with them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ProgramEnvironment.h"
#include "app/ProgramFactory.h"
#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/TextCase.h"

namespace {

TEST(ShippedProject, EveryRefrigerantOffersSeriesForEveryPlacement) {
  ASSERT_TRUE(programtest::Connected());
  programtest::ResetProject();
  CTFactory& factory = programtest::Factory();
  CTPreferences preferences;
  CTScopedPreferences scoped(preferences);

  LTOutdoorUnitList units;
  for (const auto& object : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &factory)) {
    auto* unit = dynamic_cast<Cls_OutdoorUnit*>(
        CTDbObject::CachedObject(Cls_OutdoorUnit::kTableId, object->RecordId(), &factory));
    if (unit && !unit->IsDeleted()) units.push_back(unit);
  }
  Cls_QsProject project(0, &factory);
  project.InitDefaults();
  project.Insert();
  for (const auto& object : CTDbObject::AllObjects(Cls_Refrigerant::kTableId, false, &factory)) {
    SCOPED_TRACE(object->Name());
    project.ChangeRefrigerant(object.get(), units);
    const std::vector<std::string>& series = project.GetSeriesNames();
    ASSERT_FALSE(series.empty());
    for (const std::string& name : series) {
      EXPECT_TRUE(std::any_of(units.begin(), units.end(), [&](Cls_OutdoorUnit* u) {
        return u->Series() == name && u->RefrigerantRef().recordId == object->RecordId();
      })) << name;
    }
    EXPECT_NE(std::find(series.begin(), series.end(), preferences.outdoorSeries), series.end());
    EXPECT_FALSE(project.GetDefaultIndoorSeries().empty());
    EXPECT_FALSE(project.GetDefaultIndoorSeries().starts_with("AXD"));

    Cls_QsOutPlacement* system = project.AddOutdoorPlacement();
    EXPECT_TRUE(EqualNoCase(system->GetSeries(), preferences.outdoorSeries));
    Cls_QsIndPlacement* unit = project.AddIndoorPlacement();
    EXPECT_EQ(unit->GetSeries(), project.GetDefaultIndoorSeries());
    system->ConnectPlacement(unit, system, nullptr);
  }
  // The DX-coil kits come with the R410A systems, and so do the boxes.
  project.ChangeRefrigerant(CTDbObject::CachedObject(Cls_Refrigerant::kTableId, 1, &factory),
                            units);
  EXPECT_EQ(project.GetDefaultAXDSeries(), "AXD");
  EXPECT_TRUE(project.HasAXDSeries());
  EXPECT_EQ(project.GetDefaultBoxSeries(), "QBS");
  EXPECT_EQ(project.GetPlacements().size(), 4u);
  project.RecalculateAll(units);
  // Every system finds a model of its series (the default indoor family is empty, so the units
  // stay without model).
  for (const auto& p : project.GetPlacements()) {
    if (p->TableId() == Cls_QsOutPlacement::kTableId) {
      EXPECT_NE(p->GetModel(), nullptr) << p->Name();
    }
  }
}

}  // namespace
