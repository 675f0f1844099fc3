#include "design/QsBSBPlacement.h"

#include "design/Preferences.h"
#include "i18n/MessageCatalog.h"

namespace {

constexpr int kMsgBoxTypeName = 10107;

}  // namespace

Cls_QsBSBPlacement::Cls_QsBSBPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsBSBPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}

void Cls_QsBSBPlacement::GetDisplayText(int& charset, std::string& text) const {
  text = BaseDisplayText(charset) + CapacityIndexSuffix();
}

void Cls_QsBSBPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgBoxTypeName, charset, text);
}

void Cls_QsBSBPlacement::GetNamePrefix(std::string& text) const {
  text = CTPreferences::Current().boxPrefix;
}

void Cls_QsBSBPlacement::GetBoxSize(int& width, int& height, bool forPiping) const {
  Cls_QsDevicePlacement::GetBoxSize(width, height, forPiping);
  width = 60;
}

void Cls_QsBSBPlacement::SelectBoxModel(Cls_OutdoorUnit*) {}
