#include "PictureCanvas.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Whether a point lies on the segment drawn with the given half width and square ends.
bool OnSegment(double px, double py, CTPoint a, CTPoint b, double half) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length == 0) return std::abs(px - a.x) <= half && std::abs(py - a.y) <= half;
  const double along = ((px - a.x) * dx + (py - a.y) * dy) / length;
  const double across = ((px - a.x) * dy - (py - a.y) * dx) / length;
  return along >= -half && along <= length + half && std::abs(across) <= half;
}

// Signed distance of a point from a rounded rectangle (negative inside).
double RoundRectDistance(double px, double py, CTPoint a, CTPoint b, double radius) {
  const double cx = (a.x + b.x) / 2;
  const double cy = (a.y + b.y) / 2;
  const double hx = (b.x - a.x) / 2 - radius;
  const double hy = (b.y - a.y) / 2 - radius;
  const double qx = std::abs(px - cx) - hx;
  const double qy = std::abs(py - cy) - hy;
  const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
  return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

}  // namespace

CTPictureCanvas::CTPictureCanvas(int width, int height, double scale, CTPoint offset)
    : width_(width),
      height_(height),
      scale_(scale),
      offset_(offset),
      samples_(static_cast<std::size_t>(width) * height * kSamples * kSamples, kPaper),
      paintedX0_(width * kSamples),
      paintedY0_(height * kSamples) {}

CTPoint CTPictureCanvas::Map(CTPoint p) const {
  return {std::floor(p.x * scale_ + offset_.x) + 0.5, std::floor(p.y * scale_ + offset_.y) + 0.5};
}

template <class TInside>
void CTPictureCanvas::PaintSamples(double x0, double y0, double x1, double y1,
                                   TPictureColour colour, const TInside& inside) {
  const int columns = width_ * kSamples;
  const int rows = height_ * kSamples;
  const int sx0 = std::max(0, static_cast<int>(std::floor(x0 * kSamples)));
  const int sy0 = std::max(0, static_cast<int>(std::floor(y0 * kSamples)));
  const int sx1 = std::min(columns - 1, static_cast<int>(std::ceil(x1 * kSamples)));
  const int sy1 = std::min(rows - 1, static_cast<int>(std::ceil(y1 * kSamples)));
  for (int sy = sy0; sy <= sy1; ++sy) {
    const double y = (sy + 0.5) / kSamples;
    for (int sx = sx0; sx <= sx1; ++sx) {
      const double x = (sx + 0.5) / kSamples;
      if (!inside(x, y)) continue;
      samples_[static_cast<std::size_t>(sy) * columns + sx] = colour;
      paintedX0_ = std::min(paintedX0_, sx);
      paintedY0_ = std::min(paintedY0_, sy);
      paintedX1_ = std::max(paintedX1_, sx);
      paintedY1_ = std::max(paintedY1_, sy);
    }
  }
}

void CTPictureCanvas::FillPolygon(const std::vector<CTPoint>& points, TPictureColour colour) {
  if (points.size() < 3) return;
  std::vector<CTPoint> mapped;
  double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
  for (const CTPoint& p : points) {
    mapped.push_back(Map(p));
    x0 = std::min(x0, mapped.back().x);
    y0 = std::min(y0, mapped.back().y);
    x1 = std::max(x1, mapped.back().x);
    y1 = std::max(y1, mapped.back().y);
  }
  PaintSamples(x0, y0, x1, y1, colour, [&mapped](double x, double y) {
    bool inside = false;
    for (std::size_t i = 0, j = mapped.size() - 1; i < mapped.size(); j = i++) {
      const CTPoint& a = mapped[i];
      const CTPoint& b = mapped[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) {
        inside = !inside;
      }
    }
    return inside;
  });
}

