#include "catalogue/Documentation.h"

void Cls_DeviceDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddDoubleField(table, kHeight, "Fld_Height");
  AddDoubleField(table, kWidth, "Fld_Width");
  AddDoubleField(table, kDepth, "Fld_Depth");
  AddDoubleField(table, kWeight, "Fld_Weight");
  AddReferenceFields(table, kDevice, "Fld_Device");
}

void Cls_BSDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceDocumentation::DefineFields(table, IdFieldName(idFieldName, "BDC_ID"));
}

void Cls_IndDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  // The indoor documentation shares the record-id name of the indoor units.
  Cls_DeviceDocumentation::DefineFields(table, IdFieldName(idFieldName, "IND_ID"));
  AddDoubleField(table, kOLeft, "IND_O_Left");
  AddDoubleField(table, kORight, "IND_O_Right");
  AddDoubleField(table, kOFront, "IND_O_Front");
  AddDoubleField(table, kOBack, "IND_O_Back");
  AddDoubleField(table, kOTop, "IND_O_Top");
  AddDoubleField(table, kOBottom, "IND_O_Bottom");
  AddDoubleField(table, kITop, "IND_I_Top");
  AddDoubleField(table, kSBottom, "IND_S_Bottom");
  AddDoubleField(table, kSoundHigh, "IND_SoundHigh");
  AddDoubleField(table, kILeft, "IND_I_Left");
  AddDoubleField(table, kIRight, "IND_I_Right");
  AddDoubleField(table, kIFront, "IND_I_Front");
  AddDoubleField(table, kIBack, "IND_I_Back");
  AddDoubleField(table, kIBottom, "IND_I_Bottom");
  AddDoubleField(table, kSLeft, "IND_S_Left");
  AddDoubleField(table, kSRight, "IND_S_Right");
  AddDoubleField(table, kSFront, "IND_S_Front");
  AddDoubleField(table, kSBack, "IND_S_Back");
  AddDoubleField(table, kSTop, "IND_S_Top");
  AddDoubleField(table, kSoundLow, "IND_SoundLow");
}

void Cls_OutdoorDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceDocumentation::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddDoubleField(table, kBack, "Fld_Back");
  AddDoubleField(table, kFront, "Fld_Front");
  AddDoubleField(table, kSide, "Fld_Side");
}

void Cls_OutDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_OutdoorDocumentation::DefineFields(table, IdFieldName(idFieldName, "ODC_ID"));
  AddDoubleField(table, kSoundPressure, "ODC_SoundPressure");
}

void Cls_AEXDocumentation::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_DeviceDocumentation::DefineFields(table, IdFieldName(idFieldName, "ADC_ID"));
}
