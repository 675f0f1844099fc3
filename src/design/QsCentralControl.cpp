#include "design/QsCentralControl.h"

#include "objectstore/TableInfo.h"

Cls_QsCenCoPlacement::Cls_QsCenCoPlacement(int recordId, CTBaseFactory* factory)
    : CTDbObject(kTableId, recordId, factory) {}

void Cls_QsCenCoPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kProject, "Fld_QsProject");
  AddReferenceFields(table, kController, "Fld_CentralController");
}
