// Sensible capacity of a cooling coil described by its bypass factor.
//
// A fraction b of the air passes the coil untouched; the rest leaves saturated at the apparatus
// dew point (ADP). The leaving air is their mixture: on the straight line from the ADP to the
// entering state, at T_out = b·T + (1 - b)·T_adp, with the enthalpy that the total capacity
// leaves in the air. The sensible capacity is what the air flow loses in dry-bulb temperature.

#include "physics/MoistAir.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The iteration: at most this many rounds; temperatures agree within kTolerance (K).
constexpr int kMaxRounds = 10000;
constexpr double kTolerance = 0.1;
constexpr double kNoStepLimit = 2147483647.0;
// Halvings of the direct solution's bracket; it ends sooner once the bracket stops shrinking.
constexpr int kMaxHalvings = 200;

// The iteration keeps its guess of the leaving temperature between the ADP and the entering air.
double KeepInsideCoil(double tGuess, double tAdp, double tIn) {
  if (tGuess <= tAdp) return tAdp + kTolerance;
  if (tGuess >= tIn) return tIn - kTolerance;
  return tGuess;
}

}  // namespace

double TAir::SolveCoilLeavingTemperature(double b, double t, double w, double hOut,
                                         double tAdpLow) const {
  // Enthalpy of the mixture minus the leaving enthalpy rises with the ADP temperature: it is not
  // positive at the first estimate tAdpLow (the ADP of a coil that removed no moisture) and
  // positive at the entering temperature. Halve the bracket down to the resolution of doubles.
  double low = std::min(tAdpLow, t);
  double high = t;
  for (int i = 0; i < kMaxHalvings; ++i) {
    const double mid = 0.5 * (low + high);
    if (!(mid > low && mid < high)) break;
    const double wMix = b * w + (1.0 - b) * HumidityRatio(mid, 100.0);
    if (Enthalpy(b * t + (1.0 - b) * mid, wMix) > hOut) {
      high = mid;
    } else {
      low = mid;
    }
  }
  return b * t + (1.0 - b) * 0.5 * (low + high);
}

double TAir::SensibleCapacity(double bypassPercent, double airFlow, double rh, double t,
                              double q) const {
  if (!(q > 0.0)) return q;
  if (std::isnan(bypassPercent) || std::isnan(airFlow) || std::isnan(rh) || std::isnan(t)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // No air over the coil: nothing is cooled (the result below tends to 0 with the air flow).
  if (!(airFlow > 0.0)) return 0.0;
  const double b = std::max(bypassPercent / 100.0, 0.0);
  // All air bypassing the coil: the ADP would lie infinitely far below and the coil line becomes
  // one of constant humidity, so all of the capacity is sensible.
  if (b >= 1.0) return q;
  t = std::clamp(t, kMinTemperature, kMaxTemperature);

  const double w = HumidityRatio(t, rh);
  const double v = SpecificVolume(t, rh);
  const double hOut = Enthalpy(t, w) - q * 3600.0 * v / airFlow;
  // Leaving temperature if no moisture condensed, and the ADP that goes with it.
  const double tDry = TemperatureFromEnthalpy(w, hOut);
  const double tAdpFirst = (tDry - b * t) / (1.0 - b);
  double tAdp = tAdpFirst;
  double wAdp = HumidityRatio(tAdp, 100.0);
  if (wAdp > w) return q;  // the coil stays dry

  // Find the leaving temperature on the line for the current ADP by a damped fixed-point
  // iteration, then move the ADP so that the leaving temperature also satisfies the bypass
  // factor, and repeat until both agree.
  double tCur = tDry;
  double tPrev = tDry;
  double stepLimit = kNoStepLimit;
  // The guess and the step limit one round earlier, to see the iteration repeat itself.
  double tBefore = std::numeric_limits<double>::quiet_NaN();
  double stepBefore = kNoStepLimit;
  // The guess after the last ADP move, to see the moves repeat themselves.
  double tAfterMove = std::numeric_limits<double>::quiet_NaN();
  bool converged = false;
  for (int round = 0; round < kMaxRounds; ++round) {
    tPrev = tCur;
    if (!(t - tAdp > 0.0)) break;  // no line left between the ADP and the entering air
    const double wOut = wAdp + (tPrev - tAdp) * (w - wAdp) / (t - tAdp);
    const double tNew = TemperatureFromEnthalpy(wOut, hOut);
    if (std::fabs(tNew - tPrev) <= kTolerance) {
      tPrev = tNew;
      const double tAdp2 = (tNew - b * t) / (1.0 - b);
      if (std::fabs(tAdp - tAdp2) <= kTolerance) {
        converged = true;
        break;
      }
      if (!(t - tNew > 0.0)) break;
      // The humidity at tAdp2 on the line through the entering and leaving states; its dew point
      // is the new ADP, saturated.
      const double tAdpBefore = tAdp;
      const double wAdpBefore = wAdp;
      wAdp = w - (t - tAdp2) * (w - wOut) / (t - tNew);
      tAdp = DewPoint(wAdp);
      if (tAdp > tAdp2) wAdp = HumidityRatio(tAdp, 100.0);
      tCur = KeepInsideCoil(tPrev, tAdp, t);
      // The same ADP and the same guess as after the last move: the rounds since then would
      // repeat up to the round limit.
      if (tAdp == tAdpBefore && wAdp == wAdpBefore && tCur == tAfterMove) break;
      tAfterMove = tCur;
      stepLimit = kNoStepLimit;
      tBefore = std::numeric_limits<double>::quiet_NaN();  // a new line: no earlier guess on it
    } else {
      stepLimit = std::min(stepLimit, std::fabs(tNew - tPrev) / 2.0);
      tCur = KeepInsideCoil(tNew < tPrev ? tNew + stepLimit : tNew - stepLimit, tAdp, t);
      // Back at the guess of this round, or of the round before with the same step limit: every
      // further round would repeat these up to the round limit.
      if (tCur == tPrev || (tCur == tBefore && stepLimit == stepBefore)) break;
      tBefore = tPrev;
      stepBefore = stepLimit;
    }
  }
  // Where the line is steep (humid air) the step limit cannot damp the swings of the guess, and
  // after a large ADP move the answer can lie outside the coil the iteration keeps to; its last
  // guess then says little. Solve the same model directly instead.
  const double tOut = converged ? tPrev : SolveCoilLeavingTemperature(b, t, w, hOut, tAdpFirst);
  const double sensible = airFlow * (1.0 / v) * kCpAir * (t - tOut) / 3600.0;
  // Within the 0.1 K tolerance of the iteration a small capacity can come out slightly negative
  // or above the total; the sensible part lies between 0 and the total.
  return std::clamp(sensible, 0.0, q);
}
