#include "design/QsProject.h"

#include <optional>

#include "catalogue/PipingTables.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsCentralControl.h"
#include "design/QsHeaderPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsPipingNodes.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextTrim.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/FloatText.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgProjectTypeName = 10113;

// A version text as a number; an unreadable text counts as 0.
double VersionNumber(const std::string& text) {
  return ParseStoreFloat(TrimText(text)).value_or(0.0);
}

}  // namespace

Cls_QsProject::Cls_QsProject(int recordId, CTBaseFactory* factory)
    : CTDbObject(kTableId, recordId, factory) {}

Cls_QsProject::~Cls_QsProject() = default;

void Cls_QsProject::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kToolVersion, CTFieldInfo::String("Fld_ToolVersion", false, true, ""));
  table.AddField(kAwardString, CTFieldInfo::String("Fld_AwardString", false, true, ""));
  table.AddField(kUseBasicControllerSubComponents,
                 CTFieldInfo::Boolean("Fld_UseBasicControllerSubComponents", true, false));
  table.AddField(kDbVersion, CTFieldInfo::String("Fld_DbVersion", false, true, kFormatVersion));
  table.AddField(kName, CTFieldInfo::String("Fld_Name", false, true, ""), true);
  table.AddField(kOuFamily, CTFieldInfo::Integer("Fld_OuFamily", true, 1));
  table.AddField(kIuFamily, CTFieldInfo::String("Fld_IuFamily", false, true, ""));
  // The texts of the project's header are read only where they are shown.
  table.AddField(kProjectReference, CTFieldInfo::String("Fld_ProjectReference", false, false, ""));
  table.AddField(kClientName, CTFieldInfo::String("Fld_ClientName", false, false, ""));
  table.AddField(kClientAddress, CTFieldInfo::String("Fld_ClientAddress", false, false, ""));
  table.AddField(kOstrelDefinedVersion,
                 CTFieldInfo::String("Fld_OstrelDefinedVersion", false, true, ""));
  AddReferenceFields(table, kRefrigerant, "Fld_Refrigerant");
  AddReferenceFields(table, kBasicController, "Fld_CentralController");
  AddReferenceFields(table, kIntelligentController, "Fld_CentralController2");
}

// The name field is eager, so a partially loaded project already holds it.
void Cls_QsProject::GetName(int& charset, std::string& text) const {
  charset = 0;
  text = Values().GetBytes(kName);
}

void Cls_QsProject::SetName(const std::string& text) {
  SetString(kName, text);
}

void Cls_QsProject::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgProjectTypeName, charset, text);
}

void Cls_QsProject::InitDefaults() {
  const CTPreferences& p = CTPreferences::Current();
  if (p.refrigerant.IsSet()) {
    const CTTableInfo* table = Factory().TableById(p.refrigerant.tableId);
    if (table && table->DescendsFrom(Cls_Refrigerant::kTableId)) {
      if (CTDbObject* refrigerant =
              CachedObject(p.refrigerant.tableId, p.refrigerant.recordId, &Factory())) {
        SetRefrigerant(refrigerant);
      }
    }
  }
  SetOuFamily(p.outdoorFamily);
  SetIuFamily(p.indoorFamily);
}

void Cls_QsProject::StoreAsDefaults() {
  CTPreferences& p = CTPreferences::Current();
  p.refrigerant = GetRefrigerantRef();
  p.outdoorFamily = GetOuFamily();
  p.indoorFamily = GetIuFamily();
  p.Save();
}

std::unique_ptr<Cls_QsOutPlacement> Cls_QsProject::CreateOutdoorPlacement() {
  return std::make_unique<Cls_QsOutPlacement>(0, &Factory());
}

bool Cls_QsProject::SetIdentificationText(int field, const std::string& text) {
  const std::string trimmed = TrimText(text);
  if (GetString(field) == trimmed) return false;
  SetString(field, trimmed);
  Post();
  return true;
}

bool Cls_QsProject::IsFormatVersionAccepted(const std::string& fileVersion,
                                            const std::string& programVersion) {
  const double file = VersionNumber(fileVersion);
  const double program = VersionNumber(programVersion);
  if (file == 0 || program == 0) return false;
  return file == program || (program >= 1.2 && file >= 1.1);
}

bool Cls_QsProject::HasAXDSeries() const {
  return !TrimText(defaultAXDSeries_).empty();
}

// -- New placements -------------------------------------------------------------------------------

template <class T>
T* Cls_QsProject::AddPlacement(std::unique_ptr<T> placement) {
  // The cache is read before the new record exists, so that the record is not read twice.
  GetPlacements();
  placement->SetProject(this);
  placement->InitDefaults();
  placement->Insert();
  std::string name;
  placement->MakeDefaultName(name);
  placement->SetName(name);
  placement->Post();
  T* added = placement.get();
  AddToPlacementCache(std::move(placement));
  return added;
}

Cls_QsIndPlacement* Cls_QsProject::AddIndoorPlacement() {
  auto placement = std::make_unique<Cls_QsIndPlacement>(0, &Factory());
  placement->SetSeries(defaultIndoorSeries_);
  return AddPlacement(std::move(placement));
}

Cls_QsHXB415Placement* Cls_QsProject::AddAdapterPlacement() {
  return AddPlacement(std::make_unique<Cls_QsHXB415Placement>(0, &Factory()));
}

Cls_QsAEXPlacement* Cls_QsProject::AddAEXPlacement() {
  return AddPlacement(std::make_unique<Cls_QsAEXPlacement>(0, &Factory()));
}

Cls_QsAXDPlacement* Cls_QsProject::AddAXDPlacement() {
  auto placement = std::make_unique<Cls_QsAXDPlacement>(0, &Factory());
  placement->SetSeries(defaultAXDSeries_);
  return AddPlacement(std::move(placement));
}

Cls_QsOutPlacement* Cls_QsProject::AddOutdoorPlacement() {
  std::unique_ptr<Cls_QsOutPlacement> created = CreateOutdoorPlacement();
  created->SetSeries(CTPreferences::Current().outdoorSeries);
  Cls_QsOutPlacement* system = AddPlacement(std::move(created));
  system->SetCcSeqNr(system->RecordId());
  system->Post();
  Cls_QsDevicePipingNode root(0, &Factory());
  root.SetSystem(system);
  root.SetPlacement(system);
  root.Insert();
  return system;
}

Cls_QsBSBPlacement* Cls_QsProject::AddBSBoxPlacement(Cls_QsOutPlacement& system,
                                                     Cls_QsDevicePlacement& parent,
                                                     Cls_QsDevicePlacement* before) {
  auto created = std::make_unique<Cls_QsBSBPlacement>(0, &Factory());
  created->SetSeries(defaultBoxSeries_);
  Cls_QsBSBPlacement* box = AddPlacement(std::move(created));
  system.ConnectPlacement(box, &parent, before);
  return box;
}

Cls_QsHeaderPlacement* Cls_QsProject::AddHeaderPlacement(Cls_QsOutPlacement& system,
                                                         Cls_QsDevicePlacement& parent,
                                                         Cls_QsDevicePlacement* before,
                                                         int connections) {
  auto created = std::make_unique<Cls_QsHeaderPlacement>(0, &Factory());
  created->SetNbConnections(connections);
  Cls_QsHeaderPlacement* header = AddPlacement(std::move(created));
  system.ConnectPlacement(header, &parent, before);
  return header;
}
