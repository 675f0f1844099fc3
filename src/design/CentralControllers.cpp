#include "design/CentralControllers.h"

#include <tuple>

#include "catalogue/Combinations.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "design/QsCentralControl.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "objectstore/ListSort.h"

namespace {

// Controller kinds: 1 is the intelligent (management) controller, which is never combined; kinds
// from 2 on are offered only with their sub-components.
constexpr int kCcTypeIntelligent = 1;
constexpr int kCcTypeFirstCombinedOnly = 2;

// Bit of Fld_CcFlags: the system starts a new controller unit.
constexpr int kCcFlagOwnGroup = 1;

Cls_CentralController* CachedController(const LTRecordRef& ref, CTBaseFactory& factory) {
  if (!ref.IsSet()) return nullptr;
  return dynamic_cast<Cls_CentralController*>(
      CTDbObject::CachedObject(ref.tableId, ref.recordId, &factory));
}

// A system as the computation sees it: its indoor units, its model's horsepower and the variant
// of its preference (null: the basic controller).
struct LTCcSystem {
  Cls_QsOutPlacement* system = nullptr;
  int units = 0;
  int horsepower = 0;
  const LTControllerVariant* variant = nullptr;
};

// Sets the system's preference to the basic controller, writing only what changes.
void ClearControllerPreference(Cls_QsOutPlacement& system) {
  if (system.GetPreferredControllerRef() != LTRecordRef{}) system.SetPreferredController(nullptr);
  if (system.GetCcUseSubComponents()) {
    system.SetCcUseSubComponents(false);
    system.Post();
  }
}

// Whether the system fits the unit within the controller's limits.
bool FitsCcGroup(const Cls_QsCenCoPlacement& group, const LTCcSystem& system, int maxGroups,
                 int maxOutdoors, int maxCapacity) {
  return group.UnitTotal() + system.units <= maxGroups &&
         group.HorsepowerTotal() + system.horsepower <= maxCapacity &&
         static_cast<int>(group.Systems().size()) < maxOutdoors;
}

// The units of controller variant K for its systems, in order, appended to groups; false when
// the controller's limits are too small or a system does not fit an empty unit.
bool FormCcGroups(const LTControllerVariant& controller, const std::vector<LTCcSystem*>& systems,
                  CTBaseFactory& factory, LTCentralGroupList& groups) {
  Cls_CentralController& model = *controller.controller;
  const int maxGroups = model.MaxGroups();
  const int maxOutdoors = model.MaxOutdoors();
  const int maxCapacity = model.MaxCapacity();
  if (maxGroups < 2 || maxOutdoors < 1 || maxCapacity < 2) return false;

  LTCentralGroupList formed;
  formed.push_back(std::make_unique<Cls_QsCenCoPlacement>(0, &factory));
  for (const LTCcSystem* system : systems) {
    Cls_QsCenCoPlacement* group = formed.back().get();
    const bool ownGroup = (system->system->GetCcFlags() & kCcFlagOwnGroup) != 0;
    if ((ownGroup && !group->Systems().empty()) ||
        !FitsCcGroup(*group, *system, maxGroups, maxOutdoors, maxCapacity)) {
      formed.push_back(std::make_unique<Cls_QsCenCoPlacement>(0, &factory));
      group = formed.back().get();
      if (!FitsCcGroup(*group, *system, maxGroups, maxOutdoors, maxCapacity)) return false;
    }
    group->AddSystem(system->system, system->units, system->horsepower);
  }

  for (auto& group : formed) {
    group->SetVariant(controller);
    group->SubControllers().clear();
    if (group->UnitTotal() == 0) continue;
    for (Cls_CentralController* sub : controller.subComponents) {
      const int subGroups = sub->MaxGroups();
      if (subGroups <= 0) continue;
      const int count = (group->UnitTotal() - 1) / subGroups + 1;
      for (int i = 0; i < count; ++i) {
        auto subController = std::make_unique<Cls_QsCenCoPlacement>(0, &factory);
        subController->SetVariant(LTControllerVariant{sub, {}});
        group->SubControllers().push_back(std::move(subController));
      }
    }
  }
  for (auto& group : formed) groups.push_back(std::move(group));
  return true;
}

}  // namespace

bool LTControllerVariant::SameAs(const LTControllerVariant& other) const {
  if (!controller || !other.controller) return controller == other.controller;
  return controller->TableId() == other.controller->TableId() &&
         controller->RecordId() == other.controller->RecordId() &&
         HasSubComponents() == other.HasSubComponents();
}

