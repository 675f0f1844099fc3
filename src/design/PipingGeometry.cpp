#include "design/PipingGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSamePointTolerance = 1e-6;

}  // namespace

bool CTPoint::operator==(const CTPoint& other) const {
  return std::fabs(x - other.x) < kSamePointTolerance &&
         std::fabs(y - other.y) < kSamePointTolerance;
}

double CTPoint::DistanceTo(const CTPoint& other) const {
  return std::hypot(x - other.x, y - other.y);
}

CTLine::CTLine(const CTPoint& from, const CTPoint& to) {
  if (from == to) {
    // No direction: the vertical line through the point, so that a pipe piece of no length is
    // still found where it is drawn.
    c_ = -from.x;
    return;
  }
  double a = to.y - from.y;
  double b = from.x - to.x;
  double c = to.x * from.y - from.x * to.y;
  const double norm = std::hypot(a, b);
  a /= norm;
  b /= norm;
  c /= norm;
  if (a < 0 || (a == 0 && b < 0)) {
    a = -a;
    b = -b;
    c = -c;
  }
  a_ = a;
  b_ = b;
  c_ = c;
}

double CTLine::DistanceTo(const CTPoint& point) const {
  return std::fabs(a_ * point.x + b_ * point.y + c_);
}

double CTLine::PositionOf(const CTPoint& point) const {
  const double t = b_ * point.x - a_ * point.y;
  return b_ >= 0 ? t : -t;
}

CTLinePiece::CTLinePiece(const CTPoint& from, const CTPoint& to)
    : line_(from, to), mid_{(from.x + to.x) / 2, (from.y + to.y) / 2} {
  const double s = line_.PositionOf(from);
  const double e = line_.PositionOf(to);
  start_ = std::min(s, e);
  end_ = std::max(s, e);
}

bool CTLinePiece::Hits(const CTPoint& point) const {
  return line_.Hits(point) && point.DistanceTo(mid_) < Length() / 2 + CTLine::kHitDistance;
}
