#include "PerformanceModel.h"

#include <cmath>

#include "physics/MoistAir.h"
#include "physics/PerformanceCurve.h"

namespace {

constexpr long double kZeroCelsius = 273.15L;

// a^b for a > 0; powl is slow and exp(b·log a) in long double is far more accurate than needed.
long double PowerOf(long double a, long double b) {
  return std::exp(b * std::log(a));
}

// The compressor's capacity factor of the outdoor temperature, 1 + m·L·tanh(d/L): slope m at the
// rating point (d = 0), saturating over the span L, always between 1 - m·L and 1 + m·L.
long double OutdoorFactor(long double slope, long double span, long double delta) {
  return 1.0L + slope * span * std::tanh(delta / span);
}

bool IsCooling(int kind) {
  return kind == kCurveCoolingCapacity || kind == kCurveCoolingPower;
}

}  // namespace

CTPerformanceModel::CTPerformanceModel(const LTSeriesConstants& series, const LTModelRating& model)
    : series_(&series),
      model_(&model),
      coolRatingWetBulb_(
          TAir().WetBulbTemperature(series.coolRatingDryBulb, series.coolRatingHumidity)) {
  const long double p = series.loadSharpness;
  // At the rating point and 100 % the indoor side gives kappa, the compressor sigma, and their
  // smooth minimum is exactly the rated capacity: kappa^-p + sigma^-p = 1.
  indoorScale_ = PowerOf(1.0L - PowerOf(series.compressorReserve, -p), -1.0L / p);
  if (series.coolOutdoorSlope * series.coolOutdoorSpan >= 0.9 ||
      (model.hasHeating && series.heatOutdoorSlope * series.heatOutdoorSpan >= 0.9))
    throw CTPerformanceError(series.file, series.line,
                             "outdoor slope times span must stay below 0.9 (the compressor "
                             "capacity would vanish)");
  coolRatingLift_ = LiftTerm(true, 1.0L, series.coolRatingOutdoor, coolRatingWetBulb_);
  if (model.hasHeating)
    heatRatingLift_ = LiftTerm(false, 1.0L, series.heatRatingOutdoor, series.heatRatingIndoor);
}

std::vector<double> CTPerformanceModel::Ratios() const {
  std::vector<double> ratios;
  for (int k = 0;; ++k) {
    const double r = series_->minRatio + k * series_->ratioStep;
    if (r > model_->maxRatio + 1e-9) break;
    ratios.push_back(r);
  }
  return ratios;
}

CTPerformanceModel::CTCurve CTPerformanceModel::Curve(int kind, double ratio,
                                                      double outdoor) const {
  const LTSeriesConstants& s = *series_;
  CTCurve curve;
  curve.model_ = this;
  curve.kind_ = kind;
  curve.cooling_ = IsCooling(kind);
  curve.outdoor_ = outdoor;
  const long double hOutdoor =
      curve.cooling_
          ? OutdoorFactor(s.coolOutdoorSlope, s.coolOutdoorSpan, s.coolRatingOutdoor - outdoor)
          : OutdoorFactor(s.heatOutdoorSlope, s.heatOutdoorSpan, outdoor - s.heatRatingOutdoor);
  curve.logIndoor_ = std::log(indoorScale_ * ratio / 100.0L);
  curve.logCompressor_ = std::log(s.compressorReserve * hOutdoor);
  return curve;
}

long double CTPerformanceModel::Load(const CTCurve& curve, long double x) const {
  const LTSeriesConstants& s = *series_;
  // q = (I^-p + C^-p)^(-1/p), I and C growing exponentially with the wet bulb in cooling and
  // falling with the dry bulb in heating.
  long double logIndoor = curve.logIndoor_, logCompressor = curve.logCompressor_;
  if (curve.cooling_) {
    const long double dx = x - coolRatingWetBulb_;
    logIndoor += s.coolIndoorSlope * dx;
    logCompressor += s.coolCompressorSlope * dx;
  } else {
    const long double dx = x - s.heatRatingIndoor;
    logIndoor -= s.heatIndoorSlope * dx;
    logCompressor -= s.heatCompressorSlope * dx;
  }
  const long double p = s.loadSharpness;
  return std::exp(-std::log(std::exp(-p * logIndoor) + std::exp(-p * logCompressor)) / p);
}

long double CTPerformanceModel::LiftTerm(bool cooling, long double q, long double outdoor,
                                         long double x) const {
  const LTSeriesConstants& s = *series_;
  // The unit holds the saturation temperature of the indoor side at a fixed distance from the
  // indoor air (its pressure target); that of the outdoor coil follows the outdoor air, the
  // further the more heat the coil moves.
  long double evaporating, condensing, useful;
  if (cooling) {
    evaporating = x - s.coolEvaporatorApproach;
    const long double raw = outdoor + s.coolCondenserApproach * q;
    // The outdoor fan keeps the condensing temperature from falling below its minimum: a
    // smooth maximum of the two.
    const long double w = s.condensingSmoothing;
    condensing = raw + w * std::log1p(std::exp((s.minCondensing - raw) / w));
    useful = evaporating;
  } else {
    condensing = x + s.heatCondenserApproach;
    evaporating = outdoor - s.heatEvaporatorApproach * q;
    useful = condensing;
  }
  const long double lift = condensing - evaporating + s.liftOffset;
  if (!(lift > 0.0L)) return std::nanl("");
  return PowerOf(lift, static_cast<long double>(s.liftExponent)) / (useful + kZeroCelsius);
}

long double CTPerformanceModel::CTCurve::operator()(long double x) const {
  const CTPerformanceModel& m = *model_;
  const LTModelRating& rating = *m.model_;
  const long double q = m.Load(*this, x);
  switch (kind_) {
    case kCurveCoolingCapacity:
      return rating.coolingCapacity * q;
    case kCurveHeatingCapacity:
      return rating.heatingCapacity * q;
    case kCurveCoolingPower:
    case kCurveHeatingPower: {
      const long double rated = cooling_ ? rating.coolingPower : rating.heatingPower;
      const long double ratingLift = cooling_ ? m.coolRatingLift_ : m.heatRatingLift_;
      const long double a = m.series_->auxiliaryFraction;
      return rated * (a + (1.0L - a) * q * m.LiftTerm(cooling_, q, outdoor_, x) / ratingLift);
    }
    default:
      return std::nanl("");
  }
}

long double CTPerformanceModel::CoolingCapacity(double ratio, double outdoor, long double x) const {
  return Value(kCurveCoolingCapacity, ratio, outdoor, x);
}

long double CTPerformanceModel::CoolingPower(double ratio, double outdoor, long double x) const {
  return Value(kCurveCoolingPower, ratio, outdoor, x);
}

long double CTPerformanceModel::HeatingCapacity(double ratio, double outdoor, long double x) const {
  return Value(kCurveHeatingCapacity, ratio, outdoor, x);
}

long double CTPerformanceModel::HeatingPower(double ratio, double outdoor, long double x) const {
  return Value(kCurveHeatingPower, ratio, outdoor, x);
}

double CTPerformanceModel::PipingFactor(bool cooling, double length) const {
  const LTSeriesConstants& s = *series_;
  const double longest = s.pipingLengths.back();
  const double atLongest = cooling ? s.pipingCoolingAtMax : s.pipingHeatingAtMax;
  const double f = 1.0 - (1.0 - atLongest) * std::pow(length / longest, s.pipingExponent);
  return std::round(f * 10000.0) / 10000.0;
}
