#include "catalogue/PipingTables.h"

#include <algorithm>
#include <map>

#include "catalogue/Combinations.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbException.h"
#include "objectstore/ListSort.h"
#include "objectstore/TableInfo.h"

namespace {

// The views of one outdoor model's main-pipe sizes.
struct LTDiameterRowsView {
  CTDbObjectList owned;
  std::vector<Cls_DiameterCapacity*> rows;
  Cls_DiameterCapacity* sizeUp = nullptr;
};

// The usable joint rows of one outdoor or box model.
template <class Entry>
struct LTJointView {
  CTDbObjectList owned;
  std::vector<Entry> rows;
};

// A charge coefficient record as the look-up compares it.
struct LTCoefficient {
  LTRecordRef refrigerant;
  bool hasSize;
  double diameter;
  double value;
};

// The pipe, joint and charge views of one connected catalogue. The catalogue is read-only, so
// each view is built on first use and kept until the catalogue disconnects; the per-model views
// are keyed by the model's record id, so every handle on a model shares them.
struct LTPipingCache {
  bool sizesBuilt = false;
  CTDbObjectList sizes;
  std::vector<Cls_Diameter*> full;
  std::vector<Cls_Diameter*> liquid;
  bool coefficientsBuilt = false;
  std::vector<LTCoefficient> coefficients;
  std::map<int, LTDiameterRowsView> diameterRows;
  std::map<int, LTJointView<LTOutdoorJointRow>> outdoorJoints;
  std::map<int, LTJointView<LTBoxJointRow>> boxJoints;
};

// One cache per factory. Never destroyed, so that a factory that outlives the program's other
// statics can still drop its entry when it disconnects. Used on the user-interface thread only.
std::map<const CTBaseFactory*, LTPipingCache>& Caches() {
  static auto* caches = new std::map<const CTBaseFactory*, LTPipingCache>;
  return *caches;
}

// The cache of a factory's catalogue, or null when its pipe-size table is not connected. The
// entry is dropped when that table's engine disconnects (it clears the table's object cache),
// before the objects it holds could outlive their engine.
LTPipingCache* CacheOf(CTBaseFactory* factory) {
  if (!factory) return nullptr;
  CTTableInfo* table = factory->TableById(Cls_Diameter::kTableId);
  if (!table || !table->Engine()) return nullptr;
  auto& caches = Caches();
  auto it = caches.find(factory);
  if (it == caches.end()) {
    it = caches.try_emplace(factory).first;
    table->AddCacheClearedCallback([factory] { Caches().erase(factory); });
  }
  return &it->second;
}

void BuildSizeLists(LTPipingCache& cache, CTBaseFactory* factory) {
  cache.sizesBuilt = true;
  cache.sizes = CTDbObject::AllObjects(Cls_Diameter::kTableId, false, factory);
  for (const auto& object : cache.sizes) {
    auto* size = dynamic_cast<Cls_Diameter*>(object.get());
    if (!size) continue;
    cache.full.push_back(size);
    if (size->IsLiquid()) cache.liquid.push_back(size);
  }
  const auto smaller = [](Cls_Diameter* later, Cls_Diameter* earlier) {
    return later->Diameter() < earlier->Diameter();
  };
  ListSort(cache.full, smaller);
  ListSort(cache.liquid, smaller);
}

// The position of the size a reference names in a size list, or -1.
int FindSize(const std::vector<Cls_Diameter*>& list, const LTRecordRef& size) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i]->TableId() == size.tableId && list[i]->RecordId() == size.recordId)
      return static_cast<int>(i);
  }
  return -1;
}

// The joint a joint row names, or null when the reference is empty, names no joint record (a
// record of another table, or one that is not there) or the joint is deleted. Other store errors
// (a reference the schema does not define, say) propagate.
std::unique_ptr<Cls_HeaderJoint> UsableJoint(CTDbObject& row, int field) {
  std::unique_ptr<CTDbObject> target;
  try {
    target = row.GetReferencedObject(field);
  } catch (const CTDbException& e) {
    if (e.Number() != CTDbException::kRecordNotFound) throw;
    return nullptr;  // a checked reference to a record that does not exist
  }
  auto* joint = dynamic_cast<Cls_HeaderJoint*>(target.get());
  if (!joint || joint->IsDeleted()) return nullptr;
  target.release();
  return std::unique_ptr<Cls_HeaderJoint>(joint);
}

// Builds the joint view of a model from the rows of table Row that refer to it at
// referringField, keeping those whose joint reference at jointField names a usable joint.
template <class Row, class Entry>
void BuildJointView(LTJointView<Entry>& view, CTDbObject& model, int referringField,
                    int jointField) {
  CTDbObjectList rows = model.RelatedObjects(Row::kTableId, referringField);
  for (auto& object : rows) {
    auto* row = dynamic_cast<Row*>(object.get());
    if (!row) continue;
    std::unique_ptr<Cls_HeaderJoint> joint = UsableJoint(*row, jointField);
    if (!joint) continue;
    view.rows.push_back(Entry{row, joint.get()});
    view.owned.push_back(std::move(object));
    view.owned.push_back(std::move(joint));
  }
}

}  // namespace

