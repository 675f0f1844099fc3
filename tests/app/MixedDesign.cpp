#include "MixedDesign.h"

#include <vector>

#include "catalogue/OutdoorUnits.h"
#include "catalogue/PipingTables.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"

LTOutdoorUnitList ShippedOutdoorUnits(CTBaseFactory& factory) {
  LTOutdoorUnitList units;
  for (const auto& object : CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &factory)) {
    auto* unit = dynamic_cast<Cls_OutdoorUnit*>(
        CTDbObject::CachedObject(Cls_OutdoorUnit::kTableId, object->RecordId(), &factory));
    if (unit && !unit->IsDeleted()) units.push_back(unit);
  }
  return units;
}

bool BuildMixedDesign(Cls_QsProject& project, const LTOutdoorUnitList& outdoorUnits,
                      const LTMixedDesignSize& size) {
  CTDbObject* refrigerant =
      CTDbObject::CachedObject(Cls_Refrigerant::kTableId, 1, &project.Factory());
  if (!refrigerant) return false;
  project.ChangeRefrigerant(refrigerant, outdoorUnits);
  static const char* const kFamilies[] = {"CF", "DM", "WL", "CS"};
  for (int s = 0; s < size.systems; ++s) {
    const bool recovery = s % 2 == 0;
    const bool high = s % 5 == 4;
    Cls_QsOutPlacement* system = project.AddOutdoorPlacement();
    system->SetSeries(recovery ? "QOR" : "QOH");
    system->SetFamily(recovery ? 0 : 1);
    system->SetSelCombination(high ? 130 : 100);
    system->SetPipingLength(30 + s % 7 * 10);
    system->SetDistBranchToIndoors(10 + s % 4 * 5);
    system->Post();
    std::vector<Cls_QsDevicePlacement*> boxes;
    if (recovery) {
      for (int b = 0; b < 2; ++b) {
        Cls_QsBSBPlacement* box = project.AddBSBoxPlacement(*system, *system, nullptr);
        box->SetSeries("QBS");
        box->Post();
        boxes.push_back(box);
      }
    }
    for (int u = 0; u < size.unitsPerSystem; ++u) {
      Cls_QsIndPlacement* unit = project.AddIndoorPlacement();
      Cls_QsDevicePlacement* parent = recovery && u % 3 == 2 ? boxes[u % 2] : system;
      const bool heats = !recovery || parent != system;
      // Loads spread over the models, heavier in the systems allowed above 100 %.
      const char* family = kFamilies[(u + s) % 4];
      double cooling = 2.2 + (u * 7 + s) % 11 * 0.5 + (high ? 1.5 : 0);
      // Wall units serve the small rooms.
      if (family == kFamilies[2]) cooling = 1.6 + (u + s) % 3 * 0.4;
      unit->SetSeries("QRN");
      unit->SetFamily(family);
      unit->SetCoolIndoorTemp(24 + u % 3);
      unit->SetCoolIndoorRH(50);
      unit->SetHeatIndoorTemp(20 + u % 2);
      unit->SetHeatIndoorRH(50);
      unit->SetCoolCapReqTotal(cooling);
      unit->SetCoolCapReqSensible(cooling * 0.75);
      unit->SetHeatCapReq(heats ? cooling * 1.1 : 0);
      unit->SetManualSelect(false);
      unit->SetRemoteTypeValue(Cls_QsIndPlacement::kNoWiredRemote);
      unit->Post();
      system->ConnectPlacement(unit, parent, nullptr);
    }
  }
  return true;
}
