#include "DesignStore.h"

#include <gtest/gtest.h>

#include "catalogue/DeviceOptions.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/PlacementOptions.h"
#include "design/QsIndPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsUsedOption.h"
#include "i18n/NumberText.h"
#include "i18n/Units.h"

DesignStore::DesignStore(const std::string& fixture) {
  if (!store.LoadCatalogue(fixture)) ADD_FAILURE() << "the " << fixture << " fixture did not load";
  project = std::make_unique<Cls_QsProject>(0, &store.factory);
  project->InitDefaults();
  project->Insert();
}

DesignStore::~DesignStore() {
  project.reset();
  CTUnitData::ResetUnits();
  SetUserDecimalSeparator('.');
}

CTDbObject* DesignStore::CatalogueRecord(int tableId, const std::string& name) {
  for (const auto& object : CTDbObject::AllObjects(tableId, false, &store.factory)) {
    if (object->Name() == name) {
      return CTDbObject::CachedObject(tableId, object->RecordId(), &store.factory);
    }
  }
  ADD_FAILURE() << "no catalogue record " << name << " in table " << tableId;
  return nullptr;
}

LTOutdoorUnitList DesignStore::OutdoorUnits() {
  LTOutdoorUnitList units;
  for (const auto& object :
       CTDbObject::AllObjects(Cls_OutdoorUnit::kTableId, false, &store.factory)) {
    if (object->IsDeleted()) continue;
    units.push_back(dynamic_cast<Cls_OutdoorUnit*>(
        CTDbObject::CachedObject(Cls_OutdoorUnit::kTableId, object->RecordId(), &store.factory)));
  }
  return units;
}

Cls_QsOutPlacement* DesignStore::AddSystem(const std::string& model, int family) {
  Cls_QsOutPlacement* system = project->AddOutdoorPlacement();
  system->SetFamily(family);
  system->Post();
  if (!model.empty()) system->SetModel(Catalogue<Cls_OutdoorUnit>(model));
  return system;
}

Cls_QsIndPlacement* DesignStore::AddUnit(Cls_QsOutPlacement* system, Cls_QsDevicePlacement* parent,
                                         const std::string& model, bool manual) {
  Cls_QsIndPlacement* unit = project->AddIndoorPlacement();
  unit->SetManualSelect(manual);
  unit->Post();
  if (!model.empty()) unit->SetModel(Catalogue<Cls_IndoorUnit>(model));
  if (system) system->ConnectPlacement(unit, parent ? parent : system, nullptr);
  return unit;
}

std::vector<std::string> DesignStore::UsedOptionNames(Cls_QsDevicePlacement& placement) {
  std::vector<std::string> names;
  for (const auto& used : placement.GetUsedOptions()) {
    const Cls_DeviceOption* option = CatalogueOption(used->GetOptionRef(), &store.factory);
    names.push_back(option ? option->Name() : "?");
  }
  return names;
}
