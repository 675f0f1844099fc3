#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "CurveFit.h"
#include "PerformanceInput.h"
#include "PerformanceModel.h"
#include "ShippedPerformance.h"
#include "physics/PerformanceCurve.h"

namespace {

using performancetest::ShippedInput;

CTPerformanceModel ModelOf(const std::string& name) {
  const LTPerformanceInput& input = ShippedInput();
  const LTModelRating* model = input.FindModel(name);
  EXPECT_NE(model, nullptr) << name;
  return CTPerformanceModel(*input.FindSeries(model->series), *model);
}

// The worst relative deviation, over every 0.1 K of [lo, hi], of the program's evaluation of
// the coefficients from f; worked out here independently of the fitter's own check.
double WorstDeviation(const double (&a)[8], const LTCurveFunction& f, double lo, double hi) {
  double worst = 0.0;
  for (int i = 0;; ++i) {
    const double x = std::min(lo + i * 0.1, hi);
    const double expected = static_cast<double>(f(x));
    worst = std::max(worst, std::fabs(EvaluateCurve(a, x) - expected) / expected);
    if (x >= hi) break;
  }
  return worst;
}

}  // namespace

TEST(CurveFit, RecoversPolynomialsExactlyWithTheirOwnDegree) {
  // A cubic is found as a cubic with its own coefficients. A polynomial of degree 7 in the
  // centred variable (x - 18.5) / 8.5 needs every term; its powers of x, worked out here by
  // multiplying out, pin the expansion from the centred Chebyshev form.
  const double cubic[8] = {3.0, 0.5, -0.01, 2e-4, 0, 0, 0, 0};
  long double septic[8] = {10.0L};  // 10 + sum of t^k, k = 1 .. 7
  long double power[8] = {1.0L};    // t^k in powers of x
  for (int k = 1; k < 8; ++k) {
    for (int i = k; i >= 0; --i)
      power[i] = ((i > 0 ? power[i - 1] : 0.0L) - 18.5L * power[i]) / 8.5L;
    for (int i = 0; i <= k; ++i) septic[i] += power[i];
  }
  double septicCoefficients[8];
  for (int i = 0; i < 8; ++i) septicCoefficients[i] = static_cast<double>(septic[i]);
  struct Case {
    const double* a;
    int degree;
    double lo, hi;
  } cases[] = {{cubic, 3, 12, 24}, {septicCoefficients, 7, 10, 27}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.degree);
    const auto f = [&](long double x) {
      long double y = 0.0L;
      for (int i = 7; i >= 0; --i) y = y * x + c.a[i];
      return y;
    };
    const LTCurveFit fit = FitCurve(f, c.lo, c.hi);
    EXPECT_EQ(fit.degree, c.degree);
    for (int i = 0; i < 8; ++i)
      EXPECT_NEAR(fit.a[i], c.a[i], 1e-9 * std::fabs(c.a[i])) << "x^" << i;
    EXPECT_LT(fit.written.worst, 1e-12);
    EXPECT_LT(fit.stored.worst, 1e-10);  // 15 digits of terms that largely cancel
    EXPECT_TRUE(fit.Accepted());
  }
}

TEST(CurveFit, RefusesWhatAPolynomialCannotFollow) {
  // A kink is beyond any degree-7 polynomial within 0.1 %; a value that is not positive is no
  // capacity at all.
  const LTCurveFit kink =
      FitCurve([](long double x) { return std::fabs(x - 18.3L) + 0.5L; }, 12, 24);
  EXPECT_FALSE(kink.Accepted());
  EXPECT_GT(kink.written.worst, kCurveAcceptance);
  const LTCurveFit negative = FitCurve([](long double x) { return x - 15.0L; }, 12, 24);
  EXPECT_FALSE(negative.written.valid);
  EXPECT_FALSE(negative.Accepted());
}

