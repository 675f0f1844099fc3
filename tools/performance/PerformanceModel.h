#pragma once

#include <vector>

#include "PerformanceInput.h"

// The capacity and power-input model of one outdoor model (data/catalogue/performance/README.md
// gives the formulas). Everything is computed in long double; the values are in kW.
//
// The capacity is a smooth minimum of what the connected indoor units can take (proportional to
// the combination ratio) and what the compressor can deliver at the conditions; the power input
// is the rated power scaled by the load and by the effective lift between the evaporating and the
// condensing temperature, plus a constant auxiliary share.
class CTPerformanceModel {
 public:
  CTPerformanceModel(const LTSeriesConstants& series, const LTModelRating& model);

  const LTSeriesConstants& Series() const { return *series_; }
  const LTModelRating& Model() const { return *model_; }
  bool HasHeating() const { return model_->hasHeating; }

  // The indoor wet bulb of the cooling rating: the program's own conversion of the rating dry
  // bulb and relative humidity.
  double CoolingRatingWetBulb() const { return coolRatingWetBulb_; }

  // The combination ratios of the model's rows (%), ascending.
  std::vector<double> Ratios() const;

  // One curve: a kind (POL_Type 5, 6, 2 or 4) at a combination ratio (%) and an outdoor
  // temperature, as a function of the indoor temperature x (wet bulb in cooling, dry bulb in
  // heating). What does not depend on x is worked out once.
  class CTCurve {
   public:
    long double operator()(long double x) const;

   private:
    friend class CTPerformanceModel;
    const CTPerformanceModel* model_ = nullptr;
    int kind_ = 0;
    bool cooling_ = true;
    long double outdoor_ = 0.0L;
    // Logarithms of the indoor-side and the compressor-side capacity (over the rated capacity)
    // at the rating indoor temperature.
    long double logIndoor_ = 0.0L, logCompressor_ = 0.0L;
  };
  CTCurve Curve(int kind, double ratio, double outdoor) const;

  // The value of a kind at combination ratio, outdoor temperature and indoor temperature x.
  long double Value(int kind, double ratio, double outdoor, long double x) const {
    return Curve(kind, ratio, outdoor)(x);
  }
  long double CoolingCapacity(double ratio, double outdoor, long double x) const;
  long double CoolingPower(double ratio, double outdoor, long double x) const;
  long double HeatingCapacity(double ratio, double outdoor, long double x) const;
  long double HeatingPower(double ratio, double outdoor, long double x) const;

  // The capacity factor of the piping at an equivalent length (m), rounded to 4 decimals.
  double PipingFactor(bool cooling, double length) const;

 private:
  // Load q (capacity over the rated capacity) of a curve at x.
  long double Load(const CTCurve& curve, long double x) const;
  // Power over the load-proportional part of the rated power: the effective lift raised to the
  // lift exponent over the absolute temperature of the useful side.
  long double LiftTerm(bool cooling, long double q, long double outdoor, long double x) const;

  const LTSeriesConstants* series_;
  const LTModelRating* model_;
  double coolRatingWetBulb_;
  long double indoorScale_;  // kappa: indoor-side capacity at 100 % over the rated capacity
  long double coolRatingLift_ = 0.0L;
  long double heatRatingLift_ = 0.0L;
};
