#include "catalogue/Devices.h"

void Cls_Device::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddNameField(table, kName, "Fld_Name");
  AddBoolField(table, kDeleted, "Fld_Deleted");
}

void Cls_Device::GetName(int& charset, std::string& text) const {
  text = ReadText(*this, kName, &charset);
}

void Cls_Device::SetName(const std::string& text) {
  SetString(kName, text);
}

bool Cls_Device::IsDeleted() const {
  return Values().GetBool(kDeleted);
}

void Cls_Device::SetDeleted(bool deleted) {
  SetBool(kDeleted, deleted);
}

void Cls_BSBox::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Device::DefineFields(table, IdFieldName(idFieldName, "BSU_ID"));
  AddDoubleField(table, kMinCapIndex, "BSU_MinCapIndex");
  AddDoubleField(table, kMaxCapIndex, "BSU_MaxCapIndex");
  AddDoubleField(table, kLiquidPipesIndoor, "BSU_LiquidPipesIndoor");
  AddDoubleField(table, kGasPipesIndoor, "BSU_GasPipesIndoor");
  AddIntField(table, kIndoorPipeSide, "BSU_IndoorPipeSide", 1);
  AddDoubleField(table, kIndoorPipeXY, "BSU_IndoorPipeXY");
  AddDoubleField(table, kLiquidPipesOutdoor, "BSU_LiquidPipesOutdoor");
  AddDoubleField(table, kGasPipesSuctionOutdoor, "BSU_GasPipesSuctionOutdoor");
  AddDoubleField(table, kGasPipesDischOutdoor, "BSU_GasPipesDischOutdoor");
  AddIntField(table, kOutdoorPipeSide, "BSU_OutdoorPipeSide", 1);
  AddStringField(table, kSeries, "BSU_Series");
  AddDoubleField(table, kEquivalentLength, "BSU_EquivalentLength", 4.0);
  AddDoubleField(table, kOutdoorPipeXY, "BSU_OutdoorPipeXY");
}

void Cls_CentralController::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Device::DefineFields(table, IdFieldName(idFieldName, "ACC_ID"));
  AddBoolField(table, kNeedsPower, "ACC_NeedsPower", true);
  AddStringField(table, kTechSpec, "ACC_TechSpec");
  AddIntField(table, kMaxGroups, "ACC_MaxGroups", 64);
  AddDoubleField(table, kWidth, "ACC_Width");
  AddIntField(table, kType, "ACC_Type");
  AddTranslatedField(table, kSeries, "ACC_Series");
  AddStringField(table, kPictureName, "ACC_PictureName");
  AddDoubleField(table, kHeight, "ACC_Height");
  AddIntField(table, kMaxOutdoors, "ACC_MaxOutdoors", 10);
  AddIntField(table, kMaxCapacity, "ACC_MaxCapacity", 100);
  AddDoubleField(table, kDepth, "ACC_Depth");
}

void Cls_AEX::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Device::DefineFields(table, IdFieldName(idFieldName, "AEX_ID"));
  AddDoubleField(table, kNomHumidity, "AEX_NomHumidity");
  AddDoubleField(table, kNomAirflow, "AEX_NomAirflow");
  AddDoubleField(table, kMinAirflow, "AEX_MinAirflow");
  AddDoubleField(table, kMaxAirflow, "AEX_MaxAirflow");
  AddIntField(table, kType, "AEX_Type");
  AddStringField(table, kSeries, "AEX_Series");
  AddDoubleField(table, kDuctDiam, "AEX_DuctDiam");
  AddDoubleField(table, kTempLow, "AEX_TempLow");
  AddDoubleField(table, kTempHigh, "AEX_TempHigh");
  AddDoubleField(table, kRH, "AEX_RH");
}
