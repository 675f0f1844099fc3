#include "design/QsOutPlacement.h"

#include <algorithm>
#include <cmath>

#include "catalogue/OutdoorUnits.h"
#include "design/Preferences.h"
#include "design/QsIndPlacement.h"
#include "i18n/MessageCatalog.h"
#include "objectstore/TableInfo.h"

namespace {

constexpr int kMsgOutdoorTypeName = 10112;

}  // namespace

Cls_QsOutPlacement::Cls_QsOutPlacement(int recordId, CTBaseFactory* factory)
    : Cls_QsDevicePlacement(kTableId, recordId, factory) {}

void Cls_QsOutPlacement::DefineFields(CTTableInfo& table, const std::string& idFieldName) {
  Cls_QsDevicePlacement::DefineFields(table, ProjectIdFieldName(idFieldName));
  table.AddField(kCcUseSubComponents, CTFieldInfo::Boolean("Fld_CcUseSubComponents", true, false));
  table.AddField(kAllowHighCombPerc, CTFieldInfo::Boolean("Fld_AllowHighCombPerc", true, false));
  table.AddField(kMaxCombination, CTFieldInfo::Double("Fld_MaxCombination", true, 100));
  table.AddField(kDistBranchToIndoors, CTFieldInfo::Double("Fld_DistBranchToIndoors", true, 0));
  table.AddField(kLocked, CTFieldInfo::Boolean("Fld_Locked", true, false));
  table.AddField(kFamily, CTFieldInfo::Integer("Fld_Family", true, 0));
  table.AddField(kSelCombination, CTFieldInfo::Double("Fld_SelCombination", true, 100));
  table.AddField(kPipingHeightDiff, CTFieldInfo::Double("Fld_PipingHeightDiff", true, 0));
  table.AddField(kCcFlags, CTFieldInfo::Integer("Fld_CcFlags", true, 0));
  table.AddField(kPipingLength, CTFieldInfo::Double("Fld_PipingLength", true, 5));
  table.AddField(kCoolOutdoorTemp, CTFieldInfo::Double("Fld_CoolOutdoorTemp", true, 32));
  table.AddField(kCoolOutdoorRH, CTFieldInfo::Double("Fld_CoolOutdoorRH", true, 50));
  table.AddField(kHeatOutdoorTemp, CTFieldInfo::Double("Fld_HeatOutdoorTemp", true, 0));
  table.AddField(kHeatOutdoorRH, CTFieldInfo::Double("Fld_HeatOutdoorRH", true, 50));
  table.AddField(kCcSeqNr, CTFieldInfo::Integer("Fld_CcSeqNr", true, 0));
  AddReferenceFields(table, kCentralControlPlacement, "Fld_QsCenCoPlacement");
  AddReferenceFields(table, kPreferredController, "Fld_CentralController");
}

void Cls_QsOutPlacement::GetDisplayText(int& charset, std::string& text) const {
  text = BaseDisplayText(charset);
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(GetModel());
  if (!model) return;
  // The sum only reads the tree and the models.
  const double sum = const_cast<Cls_QsOutPlacement*>(this)->GetCapacityIndexSum(true);
  const double at100 = model->GetCapacityIndexAt(100);
  // A model without capacity index gives no ratio rather than a division by zero.
  if (sum == 0 || at100 == 0) return;
  text += " - " + std::to_string(std::lround(100 * sum / at100)) + "%";
}

void Cls_QsOutPlacement::GetTypeName(int& charset, std::string& text) const {
  TBaseMsg::GetText(kMsgOutdoorTypeName, charset, text);
}

void Cls_QsOutPlacement::GetNamePrefix(std::string& text) const {
  text = CTPreferences::Current().outdoorPrefix;
}

void Cls_QsOutPlacement::InitDefaults() {
  const CTPreferences& p = CTPreferences::Current();
  SetSeries(p.outdoorSeries);
  SetFamily(p.outdoorFamily);
  SetSelCombination(p.outdoorCombination);
  SetHighCombinationLimit(p.outdoorHighCombination);
  SetAllowHighCombPerc(p.allowHighCombination);
  SetPipingLength(p.outdoorPipingLength);
  SetDistBranchToIndoors(p.outdoorMaxDistToIndoor);
  SetCoolOutdoorTemp(p.coolOutdoorTemp);
  SetCoolOutdoorRH(p.coolOutdoorRH);
  SetHeatOutdoorTemp(p.heatOutdoorTemp);
  SetHeatOutdoorRH(p.heatOutdoorRH);
}

void Cls_QsOutPlacement::StoreAsDefaults() {
  CTPreferences& p = CTPreferences::Current();
  p.outdoorSeries = GetSeries();
  p.outdoorFamily = GetFamily();
  p.outdoorCombination = GetSelCombination();
  p.outdoorHighCombination = GetHighCombinationLimit();
  p.allowHighCombination = GetAllowHighCombPerc();
  p.outdoorPipingLength = GetPipingLength();
  p.outdoorMaxDistToIndoor = GetDistBranchToIndoors();
  p.coolOutdoorTemp = GetCoolOutdoorTemp();
  p.coolOutdoorRH = GetCoolOutdoorRH();
  p.heatOutdoorTemp = GetHeatOutdoorTemp();
  p.heatOutdoorRH = GetHeatOutdoorRH();
  Cls_QsDevicePlacement::StoreAsDefaults();
}

std::vector<Cls_QsIndPlacement*> Cls_QsOutPlacement::GetIndoorUnits() const {
  std::vector<Cls_QsIndPlacement*> units;
  // Depth first in child order, with an explicit stack (children pushed in reverse).
  std::vector<Cls_QsDevicePlacement*> stack(Children().rbegin(), Children().rend());
  while (!stack.empty()) {
    Cls_QsDevicePlacement* p = stack.back();
    stack.pop_back();
    if (auto* unit = dynamic_cast<Cls_QsIndPlacement*>(p)) units.push_back(unit);
    stack.insert(stack.end(), p->Children().rbegin(), p->Children().rend());
  }
  return units;
}

double Cls_QsOutPlacement::GetMaxEquivalentLength() const {
  double longest = 0;
  for (Cls_QsIndPlacement* unit : GetIndoorUnits()) {
    longest = std::max(longest, unit->EquivalentLength());
  }
  return longest;
}

double Cls_QsOutPlacement::GetMaxEffectiveLength() const {
  double longest = 0;
  for (Cls_QsIndPlacement* unit : GetIndoorUnits()) {
    longest = std::max(longest, unit->EffectiveLength());
  }
  return longest;
}
