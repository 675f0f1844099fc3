#include "design/QsUsedOption.h"

#include "objectstore/TableInfo.h"

Cls_QsUsedOption::Cls_QsUsedOption(int recordId, CTBaseFactory* factory)
    : CTDbObject(kTableId, recordId, factory) {}

void Cls_QsUsedOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kOption, "Fld_DeviceOption");
  AddReferenceFields(table, kPlacement, "Fld_QsDevicePlacement");
}
