#include "design/QsCentralControl.h"

#include "catalogue/Devices.h"
#include "objectstore/TableInfo.h"

Cls_QsCenCoPlacement::Cls_QsCenCoPlacement(int recordId, CTBaseFactory* factory)
    : CTDbObject(kTableId, recordId, factory) {}

void Cls_QsCenCoPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kProject, "Fld_QsProject");
  AddReferenceFields(table, kController, "Fld_CentralController");
}

void Cls_QsCenCoPlacement::SetVariant(const LTControllerVariant& variant) {
  variant_ = variant;
  // Only a stored controller can be referred to; the unit itself is never stored.
  const bool stored = variant.controller && variant.controller->IsStored();
  SetController(stored ? variant.controller : nullptr);
}

void Cls_QsCenCoPlacement::AddSystem(Cls_QsOutPlacement* system, int units, int horsepower) {
  systems_.push_back(system);
  unitTotal_ += units;
  horsepowerTotal_ += horsepower;
}
