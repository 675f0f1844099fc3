#include "catalogue/VersionInfo.h"

#include "catalogue/CatalogueFields.h"

void Cls_DdbVersionInfo::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, IdFieldName(idFieldName, "DVI_ID"));
  AddIntField(table, kExpiryAction, "DVI_ExpiryAction");
  AddStringField(table, kCalidraVersion, "DVI_CalidraVersion");
  AddStringField(table, kChillerVersion, "DVI_ChillerVersion");
  AddStringField(table, kQRNVersion, "DVI_QRNVersion");
  AddIntField(table, kDataRegion, "DVI_DataRegion");
  AddDateField(table, kDbDate, "DVI_DbDate");
  AddStringField(table, kDbVersion, "DVI_DbVersion");
  AddStringField(table, kDataVersion, "DVI_DataVersion");
}
