#include "catalogue/PipingTables.h"

#include <algorithm>

#include "catalogue/Combinations.h"
#include "catalogue/Devices.h"
#include "catalogue/OutdoorUnits.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbEngine.h"
#include "objectstore/DbException.h"
#include "objectstore/DbViews.h"
#include "objectstore/ListSort.h"
#include "objectstore/TableInfo.h"

namespace {

// The usable joint rows of one outdoor or box model.
template <class Entry>
struct LTJointView {
  CTDbObjectList owned;
  std::vector<Entry> rows;
};

// The piping views of one outdoor model: its main-pipe sizes and its joint rows.
struct LTOutdoorPiping : CTDbView {
  CTOnce diameterOnce;
  CTDbObjectList diameterRecords;
  std::vector<Cls_DiameterCapacity*> diameterRows;
  Cls_DiameterCapacity* sizeUp = nullptr;

  CTOnce jointsOnce;
  LTJointView<LTOutdoorJointRow> joints;
};

// The joint rows of one box model.
struct LTBoxPiping : CTDbView {
  CTOnce jointsOnce;
  LTJointView<LTBoxJointRow> joints;
};

// The catalogue's pipe sizes, a view of the size table as a whole.
struct LTPipeSizes : CTDbView {
  CTOnce once;
  CTDbObjectList sizes;
  std::vector<Cls_Diameter*> full;
  std::vector<Cls_Diameter*> liquid;
};

// A charge coefficient record as the look-up compares it.
struct LTCoefficient {
  LTRecordRef refrigerant;
  bool hasSize;
  double diameter;
  double value;
};

// The catalogue's charge coefficients, a view of the coefficient table as a whole.
struct LTChargeCoefficients : CTDbView {
  CTOnce once;
  std::vector<LTCoefficient> coefficients;
};

// The view of a whole table of a factory's catalogue, or null when the table is not connected.
template <class V>
V* TableViewOf(CTBaseFactory* factory, int tableId) {
  if (!factory) return nullptr;
  CTTableInfo* table = factory->TableById(tableId);
  if (!table || !table->Engine()) return nullptr;
  return &table->Engine()->Views().Get<V>(tableId, 0);
}

void BuildSizeLists(LTPipeSizes& view, CTBaseFactory* factory) {
  view.sizes = CTDbObject::AllObjects(Cls_Diameter::kTableId, false, factory);
  for (const auto& object : view.sizes) {
    auto* size = dynamic_cast<Cls_Diameter*>(object.get());
    if (!size) continue;
    view.full.push_back(size);
    if (size->IsLiquid()) view.liquid.push_back(size);
  }
  const auto smaller = [](Cls_Diameter* later, Cls_Diameter* earlier) {
    return later->Diameter() < earlier->Diameter();
  };
  ListSort(view.full, smaller);
  ListSort(view.liquid, smaller);
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
  LTPipeSizes* view = TableViewOf<LTPipeSizes>(factory, kTableId);
  if (!view) return none;
  view->once.Run([&] { BuildSizeLists(*view, factory); });
  return liquid ? view->liquid : view->full;
}

Cls_Diameter* Cls_Diameter::FindDiameter(double millimetres, CTBaseFactory* factory) {
  factory = CTBaseFactory::OrDefault(factory);
  LTPipeSizes* view = TableViewOf<LTPipeSizes>(factory, kTableId);
  if (!view) return nullptr;
  view->once.Run([&] { BuildSizeLists(*view, factory); });
  // The records as the catalogue holds them: the sorted lists need not keep equal sizes in order.
  for (const auto& object : view->sizes) {
    auto* size = dynamic_cast<Cls_Diameter*>(object.get());
    if (size && size->Diameter() == millimetres) return size;
  }
  return nullptr;
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

// The piping views of an outdoor model with its diameter rows built; null for a model that is
// not a stored catalogue record.
LTOutdoorPiping* DiameterRowsOf(Cls_OutdoorUnit& unit) {
  LTOutdoorPiping* view = SharedViewOf<LTOutdoorPiping>(unit);
  if (!view) return nullptr;
  view->diameterOnce.Run([&] {
    view->diameterRecords =
        unit.RelatedObjects(Cls_DiameterCapacity::kTableId, Cls_DiameterCapacity::kOutdoorUnit,
                            nullptr, {"DCA_MaxCap"});
    // The first marked row in capacity order is the size-up row; later marked rows are unused.
    for (const auto& object : view->diameterRecords) {
      auto* row = dynamic_cast<Cls_DiameterCapacity*>(object.get());
      if (!row) continue;
      if (!row->IsSizeUp()) {
        view->diameterRows.push_back(row);
      } else if (!view->sizeUp) {
        view->sizeUp = row;
      }
    }
  });
  return view;
}

}  // namespace

const std::vector<Cls_DiameterCapacity*>& GetDiameterRows(Cls_OutdoorUnit& unit) {
  static const std::vector<Cls_DiameterCapacity*> none;
  const LTOutdoorPiping* view = DiameterRowsOf(unit);
  return view ? view->diameterRows : none;
}

Cls_DiameterCapacity* GetSizeUpRow(Cls_OutdoorUnit& unit) {
  const LTOutdoorPiping* view = DiameterRowsOf(unit);
  return view ? view->sizeUp : nullptr;
}

bool HasSizeUpRow(Cls_OutdoorUnit& unit) {
  return GetSizeUpRow(unit) != nullptr;
}

const std::vector<LTOutdoorJointRow>& GetJointRows(Cls_OutdoorUnit& unit) {
  static const std::vector<LTOutdoorJointRow> none;
  LTOutdoorPiping* view = SharedViewOf<LTOutdoorPiping>(unit);
  if (!view) return none;
  view->jointsOnce.Run([&] {
    view->joints = {};  // a build that failed before may have left rows behind
    BuildJointView<Cls_OHJCombination>(view->joints, unit, Cls_OHJCombination::kOutdoorUnit,
                                       Cls_OHJCombination::kHeaderJoint);
  });
  return view->joints.rows;
}

const std::vector<LTBoxJointRow>& GetJointRows(Cls_BSBox& box) {
  static const std::vector<LTBoxJointRow> none;
  LTBoxPiping* view = SharedViewOf<LTBoxPiping>(box);
  if (!view) return none;
  view->jointsOnce.Run([&] {
    view->joints = {};  // a build that failed before may have left rows behind
    BuildJointView<Cls_BHJCombination>(view->joints, box, Cls_BHJCombination::kBSBox,
                                       Cls_BHJCombination::kHeaderJoint);
  });
  return view->joints.rows;
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
  LTChargeCoefficients* view = TableViewOf<LTChargeCoefficients>(factory, kTableId);
  if (!view) return std::nullopt;
  view->once.Run([&] {
    const std::vector<Cls_Diameter*>& sizes = Cls_Diameter::GetDiameterList(false, factory);
    for (const auto& object : AllObjects(kTableId, false, factory)) {
      auto* record = dynamic_cast<Cls_RefChargeCoefficient*>(object.get());
      if (!record) continue;
      const int size = FindSize(sizes, record->DiameterRef());
      view->coefficients.push_back(
          LTCoefficient{record->RefrigerantRef(), size >= 0,
                        size >= 0 ? sizes[static_cast<std::size_t>(size)]->Diameter() : 0.0,
                        record->Coefficient()});
    }
  });
  for (const LTCoefficient& c : view->coefficients) {
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
