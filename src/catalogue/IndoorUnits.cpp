#include "catalogue/IndoorUnits.h"

void Cls_IndoorDevice::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Device::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddDoubleField(table, kPipDrainInt, "Fld_PipDrainInt");
  AddDoubleField(table, kPipDrainExt, "Fld_PipDrainExt");
  AddDoubleField(table, kHighBypass, "Fld_HighBypass");
  AddDoubleField(table, kHighFan, "Fld_HighFan");
  AddDoubleField(table, kLowFan, "Fld_LowFan");
  AddDoubleField(table, kLowBypass, "Fld_LowBypass");
  AddStringField(table, kSeries, "Fld_Series");
  AddDoubleField(table, kCapIndex, "Fld_CapIndex");
  AddBoolField(table, kHasDucting, "Fld_HasDucting");
  AddBoolField(table, kIsFloorModel, "Fld_IsFloorModel");
  AddDoubleField(table, kDrainPipeXY, "Fld_DrainPipeXY");
  AddIntField(table, kDrainPipeSide, "Fld_DrainPipeSide", 1);
  AddDoubleField(table, kLiquidPipeXY, "Fld_LiquidPipeXY");
  AddIntField(table, kLiquidPipeSide, "Fld_LiquidPipeSide", 1);
  AddDoubleField(table, kPipLiquid, "Fld_PipLiquid");
  AddDoubleField(table, kPipGas, "Fld_PipGas");
}

void Cls_IndoorUnit::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_IndoorDevice::DefineFields(table, IdFieldName(idFieldName, "IND_ID"));
  AddDoubleField(table, kMaxConnRatio, "IND_MaxConnRatio");
  AddDoubleField(table, kConnRatioIncreasedTo, "IND_ConnRatioIncreasedTo");
  AddStringField(table, kFamily, "IND_Family");
  AddDoubleField(table, kHUnitSize, "IND_HUnitSize", 1.0);
  AddDoubleField(table, kCUnitSize, "IND_CUnitSize", 1.0);
}

void Cls_IndFamily::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "IFA_ID"));
  AddNameField(table, kName, "IFA_Name", true);
  AddStringField(table, kShort, "IFA_Short");
}

void Cls_IndFamily::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_IndFamily::SetName(const std::string& text) {
  SetString(kName, text);
}
