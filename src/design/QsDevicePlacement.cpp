#include "design/QsDevicePlacement.h"

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
