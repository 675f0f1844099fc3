#include "design/QsHeaderPlacement.h"

#include "i18n/MessageCatalog.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgHeaderTypeName = 10109;

}  // namespace

Cls_QsHeaderPlacement::Cls_QsHeaderPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsHeaderPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kNbConnections, CTFieldInfo::Integer("Fld_NbConnections", true, 0));
}

void Cls_QsHeaderPlacement::GetDisplayText(int& charset, std::string& text) const {
  charset = 0;
  text = std::to_string(Values().GetInt(kNbConnections)) + CapacityIndexSuffix();
}

void Cls_QsHeaderPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgHeaderTypeName, charset, text);
}

void Cls_QsHeaderPlacement::GetFullName(std::string& text) const {
  text = TypeName();
}

CTDbObject* Cls_QsHeaderPlacement::GetModel() const {
  return const_cast<Cls_QsHeaderPlacement*>(this);
}
