#include "CurveFit.h"

#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "objectstore/FloatText.h"
#include "physics/PerformanceCurve.h"

namespace {

constexpr int kMaxDegree = 7;
constexpr int kTerms = kMaxDegree + 1;
// Chebyshev points of a fit; far more than the terms, so that the least-squares fit follows the
// function between the points as well.
constexpr int kNodes = 48;

// The function at the fit's Chebyshev points (in t) and at the check points (in x).
struct LTSamples {
  long double t[kNodes];
  long double y[kNodes];
  std::vector<double> checkX;
  std::vector<long double> checkY;
  bool valid = true;
};

bool Usable(long double y) {
  return std::isfinite(y) && y > 0.0L;
}

// Least-squares coefficients b of sum b_k T_k(t) minimising the relative error at the samples,
// by Householder QR. False when the system is singular (it never is for distinct points).
bool SolveChebyshev(const LTSamples& s, int degree, long double (&b)[kTerms]) {
  const int n = degree + 1;
  long double m[kNodes][kTerms];
  long double rhs[kNodes];
  for (int j = 0; j < kNodes; ++j) {
    long double previous = 1.0L;
    long double current = s.t[j];
    for (int k = 0; k < n; ++k) {
      long double value;
      if (k == 0) {
        value = 1.0L;
      } else if (k == 1) {
        value = s.t[j];
      } else {
        value = 2.0L * s.t[j] * current - previous;
        previous = current;
        current = value;
      }
      m[j][k] = value / s.y[j];
    }
    rhs[j] = 1.0L;
  }
  for (int k = 0; k < n; ++k) {
    long double norm = 0.0L;
    for (int j = k; j < kNodes; ++j) norm += m[j][k] * m[j][k];
    norm = std::sqrt(norm);
    if (norm == 0.0L) return false;
    const long double alpha = m[k][k] > 0.0L ? -norm : norm;
    long double v[kNodes];
    for (int j = k; j < kNodes; ++j) v[j] = m[j][k];
    v[k] -= alpha;
    long double vv = 0.0L;
    for (int j = k; j < kNodes; ++j) vv += v[j] * v[j];
    if (vv == 0.0L) return false;
    for (int c = k; c < n; ++c) {
      long double dot = 0.0L;
      for (int j = k; j < kNodes; ++j) dot += v[j] * m[j][c];
      const long double scale = 2.0L * dot / vv;
      for (int j = k; j < kNodes; ++j) m[j][c] -= scale * v[j];
    }
    long double dot = 0.0L;
    for (int j = k; j < kNodes; ++j) dot += v[j] * rhs[j];
    const long double scale = 2.0L * dot / vv;
    for (int j = k; j < kNodes; ++j) rhs[j] -= scale * v[j];
  }
  for (int k = n - 1; k >= 0; --k) {
    long double sum = rhs[k];
    for (int c = k + 1; c < n; ++c) sum -= m[k][c] * b[c];
    if (m[k][k] == 0.0L) return false;
    b[k] = sum / m[k][k];
  }
  for (int k = n; k < kTerms; ++k) b[k] = 0.0L;
  return true;
}

// Monomial coefficients in x of sum b_k T_k((x - c) / h), computed exactly in long double
// (the Chebyshev and binomial coefficients are integers) and rounded to double once.
void ExpandToMonomials(const long double (&b)[kTerms], long double c, long double h,
                       double (&a)[8]) {
  // Monomial coefficients of T_0 .. T_7 in t.
  long double cheb[kTerms][kTerms] = {};
  cheb[0][0] = 1.0L;
  cheb[1][1] = 1.0L;
  for (int k = 2; k < kTerms; ++k) {
    for (int i = 0; i < kTerms; ++i) {
      cheb[k][i] = -cheb[k - 2][i] + (i > 0 ? 2.0L * cheb[k - 1][i - 1] : 0.0L);
    }
  }
  long double inT[kTerms] = {};
  for (int k = 0; k < kTerms; ++k) {
    for (int i = 0; i < kTerms; ++i) inT[i] += b[k] * cheb[k][i];
  }
  // t = u·x + v; t^i = sum_j C(i, j) u^j v^(i-j) x^j.
  const long double u = 1.0L / h;
  const long double v = -c / h;
  long double binomial[kTerms][kTerms] = {};
  for (int i = 0; i < kTerms; ++i) {
    binomial[i][0] = 1.0L;
    for (int j = 1; j <= i; ++j)
      binomial[i][j] = binomial[i - 1][j - 1] + (j < i ? binomial[i - 1][j] : 0.0L);
  }
  long double uPower[kTerms], vPower[kTerms];
  uPower[0] = vPower[0] = 1.0L;
  for (int i = 1; i < kTerms; ++i) {
    uPower[i] = uPower[i - 1] * u;
    vPower[i] = vPower[i - 1] * v;
  }
  for (int j = 0; j < kTerms; ++j) {
    long double sum = 0.0L;
    for (int i = j; i < kTerms; ++i) sum += inT[i] * binomial[i][j] * uPower[j] * vPower[i - j];
    const double rounded = static_cast<double>(sum);
    a[j] = rounded == 0.0 ? 0.0 : rounded;  // no negative zero
  }
}

std::vector<double> CheckPoints(double lo, double hi) {
  std::vector<double> xs;
  const int steps = static_cast<int>(std::floor((hi - lo) / kCheckStep + 1e-9));
  for (int i = 0; i <= steps; ++i) xs.push_back(lo + i * kCheckStep);
  if (xs.back() < hi) xs.push_back(hi);
  return xs;
}

LTCurveDeviation DeviationAt(const double (&a)[8], const LTSamples& s) {
  LTCurveDeviation d;
  d.valid = s.valid;
  for (std::size_t i = 0; i < s.checkX.size(); ++i) {
    const long double expected = s.checkY[i];
    const long double error = std::fabs(EvaluateCurve(a, s.checkX[i]) - expected) / expected;
    if (!(error <= d.worst)) {
      d.worst = static_cast<double>(error);
      d.at = s.checkX[i];
    }
  }
  if (!std::isfinite(d.worst)) d.valid = false;
  return d;
}

// The Chebyshev points of the first kind in [-1, 1], computed once.
const std::array<long double, kNodes>& ChebyshevPoints() {
  static const std::array<long double, kNodes> points = [] {
    std::array<long double, kNodes> t{};
    for (int j = 0; j < kNodes; ++j)
      t[j] = std::cos(std::numbers::pi_v<long double> * (j + 0.5L) / kNodes);
    return t;
  }();
  return points;
}

LTSamples Sample(const LTCurveFunction& f, double lo, double hi) {
  LTSamples s;
  const auto& points = ChebyshevPoints();
  const long double c = (static_cast<long double>(lo) + hi) / 2.0L;
  const long double h = (static_cast<long double>(hi) - lo) / 2.0L;
  for (int j = 0; j < kNodes; ++j) {
    s.t[j] = points[j];
    s.y[j] = f(c + h * s.t[j]);
    if (!Usable(s.y[j])) s.valid = false;
  }
  s.checkX = CheckPoints(lo, hi);
  for (const double x : s.checkX) {
    s.checkY.push_back(f(x));
    if (!Usable(s.checkY.back())) s.valid = false;
  }
  return s;
}

}  // namespace

