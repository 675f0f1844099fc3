#include "design/QsDevicePlacement.h"

#include <algorithm>

#include "catalogue/Devices.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsOutPlacement.h"
#include "design/ValueFormat.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/BaseFactory.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgCapacityIndexUnit = 10018;  // "CI"

}  // namespace

Cls_QsDevicePlacement::Cls_QsDevicePlacement(int tableId, int recordId, CTBaseFactory* factory)
    : CTDbObject(tableId, recordId, factory) {}

void Cls_QsDevicePlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  CTDbObject::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kName, CTFieldInfo::String("Fld_Name", false, true, ""), true);
  table.AddField(kSeqNr, CTFieldInfo::Integer("Fld_SeqNr", true, 0));
  table.AddField(kSeries, CTFieldInfo::String("Fld_Series", false, true, ""));
  table.AddField(kPrefOptionsAssigned,
                 CTFieldInfo::Boolean("Fld_PrefOptionsAssigned", true, false));
  AddReferenceFields(table, kParent, "Fld_QsDevicePlacement");
  AddReferenceFields(table, kProject, "Fld_QsProject");
  AddReferenceFields(table, kDevice, "Fld_Device");
}

// The name field is eager, so a partially loaded placement already holds it.
void Cls_QsDevicePlacement::GetName(int& charset, std::string& text) const {
  charset = 0;
  text = Values().GetBytes(kName);
}

void Cls_QsDevicePlacement::SetName(const std::string& text) {
  SetString(kName, text);
}

std::string Cls_QsDevicePlacement::BaseDisplayText(int& charset) const {
  std::string text;
  GetName(charset, text);
  if (const CTDbObject* model = GetModel()) text += " [" + model->Name() + "]";
  return text;
}

void Cls_QsDevicePlacement::GetDisplayText(int& charset, std::string& text) const {
  text = BaseDisplayText(charset);
}

std::string Cls_QsDevicePlacement::CapacityIndexSuffix() const {
  // The sum only reads the tree and the models.
  const double sum = const_cast<Cls_QsDevicePlacement*>(this)->GetCapacityIndexSum(true);
  if (sum == 0) return {};
  return " - " + FormatGeneralNumber(sum) + " " +
         TBaseMsg::GetText(kMsgCapacityIndexUnit, CTMsgList{});
}

// -- Behaviour of the placement kinds -------------------------------------------------------------

void Cls_QsDevicePlacement::StoreAsDefaults() {
  CTPreferences::Current().Save();
}

int Cls_QsDevicePlacement::GetUnitCount() const {
  int count = 0;
  for (const Cls_QsDevicePlacement* child : children_) count += child->GetUnitCount();
  return count;
}

CTDbObject* Cls_QsDevicePlacement::GetModel() const {
  // The reference is eager, so a partially loaded placement holds it.
  const int tableId = Values().GetInt(kDevice);
  const int recordId = Values().GetInt(kDevice + 1);
  if (recordId <= 0) return nullptr;
  const CTTableInfo* table = Factory().TableById(tableId);
  if (!table || !table->DescendsFrom(Cls_Device::kTableId)) return nullptr;
  return CachedObject(tableId, recordId, &Factory());
}

void Cls_QsDevicePlacement::GetModelName(int& charset, std::string& text) const {
  charset = 0;
  text.clear();
  if (const CTDbObject* model = GetModel()) model->GetName(charset, text);
}

void Cls_QsDevicePlacement::GetBoxSize(int& width, int& height, bool) const {
  width = 76;
  height = 42;
}

// -- Error state ----------------------------------------------------------------------------------

void Cls_QsDevicePlacement::SetError(int number, const std::string& firstText, int level,
                                     const std::string& secondText) {
  errorNumber_ = number;
  errorText1_ = firstText;
  errorLevel_ = level;
  errorText2_ = secondText;
}

void Cls_QsDevicePlacement::ClearError() {
  SetError(0, {}, kNoError, {});
}

