#include "catalogue/PipingTables.h"

void Cls_HeaderJoint::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "PHJ_ID"));
  AddDoubleField(table, kEquivalentLength, "PHJ_EquivalentLength", 0.5);
  AddNameField(table, kName, "PHJ_Name");
  AddBoolField(table, kDeleted, "PHJ_Deleted");
  AddIntField(table, kConnections, "PHJ_Connections", 2);
}

void Cls_HeaderJoint::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_HeaderJoint::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_HeaderJoint::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_HeaderJoint::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}

void Cls_Diameter::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "DIA_ID"));
  AddBoolField(table, kIsLiquid, "DIA_IsLiquid");
  AddTranslatedField(table, kMMString, "DIA_MMString");
  AddTranslatedField(table, kInchString, "DIA_InchString");
  AddDoubleField(table, kDiameter, "DIA_Diameter");
}

void Cls_DiameterCapacity::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "DCA_ID"));
  AddBoolField(table, kIsSizeUp, "DCA_IsSizeUp");
  AddDoubleField(table, kMaxCap, "DCA_MaxCap");
  AddReferenceFields(table, kDiameter, "DCA_Diameter");
  AddReferenceFields(table, kDiameter2, "DCA_Diameter2");
  AddReferenceFields(table, kDiameter3, "DCA_Diameter3");
  AddReferenceFields(table, kOutdoorUnit, "DCA_OutdoorUnit");
}

void Cls_RefChargeCoefficient::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "RCC_ID"));
  AddDoubleField(table, kCoefficient, "RCC_Coefficient");
  AddReferenceFields(table, kDiameter, "RCC_Diameter");
  AddReferenceFields(table, kRefrigerant, "RCC_Refrigerant");
}

void Cls_Refrigerant::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "RFR_ID"));
  AddIntField(table, kRank, "RFR_Rank");
  AddNameField(table, kName, "RFR_Name");
  AddBoolField(table, kDeleted, "RFR_Deleted");
}

void Cls_Refrigerant::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_Refrigerant::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_Refrigerant::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_Refrigerant::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}
