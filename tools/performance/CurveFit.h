#pragma once

#include <functional>

// Fitting of a smooth function of the indoor temperature to the degree-7 polynomial the program
// evaluates in Horner form in x itself (EvaluateCurve).
//
// The fit is a least-squares fit of relative error at Chebyshev points of [lo, hi], in the
// Chebyshev basis of the centred and scaled variable t = (x - c) / h, solved by Householder QR in
// long double; the result is expanded exactly (in long double) into monomial coefficients of x
// and rounded to double. The lowest degree whose stored form meets kFitTolerance is taken.

using LTCurveFunction = std::function<long double(long double)>;

// Relative deviation the fit aims at; the lowest degree reaching it is chosen.
constexpr double kFitTolerance = 1e-5;
// Relative deviation a stored curve must never exceed anywhere on its range.
constexpr double kCurveAcceptance = 1e-3;
// Spacing (K) of the points at which a stored curve is checked.
constexpr double kCheckStep = 0.1;

// The worst relative deviation of a curve from its function and where it is.
struct LTCurveDeviation {
  double worst = 0.0;
  double at = 0.0;
  // False when the function is not finite and positive at a checked point.
  bool valid = true;
};

struct LTCurveFit {
  double a[8] = {};  // coefficients of x^0 .. x^7; those above the degree are 0
  int degree = 0;
  // Deviation of the coefficients as written (17 significant digits, exact) and as the object
  // store keeps them (15 significant digits).
  LTCurveDeviation written;
  LTCurveDeviation stored;
  bool Accepted() const {
    return written.valid && stored.valid && written.worst <= kCurveAcceptance &&
           stored.worst <= kCurveAcceptance;
  }
};

// Fits f over [lo, hi] (lo < hi).
LTCurveFit FitCurve(const LTCurveFunction& f, double lo, double hi);

// The coefficient as the object store writes and reads it back (15 significant digits).
double StoreRounded(double value);
