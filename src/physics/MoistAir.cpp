#include "physics/MoistAir.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct AltitudePoint {
  double altitude;  // m
  double pressure;  // Pa
};

constexpr AltitudePoint kAltitudeTable[] = {
    {-500.0, 107478.0}, {0.0, 101325.0},   {500.0, 95461.0},
    {1000.0, 89874.0},  {2000.0, 79495.0}, {3000.0, 70108.0},
};

double ClampTemperature(double t) {
  return std::clamp(t, TAir::kMinTemperature, TAir::kMaxTemperature);
}

double ClampHumidity(double rh) {
  return std::clamp(rh, 0.0, 100.0);
}

// The enthalpy-line search works between these temperatures: the saturation-pressure formulas
// hold from -100 °C (over ice) to 200 °C (over water).
constexpr double kSearchFloor = -100.0;
constexpr double kSearchCeiling = 200.0;
// The searches stop when the relative humidity is this close to its target (per cent) or the
// step has shrunk below kMinStep.
constexpr double kHumidityTolerance = 0.001;
constexpr double kMinStep = 1e-12;

// Dew-point correlation below 0 °C: Td = 6.09 + 12.608·α + 0.4959·α² with α = ln(pw / kPa). The
// parabola turns at kIceDewVertex (pw ≈ 3e-6 kPa); below that the correlation would rise again as
// the air gets drier, so α is held at the vertex, which also gives perfectly dry air a finite
// dew point (about -74 °C) instead of the logarithm of zero.
constexpr double kIceDewA = 6.09;
constexpr double kIceDewB = 12.608;
constexpr double kIceDewC = 0.4959;
constexpr double kIceDewVertex = -kIceDewB / (2.0 * kIceDewC);

}  // namespace

double TAir::PressureAtAltitude(double altitude) {
  if (std::isnan(altitude)) altitude = 0.0;
  const AltitudePoint* first = std::begin(kAltitudeTable);
  const AltitudePoint* last = std::end(kAltitudeTable) - 1;
  if (altitude <= first->altitude) return first->pressure;
  if (altitude >= last->altitude) return last->pressure;
  const AltitudePoint* upper = first + 1;
  while (upper->altitude < altitude) ++upper;
  const AltitudePoint* lower = upper - 1;
  const double fraction = (altitude - lower->altitude) / (upper->altitude - lower->altitude);
  return lower->pressure + fraction * (upper->pressure - lower->pressure);
}

double TAir::SaturationPressure(double t) {
  // Hyland-Wexler; the constant terms include -ln 1000, so the exponential gives kPa.
  const double theta = t + kZeroCelsius;
  if (!(theta > 0.0)) return std::isnan(theta) ? kNaN : 0.0;
  double lnKPa;
  if (t >= 0.0) {
    lnKPa = -5800.2206 / theta - 5.516256 +
            theta * (-0.048640239 + theta * (4.1764768e-5 + theta * -1.4452093e-8)) +
            6.5459673 * std::log(theta);
  } else {
    lnKPa = -5674.5359 / theta - 0.51523058 +
            theta * (-0.009677843 +
                     theta * (6.2215701e-7 + theta * (2.0747825e-9 + theta * -9.484024e-13))) +
            4.1635019 * std::log(theta);
  }
  return 1000.0 * std::exp(lnKPa);
}

double TAir::HumidityRatio(double t, double rh) const {
  const double phi = ClampHumidity(rh) / 100.0;
  const double d = pressure_ / SaturationPressure(ClampTemperature(t)) - phi;
  if (std::isnan(d)) return kNaN;
  return d > 0.0 ? kEpsilon * phi / d : 0.0;
}

double TAir::RelativeHumidity(double t, double w) const {
  w = std::max(w, 0.0);
  return 100.0 * w * (pressure_ / SaturationPressure(ClampTemperature(t))) / (w + kEpsilon);
}

double TAir::SpecificVolume(double t, double rh) const {
  t = ClampTemperature(t);
  const double d = pressure_ - SaturationPressure(t) * ClampHumidity(rh) / 100.0;
  if (std::isnan(d)) return kNaN;
  return d > 0.0 ? (t + kZeroCelsius) * kGasConstant / d : 0.0;
}

double TAir::DryAirDensity(double t) const {
  const double v = SpecificVolume(t, 0.0);
  if (std::isnan(v)) return kNaN;
  return v > 0.0 ? 1.0 / v : 1.2;
}

double TAir::Enthalpy(double t, double w) {
  return kCpAir * t + w * (kLatentHeat + kCpVapour * t);
}

