#include "design/QsProject.h"

#include "objectstore/TableInfo.h"

Cls_QsProject::Cls_QsProject(int recordId, CTBaseFactory* factory)
    : CTDbObject(kTableId, recordId, factory) {}

void Cls_QsProject::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kToolVersion, CTFieldInfo::String("Fld_ToolVersion", false, true, ""));
  table.AddField(kAwardString, CTFieldInfo::String("Fld_AwardString", false, true, ""));
  table.AddField(kUseBasicControllerSubComponents,
                 CTFieldInfo::Boolean("Fld_UseBasicControllerSubComponents", true, false));
  table.AddField(kDbVersion, CTFieldInfo::String("Fld_DbVersion", false, true, "1.3"));
  table.AddField(kName, CTFieldInfo::String("Fld_Name", false, true, ""), true);
  table.AddField(kOuFamily, CTFieldInfo::Integer("Fld_OuFamily", true, 1));
  table.AddField(kIuFamily, CTFieldInfo::String("Fld_IuFamily", false, true, ""));
  // The texts of the project's header are read only where they are shown.
  table.AddField(kProjectReference, CTFieldInfo::String("Fld_ProjectReference", false, false, ""));
  table.AddField(kClientName, CTFieldInfo::String("Fld_ClientName", false, false, ""));
  table.AddField(kClientAddress, CTFieldInfo::String("Fld_ClientAddress", false, false, ""));
  table.AddField(kOstrelDefinedVersion,
                 CTFieldInfo::String("Fld_OstrelDefinedVersion", false, true, ""));
  AddReferenceFields(table, kRefrigerant, "Fld_Refrigerant");
  AddReferenceFields(table, kBasicController, "Fld_CentralController");
  AddReferenceFields(table, kIntelligentController, "Fld_CentralController2");
}

// The name field is eager, so a partially loaded project already holds it.
void Cls_QsProject::GetName(int& charset, std::string& text) const {
  charset = 0;
  text = Values().GetBytes(kName);
}

void Cls_QsProject::SetName(const std::string& text) {
  SetString(kName, text);
}
