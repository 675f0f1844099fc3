#include "catalogue/PowerSupplies.h"

void Cls_PowerSupply::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "PWS_ID"));
  AddBoolField(table, kDeleted, "PWS_Deleted");
  AddNameField(table, kName, "PWS_Name");
  AddStringField(table, kPhases, "PWS_Phases");
  AddStringField(table, kFrequency, "PWS_Frequency");
  AddStringField(table, kVoltage, "PWS_Voltage");
  AddStringField(table, kRange, "PWS_Range");
  AddBoolField(table, kDefault, "PWS_Default");
  AddStringField(table, kPhaseNames, "PWS_PhaseNames");
}

void Cls_PowerSupply::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_PowerSupply::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_PowerSupply::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_PowerSupply::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}

void Cls_DevPSAllowed::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddStringField(table, kWiring, "Fld_Wiring");
  AddReferenceFields(table, kDevice, "Fld_Device");
  AddReferenceFields(table, kPowerSupply, "Fld_PowerSupply");
}

void Cls_QRNPSAllowed::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DevPSAllowed::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddStringField(table, kMaxVolts, "Fld_MaxVolts");
  AddDoubleField(table, kMCA, "Fld_MCA");
  AddDoubleField(table, kMFA, "Fld_MFA");
  AddStringField(table, kMinVolts, "Fld_MinVolts");
  AddDoubleField(table, kStartingCurrent, "Fld_StartingCurrent");
  AddStringField(table, kFuses, "Fld_Fuses");
  AddDoubleField(table, kRunningAmps, "Fld_RunningAmps");
}
