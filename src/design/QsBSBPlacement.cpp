#include "design/QsBSBPlacement.h"

#include <vector>

#include "catalogue/CompatTables.h"
#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/Preferences.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/ValueFormat.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextCase.h"
#include "objectstore/ListSort.h"

namespace {

constexpr int kMsgBoxTypeName = 10107;
constexpr int kMsgBoxNoIndoorUnit = 10043;
constexpr int kMsgBoxNotHeatRecovery = 10037;
constexpr int kMsgBoxNoSeriesForOutdoor = 10078;
constexpr int kMsgBoxNoneLargeEnough = 10066;
constexpr int kMsgBoxNoneForIndoorModel = 10065;

// The outdoor family whose systems take boxes.
constexpr int kBoxFamilyHeatRecovery = 0;

// What the box serves: its indoor units, found below it depth first through headers.
struct LTBoxLoad {
  int units = 0;
  double capacityIndex = 0;
  // The models of the units that have one, as their references.
  std::vector<LTRecordRef> models;
};

void CollectBoxLoad(const Cls_QsDevicePlacement& parent, LTBoxLoad& load) {
  for (Cls_QsDevicePlacement* child : parent.Children()) {
    if (dynamic_cast<Cls_QsHeaderPlacement*>(child)) {
      CollectBoxLoad(*child, load);
      continue;
    }
    if (!dynamic_cast<Cls_QsIndPlacement*>(child)) continue;
    ++load.units;
    CTDbObject* model = child->GetModel();
    if (!model) continue;
    if (auto* indoor = dynamic_cast<Cls_IndoorDevice*>(model))
      load.capacityIndex += indoor->CapIndex();
    load.models.push_back({model->TableId(), model->RecordId()});
  }
}

// Whether the box model lists every one of the models among its compatible indoor models.
bool BoxAcceptsModels(Cls_BSBox& box, const std::vector<LTRecordRef>& models) {
  const std::vector<Cls_IndoorUnit*>& compatible = GetCompatibleIndoorUnits(box);
  for (const LTRecordRef& model : models) {
    bool listed = false;
    for (Cls_IndoorUnit* unit : compatible) {
      if (unit->TableId() == model.tableId && unit->RecordId() == model.recordId) {
        listed = true;
        break;
      }
    }
    if (!listed) return false;
  }
  return true;
}

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

void Cls_QsBSBPlacement::SetBoxModel(Cls_BSBox* model) {
  // The selection runs on every edit of the system and the reference is written to the store at
  // once, so it is written only when it changes.
  const LTRecordRef wanted =
      model ? LTRecordRef{model->TableId(), model->RecordId()} : LTRecordRef{};
  if (GetDeviceRef() != wanted) SetModel(model);
}

void Cls_QsBSBPlacement::SelectBoxModel(Cls_OutdoorUnit* outdoorModel) {
  ClearError();
  LTBoxLoad load;
  CollectBoxLoad(*this, load);

  if (load.units == 0) {
    SetBoxModel(nullptr);
    std::string fullName;
    GetFullName(fullName);
    SetError(kMsgBoxNoIndoorUnit, fullName, kErrorLevel3);
    return;
  }
  if (!outdoorModel) {
    SetBoxModel(nullptr);
    return;
  }
  if (outdoorModel->Family() != kBoxFamilyHeatRecovery) {
    SetBoxModel(nullptr);
    std::string fullName;
    GetFullName(fullName);
    SetError(kMsgBoxNotHeatRecovery, fullName, kErrorLevel3, outdoorModel->Name());
    return;
  }

  const std::string series = GetSeries();
  std::vector<Cls_BSBox*> candidates;
  for (Cls_BSBox* box : outdoorModel->GetCompatibleBSBoxes()) {
    if (EqualNoCase(box->Series(), series)) candidates.push_back(box);
  }
  if (candidates.empty()) {
    SetBoxModel(nullptr);
    SetError(kMsgBoxNoSeriesForOutdoor, series, kErrorLevel3, outdoorModel->Name());
    return;
  }
  ListSort(candidates, [](Cls_BSBox* later, Cls_BSBox* earlier) {
    return later->MaxCapIndex() < earlier->MaxCapIndex();
  });

  int pending = kMsgBoxNoneLargeEnough;
  for (Cls_BSBox* box : candidates) {
    if (box->MaxCapIndex() < load.capacityIndex) continue;
    if (!BoxAcceptsModels(*box, load.models)) {
      pending = kMsgBoxNoneForIndoorModel;
      continue;
    }
    SetBoxModel(box);
    return;
  }
  SetBoxModel(nullptr);
  SetError(pending, series, kErrorLevel3, FormatGeneralNumber(load.capacityIndex));
}
