// The model choice of an indoor unit within its system, and what the unit then delivers.

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorCapacity.h"
#include "catalogue/OutdoorUnits.h"
#include "design/CatalogueFacts.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "design/SystemSelection.h"
#include "design/ValueFormat.h"
#include "i18n/TextCase.h"
#include "objectstore/DbViews.h"
#include "objectstore/ListSort.h"
#include "physics/MoistAir.h"

namespace {

constexpr int kMsgNoModelChosen = 10072;
constexpr int kMsgModelNotCombinable = 10038;
constexpr int kMsgIndoorRatioLimit = 10050;
constexpr int kMsgCoolingEnvelope = 10051;
constexpr int kMsgHeatingEnvelope = 10052;
constexpr int kMsgCoolingTable = 10053;
constexpr int kMsgHeatingTable = 10054;
constexpr int kMsgCoolingOnlySystem = 10048;
constexpr int kMsgHeatingNeedsBox = 10049;
constexpr int kMsgNoCandidates = 10068;
constexpr int kMsgNoSensible = 10069;
constexpr int kMsgNoTotal = 10070;
constexpr int kMsgNoHeating = 10071;
constexpr int kMsgAXDNeedsRemote = 10086;
constexpr int kMsgCannotHeadGroup = 10067;
constexpr int kMsgRemoteGroupFull = 10061;
constexpr int kMsgNoNextRemote = 10073;
constexpr int kMsgNoPreviousRemote = 10075;

using Level = Cls_QsDevicePlacement::ErrorLevel;

std::string FullNameOf(const CTDbObject& object) {
  std::string text;
  object.GetFullName(text);
  return text;
}

// The capacity index of an outdoor model at its largest combination ratio.
double IndexAtLargestRatio(Cls_OutdoorUnit& outdoor) {
  return outdoor.GetCapacityIndexAt(
      outdoor.GetMaxCombinationRatio(CatalogueFacts(&outdoor.Factory()).highCombination));
}

// A share of the outdoor capacity q for a model of index capIndex at the estimated total; none
// when there is no estimate to share by.
double ShareOf(double capIndex, double q, double estimate) {
  return estimate > 0 ? capIndex * q / estimate : 0;
}

bool IsCompatible(Cls_OutdoorUnit& outdoor, const CTDbObject* model) {
  const std::vector<Cls_IndoorUnit*>& compatible = outdoor.GetCompatibleIndoorUnits();
  return std::find(compatible.begin(), compatible.end(), model) != compatible.end();
}

int CoolingStatusMessage(int status) {
  return status == kCapacityOutsideCoolingTable ? kMsgCoolingTable : kMsgCoolingEnvelope;
}

int HeatingStatusMessage(int status) {
  return status == kCapacityOutsideHeatingTable ? kMsgHeatingTable : kMsgHeatingEnvelope;
}

}  // namespace

std::vector<Cls_IndoorUnit*> IndoorCandidates(Cls_OutdoorUnit& outdoor, const std::string& series,
                                              const std::string& family, double maxCombination) {
  std::vector<Cls_IndoorUnit*> candidates;
  for (Cls_IndoorUnit* model : outdoor.GetCompatibleIndoorUnits()) {
    if (!EqualNoCase(model->Series(), series) || !EqualNoCase(model->Family(), family)) continue;
    const double limit = model->MaxConnRatio();
    if (limit <= 100 || limit >= maxCombination) candidates.push_back(model);
  }
  ListSort(candidates, [](Cls_IndoorUnit* later, Cls_IndoorUnit* earlier) {
    return later->CapIndex() < earlier->CapIndex();
  });
  return candidates;
}

namespace {

// The candidate lists of an outdoor model, kept with the catalogue's views of its record for
// every check that asks again (the lists only depend on the catalogue and their key).
struct LTIndoorCandidateView : CTDbView {
  struct LTEntry {
    std::string series;
    std::string family;
    double maxCombination;
    std::vector<Cls_IndoorUnit*> models;
  };
  std::mutex mutex;
  std::vector<std::unique_ptr<LTEntry>> entries;
};

}  // namespace

