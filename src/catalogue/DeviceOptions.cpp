#include "catalogue/DeviceOptions.h"

void Cls_DeviceOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddStringField(table, kFrequency, "Fld_Frequency");
  AddDoubleField(table, kHeight, "Fld_Height");
  AddStringField(table, kMCA, "Fld_MCA");
  AddNameField(table, kName, "Fld_Name");
  AddStringField(table, kPictureName, "Fld_PictureName");
  AddStringField(table, kTechSpec, "Fld_TechSpec");
  AddIntField(table, kType, "Fld_Type", 1);
  AddDoubleField(table, kWidth, "Fld_Width");
  AddDoubleField(table, kValue, "Fld_Value");
  AddTranslatedField(table, kDescription, "Fld_Description");
  AddStringField(table, kVolts, "Fld_Volts");
  AddBoolField(table, kDeleted, "Fld_Deleted");
  AddDoubleField(table, kDepth, "Fld_Depth");
}

void Cls_DeviceOption::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_DeviceOption::SetName(const std::string& text) {
  SetString(kName, text);
}

void Cls_DeviceOption::GetDescription(int& charset, std::string& text) const {
  text = ReadText(*this, kDescription, &charset);
}

void Cls_DeviceOption::SetDescription(const std::string& text) {
  SetString(kDescription, text);
}

bool Cls_DeviceOption::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_DeviceOption::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}

void Cls_BSOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceOption::DefineFields(table, IdFieldName(idFieldName, "BOP_ID"));
}

void Cls_IndOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceOption::DefineFields(table, IdFieldName(idFieldName, "IOP_ID"));
}

void Cls_OutOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceOption::DefineFields(table, IdFieldName(idFieldName, "OOP_ID"));
}

void Cls_AEXOption::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceOption::DefineFields(table, IdFieldName(idFieldName, "AOP_ID"));
  AddDoubleField(table, kHUnitSize, "AOP_HUnitSize");
  AddDoubleField(table, kLowFan, "AOP_LowFan");
  AddDoubleField(table, kHighFan, "AOP_HighFan");
  AddDoubleField(table, kLowByPass, "AOP_LowByPass");
  AddDoubleField(table, kHighBypass, "AOP_HighBypass");
  AddDoubleField(table, kCapIndex, "AOP_CapIndex");
  AddDoubleField(table, kCUnitSize, "AOP_CUnitSize");
}

void Cls_DevOptCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddBoolField(table, kIsStandard, "Fld_IsStandard");
  AddIntField(table, kNrRequired, "Fld_NrRequired", 1);
  AddBoolField(table, kIsPreferred, "Fld_IsPreferred");
  AddReferenceFields(table, kDevice, "Fld_Device");
  AddReferenceFields(table, kDeviceOption, "Fld_DeviceOption");
  AddReferenceFields(table, kPowerSupply, "Fld_PowerSupply");
}
