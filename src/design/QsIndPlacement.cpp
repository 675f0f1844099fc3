#include "design/QsIndPlacement.h"

#include <algorithm>
#include <memory>

#include "catalogue/DeviceOptions.h"
#include "catalogue/IndoorUnits.h"
#include "design/PlacementOptions.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "design/QsUsedOption.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/StoreLock.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgIndoorTypeName = 10110;

}  // namespace

Cls_QsIndPlacement::Cls_QsIndPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

Cls_QsIndPlacement::Cls_QsIndPlacement(int tableId, int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(tableId, recordId, factory) {}

void Cls_QsIndPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kIuSeqNr, CTFieldInfo::Integer("Fld_IuSeqNr", true, 0));
  table.AddField(kFamily, CTFieldInfo::String("Fld_Family", false, true, ""));
  table.AddField(kCoolIndoorTemp, CTFieldInfo::Double("Fld_CoolIndoorTemp", true, 24.0));
  table.AddField(kCoolIndoorRH, CTFieldInfo::Double("Fld_CoolIndoorRH", true, 50.0));
  table.AddField(kHeatCapReq, CTFieldInfo::Double("Fld_HeatCapReq", true, 0));
  table.AddField(kHeatIndoorTemp, CTFieldInfo::Double("Fld_HeatIndoorTemp", true, 20.0));
  table.AddField(kHeatIndoorRH, CTFieldInfo::Double("Fld_HeatIndoorRH", true, 50.0));
  table.AddField(kCoolCapReqTotal, CTFieldInfo::Double("Fld_CoolCapReqTotal", true, 0));
  table.AddField(kRemoteType, CTFieldInfo::Integer("Fld_RemoteType", true, kOwnRemote));
  table.AddField(kCoolCapReqSensible, CTFieldInfo::Double("Fld_CoolCapReqSensible", true, 0));
  table.AddField(kManualSelect, CTFieldInfo::Boolean("Fld_ManualSelect", true, false));
}

void Cls_QsIndPlacement::GetDisplayText(int& charset, std::string& text) const {
  GetName(charset, text);
  const CTDbObject* model = GetModel();
  // Every field of the unit is eager, so a partially loaded unit holds them.
  if (model && (Values().GetBool(kManualSelect) || GetParent())) {
    text += " [" + model->Name() + "]";
  } else {
    text += " [" + Values().GetBytes(kFamily) + "]";
  }
}

void Cls_QsIndPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgIndoorTypeName, charset, text);
}

void Cls_QsIndPlacement::GetNamePrefix(std::string& text) const {
  text = CTPreferences::Current().indoorPrefix;
}

void Cls_QsIndPlacement::InitDefaults() {
  const CTPreferences& p = CTPreferences::Current();
  SetFamily(p.indoorFamily);
  SetCoolIndoorTemp(p.coolRoomTemp);
  SetCoolIndoorRH(p.coolRoomRH);
  SetCoolCapReqSensible(p.coolLoadSensible);
  SetCoolCapReqTotal(p.coolLoadTotal);
  SetHeatIndoorTemp(p.heatRoomTemp);
  SetHeatIndoorRH(p.heatRoomRH);
  SetHeatCapReq(p.heatLoad);
  SetManualSelect(p.indoorManualSelect);
}

void Cls_QsIndPlacement::StoreAsDefaults() {
  CTPreferences& p = CTPreferences::Current();
  p.indoorFamily = GetFamily();
  p.coolRoomTemp = GetCoolIndoorTemp();
  p.coolRoomRH = GetCoolIndoorRH();
  p.coolLoadSensible = GetCoolCapReqSensible();
  p.coolLoadTotal = GetCoolCapReqTotal();
  p.heatRoomTemp = GetHeatIndoorTemp();
  p.heatRoomRH = GetHeatIndoorRH();
  p.heatLoad = GetHeatCapReq();
  p.indoorManualSelect = GetManualSelect();
  if (p.indoorManualSelect) {
    if (const CTDbObject* model = GetModel()) p.indoorModel = model->RecordId();
  }
  Cls_QsDevicePlacement::StoreAsDefaults();
}

double Cls_QsIndPlacement::GetCapacityIndexSum(bool counting) {
  auto* model = dynamic_cast<Cls_IndoorUnit*>(GetModel());
  if (!model) return 0;
  // Unconnected, below a BS box, or directly on a heat-pump system the unit always counts.
  auto* system = dynamic_cast<Cls_QsOutPlacement*>(GetSystemAncestor());
  const bool counts = counting || !system || system->GetFamily() == 1;
  return counts ? model->CapIndex() : 0;
}

void Cls_QsIndPlacement::GetBoxSize(int& width, int& height, bool forPiping) const {
  Cls_QsDevicePlacement::GetBoxSize(width, height, forPiping);
  if (wideBox_) width += 8;
}

// -- Options --------------------------------------------------------------------------------------

bool Cls_QsIndPlacement::IsIndoorOptionOfKind(Cls_DeviceOption& option, int kind) {
  return option.TableId() == Cls_IndOption::kTableId && option.Type() == kind;
}

bool Cls_QsIndPlacement::IsWiredRemote(Cls_DeviceOption& option) const {
  return IsIndoorOptionOfKind(option, kOptionWiredRemote);
}

