#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "objectstore/DbViews.h"
#include "physics/PerformanceCurve.h"

class Cls_OutdoorUnit;
class TAir;

// Why a capacity look-up gave 0 kW. Statuses 1 to 4 are reported to the user (messages 10051 to
// 10054); 5 is silent.
enum LTCapacityStatus : int {
  kCapacityOk = 0,
  kCapacityOutsideCoolingEnvelope = 1,
  kCapacityOutsideHeatingEnvelope = 2,
  kCapacityOutsideCoolingTable = 3,
  kCapacityOutsideHeatingTable = 4,
  kCapacityAboveLastCurve = 5,
};

// One curve of a family, copied out of its record: the outdoor temperature it holds for and the
// coefficients of x^0 .. x^7.
struct LTCapacityCurve {
  double outdoorTemp = 0.0;
  double a[8] = {};
  double Value(double x) const { return EvaluateCurve(a, x); }
};

// The operating envelope of one mode: indoor temperature limits rated (A, B) and allowed (C, D),
// outdoor limits (E, F) and the four corner cuts, each an indoor extent g and an outdoor extent
// h as stored (signs are dropped when testing).
struct LTOperatingEnvelope {
  struct Corner {
    double indoor = 0.0;
    double outdoor = 0.0;
  };
  double ratedMin = 0.0, ratedMax = 0.0;      // A, B
  double minIndoor = 0.0, maxIndoor = 0.0;    // C, D
  double minOutdoor = 0.0, maxOutdoor = 0.0;  // E, F
  Corner upperLeft, upperRight, lowerRight, lowerLeft;

  // The cooling or heating envelope of a model.
  static LTOperatingEnvelope Of(Cls_OutdoorUnit& unit, bool cooling);
  // Whether the point (indoor ti, outdoor to) lies outside: beyond a limit or in a cut corner.
  // A corner is cut only when both its extents are non-zero; when the allowed indoor range
  // reaches beyond the rated one, the corner's outdoor extent is scaled up in proportion.
  bool IsOutside(double ti, double to) const;
};

// The curves of one model for one kind and one combination row, ordered by outdoor temperature.
// Evaluating it allocates nothing.
class TPolyCapList {
 public:
  // The family over the given curves (ascending outdoor temperature), tested against the
  // envelope of its mode, with the model's indoor range of that mode.
  TPolyCapList(int kind, Cls_OutdoorUnit& unit, double ratio, double keyIndex,
               std::vector<LTCapacityCurve> curves, const LTOperatingEnvelope& envelope, double lo,
               double hi);

  int Kind() const { return kind_; }
  bool IsCooling() const { return IsCoolingKind(kind_); }
  static bool IsCoolingKind(int kind) {
    return kind == kCurveCoolingCapacity || kind == kCurveCoolingPower;
  }
  Cls_OutdoorUnit& Unit() const { return *unit_; }
  // The combination row: its ratio (%) and capacity index (the family's key index).
  double Ratio() const { return ratio_; }
  double KeyIndex() const { return keyIndex_; }
  const std::vector<LTCapacityCurve>& Curves() const { return curves_; }
  // Indoor temperature range of the curves (wet bulb for the cooling kinds, dry bulb for the
  // heating kinds); [0, 0] without curves.
  double IndoorLow() const { return lo_; }
  double IndoorHigh() const { return hi_; }
  // Smallest and largest value of the curves over the indoor range, sampled at every whole
  // degree step from the low end and at the high end; ±2147483647 without curves.
  double Smallest() const { return smallest_; }
  double Largest() const { return largest_; }

  // The value at indoor ti and outdoor to, interpolated linearly between the curves of the two
  // neighbouring outdoor temperatures; 0 with a non-zero status outside the curves' ranges, the
  // envelope, or above the last curve.
  double Value(double ti, double to, int& status) const;

 private:
  void ComputeExtremes();

  int kind_;
  Cls_OutdoorUnit* unit_;
  double ratio_;
  double keyIndex_;
  std::vector<LTCapacityCurve> curves_;
  LTOperatingEnvelope envelope_;
  double lo_;
  double hi_;
  double smallest_ = 2147483647.0;
  double largest_ = -2147483647.0;
};

// One row of a capacity-variation or defrost table: a length (m) or an outdoor temperature, and
// the factor there.
struct LTFactorRow {
  double at = 0.0;
  double factor = 1.0;
};

// The capacity factors of one model and one kind (5 cooling, 6 heating) by equivalent piping
// length, ascending.
class TVarCapList {
 public:
  TVarCapList(int kind, Cls_OutdoorUnit* unit, std::vector<LTFactorRow> rows)
      : kind_(kind), unit_(unit), rows_(std::move(rows)) {}
  int Kind() const { return kind_; }
  Cls_OutdoorUnit* Unit() const { return unit_; }
  const std::vector<LTFactorRow>& Rows() const { return rows_; }

 private:
  int kind_;
  Cls_OutdoorUnit* unit_;
  std::vector<LTFactorRow> rows_;
};

// The defrost factors of one model's heating capacity by outdoor temperature, ascending.
class TFreezeUp {
 public:
  TFreezeUp(Cls_OutdoorUnit* unit, std::vector<LTFactorRow> rows)
      : unit_(unit), rows_(std::move(rows)) {}
  Cls_OutdoorUnit* Unit() const { return unit_; }
  const std::vector<LTFactorRow>& Rows() const { return rows_; }
  // The factor at outdoor temperature t: the end rows' factors beyond the ends, linear between
  // rows; 1.0 without rows.
  double FactorAt(double t) const;

 private:
  Cls_OutdoorUnit* unit_;
  std::vector<LTFactorRow> rows_;
};

// A combination row: ratio (%) and capacity index there.
struct LTCombinationRow {
  double ratio = 0.0;
  double capIndex = 0.0;
};

// Everything the capacity model of one outdoor model builds: a view of the record, shared by
// its handles and threads (or a handle's own for a model that is not stored). Each part is built
// once, on the first request that needs it, and only read afterwards.
struct LTOutdoorCapacity : CTDbView {
  CTOnce rowsOnce;
  std::vector<LTCombinationRow> rows;

  CTOnce envelopesOnce;
  LTOperatingEnvelope coolingEnvelope;
  LTOperatingEnvelope heatingEnvelope;

  // Families per kind, in ascending combination order; built in pairs (capacities together,
  // power inputs together).
  CTOnce capacityFamiliesOnce;
  CTOnce powerFamiliesOnce;
  std::vector<TPolyCapList> coolingCapacity;
  std::vector<TPolyCapList> coolingPower;
  std::vector<TPolyCapList> heatingCapacity;
  std::vector<TPolyCapList> heatingPower;

  CTOnce variationOnce;  // both tables are built together
  std::optional<TVarCapList> coolingVariation;
  std::optional<TVarCapList> heatingVariation;

  CTOnce freezeUpOnce;
  std::optional<TFreezeUp> freezeUp;
};

// The value of a kind at (ti, to) for a total capacity index ci over its families (ascending key
// indices): the family at or below ci and the next one above are interpolated linearly by index;
// below the first key index the first family alone, above the last the last alone. 0 with
// status 0 without families; 0 with the failing family's status when an evaluation fails.
double ValueOfKind(const std::vector<TPolyCapList>& families, double ti, double to, double ci,
                   int& status);
