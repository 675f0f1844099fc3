#include "design/QsIndPlacement.h"

#include "objectstore/TableInfo.h"

Cls_QsIndPlacement::Cls_QsIndPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

Cls_QsIndPlacement::Cls_QsIndPlacement(int tableId, int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(tableId, recordId, factory) {}

void Cls_QsIndPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kIuSeqNr, CTFieldInfo::Integer("Fld_IuSeqNr", true, 0));
  table.AddField(kFamily, CTFieldInfo::String("Fld_Family", false, true, ""));
  table.AddField(kCoolIndoorTemp, CTFieldInfo::Double("Fld_CoolIndoorTemp", true, 24.0));
  table.AddField(kCoolIndoorRH, CTFieldInfo::Double("Fld_CoolIndoorRH", true, 50.0));
  table.AddField(kHeatCapReq, CTFieldInfo::Double("Fld_HeatCapReq", true, 0));
  table.AddField(kHeatIndoorTemp, CTFieldInfo::Double("Fld_HeatIndoorTemp", true, 20.0));
  table.AddField(kHeatIndoorRH, CTFieldInfo::Double("Fld_HeatIndoorRH", true, 50.0));
  table.AddField(kCoolCapReqTotal, CTFieldInfo::Double("Fld_CoolCapReqTotal", true, 0));
  table.AddField(kRemoteType, CTFieldInfo::Integer("Fld_RemoteType", true, kOwnRemote));
  table.AddField(kCoolCapReqSensible, CTFieldInfo::Double("Fld_CoolCapReqSensible", true, 0));
  table.AddField(kManualSelect, CTFieldInfo::Boolean("Fld_ManualSelect", true, false));
}
