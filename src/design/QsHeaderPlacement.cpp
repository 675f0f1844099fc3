#include "design/QsHeaderPlacement.h"

#include "objectstore/TableInfo.h"

Cls_QsHeaderPlacement::Cls_QsHeaderPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsHeaderPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kNbConnections, CTFieldInfo::Integer("Fld_NbConnections", true, 0));
}