LTControllerVariantList BuildControllerVariants(CTBaseFactory* factory) {
  LTControllerVariantList variants;
  CTBaseFactory* f = CTBaseFactory::OrDefault(factory);
  for (const auto& record : CTDbObject::AllObjects(Cls_CentralController::kTableId, false, f)) {
    auto* controller = CachedController({record->TableId(), record->RecordId()}, *f);
    if (!controller) continue;
    const int type = controller->Type();
    if (type < kCcTypeFirstCombinedOnly) variants.push_back({controller, {}});
    if (type == kCcTypeIntelligent) continue;
    LTControllerVariant combined{controller, {}};
    for (const auto& row : controller->RelatedObjects(Cls_CCCombination::kTableId,
                                                      Cls_CCCombination::kCentralController)) {
      auto* combination = dynamic_cast<Cls_CCCombination*>(row.get());
      if (!combination) continue;
      if (auto* component = CachedController(combination->ComponentRef(), *f))
        combined.subComponents.push_back(component);
    }
    if (combined.HasSubComponents()) variants.push_back(std::move(combined));
  }
  return variants;
}

LTControllerVariantList ControllerVariantsOf(
    const std::vector<std::unique_ptr<Cls_CentralController>>& choices) {
  LTControllerVariantList variants;
  for (const auto& choice : choices) {
    LTControllerVariant variant{choice.get(), {}};
    for (const auto& component : choice->ChoiceComponents())
      variant.subComponents.push_back(component.get());
    variants.push_back(std::move(variant));
  }
  return variants;
}

const LTControllerVariant* FindControllerVariant(const LTControllerVariantList& variants,
                                                 int tableId, int recordId, bool subComponents) {
  const auto names = [&](const LTControllerVariant& v) {
    return v.controller && v.controller->RecordId() == recordId &&
           v.controller->TableId() == tableId;
  };
  for (const LTControllerVariant& v : variants) {
    if (names(v) && v.HasSubComponents() == subComponents) return &v;
  }
  if (!subComponents) return nullptr;
  for (const LTControllerVariant& v : variants) {
    if (names(v)) return &v;
  }
  return nullptr;
}

bool Cls_QsProject::AssignCentralControllers(const std::vector<LTControllerVariant>& variants,
                                             const LTControllerVariant* basic,
                                             bool& systemsHaveErrors) {
  centralGroups_.clear();
  systemsHaveErrors = false;
  if (!basic || !basic->controller) return false;

  std::vector<LTCcSystem> systems;
  for (Cls_QsDevicePlacement* placement : GetTopLevelPlacements()) {
    auto* system = dynamic_cast<Cls_QsOutPlacement*>(placement);
    if (!system) continue;
    if (system->HasError()) {
      systemsHaveErrors = true;
      return false;
    }
    systems.push_back({system, 0, 0, nullptr});
  }

  std::vector<const LTControllerVariant*> controllers{basic};
  for (LTCcSystem& entry : systems) {
    Cls_QsOutPlacement& system = *entry.system;
    entry.units = system.GetUnitCount();
    auto* model = dynamic_cast<Cls_OutdoorUnit*>(system.GetModel());
    entry.horsepower = model ? model->Horsepower() : 0;

    const LTRecordRef preferred = system.GetPreferredControllerRef();
    const bool useSub = system.GetCcUseSubComponents();
    const bool namesBasic = preferred.tableId == basic->controller->TableId() &&
                            preferred.recordId == basic->controller->RecordId() &&
                            useSub == basic->HasSubComponents();
    const LTControllerVariant* variant =
        namesBasic ? nullptr
                   : FindControllerVariant(variants, preferred.tableId, preferred.recordId, useSub);
    if (!variant) {
      // The basic controller, named or no longer offered: the system falls back to it.
      ClearControllerPreference(system);
      continue;
    }
    entry.variant = variant;
    bool listed = false;
    for (const LTControllerVariant* controller : controllers)
      listed = listed || controller->SameAs(*variant);
    if (!listed) controllers.push_back(variant);
  }

  std::vector<LTCcSystem*> sorted;
  for (LTCcSystem& entry : systems) sorted.push_back(&entry);
  const auto sortKey = [](const LTCcSystem* s) {
    Cls_QsOutPlacement& system = *s->system;
    return std::make_tuple(system.GetPreferredControllerRef().recordId,
                           system.GetCcUseSubComponents(), system.GetCcSeqNr(), system.GetSeqNr());
  };
  ListSort(sorted, [&](const LTCcSystem* later, const LTCcSystem* earlier) {
    return sortKey(later) < sortKey(earlier);
  });

  bool result = true;
  for (std::size_t k = 0; k < controllers.size() && result; ++k) {
    const LTControllerVariant& controller = *controllers[k];
    std::vector<LTCcSystem*> own;
    for (LTCcSystem* entry : sorted) {
      const bool mine = entry->variant ? entry->variant->SameAs(controller) : k == 0;
      if (mine) own.push_back(entry);
    }
    if (!own.empty()) result = FormCcGroups(controller, own, Factory(), centralGroups_);
  }
  if (!result) centralGroups_.clear();
  return result;
}
