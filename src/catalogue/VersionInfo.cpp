#include "catalogue/VersionInfo.h"

#include "i18n/MessageCatalog.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/DbEngine.h"
#include "objectstore/TableInfo.h"

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

namespace {

constexpr int kMsgWrongVersion = 5014;

std::unique_ptr<Cls_DdbVersionInfo> TheVersionRecord(CTBaseFactory* factory) {
  auto record = CTDbObject::SingleObject(Cls_DdbVersionInfo::kTableId, false, factory);
  return std::unique_ptr<Cls_DdbVersionInfo>(dynamic_cast<Cls_DdbVersionInfo*>(record.release()));
}

// Without leading and trailing blanks and control characters.
std::string TrimBlanks(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

}  // namespace

bool CheckCatalogueVersion(const std::string& required, CTBaseFactory* factory) {
  auto record = TheVersionRecord(factory);
  if (!record) return false;
  const std::string stored = record->DbVersion();
  if (stored == required) return true;
  const CTDbEngine* engine = record->Table().Engine();
  const std::string database = engine ? engine->DatabaseName() : std::string();
  TBaseMsg::ShowError(kMsgWrongVersion, CTMsgList{database + " " + required + " <> " + stored});
  return false;
}

std::string CatalogueDataVersion(CTBaseFactory* factory) {
  auto record = TheVersionRecord(factory);
  return record ? TrimBlanks(record->DataVersion()) : std::string();
}

int CatalogueDataRegion(CTBaseFactory* factory) {
  auto record = TheVersionRecord(factory);
  return record ? record->DataRegion() : 0;
}
