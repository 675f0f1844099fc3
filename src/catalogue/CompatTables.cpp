#include "catalogue/CompatTables.h"

#include <algorithm>

#include "catalogue/Combinations.h"
#include "catalogue/DeviceOptions.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/ListSort.h"
#include "objectstore/TableInfo.h"

namespace {

// The option kind of a multi-module connection piping kit.
constexpr int kMultiModuleKitType = 1;

// The cached instance of a referenced record when it exists and is of the expected class. A
// reference into another table names no model of that kind and counts as unresolved.
template <class T>
T* ResolveCached(const LTRecordRef& ref, CTBaseFactory& factory) {
  if (!ref.IsSet()) return nullptr;
  return dynamic_cast<T*>(CTDbObject::CachedObject(ref.tableId, ref.recordId, &factory));
}

// The models named at targetField by the rows of the referring table that point at the owner
// through ownerField, in the order of the rows; rows whose target does not resolve add nothing.
template <class T>
std::vector<T*> ResolveRelated(CTDbObject& owner, int referringTableId, int ownerField,
                               int targetField) {
  std::vector<T*> result;
  if (!owner.IsStored()) return result;
  CTDbObjectList rows = owner.RelatedObjects(referringTableId, ownerField);
  for (const auto& row : rows) {
    if (T* target = ResolveCached<T>(ReadReference(*row, targetField), owner.Factory()))
      result.push_back(target);
  }
  return result;
}

// The indoor models of one box model.
struct LTBoxCompat : CTDbView {
  CTOnce once;
  std::vector<Cls_IndoorUnit*> indoorUnits;
};

int ModuleHorsepower(Cls_OMCombination* row) {
  return row->Module() ? row->Module()->Horsepower() : 0;
}

}  // namespace

// -- Outdoor model --------------------------------------------------------------------------------

LTOutdoorCompat& Cls_OutdoorUnit::Compat() {
  return compat_.Of(*this);
}

const std::vector<Cls_IndoorUnit*>& Cls_OutdoorUnit::GetCompatibleIndoorUnits() {
  LTOutdoorCompat& compat = Compat();
  compat.indoorOnce.Run([&] {
    compat.indoorUnits = ResolveRelated<Cls_IndoorUnit>(*this, Cls_OICombination::kTableId,
                                                        Cls_OICombination::kOutdoorUnit,
                                                        Cls_OICombination::kIndoorUnit);
  });
  return compat.indoorUnits;
}

const std::vector<Cls_BSBox*>& Cls_OutdoorUnit::GetCompatibleBSBoxes() {
  LTOutdoorCompat& compat = Compat();
  compat.boxesOnce.Run([&] {
    compat.boxes =
        ResolveRelated<Cls_BSBox>(*this, Cls_OBCombination::kTableId,
                                  Cls_OBCombination::kOutdoorUnit, Cls_OBCombination::kBSBox);
  });
  return compat.boxes;
}

const std::vector<Cls_OMCombination*>& Cls_OutdoorUnit::GetModules() {
  LTOutdoorCompat& compat = Compat();
  compat.modulesOnce.Run([&] {
    if (!IsStored()) return;
    compat.moduleRecords =
        RelatedObjects(Cls_OMCombination::kTableId, Cls_OMCombination::kOutdoorUnit);
    for (const auto& record : compat.moduleRecords) {
      auto* row = dynamic_cast<Cls_OMCombination*>(record.get());
      if (!row) continue;
      row->SetModule(ResolveCached<Cls_OutdoorUnit>(row->ModuleRef(), Factory()));
      compat.modules.push_back(row);
    }
    // Largest module first; a row whose module did not resolve counts as 0 HP.
    ListSort(compat.modules, [](Cls_OMCombination* later, Cls_OMCombination* earlier) {
      return ModuleHorsepower(later) > ModuleHorsepower(earlier);
    });
  });
  return compat.modules;
}

double Cls_OutdoorUnit::GetModulesCapacityIndex(
    int n, const std::function<double(Cls_OutdoorUnit&)>& indexAt100) {
  // The rows expand to modules numbered 1, 2, ... in their sorted order; each module numbered
  // above n adds its index. Counted per row, so that a huge quantity costs nothing extra.
  double sum = 0.0;
  long long before = 0;  // modules of the rows already walked
  for (Cls_OMCombination* row : GetModules()) {
    const long long quantity = row->Quantity();
    if (quantity < 1) continue;  // stands for no module
    const long long counted = std::clamp(before + quantity - n, 0LL, quantity);
    before += quantity;
    if (counted > 0 && row->Module())
      sum += static_cast<double>(counted) * indexAt100(*row->Module());
  }
  return sum;
}

Cls_DeviceOption* Cls_OutdoorUnit::GetMultiModuleKit() {
  LTOutdoorCompat& compat = Compat();
  if (Cls_DeviceOption* kit = compat.multiModuleKit.load(std::memory_order_acquire)) return kit;
  if (GetModules().empty()) return nullptr;
  CTDbObjectList offers =
      RelatedObjects(Cls_DevOptCombination::kTableId, Cls_DevOptCombination::kDevice);
  for (const auto& offer : offers) {
    auto* option = ResolveCached<Cls_DeviceOption>(
        ReadReference(*offer, Cls_DevOptCombination::kDeviceOption), Factory());
    if (option && option->Type() == kMultiModuleKitType) {
      // Threads that search at once find the same cached instance.
      compat.multiModuleKit.store(option, std::memory_order_release);
      return option;
    }
  }
  return nullptr;
}

// -- Box model ------------------------------------------------------------------------------------

const std::vector<Cls_IndoorUnit*>& GetCompatibleIndoorUnits(Cls_BSBox& box) {
  static const std::vector<Cls_IndoorUnit*> none;
  LTBoxCompat* view = SharedViewOf<LTBoxCompat>(box);
  if (!view) return none;
  view->once.Run([&] {
    view->indoorUnits =
        ResolveRelated<Cls_IndoorUnit>(box, Cls_IBCombination::kTableId, Cls_IBCombination::kBSBox,
                                       Cls_IBCombination::kIndoorUnit);
  });
  return view->indoorUnits;
}
