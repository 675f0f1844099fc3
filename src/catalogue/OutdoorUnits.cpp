#include "catalogue/OutdoorUnits.h"

void Cls_OutdoorDevice::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Device::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddDoubleField(table, kCMaxOTemp, "Fld_CMaxOTemp");
  AddDoubleField(table, kHMinITemp, "Fld_HMinITemp");
  AddDoubleField(table, kCIndUpperLimit, "Fld_CIndUpperLimit");
  AddDoubleField(table, kCIndLowerLimit, "Fld_CIndLowerLimit");
  AddDoubleField(table, kHIndUpperLimit, "Fld_HIndUpperLimit");
  AddDoubleField(table, kHIndLowerLimit, "Fld_HIndLowerLimit");
  AddDoubleField(table, kHDIndLR, "Fld_HDIndLR");
  AddDoubleField(table, kHDIndUR, "Fld_HDIndUR");
  AddDoubleField(table, kHDOutUL, "Fld_HDOutUL");
  AddDoubleField(table, kHMaxITemp, "Fld_HMaxITemp");
  AddDoubleField(table, kHMinOTemp, "Fld_HMinOTemp");
  AddDoubleField(table, kHMaxOTemp, "Fld_HMaxOTemp");
  AddIntField(table, kFamily, "Fld_Family", 1);
  AddStringField(table, kSeries, "Fld_Series");
  AddDoubleField(table, kCDIndLL, "Fld_CDIndLL");
  AddDoubleField(table, kCDIndUL, "Fld_CDIndUL");
  AddDoubleField(table, kCDIndUR, "Fld_CDIndUR");
  AddDoubleField(table, kCDOutLL, "Fld_CDOutLL");
  AddDoubleField(table, kCDOutUL, "Fld_CDOutUL");
  AddDoubleField(table, kCDOutLR, "Fld_CDOutLR");
  AddDoubleField(table, kCDOutUR, "Fld_CDOutUR");
  AddDoubleField(table, kHDIndLL, "Fld_HDIndLL");
  AddDoubleField(table, kHDIndUL, "Fld_HDIndUL");
  AddDoubleField(table, kHDOutLR, "Fld_HDOutLR");
  AddDoubleField(table, kHDOutUR, "Fld_HDOutUR");
  AddDoubleField(table, kCMinITemp, "Fld_CMinITemp");
  AddDoubleField(table, kCMaxITemp, "Fld_CMaxITemp");
  AddDoubleField(table, kCMinOTemp, "Fld_CMinOTemp");
  AddDoubleField(table, kCDIndLR, "Fld_CDIndLR");
  AddDoubleField(table, kHDOutLL, "Fld_HDOutLL");
}

void Cls_OutdoorUnit::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_OutdoorDevice::DefineFields(table, IdFieldName(idFieldName, "OUT_ID"));
  AddDoubleField(table, kSimCMaxITemp, "OUT_SimCMaxITemp");
  AddDoubleField(table, kSimHMinITemp, "OUT_SimHMinITemp");
  AddDoubleField(table, kSimHMaxITemp, "OUT_SimHMaxITemp");
  AddDoubleField(table, kMinConnRatio, "OUT_MinConnRatio", 50.0);
  AddDoubleField(table, kMaxTotalPipingLength, "OUT_MaxTotalPipingLength");
  AddDoubleField(table, kMaxPipingDiff, "OUT_MaxPipingDiff");
  AddDoubleField(table, kMinConnRatioOutdoorBelow, "OUT_MinConnRatioOutdoorBelow");
  AddDoubleField(table, kMinConnRatioLargeDiff, "OUT_MinConnRatioLargeDiff");
  AddDoubleField(table, kMinLevelDiffOutdoorBelow, "OUT_MinLevelDiffOutdoorBelow");
  AddDoubleField(table, kMaxLevelDiffOutdoorBelow, "OUT_MaxLevelDiffOutdoorBelow");
  AddDoubleField(table, kNomAmbientTempCooling, "OUT_NomAmbientTempCooling");
  AddDoubleField(table, kNomIndoorTempCooling, "OUT_NomIndoorTempCooling");
  AddDoubleField(table, kNomAmbientTempHeating, "OUT_NomAmbientTempHeating");
  AddDoubleField(table, kNomIndoorTempHeating, "OUT_NomIndoorTempHeating");
  AddBoolField(table, kSupportsHighCombPerc, "OUT_SupportsHighCombPerc");
  AddDoubleField(table, kMaxLastBranchToIndoor, "OUT_MaxLastBranchToIndoor");
  AddDoubleField(table, kMaxActualLength, "OUT_MaxActualLength");
  AddDoubleField(table, kLengthForSizeUpOthers, "OUT_LengthForSizeUpOthers", 40.0);
  AddDoubleField(table, kMaxTotalRefrigCharge, "OUT_MaxTotalRefrigCharge", 100.0);
  AddBoolField(table, kAutoRecharge, "OUT_AutoRecharge");
  AddDoubleField(table, kMinAutoRechargeConnectionRatio, "OUT_MinAutoRechargeConnectionRatio");
  AddDoubleField(table, kMaxConnRatio, "OUT_MaxConnRatio", 130.0);
  AddBoolField(table, kIsDefault, "OUT_IsDefault");
  AddIntField(table, kMaxIndoorUnits, "OUT_MaxIndoorUnits", 8);
  AddDoubleField(table, kBaseCharge, "OUT_BaseCharge");
  AddDoubleField(table, kExtraCharge, "OUT_ExtraCharge");
  AddDoubleField(table, kMaxLength, "OUT_MaxLength");
  AddDoubleField(table, kMaxHeight, "OUT_MaxHeight");
  AddDoubleField(table, kAdjIndoors, "OUT_AdjIndoors");
  AddDoubleField(table, kMaxFirstBranchToIndoor, "OUT_MaxFirstBranchToIndoor");
  AddDoubleField(table, kLiquidPipes, "OUT_LiquidPipes");
  AddDoubleField(table, kGasPipes, "OUT_GasPipes");
  AddDoubleField(table, kDischargePipes, "OUT_DischargePipes");
  AddIntField(table, kLiquidPipeSide, "OUT_LiquidPipeSide", 1);
  AddDoubleField(table, kLiquidPipeXY, "OUT_LiquidPipeXY");
  AddDoubleField(table, kOilEqualizingPipe, "OUT_OilEqualizingPipe");
  AddDoubleField(table, kLengthForSizeUpMain, "OUT_LengthForSizeUpMain", 90.0);
  AddDoubleField(table, kSimCMinITemp, "OUT_SimCMinITemp");
  AddIntField(table, kHorsepower, "OUT_Horsepower");
  AddReferenceFields(table, kRefrigerant, "OUT_Refrigerant");
}
