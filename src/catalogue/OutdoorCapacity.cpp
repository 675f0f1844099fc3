#include "catalogue/OutdoorCapacity.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "catalogue/CapacityTables.h"
#include "catalogue/OutdoorUnits.h"
#include "physics/MoistAir.h"

namespace {

// The extremes are sampled at whole-degree steps; a range wider than this many steps (absurd
// data) is sampled with wider steps so that building a family always ends quickly.
constexpr double kMaxExtremeSteps = 10000.0;

// Rounds to the nearest integer, halves away from zero, as the catalogue's ratios and lengths
// are compared.
long long RoundToInt(double value) {
  if (!std::isfinite(value)) return 0;
  return std::llround(std::clamp(value, -9.0e18, 9.0e18));
}

// A corner cut at an indoor point: whether it applies there, its indoor extent g and its
// (scaled) outdoor extent h. Left corners start at the allowed indoor minimum, right corners end
// at the allowed maximum.
struct LTCut {
  bool applies = false;
  double g = 0.0;
  double h = 0.0;
};

LTCut LeftCut(const LTOperatingEnvelope::Corner& corner, double ti, double ratedMin,
              double minIndoor) {
  LTCut cut;
  cut.g = std::fabs(corner.indoor);
  cut.h = std::fabs(corner.outdoor);
  if (!(cut.g > 0.0 && cut.h > 0.0 && minIndoor <= ti && ti < minIndoor + cut.g)) return cut;
  if (minIndoor < ratedMin) cut.h = cut.h * (cut.g + ratedMin - minIndoor) / cut.g;
  cut.applies = true;
  return cut;
}

LTCut RightCut(const LTOperatingEnvelope::Corner& corner, double ti, double ratedMax,
               double maxIndoor) {
  LTCut cut;
  cut.g = std::fabs(corner.indoor);
  cut.h = std::fabs(corner.outdoor);
  if (!(cut.g > 0.0 && cut.h > 0.0 && maxIndoor - cut.g < ti && ti <= maxIndoor)) return cut;
  if (maxIndoor > ratedMax) cut.h = cut.h * (cut.g + maxIndoor - ratedMax) / cut.g;
  cut.applies = true;
  return cut;
}

// The value of a factor table at x: the end factors beyond the ends, linear in between.
double FactorAt(const std::vector<LTFactorRow>& rows, double x) {
  if (rows.empty()) return 1.0;
  if (x < rows.front().at) return rows.front().factor;
  if (x > rows.back().at) return rows.back().factor;
  const LTFactorRow* previous = &rows.front();
  for (const LTFactorRow& row : rows) {
    if (row.at >= x) {
      if (row.at == x) return row.factor;
      return previous->factor +
             (x - previous->at) * (row.factor - previous->factor) / (row.at - previous->at);
    }
    previous = &row;
  }
  return rows.back().factor;  // only for a NaN x
}

LTCapacityCurve CurveOf(Cls_OutCapacity& record) {
  LTCapacityCurve curve;
  curve.outdoorTemp = record.Select1();
  curve.a[0] = record.A0();
  curve.a[1] = record.A1();
  curve.a[2] = record.A2();
  curve.a[3] = record.A3();
  curve.a[4] = record.A4();
  curve.a[5] = record.A5();
  curve.a[6] = record.A6();
  curve.a[7] = record.A7();
  return curve;
}

// The model's two operating envelopes, read into its capacity model on first use.
void EnsureEnvelopes(Cls_OutdoorUnit& unit, LTOutdoorCapacity& model) {
  model.envelopesOnce.Run([&] {
    model.coolingEnvelope = LTOperatingEnvelope::Of(unit, true);
    model.heatingEnvelope = LTOperatingEnvelope::Of(unit, false);
  });
}

std::vector<TPolyCapList>& FamiliesOf(LTOutdoorCapacity& model, int kind) {
  switch (kind) {
    case kCurveCoolingCapacity:
      return model.coolingCapacity;
    case kCurveCoolingPower:
      return model.coolingPower;
    case kCurveHeatingCapacity:
      return model.heatingCapacity;
    default:
      return model.heatingPower;
  }
}

// A curve record with the keys its families are formed by.
struct LTPooledCurve {
  int kind = 0;
  double ratio = 0.0;
  LTCapacityCurve curve;
  bool taken = false;
};

}  // namespace

// -- Curves and families
// ---------------------------------------------------------------------------

