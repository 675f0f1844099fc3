#include "physics/PerformanceCurve.h"

#include <cmath>

double EvaluateCurve(const double (&a)[8], double x) {
  double y = a[7];
  for (int i = 6; i >= 0; --i) y = y * x + a[i];
  return std::isfinite(y) ? y : 0.0;
}