const std::vector<Cls_IndoorUnit*>& CTSelectionContext::Candidates(Cls_OutdoorUnit& outdoor,
                                                                   const std::string& series,
                                                                   const std::string& family) {
  for (const auto& entry : entries_) {
    if (entry->outdoor == &outdoor && EqualNoCase(entry->series, series) &&
        EqualNoCase(entry->family, family)) {
      return *entry->models;
    }
  }
  const std::vector<Cls_IndoorUnit*>* models = nullptr;
  if (auto* view = SharedViewOf<LTIndoorCandidateView>(outdoor)) {
    std::lock_guard lock(view->mutex);
    for (const auto& entry : view->entries) {
      if (entry->maxCombination == maxCombination_ && EqualNoCase(entry->series, series) &&
          EqualNoCase(entry->family, family)) {
        models = &entry->models;
        break;
      }
    }
    if (!models) {
      view->entries.push_back(
          std::make_unique<LTIndoorCandidateView::LTEntry>(LTIndoorCandidateView::LTEntry{
              series, family, maxCombination_,
              IndoorCandidates(outdoor, series, family, maxCombination_)}));
      models = &view->entries.back()->models;
    }
  } else {
    // A model that is not a stored record keeps its lists with the context.
    own_.push_back(std::make_unique<std::vector<Cls_IndoorUnit*>>(
        IndoorCandidates(outdoor, series, family, maxCombination_)));
    models = own_.back().get();
  }
  entries_.push_back(
      std::make_unique<LTCandidateEntry>(LTCandidateEntry{&outdoor, series, family, models}));
  return *models;
}

double CTSelectionContext::WetBulb(const TAir& air, double dryBulb, double humidity) {
  for (const LTWetBulb& known : wetBulbs_) {
    if (known.dryBulb == dryBulb && known.humidity == humidity) return known.wetBulb;
  }
  const double wetBulb = air.WetBulbTemperature(dryBulb, humidity);
  wetBulbs_.push_back({dryBulb, humidity, wetBulb});
  return wetBulb;
}

Cls_QsOutPlacement* Cls_QsIndPlacement::GetOutdoorSystem() const {
  for (Cls_QsDevicePlacement* p = GetParent(); p; p = p->GetParent()) {
    if (auto* system = dynamic_cast<Cls_QsOutPlacement*>(p)) return system;
  }
  return nullptr;
}