LTOperatingEnvelope LTOperatingEnvelope::Of(Cls_OutdoorUnit& unit, bool cooling) {
  LTOperatingEnvelope e;
  if (cooling) {
    e.ratedMin = unit.CMinITemp();
    e.ratedMax = unit.CMaxITemp();
    e.minIndoor = unit.SimCMinITemp();
    e.maxIndoor = unit.SimCMaxITemp();
    e.minOutdoor = unit.CMinOTemp();
    e.maxOutdoor = unit.CMaxOTemp();
    e.upperLeft = {unit.CDIndUL(), unit.CDOutUL()};
    e.upperRight = {unit.CDIndUR(), unit.CDOutUR()};
    e.lowerRight = {unit.CDIndLR(), unit.CDOutLR()};
    e.lowerLeft = {unit.CDIndLL(), unit.CDOutLL()};
  } else {
    e.ratedMin = unit.HMinITemp();
    e.ratedMax = unit.HMaxITemp();
    e.minIndoor = unit.SimHMinITemp();
    e.maxIndoor = unit.SimHMaxITemp();
    e.minOutdoor = unit.HMinOTemp();
    e.maxOutdoor = unit.HMaxOTemp();
    e.upperLeft = {unit.HDIndUL(), unit.HDOutUL()};
    e.upperRight = {unit.HDIndUR(), unit.HDOutUR()};
    e.lowerRight = {unit.HDIndLR(), unit.HDOutLR()};
    e.lowerLeft = {unit.HDIndLL(), unit.HDOutLL()};
  }
  return e;
}

bool LTOperatingEnvelope::IsOutside(double ti, double to) const {
  if (to < minOutdoor || to > maxOutdoor || ti < minIndoor || ti > maxIndoor) return true;
  if (const LTCut c = LeftCut(upperLeft, ti, ratedMin, minIndoor);
      c.applies && to > maxOutdoor - c.h + (ti - minIndoor) * c.h / c.g)
    return true;
  if (const LTCut c = RightCut(upperRight, ti, ratedMax, maxIndoor);
      c.applies && to > maxOutdoor - (ti - maxIndoor + c.g) * c.h / c.g)
    return true;
  if (const LTCut c = RightCut(lowerRight, ti, ratedMax, maxIndoor);
      c.applies && to < minOutdoor + (ti - maxIndoor + c.g) * c.h / c.g)
    return true;
  if (const LTCut c = LeftCut(lowerLeft, ti, ratedMin, minIndoor);
      c.applies && to < minOutdoor + c.h - (ti - minIndoor) * c.h / c.g)
    return true;
  return false;
}

TPolyCapList::TPolyCapList(int kind, Cls_OutdoorUnit& unit, double ratio, double keyIndex,
                           std::vector<LTCapacityCurve> curves, const LTOperatingEnvelope& envelope,
                           double lo, double hi)
    : kind_(kind),
      unit_(&unit),
      ratio_(ratio),
      keyIndex_(keyIndex),
      curves_(std::move(curves)),
      envelope_(envelope),
      lo_(curves_.empty() ? 0.0 : lo),
      hi_(curves_.empty() ? 0.0 : hi) {
  ComputeExtremes();
}

void TPolyCapList::ComputeExtremes() {
  if (curves_.empty() || !std::isfinite(lo_) || !std::isfinite(hi_)) return;
  const double step = std::max(1.0, (hi_ - lo_) / kMaxExtremeSteps);
  for (double x = lo_; x <= hi_;) {
    for (const LTCapacityCurve& curve : curves_) {
      const double y = curve.Value(x);
      smallest_ = std::min(smallest_, y);
      largest_ = std::max(largest_, y);
    }
    if (x == hi_) break;
    x = std::min(x + step, hi_);
  }
}

double TPolyCapList::Value(double ti, double to, int& status) const {
  status = kCapacityOk;
  if (curves_.empty()) return 0.0;
  const bool cooling = IsCooling();
  // Written so that NaN temperatures count as outside the curves.
  if (!(ti >= lo_ && ti <= hi_ && to >= curves_.front().outdoorTemp &&
        to <= curves_.back().outdoorTemp)) {
    status = cooling ? kCapacityOutsideCoolingTable : kCapacityOutsideHeatingTable;
    return 0.0;
  }
  if (envelope_.IsOutside(ti, to)) {
    status = cooling ? kCapacityOutsideCoolingEnvelope : kCapacityOutsideHeatingEnvelope;
    return 0.0;
  }
  const LTCapacityCurve* previous = &curves_.front();
  for (const LTCapacityCurve& curve : curves_) {
    if (curve.outdoorTemp >= to) {
      if (curve.outdoorTemp == previous->outdoorTemp) return curve.Value(ti);
      const double y0 = previous->Value(ti);
      return y0 + (to - previous->outdoorTemp) * (curve.Value(ti) - y0) /
                      (curve.outdoorTemp - previous->outdoorTemp);
    }
    previous = &curve;
  }
  status = kCapacityAboveLastCurve;
  return 0.0;
}