void CTPictureCanvas::Line(CTPoint a, CTPoint b, double width, TPictureColour colour) {
  const CTPoint p = Map(a);
  const CTPoint q = Map(b);
  const double half = width / 2;
  PaintSamples(std::min(p.x, q.x) - half, std::min(p.y, q.y) - half, std::max(p.x, q.x) + half,
               std::max(p.y, q.y) + half, colour,
               [&](double x, double y) { return OnSegment(x, y, p, q, half); });
}

void CTPictureCanvas::StrokePolyline(const std::vector<CTPoint>& points, bool closed, double width,
                                     TPictureColour colour) {
  for (std::size_t i = 0; i + 1 < points.size(); ++i) Line(points[i], points[i + 1], width, colour);
  if (closed && points.size() > 2) Line(points.back(), points.front(), width, colour);
}

void CTPictureCanvas::FillRect(CTPoint topLeft, CTPoint bottomRight, TPictureColour colour) {
  FillPolygon({topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}},
              colour);
}

void CTPictureCanvas::StrokeRect(CTPoint topLeft, CTPoint bottomRight, double width,
                                 TPictureColour colour) {
  StrokePolyline({topLeft, {bottomRight.x, topLeft.y}, bottomRight, {topLeft.x, bottomRight.y}},
                 true, width, colour);
}

void CTPictureCanvas::RoundRect(CTPoint topLeft, CTPoint bottomRight, double radius,
                                TPictureColour fill, double width, TPictureColour outline) {
  const CTPoint a = Map(topLeft);
  const CTPoint b = Map(bottomRight);
  const double r = std::min({radius * scale_, (b.x - a.x) / 2, (b.y - a.y) / 2});
  const double half = width / 2;
  PaintSamples(a.x, a.y, b.x, b.y, fill,
               [&](double x, double y) { return RoundRectDistance(x, y, a, b, r) <= 0; });
  if (width <= 0) return;
  PaintSamples(a.x - half, a.y - half, b.x + half, b.y + half, outline, [&](double x, double y) {
    return std::abs(RoundRectDistance(x, y, a, b, r)) <= half;
  });
}

void CTPictureCanvas::ArrowHead(CTPoint tip, CTPoint direction, double length, double halfWidth,
                                TPictureColour colour) {
  const double norm = std::hypot(direction.x, direction.y);
  if (norm == 0) return;
  const CTPoint d = direction * (1 / norm);
  const CTPoint n{-d.y, d.x};
  const CTPoint base = tip - d * length;
  FillPolygon({tip, base + n * halfWidth, base - n * halfWidth}, colour);
}

bool CTPictureCanvas::PaintedBox(double& left, double& top, double& right, double& bottom) const {
  left = static_cast<double>(paintedX0_) / kSamples;
  top = static_cast<double>(paintedY0_) / kSamples;
  right = static_cast<double>(paintedX1_ + 1) / kSamples;
  bottom = static_cast<double>(paintedY1_ + 1) / kSamples;
  return paintedX1_ >= 0;
}

std::vector<CTPictureCanvas::LTPixel> CTPictureCanvas::Pixels() const {
  std::vector<LTPixel> pixels;
  pixels.reserve(static_cast<std::size_t>(width_) * height_);
  const int columns = width_ * kSamples;
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      std::array<int, kColourCount> counts{};
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const std::size_t at =
              static_cast<std::size_t>(y * kSamples + sy) * columns + x * kSamples + sx;
          ++counts[samples_[at]];
        }
      }
      // The two colours with the most samples; on a tie the lower colour number wins.
      int first = 0;
      for (int c = 1; c < kColourCount; ++c) {
        if (counts[c] > counts[first]) first = c;
      }
      int second = first == 0 ? 1 : 0;
      for (int c = 0; c < kColourCount; ++c) {
        if (c != first && counts[c] > counts[second]) second = c;
      }
      // Samples of further colours count for the dominant one.
      pixels.push_back({static_cast<TPictureColour>(first), static_cast<TPictureColour>(second),
                        counts[second]});
    }
  }
  return pixels;
}
