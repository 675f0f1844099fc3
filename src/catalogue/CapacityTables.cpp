#include "catalogue/CapacityTables.h"

void Cls_Polynomial::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "POL_ID"));
  AddIntField(table, kType, "POL_Type");
  AddDoubleField(table, kSelect2, "POL_Select2");
  AddDoubleField(table, kA1, "POL_A1");
  AddDoubleField(table, kA2, "POL_A2");
  AddDoubleField(table, kA3, "POL_A3");
  AddDoubleField(table, kA5, "POL_A5");
  AddDoubleField(table, kA6, "POL_A6");
  AddDoubleField(table, kA7, "POL_A7");
  AddDoubleField(table, kSelect1, "POL_Select1");
  AddDoubleField(table, kA0, "POL_A0");
  AddDoubleField(table, kA4, "POL_A4");
}

void Cls_OutCapacity::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_Polynomial::DefineFields(table, IdFieldName(idFieldName, "POL_ID"));
  AddReferenceFields(table, kOutdoorUnit, "POL_OutdoorUnit");
}

void Cls_OutCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "OCT_ID"));
  AddDoubleField(table, kCombination, "OCT_Combination");
  AddDoubleField(table, kCapIndex, "OCT_CapIndex", -1.0);
  AddDoubleField(table, kCUnitSize, "OCT_CUnitSize");
  AddDoubleField(table, kHUnitSize, "OCT_HUnitSize");
  AddReferenceFields(table, kOutdoorUnit, "OCT_OutdoorUnit");
}

void Cls_CapVariation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "CVT_ID"));
  AddIntField(table, kType, "CVT_Type");
  AddDoubleField(table, kCorr, "CVT_Corr");
  AddDoubleField(table, kLength, "CVT_Length");
  AddReferenceFields(table, kOutdoorUnit, "CVT_OutdoorUnit");
}

void Cls_FreezeUp::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "FRE_ID"));
  AddDoubleField(table, kCorr, "FRE_Corr", 1.0);
  AddDoubleField(table, kTemp, "FRE_Temp");
  AddReferenceFields(table, kOutdoorUnit, "FRE_OutdoorUnit");
}