double ValueOfKind(const std::vector<TPolyCapList>& families, double ti, double to, double ci,
                   int& status) {
  status = kCapacityOk;
  if (families.empty()) return 0.0;
  std::size_t lower = 0;
  const TPolyCapList* upper = nullptr;
  if (ci > families.front().KeyIndex()) {
    for (std::size_t i = 0; i < families.size(); ++i) {
      if (families[i].KeyIndex() <= ci) {
        lower = i;
      } else {
        upper = &families[i];
        break;
      }
    }
  }
  const TPolyCapList& low = families[lower];
  // At a key index itself the upper family has no weight and is not asked.
  if (upper && ci == low.KeyIndex()) upper = nullptr;
  const double y = low.Value(ti, to, status);
  if (!upper || status != kCapacityOk) return y;
  const double y2 = upper->Value(ti, to, status);
  // Interpolating against a family that gave no value would report a part of the other
  // family's capacity as if it were computed; the failure stands instead.
  if (status != kCapacityOk) return 0.0;
  return y + (ci - low.KeyIndex()) * (y2 - y) / (upper->KeyIndex() - low.KeyIndex());
}

double TFreezeUp::FactorAt(double t) const {
  return ::FactorAt(rows_, t);
}

// -- The outdoor model's operations
// ----------------------------------------------------------------

LTOutdoorCapacity& Cls_OutdoorUnit::Capacity() {
  return capacity_.Of(*this);
}

Cls_OutdoorUnit& Cls_OutdoorUnit::CapacityOwner() {
  Capacity();
  if (!capacity_.IsShared()) return *this;
  // The shared model lives as long as the catalogue's cached instances, not as this handle.
  auto* cached = dynamic_cast<Cls_OutdoorUnit*>(CachedObject(Table().Id(), RecordId(), &Factory()));
  return cached ? *cached : *this;
}

const std::vector<LTCombinationRow>& Cls_OutdoorUnit::GetCombinationRows() {
  LTOutdoorCapacity& model = Capacity();
  model.rowsOnce.Run([&] {
    if (!IsStored()) return;
    CTDbObjectList records =
        RelatedObjects(Cls_OutCombination::kTableId, Cls_OutCombination::kOutdoorUnit);
    for (const auto& record : records) {
      auto* row = dynamic_cast<Cls_OutCombination*>(record.get());
      if (row) model.rows.push_back({row->Combination(), row->CapIndex()});
    }
    std::stable_sort(
        model.rows.begin(), model.rows.end(),
        [](const LTCombinationRow& a, const LTCombinationRow& b) { return a.ratio < b.ratio; });
  });
  return model.rows;
}

double Cls_OutdoorUnit::GetMaxCombinationRatio(bool highAllowed) {
  double r = MaxConnRatio();
  if (!highAllowed && r != 0.0) return r;
  const auto& rows = GetCombinationRows();
  if (!rows.empty() && rows.back().ratio > r) r = rows.back().ratio;
  return r;
}

double Cls_OutdoorUnit::GetCapacityIndexAt(double ratio) {
  if (!(ratio > 0.0)) return 0.0;
  double c = 0.0;
  double i = 0.0;
  const auto& rows = GetCombinationRows();
  for (const LTCombinationRow& row : rows) {
    if (row.ratio < ratio) {
      c = row.ratio;
      i = row.capIndex;
      continue;
    }
    if (row.ratio == ratio) return row.capIndex;
    if (c == 0.0) return ratio * row.capIndex / row.ratio;
    return i + (row.capIndex - i) * (ratio - c) / (row.ratio - c);
  }
  return rows.empty() ? 0.0 : rows.back().capIndex;
}

double Cls_OutdoorUnit::GetModulesCapacityIndex(int n) {
  return GetModulesCapacityIndex(
      n, [](Cls_OutdoorUnit& module) { return module.GetCapacityIndexAt(100.0); });
}

