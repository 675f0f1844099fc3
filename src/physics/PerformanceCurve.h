#pragma once

// Performance curves of an outdoor unit: degree-7 polynomials of the indoor temperature, one per
// outdoor temperature, combination ratio and kind. The kinds are the codes the catalogue stores
// (POL_Type); the generator of the curves and the capacity model share them.

// Curve kinds.
enum : int {
  kCurveHeatingCapacity = 2,
  kCurveHeatingPower = 4,
  kCurveCoolingCapacity = 5,
  kCurveCoolingPower = 6,
};

// Kinds of the capacity-variation tables (CVT_Type).
enum : int {
  kVariationCooling = 5,
  kVariationHeating = 6,
};

// The value of the degree-7 polynomial with coefficients a[0] (x^0) .. a[7] (x^7) at x, in
// Horner form. A result that is not a finite number (overflow, NaN coefficients) gives 0.
double EvaluateCurve(const double (&a)[8], double x);
