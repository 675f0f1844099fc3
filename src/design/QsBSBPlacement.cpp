#include "design/QsBSBPlacement.h"

Cls_QsBSBPlacement::Cls_QsBSBPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsBSBPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}