void Cls_OutdoorUnit::BuildFamilies(LTOutdoorCapacity& model, int firstKind, int secondKind) {
  EnsureEnvelopes(*this, model);
  if (!IsStored()) return;
  const auto& rows = GetCombinationRows();

  // The curves of the pair, ordered by ratio, kind and outdoor temperature.
  std::vector<LTPooledCurve> pool;
  CTDbObjectList records = RelatedObjects(Cls_OutCapacity::kTableId, Cls_OutCapacity::kOutdoorUnit);
  for (const auto& record : records) {
    auto* curve = dynamic_cast<Cls_OutCapacity*>(record.get());
    if (!curve) continue;
    const int kind = curve->Type();
    if (kind != firstKind && kind != secondKind) continue;
    pool.push_back({kind, curve->Select2(), CurveOf(*curve)});
  }
  std::stable_sort(pool.begin(), pool.end(), [](const LTPooledCurve& a, const LTPooledCurve& b) {
    if (a.ratio != b.ratio) return a.ratio < b.ratio;
    if (a.kind != b.kind) return a.kind < b.kind;
    return a.curve.outdoorTemp < b.curve.outdoorTemp;
  });

  auto& firstList = FamiliesOf(model, firstKind);
  auto& secondList = FamiliesOf(model, secondKind);
  for (const LTCombinationRow& row : rows) {
    const long long ratio = RoundToInt(row.ratio);
    std::vector<LTCapacityCurve> first;
    std::vector<LTCapacityCurve> second;
    for (LTPooledCurve& pooled : pool) {
      if (pooled.taken || RoundToInt(pooled.ratio) != ratio) continue;
      pooled.taken = true;
      (pooled.kind == firstKind ? first : second).push_back(pooled.curve);
    }
    AddFamily(model, firstList, firstKind, row, std::move(first));
    AddFamily(model, secondList, secondKind, row, std::move(second));
  }
}

void Cls_OutdoorUnit::AddFamily(LTOutdoorCapacity& model, std::vector<TPolyCapList>& list, int kind,
                                const LTCombinationRow& row, std::vector<LTCapacityCurve> curves) {
  if (curves.empty()) return;
  // The pool is ordered by the stored ratio first, so a curve stored at 100.4 % follows the
  // 100 % curves of every temperature; the family must still run by outdoor temperature.
  std::stable_sort(curves.begin(), curves.end(),
                   [](const LTCapacityCurve& a, const LTCapacityCurve& b) {
                     return a.outdoorTemp < b.outdoorTemp;
                   });
  const bool cooling = TPolyCapList::IsCoolingKind(kind);
  list.emplace_back(kind, CapacityOwner(), row.ratio, row.capIndex, std::move(curves),
                    cooling ? model.coolingEnvelope : model.heatingEnvelope,
                    cooling ? CIndLowerLimit() : HIndLowerLimit(),
                    cooling ? CIndUpperLimit() : HIndUpperLimit());
}

const std::vector<TPolyCapList>& Cls_OutdoorUnit::GetCapacityFamilies(int kind) {
  static const std::vector<TPolyCapList> none;
  LTOutdoorCapacity& model = Capacity();
  if (kind == kCurveCoolingCapacity || kind == kCurveHeatingCapacity) {
    model.capacityFamiliesOnce.Run(
        [&] { BuildFamilies(model, kCurveCoolingCapacity, kCurveHeatingCapacity); });
  } else if (kind == kCurveCoolingPower || kind == kCurveHeatingPower) {
    model.powerFamiliesOnce.Run(
        [&] { BuildFamilies(model, kCurveCoolingPower, kCurveHeatingPower); });
  } else {
    return none;
  }
  return FamiliesOf(model, kind);
}

bool Cls_OutdoorUnit::IsOutsideEnvelope(bool cooling, double ti, double to) {
  LTOutdoorCapacity& model = Capacity();
  EnsureEnvelopes(*this, model);
  return (cooling ? model.coolingEnvelope : model.heatingEnvelope).IsOutside(ti, to);
}

double Cls_OutdoorUnit::GetCapacityAt(bool cooling, double indoorDryBulb, double indoorRh,
                                      double outdoorTemp, double /*outdoorRh*/, double totalIndex,
                                      const TAir& air, int& status) {
  if (cooling) {
    return GetCoolingCapacityAtWetBulb(air.WetBulbTemperature(indoorDryBulb, indoorRh), outdoorTemp,
                                       totalIndex, status);
  }
  const double value = ValueOfKind(GetCapacityFamilies(kCurveHeatingCapacity), indoorDryBulb,
                                   outdoorTemp, totalIndex, status);
  return value * GetDefrostFactor(outdoorTemp);
}