std::string Cls_QsDevicePlacement::GetErrorText() const {
  if (errorNumber_ == 0) return {};
  return TBaseMsg::GetText(errorNumber_, CTMsgList{errorText1_, errorText2_});
}

// -- The connection tree --------------------------------------------------------------------------

Cls_QsDevicePlacement* Cls_QsDevicePlacement::GetSystemAncestor() const {
  for (Cls_QsDevicePlacement* p = parent_; p; p = p->parent_) {
    const int table = p->TableId();
    if (table == Cls_QsOutPlacement::kTableId || table == Cls_QsBSBPlacement::kTableId) return p;
  }
  return nullptr;
}

Cls_QsDevicePlacement* Cls_QsDevicePlacement::GetTopAncestor() {
  Cls_QsDevicePlacement* top = this;
  while (top->parent_) top = top->parent_;
  return top;
}

Cls_QsDevicePlacement* Cls_QsDevicePlacement::FindInSubtree(int tableId, int recordId) {
  if (RecordId() == recordId && TableId() == tableId) return this;
  for (Cls_QsDevicePlacement* child : children_) {
    if (Cls_QsDevicePlacement* found = child->FindInSubtree(tableId, recordId)) return found;
  }
  return nullptr;
}

void Cls_QsDevicePlacement::SetParentRef(Cls_QsDevicePlacement* parent) {
  SetReference(kParent, parent);
}

void Cls_QsDevicePlacement::RenumberChildren() {
  Renumber(children_);
}

void Cls_QsDevicePlacement::Renumber(const std::vector<Cls_QsDevicePlacement*>& siblings) {
  for (std::size_t n = 0; n < siblings.size(); ++n) {
    Cls_QsDevicePlacement* p = siblings[n];
    if (p->GetSeqNr() != static_cast<int>(n)) {
      p->SetSeqNr(static_cast<int>(n));
      p->Post();
    }
    p->RenumberChildren();
  }
}

void Cls_QsDevicePlacement::Disconnect() {
  Cls_QsDevicePlacement* oldParent = parent_;
  if (!oldParent) return;
  if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(GetTopAncestor())) {
    system->DisconnectPlacement(this);
  }
  parent_ = nullptr;
  SetParentRef(nullptr);
  auto& siblings = oldParent->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  oldParent->RenumberChildren();
}

double Cls_QsDevicePlacement::GetCapacityIndexSum(bool counting) {
  double sum = 0;
  for (Cls_QsDevicePlacement* child : children_) sum += child->GetCapacityIndexSum(counting);
  return sum;
}

// -- Model trials
// ----------------------------------------------------------------------------------

void Cls_QsDevicePlacement::BeginModelTrial() {
  inModelTrial_ = true;
  trialStartTable_ = Values().GetInt(kDevice);
  trialStartRecord_ = Values().GetInt(kDevice + 1);
}

void Cls_QsDevicePlacement::SetTrialModel(const CTDbObject* model) {
  const int tableId = model ? model->Table().Id() : 0;
  const int recordId = model ? model->RecordId() : 0;
  if (inModelTrial_) {
    Values().SetInt(kDevice, tableId);
    Values().SetInt(kDevice + 1, recordId);
    return;
  }
  if (Values().GetInt(kDevice) != tableId || Values().GetInt(kDevice + 1) != recordId) {
    SetModel(model);
  }
}

void Cls_QsDevicePlacement::EndModelTrial() {
  if (!inModelTrial_) return;
  inModelTrial_ = false;
  const int tableId = Values().GetInt(kDevice);
  const int recordId = Values().GetInt(kDevice + 1);
  if (tableId == trialStartTable_ && recordId == trialStartRecord_) return;
  // Back to the stored value first, so that the store sees one change from it.
  Values().SetInt(kDevice, trialStartTable_);
  Values().SetInt(kDevice + 1, trialStartRecord_);
  const CTDbObject* model =
      recordId > 0 ? CTDbObject::CachedObject(tableId, recordId, &Factory()) : nullptr;
  SetModel(model);
}
