// What an outdoor system delivers: its model's capacities at the system's conditions, the
// highest combination ratio it may reach and the room conditions its indoor units ask for.

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "design/CatalogueFacts.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "i18n/MessageCatalog.h"
#include "i18n/TextCase.h"
#include "physics/MoistAir.h"

namespace {

constexpr int kMsgFamilyHeatRecovery = 10102;
constexpr int kMsgFamilyHeatPump = 10101;
constexpr int kMsgFamilyCoolingOnly = 10098;

// The indoor units of a system that the capacity model weighs: plain units and units with a DX
// coil (in heating only those that can heat there), each with its model.
template <class Visit>
void ForEachWeighedUnit(Cls_QsOutPlacement& system, bool cooling, Visit visit) {
  for (Cls_QsIndPlacement* unit : system.GetIndoorUnits()) {
    const int table = unit->TableId();
    if (table != Cls_QsIndPlacement::kTableId && table != Cls_QsAXDPlacement::kTableId) continue;
    auto* model = dynamic_cast<Cls_IndoorUnit*>(unit->GetModel());
    if (!model) continue;
    // In a heat-recovery system only the units behind a BS box heat.
    if (!cooling && system.GetFamily() == 0) {
      Cls_QsDevicePlacement* ancestor = unit->GetSystemAncestor();
      if (!ancestor || ancestor->TableId() != Cls_QsBSBPlacement::kTableId) continue;
    }
    visit(*unit, *model);
  }
}

}  // namespace

std::string Cls_QsOutPlacement::FamilyName(int family) {
  int number = 0;
  if (family == 0) number = kMsgFamilyHeatRecovery;
  if (family == 1) number = kMsgFamilyHeatPump;
  if (family == 2) number = kMsgFamilyCoolingOnly;
  if (number == 0) return {};
  int charset = 0;
  std::string text;
  TBaseMsg::GetText(number, charset, text);
  return text;
}

double Cls_QsOutPlacement::GetCoolingCapacity(Cls_OutdoorUnit* model, const TAir& air, int& status,
                                              double totalIndex, double indoorRh,
                                              double indoorTemp) {
  status = kCapacityOk;
  if (!model) return 0;
  return model->GetCapacityAt(true, indoorTemp, indoorRh, GetCoolOutdoorTemp(), GetCoolOutdoorRH(),
                              totalIndex, air, status);
}

double Cls_QsOutPlacement::GetHeatingCapacity(Cls_OutdoorUnit* model, const TAir& air, int& status,
                                              double totalIndex, double indoorRh,
                                              double indoorTemp) {
  status = kCapacityOk;
  if (!model) return 0;
  return model->GetCapacityAt(false, indoorTemp, indoorRh, GetHeatOutdoorTemp(), GetHeatOutdoorRH(),
                              totalIndex, air, status);
}

double Cls_QsOutPlacement::GetCoolingPowerInput(Cls_OutdoorUnit* model, const TAir& air,
                                                double totalIndex, double indoorRh,
                                                double indoorTemp) {
  if (!model) return 0;
  return model->GetPowerInputAt(true, indoorTemp, indoorRh, GetCoolOutdoorTemp(),
                                GetCoolOutdoorRH(), totalIndex, air);
}

double Cls_QsOutPlacement::GetHeatingPowerInput(Cls_OutdoorUnit* model, const TAir& air,
                                                double totalIndex, double indoorRh,
                                                double indoorTemp) {
  if (!model) return 0;
  return model->GetPowerInputAt(false, indoorTemp, indoorRh, GetHeatOutdoorTemp(),
                                GetHeatOutdoorRH(), totalIndex, air);
}

double Cls_QsOutPlacement::GetMaxCombination() {
  double ratio = GetSelCombination();
  auto* model = dynamic_cast<Cls_OutdoorUnit*>(GetModel());
  if (model) {
    ratio =
        std::min(ratio, model->GetMaxCombinationRatio(CatalogueFacts(&Factory()).highCombination));
  }
  if (!GetAllowHighCombPerc()) return ratio;
  const double limit = GetHighCombinationLimit();
  ratio = std::min(ratio, limit);
  if (!model || !model->SupportsHighCombPerc()) return ratio;
  double high = limit;
  const std::vector<Cls_IndoorUnit*>& compatible = model->GetCompatibleIndoorUnits();
  for (Cls_QsIndPlacement* unit : GetIndoorUnits()) {
    const int table = unit->TableId();
    if (table != Cls_QsIndPlacement::kTableId && table != Cls_QsAXDPlacement::kTableId) continue;
    const std::string& family = unit->Values().GetBytes(Cls_QsIndPlacement::kFamily);
    const std::string& series = unit->Values().GetBytes(kSeries);
    for (Cls_IndoorUnit* indoor : compatible) {
      if (EqualNoCase(indoor->Family(), family) && EqualNoCase(indoor->Series(), series)) {
        high = std::min(high, indoor->ConnRatioIncreasedTo());
      }
    }
  }
  return std::max(ratio, high);
}