void Cls_QsIndPlacement::SelectModelInSystem(Cls_QsOutPlacement& system, Cls_OutdoorUnit* outdoor,
                                             const TAir& air, double heatingEstimate,
                                             double coolingEstimate, CTSelectionContext* context) {
  // The outdoor model's name, for the messages only.
  const auto outdoorName = [&] { return outdoor ? outdoor->Name() : std::string(); };
  const int family = system.GetFamily();
  const bool onSystem = GetSystemAncestor() == &system;

  // The choice or check of the model; returns false when the operation ends without the
  // remote-controller check.
  const auto choose = [&]() -> bool {
    const double maxCombination = context ? context->MaxCombination() : system.GetMaxCombination();
    if (!outdoor) {
      if (!GetManualSelect()) SetTrialModel(nullptr);
      return true;
    }
    const double largest = IndexAtLargestRatio(*outdoor);
    const double ec = std::min(coolingEstimate, largest);
    const double eh = std::min(heatingEstimate, largest);
    const double coolRh = GetCoolIndoorRH();
    const double coolT = GetCoolIndoorTemp();
    const double heatRh = GetHeatIndoorRH();
    const double heatT = GetHeatIndoorTemp();
    int status = kCapacityOk;
    // The system's cooling capacity at the unit's room conditions; a check knows the wet bulb of
    // each room condition once.
    const auto coolingCapacity = [&](double estimate) {
      if (!context) return system.GetCoolingCapacity(outdoor, air, status, estimate, coolRh, coolT);
      status = kCapacityOk;
      return outdoor->GetCoolingCapacityAtWetBulb(context->WetBulb(air, coolT, coolRh),
                                                  system.GetCoolOutdoorTemp(), estimate, status);
    };

    if (GetManualSelect()) {
      CTDbObject* chosen = GetModel();
      auto* model = dynamic_cast<Cls_IndoorUnit*>(chosen);
      if (!model) {
        SetError(kMsgNoModelChosen, FullNameOf(*this), Level::kErrorLevel3);
        return true;
      }
      if (!IsCompatible(*outdoor, model)) {
        SetError(kMsgModelNotCombinable, FullNameOf(*model), Level::kErrorLevel3, outdoorName());
        return true;
      }
      const double limit = model->MaxConnRatio();
      if (limit > 100 && limit < maxCombination) {
        SetError(kMsgIndoorRatioLimit, FullNameOf(*model), Level::kErrorLevel3,
                 FormatGeneralNumber(limit));
        return true;
      }
      coolingCapacity(ec);
      if (status != kCapacityOk) {
        SetError(CoolingStatusMessage(status), outdoorName(), Level::kErrorLevel3,
                 FullNameOf(*this));
        return false;
      }
      if (family == 1 || (family == 0 && !onSystem)) {
        system.GetHeatingCapacity(outdoor, air, status, eh, heatRh, heatT);
        if (status != kCapacityOk) {
          SetError(HeatingStatusMessage(status), outdoorName(), Level::kErrorLevel3,
                   FullNameOf(*this));
          return false;
        }
      }
      return true;
    }

    // Automatic choice: the smallest candidate that meets every requirement.
    const double rs = GetCoolCapReqSensible();
    const double rt = GetCoolCapReqTotal();
    const double rh = GetHeatCapReq();
    if (rh > 0) {
      if (family == 2) {
        SetError(kMsgCoolingOnlySystem, outdoorName(), Level::kErrorLevel3, FullNameOf(*this));
        return false;
      }
      if (family == 0 && onSystem) {
        SetError(kMsgHeatingNeedsBox, outdoorName(), Level::kErrorLevel3, FullNameOf(*this));
        return false;
      }
    }
    const std::string& series = Values().GetBytes(kSeries);
    const std::string& unitFamily = Values().GetBytes(kFamily);
    std::vector<Cls_IndoorUnit*> own;
    if (!context) own = IndoorCandidates(*outdoor, series, unitFamily, maxCombination);
    const std::vector<Cls_IndoorUnit*>& candidates =
        context ? context->Candidates(*outdoor, series, unitFamily) : own;
    if (candidates.empty()) {
      SetError(kMsgNoCandidates, series + "/" + unitFamily, Level::kErrorLevel3, outdoorName());
      SetTrialModel(nullptr);
      return true;
    }
    // A capacity that no requirement asks for is 0 and its status does not matter, so it is
    // not evaluated.
    double qc = 0;
    if (rs > 0 || rt > 0) {
      qc = coolingCapacity(ec) * CoolPipingFactor();
      if (status != kCapacityOk) {
        SetError(CoolingStatusMessage(status), outdoorName(), Level::kErrorLevel3,
                 FullNameOf(*this));
        return false;
      }
    }
    double qh = 0;
    if (rh > 0) {
      qh = system.GetHeatingCapacity(outdoor, air, status, eh, heatRh, heatT) * HeatPipingFactor();
      if (status != kCapacityOk) {
        SetError(HeatingStatusMessage(status), outdoorName(), Level::kErrorLevel3,
                 FullNameOf(*this));
        return false;
      }
    }
    Cls_IndoorUnit* chosen = nullptr;
    bool sensibleFailed = false;
    bool totalFailed = false;
    for (Cls_IndoorUnit* candidate : candidates) {
      sensibleFailed = false;
      totalFailed = false;
      const double index = candidate->CapIndex();
      if (rs > 0) {
        const double share = ShareOf(index, qc, ec);
        // The sensible part never exceeds the share, so a share below the requirement fails
        // without the coil model.
        const double sensible =
            share < rs ? share
                       : air.SensibleCapacity(candidate->HighBypass() * 100, candidate->HighFan(),
                                              coolRh, coolT, share);
        if (sensible < rs) {
          sensibleFailed = true;
          continue;
        }
      }
      if (rt > 0 && ShareOf(index, qc, ec) < rt) {
        totalFailed = true;
        continue;
      }
      if (rh > 0 && ShareOf(index, qh, eh) < rh) continue;
      chosen = candidate;
      break;
    }
    if (!chosen) {
      const std::string what = series + "/" + unitFamily;
      if (sensibleFailed) {
        SetError(kMsgNoSensible, what, Level::kErrorLevel3, Cls_QsProject::FormatPower(true, rs));
      } else if (totalFailed) {
        SetError(kMsgNoTotal, what, Level::kErrorLevel3, Cls_QsProject::FormatPower(true, rt));
      } else {
        SetError(kMsgNoHeating, what, Level::kErrorLevel3, Cls_QsProject::FormatPower(true, rh));
      }
    }
    SetTrialModel(chosen);
    return true;
  };

  if (TakesPartInModelChoice()) {
    if (!choose()) return;
    // A unit directly on a heat-recovery system only cools.
    if (family == 0 && onSystem && outdoor && !HasError()) {
      SetError(kMsgHeatingNeedsBox, FullNameOf(*this), Level::kWarning, outdoorName());
    }
  }

  // The remote-controller arrangement, for a unit without error.
  if (HasError()) return;
  const int remoteType = GetRemoteType();
  const bool usesOther = remoteType == kRemoteOfNextUnit || remoteType == kRemoteOfPreviousUnit;
  if (TableId() == Cls_QsAXDPlacement::kTableId && !usesOther) {
    SetError(kMsgAXDNeedsRemote, {}, Level::kErrorLevel1);
  } else if (HasOwnRemote(false)) {
    int count = 0;
    int maximum = 0;
    GetRemoteGroup(count, maximum);
    if (count > 1 && !MayHeadRemoteGroup()) {
      SetError(kMsgCannotHeadGroup, FullNameOf(*this), Level::kErrorLevel1);
    } else if (maximum > 0 && count > maximum) {
      SetError(kMsgRemoteGroupFull, std::to_string(maximum), Level::kErrorLevel1, Name());
    }
  } else if (remoteType == kRemoteOfNextUnit && !system.GetNextRemoteUnit(*this)) {
    SetError(kMsgNoNextRemote, {}, Level::kErrorLevel1);
  } else if (remoteType == kRemoteOfPreviousUnit && !system.GetPreviousRemoteUnit(*this)) {
    SetError(kMsgNoPreviousRemote, {}, Level::kErrorLevel1);
  }
}

