#include "catalogue/Combinations.h"

void Cls_OICombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "CIO_ID"));
  AddReferenceFields(table, kIndoorUnit, "CIO_IndoorUnit");
  AddReferenceFields(table, kOutdoorUnit, "CIO_OutdoorUnit");
}

void Cls_OBCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "OBS_ID"));
  AddReferenceFields(table, kBSBox, "OBS_BSBox");
  AddReferenceFields(table, kOutdoorUnit, "OBS_OutdoorUnit");
}

void Cls_IBCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "IBS_ID"));
  AddReferenceFields(table, kBSBox, "IBS_BSBox");
  AddReferenceFields(table, kIndoorUnit, "IBS_IndoorUnit");
}

void Cls_OMCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "COM_ID"));
  AddIntField(table, kQuantity, "COM_Quantity", 1);
  AddReferenceFields(table, kOutdoorUnit, "COM_OutdoorUnit");
  AddReferenceFields(table, kOutdoorUnit2, "COM_OutdoorUnit2");
}

void Cls_CCCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "CCC_ID"));
  AddReferenceFields(table, kCentralController, "CCC_CentralController");
  AddReferenceFields(table, kCentralController2, "CCC_CentralController2");
}

void Cls_BHJCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "BHJ_ID"));
  AddDoubleField(table, kMinCapIndex, "BHJ_MinCapIndex");
  AddDoubleField(table, kMaxCapIndex, "BHJ_MaxCapIndex");
  AddReferenceFields(table, kBSBox, "BHJ_BSBox");
  AddReferenceFields(table, kHeaderJoint, "BHJ_HeaderJoint");
}

void Cls_OHJCombination::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "OHJ_ID"));
  AddDoubleField(table, kMaxCapIndex, "OHJ_MaxCapIndex");
  AddDoubleField(table, kMinCapIndex, "OHJ_MinCapIndex");
  AddBoolField(table, kFirstInPiping, "OHJ_FirstInPiping");
  AddDoubleField(table, kMinFCapIndex, "OHJ_MinFCapIndex");
  AddDoubleField(table, kMaxFCapIndex, "OHJ_MaxFCapIndex");
  AddReferenceFields(table, kHeaderJoint, "OHJ_HeaderJoint");
  AddReferenceFields(table, kOutdoorUnit, "OHJ_OutdoorUnit");
}
