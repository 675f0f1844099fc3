#include "design/QsDevicePlacement.h"

#include "design/QsBSBPlacement.h"
#include "design/QsOutPlacement.h"
#include "objectstore/TableInfo.h"

Cls_QsDevicePlacement::Cls_QsDevicePlacement(int tableId, int recordId, CTBaseFactory* factory)
    : CTDbObject(tableId, recordId, factory) {}

void Cls_QsDevicePlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kName, CTFieldInfo::String("Fld_Name", false, true, ""), true);
  table.AddField(kSeqNr, CTFieldInfo::Integer("Fld_SeqNr", true, 0));
  table.AddField(kSeries, CTFieldInfo::String("Fld_Series", false, true, ""));
  table.AddField(kPrefOptionsAssigned,
                 CTFieldInfo::Boolean("Fld_PrefOptionsAssigned", true, false));
  AddReferenceFields(table, kParent, "Fld_QsDevicePlacement");
  AddReferenceFields(table, kProject, "Fld_QsProject");
  AddReferenceFields(table, kDevice, "Fld_Device");
}

// The name field is eager, so a partially loaded placement already holds it.
void Cls_QsDevicePlacement::GetName(int& charset, std::string& text) const {
  charset = 0;
  text = Values().GetBytes(kName);
}

void Cls_QsDevicePlacement::SetName(const std::string& text) {
  SetString(kName, text);
}

Cls_QsDevicePlacement* Cls_QsDevicePlacement::GetSystemAncestor() const {
  for (Cls_QsDevicePlacement* p = parent_; p; p = p->parent_) {
    const int table = p->TableId();
    if (table == Cls_QsOutPlacement::kTableId || table == Cls_QsBSBPlacement::kTableId) return p;
  }
  return nullptr;
}

Cls_QsDevicePlacement* Cls_QsDevicePlacement::GetTopAncestor() {
  Cls_QsDevicePlacement* top = this;
  while (top->parent_) top = top->parent_;
  return top;
}

Cls_QsDevicePlacement* Cls_QsDevicePlacement::FindInSubtree(int tableId, int recordId) {
  if (RecordId() == recordId && TableId() == tableId) return this;
  for (Cls_QsDevicePlacement* child : children_) {
    if (Cls_QsDevicePlacement* found = child->FindInSubtree(tableId, recordId)) return found;
  }
  return nullptr;
}

void Cls_QsDevicePlacement::SetParentRef(Cls_QsDevicePlacement* parent) {
  SetReference(kParent, parent);
}

void Cls_QsDevicePlacement::RenumberChildren() {
  for (std::size_t n = 0; n < children_.size(); ++n) {
    Cls_QsDevicePlacement* child = children_[n];
    if (child->GetSeqNr() != static_cast<int>(n)) {
      child->SetSeqNr(static_cast<int>(n));
      child->Post();
    }
    child->RenumberChildren();
  }
}

double Cls_QsDevicePlacement::GetCapacityIndexSum(bool counting) {
  double sum = 0;
  for (Cls_QsDevicePlacement* child : children_) sum += child->GetCapacityIndexSum(counting);
  return sum;
}