bool Cls_QsIndPlacement::CanHeatInSystem() {
  Cls_QsDevicePlacement* ancestor = GetSystemAncestor();
  if (!ancestor) return true;
  Cls_QsDevicePlacement* system = ancestor;
  if (Cls_QsDevicePlacement* above = ancestor->GetSystemAncestor()) system = above;
  auto* out = dynamic_cast<Cls_QsOutPlacement*>(system);
  if (!out || out->GetFamily() == 2) return false;
  return out->GetFamily() == 1 || ancestor->TableId() == Cls_QsBSBPlacement::kTableId;
}

double Cls_QsIndPlacement::GetUnitCapacity(bool cooling, bool totalOnly, bool at100) {
  auto* model = dynamic_cast<Cls_IndoorUnit*>(GetModel());
  if (!model) return 0;
  Cls_QsDevicePlacement* ancestor = GetSystemAncestor();
  const bool onBox = ancestor && ancestor->TableId() == Cls_QsBSBPlacement::kTableId;
  if (onBox) ancestor = ancestor->GetSystemAncestor();
  auto* system = dynamic_cast<Cls_QsOutPlacement*>(ancestor);
  auto* outdoor = system ? dynamic_cast<Cls_OutdoorUnit*>(system->GetModel()) : nullptr;
  if (!outdoor) return 0;
  if (!cooling) {
    const int family = outdoor->Family();
    if (family == 2 || (family == 0 && !onBox)) return 0;
  }
  const TAir air;
  const double at100Index = outdoor->GetCapacityIndexAt(100);
  double p = std::min(system->GetCapacityIndexSum(cooling), IndexAtLargestRatio(*outdoor));
  if (at100 || p < at100Index) p = at100Index;
  int status = kCapacityOk;
  double q = 0;
  if (cooling) {
    q = system->GetCoolingCapacity(outdoor, air, status, p, GetCoolIndoorRH(),
                                   GetCoolIndoorTemp()) *
        CoolPipingFactor();
  } else {
    q = system->GetHeatingCapacity(outdoor, air, status, p, GetHeatIndoorRH(),
                                   GetHeatIndoorTemp()) *
        HeatPipingFactor();
  }
  const double share = ShareOf(model->CapIndex(), q, p);
  if (cooling && !totalOnly) {
    return air.SensibleCapacity(model->HighBypass() * 100, model->HighFan(), GetCoolIndoorRH(),
                                GetCoolIndoorTemp(), share);
  }
  return share;
}