double Cls_OutdoorUnit::GetCoolingCapacityAtWetBulb(double indoorWetBulb, double outdoorTemp,
                                                    double totalIndex, int& status) {
  return ValueOfKind(GetCapacityFamilies(kCurveCoolingCapacity), indoorWetBulb, outdoorTemp,
                     totalIndex, status);
}

double Cls_OutdoorUnit::GetPowerInputAt(bool cooling, double indoorDryBulb, double indoorRh,
                                        double outdoorTemp, double /*outdoorRh*/, double totalIndex,
                                        const TAir& air) {
  int status = kCapacityOk;
  if (cooling) {
    const double wetBulb = air.WetBulbTemperature(indoorDryBulb, indoorRh);
    return ValueOfKind(GetCapacityFamilies(kCurveCoolingPower), wetBulb, outdoorTemp, totalIndex,
                       status);
  }
  return ValueOfKind(GetCapacityFamilies(kCurveHeatingPower), indoorDryBulb, outdoorTemp,
                     totalIndex, status);
}

const TVarCapList& Cls_OutdoorUnit::GetCapVariationTable(int kind) {
  LTOutdoorCapacity& model = Capacity();
  model.variationOnce.Run([&] {
    std::vector<LTFactorRow> cooling;
    std::vector<LTFactorRow> heating;
    if (IsStored()) {
      CTDbObjectList records =
          RelatedObjects(Cls_CapVariation::kTableId, Cls_CapVariation::kOutdoorUnit);
      for (const auto& record : records) {
        auto* row = dynamic_cast<Cls_CapVariation*>(record.get());
        if (!row) continue;
        if (row->Type() == kVariationCooling) cooling.push_back({row->Length(), row->Corr()});
        if (row->Type() == kVariationHeating) heating.push_back({row->Length(), row->Corr()});
      }
    }
    const auto byLength = [](const LTFactorRow& a, const LTFactorRow& b) { return a.at < b.at; };
    std::stable_sort(cooling.begin(), cooling.end(), byLength);
    std::stable_sort(heating.begin(), heating.end(), byLength);
    Cls_OutdoorUnit* owner = &CapacityOwner();
    model.coolingVariation.emplace(kVariationCooling, owner, std::move(cooling));
    model.heatingVariation.emplace(kVariationHeating, owner, std::move(heating));
  });
  if (kind == kVariationCooling) return *model.coolingVariation;
  if (kind == kVariationHeating) return *model.heatingVariation;
  static const TVarCapList none(0, nullptr, {});
  return none;
}

double Cls_OutdoorUnit::GetPipingCorrection(const TVarCapList& table, int length, int levelDiff) {
  if (length == 0) return 1.0;
  double c = 0.0;
  double f = 1.0;
  for (const LTFactorRow& row : table.Rows()) {
    const double rowLength = static_cast<double>(RoundToInt(row.at));
    if (length > rowLength) {
      c = rowLength;
      f = row.factor;
      continue;
    }
    if (length == rowLength) {
      f = row.factor;
    } else {
      f = f + (row.factor - f) * (length - c) / (rowLength - c);
    }
    break;
  }
  if (table.Kind() == kVariationCooling) {
    if (levelDiff > 0) {
      f *= 0.98;
    } else if (levelDiff < 0 && length >= std::fabs(MaxLevelDiffOutdoorBelow())) {
      f *= 1.015;
    }
  }
  return std::min(f, 1.0);
}

double Cls_OutdoorUnit::GetDefrostFactor(double outdoorTemp) {
  LTOutdoorCapacity& model = Capacity();
  model.freezeUpOnce.Run([&] {
    std::vector<LTFactorRow> rows;
    if (IsStored()) {
      CTDbObjectList records = RelatedObjects(Cls_FreezeUp::kTableId, Cls_FreezeUp::kOutdoorUnit);
      for (const auto& record : records) {
        if (auto* row = dynamic_cast<Cls_FreezeUp*>(record.get()))
          rows.push_back({row->Temp(), row->Corr()});
      }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LTFactorRow& a, const LTFactorRow& b) { return a.at < b.at; });
    model.freezeUp.emplace(&CapacityOwner(), std::move(rows));
  });
  return model.freezeUp->FactorAt(outdoorTemp);
}
