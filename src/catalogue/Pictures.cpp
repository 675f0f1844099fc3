#include "catalogue/Pictures.h"

void Cls_Visualization::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddIntField(table, kDeviceClassID, "Fld_DeviceClassID");
  AddIntField(table, kDeviceFamily, "Fld_DeviceFamily");
  AddStringField(table, kDeviceSeries, "Fld_DeviceSeries");
  AddBlobField(table, kSmallImage, "Fld_SmallImage");
  AddBlobField(table, kLargeImage, "Fld_LargeImage");
}

void Cls_WiringLabels::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "Fld_ID"));
  AddTranslatedField(table, kControlOut, "Fld_ControlOut");
  AddTranslatedField(table, kRemoteController, "Fld_RemoteController");
  AddTranslatedField(table, kOutdoorModules, "Fld_OutdoorModules");
  AddTranslatedField(table, kControl, "Fld_Control");
  AddTranslatedField(table, kControlIn, "Fld_ControlIn");
}