void Cls_HeaderJoint::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "PHJ_ID"));
  AddDoubleField(table, kEquivalentLength, "PHJ_EquivalentLength", 0.5);
  AddNameField(table, kName, "PHJ_Name");
  AddBoolField(table, kDeleted, "PHJ_Deleted");
  AddIntField(table, kConnections, "PHJ_Connections", 2);
}

void Cls_HeaderJoint::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_HeaderJoint::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_HeaderJoint::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_HeaderJoint::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}

void Cls_Diameter::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "DIA_ID"));
  AddBoolField(table, kIsLiquid, "DIA_IsLiquid");
  AddTranslatedField(table, kMMString, "DIA_MMString");
  AddTranslatedField(table, kInchString, "DIA_InchString");
  AddDoubleField(table, kDiameter, "DIA_Diameter");
}

const std::vector<Cls_Diameter*>& Cls_Diameter::GetDiameterList(bool liquid,
                                                                CTBaseFactory* factory) {
  static const std::vector<Cls_Diameter*> none;
  factory = CTBaseFactory::OrDefault(factory);
  LTPipingCache* cache = CacheOf(factory);
  if (!cache) return none;
  if (!cache->sizesBuilt) BuildSizeLists(*cache, factory);
  return liquid ? cache->liquid : cache->full;
}

double Cls_Diameter::GetRowDiameter(const LTRecordRef& size, bool sizeUp, bool liquidList,
                                    CTBaseFactory* factory) {
  if (!size.IsSet()) return 0.0;
  const std::vector<Cls_Diameter*>& full = GetDiameterList(false, factory);
  const int own = FindSize(full, size);
  if (own < 0) return 0.0;
  const double diameter = full[static_cast<std::size_t>(own)]->Diameter();
  if (!sizeUp) return diameter;
  const std::vector<Cls_Diameter*>& list = liquidList ? GetDiameterList(true, factory) : full;
  const int at = FindSize(list, size);
  if (at < 0 || static_cast<std::size_t>(at) + 1 >= list.size()) return diameter;
  return list[static_cast<std::size_t>(at) + 1]->Diameter();
}

namespace {

// The diameter rows view of an outdoor model, built on first use; null for a model that is not
// a stored catalogue record.
LTDiameterRowsView* DiameterRowsOf(Cls_OutdoorUnit& unit) {
  if (!unit.IsStored()) return nullptr;
  LTPipingCache* cache = CacheOf(&unit.Factory());
  if (!cache) return nullptr;
  const auto found = cache->diameterRows.find(unit.RecordId());
  if (found != cache->diameterRows.end()) return &found->second;
  LTDiameterRowsView& view = cache->diameterRows[unit.RecordId()];
  view.owned = unit.RelatedObjects(Cls_DiameterCapacity::kTableId,
                                   Cls_DiameterCapacity::kOutdoorUnit, nullptr, {"DCA_MaxCap"});
  // The first marked row in capacity order is the size-up row; later marked rows are unused.
  for (const auto& object : view.owned) {
    auto* row = dynamic_cast<Cls_DiameterCapacity*>(object.get());
    if (!row) continue;
    if (!row->IsSizeUp()) {
      view.rows.push_back(row);
    } else if (!view.sizeUp) {
      view.sizeUp = row;
    }
  }
  return &view;
}

}  // namespace

const std::vector<Cls_DiameterCapacity*>& GetDiameterRows(Cls_OutdoorUnit& unit) {
  static const std::vector<Cls_DiameterCapacity*> none;
  const LTDiameterRowsView* view = DiameterRowsOf(unit);
  return view ? view->rows : none;
}

Cls_DiameterCapacity* GetSizeUpRow(Cls_OutdoorUnit& unit) {
  const LTDiameterRowsView* view = DiameterRowsOf(unit);
  return view ? view->sizeUp : nullptr;
}

bool HasSizeUpRow(Cls_OutdoorUnit& unit) {
  return GetSizeUpRow(unit) != nullptr;
}

const std::vector<LTOutdoorJointRow>& GetJointRows(Cls_OutdoorUnit& unit) {
  static const std::vector<LTOutdoorJointRow> none;
  if (!unit.IsStored()) return none;
  LTPipingCache* cache = CacheOf(&unit.Factory());
  if (!cache) return none;
  const auto found = cache->outdoorJoints.find(unit.RecordId());
  if (found != cache->outdoorJoints.end()) return found->second.rows;
  auto& view = cache->outdoorJoints[unit.RecordId()];
  try {
    BuildJointView<Cls_OHJCombination>(view, unit, Cls_OHJCombination::kOutdoorUnit,
                                       Cls_OHJCombination::kHeaderJoint);
  } catch (...) {
    cache->outdoorJoints.erase(unit.RecordId());  // no half-built view stays behind
    throw;
  }
  return view.rows;
}

