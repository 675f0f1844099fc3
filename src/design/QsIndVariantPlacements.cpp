#include "design/QsIndVariantPlacements.h"

#include "catalogue/DeviceOptions.h"
#include "design/PlacementOptions.h"
#include "design/Preferences.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgOtherDevice = 10108;
constexpr int kMsgVentilationUnit = 10114;

// Ventilation-unit option kinds.
constexpr int kKindVentilationRemote = 3;
constexpr int kKindVentilationWirelessRemote = 4;

bool IsVentilationOptionOfKind(Cls_DeviceOption& option, int kind) {
  return option.TableId() == Cls_AEXOption::kTableId && option.Type() == kind;
}

}  // namespace

// -- Adapter-connected device ---------------------------------------------------------------------

Cls_QsHXB415Placement::Cls_QsHXB415Placement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsHXB415Placement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  AddReferenceFields(table, kAdapter, "Fld_IndOption");
}

Cls_DeviceOption* Cls_QsHXB415Placement::GetAdapter() const {
  // The reference is eager, so a partially loaded placement holds it.
  const LTRecordRef ref{Values().GetInt(kAdapter), Values().GetInt(kAdapter + 1)};
  return CatalogueOption(ref, &Factory());
}

void Cls_QsHXB415Placement::GetDisplayText(int& charset, std::string& text) const {
  GetName(charset, text);
  if (const Cls_DeviceOption* adapter = GetAdapter()) text += " [" + adapter->Name() + "]";
}

void Cls_QsHXB415Placement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgOtherDevice, charset, text);
}

void Cls_QsHXB415Placement::GetModelName(int& charset, std::string& text) const {
  charset = 0;
  text.clear();
  if (const Cls_DeviceOption* adapter = GetAdapter()) adapter->GetName(charset, text);
}

void Cls_QsHXB415Placement::InitDefaults() {
  Cls_DeviceOption* adapter = CatalogueOption(CTPreferences::Current().adapterOption, &Factory());
  if (adapter && IsIndoorOptionOfKind(*adapter, kOptionInterfaceAdapter)) SetAdapter(adapter);
  SetManualSelect(true);
}

void Cls_QsHXB415Placement::StoreAsDefaults() {
  CTPreferences::Current().adapterOption = GetAdapterRef();
  CTPreferences::Current().Save();
}

// -- Ventilation unit -----------------------------------------------------------------------------

Cls_QsAEXPlacement::Cls_QsAEXPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsAEXPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}

void Cls_QsAEXPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgVentilationUnit, charset, text);
}

void Cls_QsAEXPlacement::InitDefaults() {
  SetManualSelect(true);
}

void Cls_QsAEXPlacement::StoreAsDefaults() {
  if (GetManualSelect()) {
    if (const CTDbObject* model = GetModel()) {
      CTPreferences::Current().ventilationModel = model->RecordId();
    }
  }
  CTPreferences::Current().Save();
}

bool Cls_QsAEXPlacement::IsWiredRemote(Cls_DeviceOption& option) const {
  return IsVentilationOptionOfKind(option, kKindVentilationRemote);
}

bool Cls_QsAEXPlacement::IsWirelessRemote(Cls_DeviceOption& option) const {
  return IsVentilationOptionOfKind(option, kKindVentilationWirelessRemote);
}

// -- Ventilation unit with DX coil ----------------------------------------------------------------

Cls_QsAXDPlacement::Cls_QsAXDPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsIndPlacement(kTableId, recordId, factory) {}

void Cls_QsAXDPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsIndPlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
}