TEST(CurveFit, FollowsTheModelOfEveryKindRatioAndTemperature) {
  // Corners of the generated set: the lowest and highest ratios and outdoor temperatures of
  // each series, the knee of the part-load curve (110-130 %) and the rating rows.
  struct Case {
    const char* model;
    int kind;
    double ratio, outdoor;
  } cases[] = {
      {"QOH-08", kCurveCoolingCapacity, 50, -5},  {"QOH-08", kCurveCoolingCapacity, 200, 46},
      {"QOH-08", kCurveCoolingPower, 200, -5},    {"QOH-08", kCurveHeatingCapacity, 200, -20},
      {"QOH-08", kCurveHeatingPower, 50, 15.5},   {"QOH-20", kCurveCoolingCapacity, 110, 35},
      {"QOH-20", kCurveCoolingPower, 120, 20},    {"QOH-54", kCurveHeatingCapacity, 130, 7},
      {"QOH-54", kCurveHeatingPower, 100, -20},   {"QOR-30", kCurveCoolingPower, 130, 46},
      {"QOR-30", kCurveHeatingCapacity, 110, -7}, {"QOC-08", kCurveCoolingCapacity, 130, 48},
      {"QOC-20", kCurveCoolingPower, 50, 48},     {"QOM-04", kCurveHeatingCapacity, 100, 24},
      {"QOM-06", kCurveHeatingPower, 130, -15},   {"QOM-05", kCurveCoolingPower, 100, 35},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.model) + " kind " + std::to_string(c.kind) + " " +
                 std::to_string(c.ratio) + " % " + std::to_string(c.outdoor));
    const CTPerformanceModel m = ModelOf(c.model);
    const bool cooling = c.kind == kCurveCoolingCapacity || c.kind == kCurveCoolingPower;
    const double lo = cooling ? m.Series().coolIndoorLow : m.Series().heatIndoorLow;
    const double hi = cooling ? m.Series().coolIndoorHigh : m.Series().heatIndoorHigh;
    const auto f = [&](long double x) { return m.Value(c.kind, c.ratio, c.outdoor, x); };
    const LTCurveFit fit = FitCurve(f, lo, hi);
    ASSERT_TRUE(fit.Accepted());
    EXPECT_LE(fit.degree, 7);
    // As written (17 digits, exact) and as the object store keeps them (15 digits).
    double stored[8];
    for (int i = 0; i < 8; ++i) stored[i] = StoreRounded(fit.a[i]);
    EXPECT_LE(WorstDeviation(fit.a, f, lo, hi), kFitTolerance);
    EXPECT_LE(WorstDeviation(stored, f, lo, hi), kCurveAcceptance);
    EXPECT_LE(WorstDeviation(stored, f, lo, hi), 2 * kFitTolerance);
  }
}

TEST(PerformanceModel, GivesTheRatedValuesAtTheRatingPoints) {
  for (const LTModelRating& rating : ShippedInput().models) {
    SCOPED_TRACE(rating.name);
    const CTPerformanceModel m = ModelOf(rating.name);
    const LTSeriesConstants& s = m.Series();
    const double wb = m.CoolingRatingWetBulb();
    EXPECT_NEAR(static_cast<double>(m.CoolingCapacity(100, s.coolRatingOutdoor, wb)),
                rating.coolingCapacity, 1e-12 * rating.coolingCapacity);
    EXPECT_NEAR(static_cast<double>(m.CoolingPower(100, s.coolRatingOutdoor, wb)),
                rating.coolingPower, 1e-12 * rating.coolingPower);
    if (!rating.hasHeating) continue;
    EXPECT_NEAR(static_cast<double>(m.HeatingCapacity(100, s.heatRatingOutdoor, 20)),
                rating.heatingCapacity, 1e-12 * rating.heatingCapacity);
    EXPECT_NEAR(static_cast<double>(m.HeatingPower(100, s.heatRatingOutdoor, 20)),
                rating.heatingPower, 1e-12 * rating.heatingPower);
  }
}