double TAir::TemperatureFromEnthalpy(double w, double h) {
  // A negative humidity ratio is taken as dry air, as in the relative humidity; that also keeps
  // the denominator positive.
  w = std::max(w, 0.0);
  return (h - kLatentHeat * w) / (kCpAir + kCpVapour * w);
}

double TAir::HumidityRatioFromEnthalpy(double t, double h) {
  return (h - kCpAir * t) / (kLatentHeat + kCpVapour * t);
}

double TAir::DewPoint(double w) const {
  if (std::isnan(w)) return kNaN;
  const double pwKPa = w > 0.0 ? pressure_ * w / (w + kEpsilon) / 1000.0 : 0.0;
  if (w >= HumidityRatio(0.0, 100.0)) {
    const double alpha = std::log(pwKPa);
    return 6.54 + alpha * (14.526 + alpha * (0.7389 + alpha * 0.09486)) +
           0.4569 * std::pow(pwKPa, 0.1984);
  }
  const double alpha = pwKPa > 0.0 ? std::max(std::log(pwKPa), kIceDewVertex) : kIceDewVertex;
  return kIceDewA + alpha * (kIceDewB + alpha * kIceDewC);
}

double TAir::RelativeHumidityOnEnthalpyLine(double t, double h) const {
  const double w = HumidityRatioFromEnthalpy(t, h);
  // Where the line lies below the enthalpy of dry air the air holds no water. (Far below it,
  // w + ε would turn negative and the quotient would read as supersaturated air.)
  if (!(w > 0.0)) return 0.0;
  return 100.0 * w * (pressure_ / SaturationPressure(t)) / (w + kEpsilon);
}

double TAir::SaturationTemperature(double tStart, double h) const {
  if (!std::isfinite(tStart) || !std::isfinite(h)) return kNaN;
  // The search only walks down from its start (it can climb back at most a quarter of its first
  // step), so a start that is already supersaturated is first raised until it is not.
  double t = std::clamp(tStart, kSearchFloor, kSearchCeiling);
  while (t < kSearchCeiling && RelativeHumidityOnEnthalpyLine(t, h) > 100.0) {
    t = std::min(t + 10.0, kSearchCeiling);
  }
  // Walk down in steps of 10 K until the air is supersaturated, step back and go on with a fifth
  // of the step. Along a line of constant enthalpy the relative humidity rises as the
  // temperature falls, so this closes in on the saturation point.
  double step = 10.0;
  double rh = 0.0;
  for (;;) {
    if (rh > 100.0) {
      t += step;
      step /= 5.0;
    } else {
      t = std::max(t - step, kSearchFloor);
    }
    rh = RelativeHumidityOnEnthalpyLine(t, h);
    if (std::fabs(rh - 100.0) < kHumidityTolerance || step < kMinStep) return t;
    // The line saturates below the range of the formulas: the floor is the answer.
    if (t == kSearchFloor && !(rh > 100.0)) return t;
  }
}

double TAir::WetBulbTemperature(double t, double rh) const {
  // The dry bulb is clamped as in the humidity ratio, so that the enthalpy and the start of the
  // search belong to the same state as the humidity ratio.
  t = ClampTemperature(t);
  return SaturationTemperature(t, Enthalpy(t, HumidityRatio(t, rh)));
}

double TAir::RelativeHumidityFromWetBulb(double t, double twb) const {
  const double h = Enthalpy(twb, HumidityRatio(twb, 100.0));
  return RelativeHumidity(t, HumidityRatioFromEnthalpy(t, h));
}

double TAir::DryBulbFromWetBulb(double twb, double rh) const {
  if (std::isnan(twb) || std::isnan(rh)) return kNaN;
  // A humidity outside 0..100 has no dry bulb on the enthalpy line (above 100 the air would be
  // supersaturated below its own wet bulb; below 0 the search would never end).
  const double target = ClampHumidity(rh);
  twb = ClampTemperature(twb);
  const double h = Enthalpy(twb, HumidityRatio(twb, 100.0));
  // Walk from the saturated state towards drier air along the enthalpy line in steps of 1 g/kg:
  // the relative humidity falls as the humidity ratio falls. Step back and go on with a fifth of
  // the step once below the target. A step past the dry end reads as dry air (0 %).
  double step = 0.001;
  double w = HumidityRatio(twb, 100.0) - 0.001;
  for (;;) {
    const double t = TemperatureFromEnthalpy(w, h);
    const double r = RelativeHumidity(t, w);
    if (std::fabs(target - r) < kHumidityTolerance || step < kMinStep) return t;
    if (r >= target) {
      w -= step;
    } else {
      w += step;
      step /= 5.0;
    }
  }
}
