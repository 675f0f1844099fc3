#include "design/QsOutPlacement.h"

#include "objectstore/TableInfo.h"

Cls_QsOutPlacement::Cls_QsOutPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsOutPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kCcUseSubComponents, CTFieldInfo::Boolean("Fld_CcUseSubComponents", true, false));
  table.AddField(kAllowHighCombPerc, CTFieldInfo::Boolean("Fld_AllowHighCombPerc", true, false));
  table.AddField(kMaxCombination, CTFieldInfo::Double("Fld_MaxCombination", true, 100));
  table.AddField(kDistBranchToIndoors, CTFieldInfo::Double("Fld_DistBranchToIndoors", true, 0));
  table.AddField(kLocked, CTFieldInfo::Boolean("Fld_Locked", true, false));
  table.AddField(kFamily, CTFieldInfo::Integer("Fld_Family", true, 0));
  table.AddField(kSelCombination, CTFieldInfo::Double("Fld_SelCombination", true, 100));
  table.AddField(kPipingHeightDiff, CTFieldInfo::Double("Fld_PipingHeightDiff", true, 0));
  table.AddField(kCcFlags, CTFieldInfo::Integer("Fld_CcFlags", true, 0));
  table.AddField(kPipingLength, CTFieldInfo::Double("Fld_PipingLength", true, 5));
  table.AddField(kCoolOutdoorTemp, CTFieldInfo::Double("Fld_CoolOutdoorTemp", true, 32));
  table.AddField(kCoolOutdoorRH, CTFieldInfo::Double("Fld_CoolOutdoorRH", true, 50));
  table.AddField(kHeatOutdoorTemp, CTFieldInfo::Double("Fld_HeatOutdoorTemp", true, 0));
  table.AddField(kHeatOutdoorRH, CTFieldInfo::Double("Fld_HeatOutdoorRH", true, 50));
  table.AddField(kCcSeqNr, CTFieldInfo::Integer("Fld_CcSeqNr", true, 0));
  AddReferenceFields(table, kCentralControlPlacement, "Fld_QsCenCoPlacement");
  AddReferenceFields(table, kPreferredController, "Fld_CentralController");
}