double StoreRounded(double value) {
  return ParseStoreFloat(FormatStoreFloat(value)).value_or(value);
}

LTCurveFit FitCurve(const LTCurveFunction& f, double lo, double hi) {
  LTCurveFit best;
  const LTSamples s = Sample(f, lo, hi);
  if (!s.valid) {
    best.written.valid = best.stored.valid = false;
    return best;
  }
  const long double c = (static_cast<long double>(lo) + hi) / 2.0L;
  const long double h = (static_cast<long double>(hi) - lo) / 2.0L;
  bool haveBest = false;
  for (int degree = 0; degree <= kMaxDegree; ++degree) {
    long double b[kTerms];
    if (!SolveChebyshev(s, degree, b)) continue;
    LTCurveFit fit;
    fit.degree = degree;
    ExpandToMonomials(b, c, h, fit.a);
    fit.written = DeviationAt(fit.a, s);
    if (!fit.written.valid) continue;
    if (!haveBest || fit.written.worst < best.written.worst) {
      best = fit;
      haveBest = true;
    }
    if (fit.written.worst <= kFitTolerance) break;
  }
  if (!haveBest) {
    best.written.valid = best.stored.valid = false;
    return best;
  }
  double stored[8];
  for (int i = 0; i < 8; ++i) stored[i] = StoreRounded(best.a[i]);
  best.stored = DeviationAt(stored, s);
  return best;
}