const std::vector<LTBoxJointRow>& GetJointRows(Cls_BSBox& box) {
  static const std::vector<LTBoxJointRow> none;
  if (!box.IsStored()) return none;
  LTPipingCache* cache = CacheOf(&box.Factory());
  if (!cache) return none;
  const auto found = cache->boxJoints.find(box.RecordId());
  if (found != cache->boxJoints.end()) return found->second.rows;
  auto& view = cache->boxJoints[box.RecordId()];
  try {
    BuildJointView<Cls_BHJCombination>(view, box, Cls_BHJCombination::kBSBox,
                                       Cls_BHJCombination::kHeaderJoint);
  } catch (...) {
    cache->boxJoints.erase(box.RecordId());  // no half-built view stays behind
    throw;
  }
  return view.rows;
}

void Cls_DiameterCapacity::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "DCA_ID"));
  AddBoolField(table, kIsSizeUp, "DCA_IsSizeUp");
  AddDoubleField(table, kMaxCap, "DCA_MaxCap");
  AddReferenceFields(table, kDiameter, "DCA_Diameter");
  AddReferenceFields(table, kDiameter2, "DCA_Diameter2");
  AddReferenceFields(table, kDiameter3, "DCA_Diameter3");
  AddReferenceFields(table, kOutdoorUnit, "DCA_OutdoorUnit");
}

void Cls_RefChargeCoefficient::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "RCC_ID"));
  AddDoubleField(table, kCoefficient, "RCC_Coefficient");
  AddReferenceFields(table, kDiameter, "RCC_Diameter");
  AddReferenceFields(table, kRefrigerant, "RCC_Refrigerant");
}

std::optional<double> Cls_RefChargeCoefficient::FindCoefficient(const LTRecordRef& refrigerant,
                                                                double diameter,
                                                                CTBaseFactory* factory) {
  // A project without a refrigerant has no charge, even where a record leaves its own unset.
  if (!refrigerant.IsSet()) return std::nullopt;
  factory = CTBaseFactory::OrDefault(factory);
  LTPipingCache* cache = CacheOf(factory);
  if (!cache) return std::nullopt;
  if (!cache->coefficientsBuilt) {
    const std::vector<Cls_Diameter*>& sizes = Cls_Diameter::GetDiameterList(false, factory);
    for (const auto& object : AllObjects(kTableId, false, factory)) {
      auto* record = dynamic_cast<Cls_RefChargeCoefficient*>(object.get());
      if (!record) continue;
      const int size = FindSize(sizes, record->DiameterRef());
      cache->coefficients.push_back(
          LTCoefficient{record->RefrigerantRef(), size >= 0,
                        size >= 0 ? sizes[static_cast<std::size_t>(size)]->Diameter() : 0.0,
                        record->Coefficient()});
    }
    cache->coefficientsBuilt = true;
  }
  for (const LTCoefficient& c : cache->coefficients) {
    if (c.refrigerant == refrigerant && c.hasSize && c.diameter == diameter) return c.value;
  }
  return std::nullopt;
}

std::vector<std::unique_ptr<Cls_Refrigerant>> Cls_Refrigerant::GetUsedRefrigerants(
    CTBaseFactory* factory) {
  factory = CTBaseFactory::OrDefault(factory);
  std::vector<std::unique_ptr<Cls_Refrigerant>> result;
  std::vector<LTRecordRef> used;
  for (const auto& object : AllObjects(Cls_OutdoorUnit::kTableId, false, factory)) {
    auto* unit = dynamic_cast<Cls_OutdoorUnit*>(object.get());
    if (!unit || unit->IsDeleted()) continue;
    const LTRecordRef ref = unit->RefrigerantRef();
    if (ref.IsSet() && std::find(used.begin(), used.end(), ref) == used.end()) used.push_back(ref);
  }
  for (auto& object : AllObjects(kTableId, false, factory)) {
    auto* refrigerant = dynamic_cast<Cls_Refrigerant*>(object.get());
    if (!refrigerant || refrigerant->IsDeleted()) continue;
    const LTRecordRef self{refrigerant->TableId(), refrigerant->RecordId()};
    if (std::find(used.begin(), used.end(), self) == used.end()) continue;
    object.release();
    result.emplace_back(refrigerant);
  }
  ListSort(result, [](const std::unique_ptr<Cls_Refrigerant>& later,
                      const std::unique_ptr<Cls_Refrigerant>& earlier) {
    return later->Rank() < earlier->Rank();
  });
  return result;
}

void Cls_Refrigerant::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "RFR_ID"));
  AddIntField(table, kRank, "RFR_Rank");
  AddNameField(table, kName, "RFR_Name");
  AddBoolField(table, kDeleted, "RFR_Deleted");
}

void Cls_Refrigerant::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_Refrigerant::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_Refrigerant::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_Refrigerant::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}
