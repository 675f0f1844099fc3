#include "design/QsIndVariantPlacements.h"

#include "objectstore/TableInfo.h"

Cls_QsHXB415Placement::Cls_QsHXB415Placement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsHXB415Placement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kAdapter, "Fld_IndOption");
}

Cls_QsAEXPlacement::Cls_QsAEXPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsAEXPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}

Cls_QsAXDPlacement::Cls_QsAXDPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsAXDPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}