void Cls_QsOutPlacement::GetIndoorConditions(bool cooling, double& totalIndex, double& humidity,
                                             double& temperature) {
  double total = 0;
  double t = 0;
  double rh = 0;
  ForEachWeighedUnit(*this, cooling, [&](Cls_QsIndPlacement& unit, Cls_IndoorUnit& model) {
    const double w = model.CapIndex();
    total += w;
    t += w * (cooling ? unit.GetCoolIndoorTemp() : unit.GetHeatIndoorTemp());
    rh += w * (cooling ? unit.GetCoolIndoorRH() : unit.GetHeatIndoorRH());
  });
  totalIndex = total;
  if (total == 0) {
    const CTPreferences& p = CTPreferences::Current();
    temperature = cooling ? p.coolRoomTemp : p.heatRoomTemp;
    humidity = cooling ? p.coolRoomRH : p.heatRoomRH;
    return;
  }
  temperature = t / total;
  humidity = rh / total;
}

namespace {

// The capacity or power input of a system's model at explicit outdoor conditions, for a total
// index (negative: the connected total) and explicit or weighted room conditions.
struct LTSystemConditions {
  bool cooling = true;
  double outdoorTemp = 0;
  double outdoorRh = 0;
  double totalIndex = 0;
  double indoorRh = 0;
  double indoorTemp = 0;
};

double CapacityOrPower(Cls_OutdoorUnit& model, const LTSystemConditions& c, bool power) {
  const TAir air;
  int status = kCapacityOk;
  if (power) {
    return model.GetPowerInputAt(c.cooling, c.indoorTemp, c.indoorRh, c.outdoorTemp, c.outdoorRh,
                                 c.totalIndex, air);
  }
  return model.GetCapacityAt(c.cooling, c.indoorTemp, c.indoorRh, c.outdoorTemp, c.outdoorRh,
                             c.totalIndex, air, status);
}

}  // namespace

// The system's own outdoor fields are not touched: the given outdoor conditions go to the
// capacity model directly, which gives what writing and restoring them would.
double Cls_QsOutPlacement::GetAvailableCapacity(Cls_OutdoorUnit* model, bool cooling,
                                                double outdoorRh, double outdoorTemp) {
  if (!model || (!cooling && GetFamily() == 2)) return 0;
  LTSystemConditions c{cooling, outdoorTemp, outdoorRh};
  GetIndoorConditions(cooling, c.totalIndex, c.indoorRh, c.indoorTemp);
  return CapacityOrPower(*model, c, false);
}

namespace {

// The capacity or power input at the model's 100 % index, with the weighted room conditions of
// the mode.
double AtFullIndex(Cls_QsOutPlacement& system, Cls_OutdoorUnit& model, bool cooling,
                   double outdoorRh, double outdoorTemp, bool power) {
  LTSystemConditions c{cooling, outdoorTemp, outdoorRh};
  double connected = 0;
  system.GetIndoorConditions(cooling, connected, c.indoorRh, c.indoorTemp);
  c.totalIndex = model.GetCapacityIndexAt(100);
  return CapacityOrPower(model, c, power);
}

}  // namespace

double Cls_QsOutPlacement::GetCapacityAt100(Cls_OutdoorUnit* model, bool cooling, double outdoorRh,
                                            double outdoorTemp) {
  if (!model || (!cooling && GetFamily() == 2)) return 0;
  return AtFullIndex(*this, *model, cooling, outdoorRh, outdoorTemp, false);
}

double Cls_QsOutPlacement::GetPowerInputAt100(Cls_OutdoorUnit* model, bool cooling,
                                              double outdoorRh, double outdoorTemp) {
  if (!model || (!cooling && GetFamily() == 2)) return 0;
  return AtFullIndex(*this, *model, cooling, outdoorRh, outdoorTemp, true);
}

namespace {

LTSystemConditions NominalConditions(Cls_OutdoorUnit& model, bool cooling) {
  LTSystemConditions c;
  c.cooling = cooling;
  c.outdoorTemp = cooling ? model.NomAmbientTempCooling() : model.NomAmbientTempHeating();
  c.outdoorRh = 50;
  c.totalIndex = model.GetCapacityIndexAt(100);
  c.indoorRh = 50;
  c.indoorTemp = cooling ? model.NomIndoorTempCooling() : model.NomIndoorTempHeating();
  return c;
}

}  // namespace

double Cls_QsOutPlacement::GetNominalCapacity(Cls_OutdoorUnit* model, bool cooling) {
  if (!model || (!cooling && GetFamily() == 2)) return 0;
  return CapacityOrPower(*model, NominalConditions(*model, cooling), false);
}

double Cls_QsOutPlacement::GetNominalPowerInput(Cls_OutdoorUnit* model, bool cooling) {
  if (!model || (!cooling && GetFamily() == 2)) return 0;
  return CapacityOrPower(*model, NominalConditions(*model, cooling), true);
}
