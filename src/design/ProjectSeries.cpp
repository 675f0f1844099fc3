// The series the project's refrigerant allows, and fitting the placements to a new refrigerant.

#include <algorithm>

#include "catalogue/Devices.h"
#include "catalogue/IndoorUnits.h"
#include "catalogue/OutdoorUnits.h"
#include "design/Preferences.h"
#include "design/QsBSBPlacement.h"
#include "design/QsIndPlacement.h"
#include "design/QsIndVariantPlacements.h"
#include "design/QsOutPlacement.h"
#include "design/QsProject.h"
#include "i18n/TextCase.h"

namespace {

constexpr char kAXDPrefix[] = "AXD";

bool IsAXDSeries(const std::string& series) {
  return series.starts_with(kAXDPrefix);
}

bool ContainsNoCase(const std::vector<std::string>& list, const std::string& text) {
  return std::any_of(list.begin(), list.end(),
                     [&](const std::string& entry) { return EqualNoCase(entry, text); });
}

// The first indoor model of the same capacity index (exactly), of the series and of the family,
// both compared without regard to case; null when there is none.
Cls_IndoorUnit* SameSizeModel(const CTDbObjectList& models, double capIndex,
                              const std::string& series, const std::string& family) {
  for (const auto& object : models) {
    auto* model = dynamic_cast<Cls_IndoorUnit*>(object.get());
    if (!model || model->IsDeleted()) continue;
    if (model->CapIndex() == capIndex && EqualNoCase(model->Series(), series) &&
        EqualNoCase(model->Family(), family)) {
      return model;
    }
  }
  return nullptr;
}

}  // namespace

void Cls_QsProject::BuildSeriesLists(const LTOutdoorUnitList& outdoorUnits) {
  seriesNames_.clear();
  defaultBoxSeries_.clear();
  defaultIndoorSeries_.clear();
  defaultAXDSeries_.clear();
  const LTRecordRef refrigerant = GetRefrigerantRef();
  for (Cls_OutdoorUnit* unit : outdoorUnits) {
    if (!unit || unit->RefrigerantRef() != refrigerant) continue;
    if (!ContainsNoCase(seriesNames_, unit->Series())) seriesNames_.push_back(unit->Series());
    if (defaultIndoorSeries_.empty() || defaultAXDSeries_.empty()) {
      for (Cls_IndoorUnit* indoor : unit->GetCompatibleIndoorUnits()) {
        const std::string& series = indoor->Series();
        if (IsAXDSeries(series)) {
          if (defaultAXDSeries_.empty()) defaultAXDSeries_ = series;
        } else if (defaultIndoorSeries_.empty()) {
          defaultIndoorSeries_ = series;
        }
      }
    }
    if (defaultBoxSeries_.empty()) {
      const auto& boxes = unit->GetCompatibleBSBoxes();
      if (!boxes.empty()) defaultBoxSeries_ = boxes.front()->Series();
    }
  }
  std::string& preferred = CTPreferences::Current().outdoorSeries;
  if (!seriesNames_.empty() && !ContainsNoCase(seriesNames_, preferred)) {
    preferred = seriesNames_.front();
  }
}

void Cls_QsProject::ChangeRefrigerant(const CTDbObject* refrigerant,
                                      const LTOutdoorUnitList& outdoorUnits) {
  SetRefrigerant(refrigerant);
  StoreAsDefaults();
  BuildSeriesLists(outdoorUnits);
  const CTDbObjectList indoorModels = AllObjects(Cls_IndoorUnit::kTableId, false, &Factory());
  std::string& preferred = CTPreferences::Current().outdoorSeries;
  for (const auto& owned : GetPlacements()) {
    Cls_QsDevicePlacement* p = owned.get();
    const int table = p->TableId();
    if (table == Cls_QsOutPlacement::kTableId) {
      if (!ContainsNoCase(seriesNames_, p->GetSeries())) {
        if (ContainsNoCase(seriesNames_, preferred)) {
          p->SetSeries(preferred);
        } else if (!seriesNames_.empty()) {
          preferred = seriesNames_.front();
          p->SetSeries(preferred);
        }
      }
    } else if (table == Cls_QsBSBPlacement::kTableId) {
      p->SetSeries(defaultBoxSeries_);
    } else if (table == Cls_QsIndPlacement::kTableId || table == Cls_QsAXDPlacement::kTableId) {
      auto& indoor = static_cast<Cls_QsIndPlacement&>(*p);
      const std::string& series =
          table == Cls_QsAXDPlacement::kTableId ? defaultAXDSeries_ : defaultIndoorSeries_;
      indoor.SetSeries(series);
      auto* oldModel = dynamic_cast<Cls_IndoorUnit*>(indoor.GetModel());
      if (indoor.GetManualSelect() && oldModel) {
        if (Cls_IndoorUnit* replacement =
                SameSizeModel(indoorModels, oldModel->CapIndex(), series, indoor.GetFamily())) {
          indoor.SetModel(replacement);
        }
      }
    }
    p->Post();
  }
}