bool Cls_QsIndPlacement::IsWirelessRemote(Cls_DeviceOption& option) const {
  return IsIndoorOptionOfKind(option, kOptionWirelessRemote);
}

bool Cls_QsIndPlacement::IsRemoteSensor(Cls_DeviceOption& option) const {
  return IsIndoorOptionOfKind(option, kOptionRemoteSensor);
}

LTOptionOfferList Cls_QsIndPlacement::GetOptionCombinations(CTDbObject* model) {
  LTOptionOfferList offers = Cls_QsDevicePlacement::GetOptionCombinations(model);
  bool hasController = false;
  const LTRecordRef projectRef = GetProjectRef();
  // The project record as stored now (its controllers change while the program runs).
  std::unique_ptr<CTDbObject> stored;
  if (projectRef.tableId == Cls_QsProject::kTableId && projectRef.IsSet()) {
    CTSharedStoreLock lock;
    stored = Factory().InstantiateIfExists(projectRef.tableId, projectRef.recordId);
  }
  if (auto* project = dynamic_cast<Cls_QsProject*>(stored.get())) {
    LTRecordRef controller = project->GetBasicControllerRef();
    if (!controller.IsSet()) controller = project->GetIntelligentControllerRef();
    hasController = controller.IsSet() &&
                    CachedObject(controller.tableId, controller.recordId, &Factory()) != nullptr;
  }
  std::erase_if(offers, [&](const auto& offer) {
    Cls_DeviceOption* option = CatalogueOption(offer->DeviceOptionRef(), &Factory());
    if (!option || !IsIndoorOptionOfKind(*option, kOptionInterfaceAdapter)) return false;
    if (!hasController) return true;
    offer->SetBool(Cls_DevOptCombination::kIsStandard, true);  // in memory only
    return false;
  });
  return offers;
}

LTUsedOptionList Cls_QsIndPlacement::ReconcileOptions(CTDbObject* model, bool addStandard,
                                                      bool addPreferred) {
  LTUsedOptionList used = Cls_QsDevicePlacement::ReconcileOptions(model, addStandard, addPreferred);
  const int remoteType = GetRemoteType();
  if (remoteType == kRemoteOfNextUnit || remoteType == kRemoteOfPreviousUnit) return used;
  std::vector<Cls_DeviceOption*> options;
  for (const auto& u : used) options.push_back(CatalogueOption(u->GetOptionRef(), &Factory()));
  const bool hasRemote = std::any_of(options.begin(), options.end(), [&](Cls_DeviceOption* o) {
    return o && (IsWiredRemote(*o) || IsWirelessRemote(*o));
  });
  if (hasRemote) return used;
  LTUsedOptionList kept;
  for (std::size_t i = 0; i < used.size(); ++i) {
    if (options[i] && IsRemoteSensor(*options[i])) {
      used[i]->Delete();
    } else {
      kept.push_back(std::move(used[i]));
    }
  }
  return kept;
}

std::vector<Cls_DeviceOption*> Cls_QsIndPlacement::ReconciledCatalogueOptions() {
  std::vector<Cls_DeviceOption*> result;
  for (const auto& used : ReconcileOptions(GetModel(), true, !GetPrefOptionsAssigned())) {
    if (Cls_DeviceOption* option = CatalogueOption(used->GetOptionRef(), &Factory())) {
      result.push_back(option);
    }
  }
  return result;
}

void Cls_QsIndPlacement::RefreshRemoteOptions() {
  remoteOption_ = nullptr;
  remoteSensorOption_ = nullptr;
  for (Cls_DeviceOption* option : ReconciledCatalogueOptions()) {
    if (!remoteOption_ && (IsWiredRemote(*option) || IsWirelessRemote(*option))) {
      remoteOption_ = option;
    }
    if (!remoteSensorOption_ && IsRemoteSensor(*option)) remoteSensorOption_ = option;
  }
}

void Cls_QsIndPlacement::ReadRemoteOptions() {
  remoteOption_ = nullptr;
  remoteSensorOption_ = nullptr;
  for (const auto& used : GetUsedOptions()) {
    Cls_DeviceOption* option = CatalogueOption(used->GetOptionRef(), &Factory());
    if (!option) continue;
    if (!remoteOption_ && (IsWiredRemote(*option) || IsWirelessRemote(*option))) {
      remoteOption_ = option;
    }
    if (!remoteSensorOption_ && IsRemoteSensor(*option)) remoteSensorOption_ = option;
  }
}

bool Cls_QsIndPlacement::HasOwnRemote(bool refresh) {
  if (refresh) RefreshRemoteOptions();
  return remoteOption_ != nullptr;
}

bool Cls_QsIndPlacement::HasRemoteSensor(bool refresh) {
  if (refresh) RefreshRemoteOptions();
  return remoteSensorOption_ != nullptr;
}

bool Cls_QsIndPlacement::HasInterfaceAdapter() {
  const std::vector<Cls_DeviceOption*> options = ReconciledCatalogueOptions();
  return std::any_of(options.begin(), options.end(), [](Cls_DeviceOption* o) {
    return IsIndoorOptionOfKind(*o, kOptionInterfaceAdapter);
  });
}
