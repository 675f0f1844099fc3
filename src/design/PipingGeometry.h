#pragma once

// The plane geometry that finds pipes on the piping diagram: points, straight lines and pieces
// of lines, in drawing units.

// A point; two points are equal when both coordinates differ by less than 1e-6.
struct CTPoint {
  double x = 0;
  double y = 0;

  bool operator==(const CTPoint& other) const;
  double DistanceTo(const CTPoint& other) const;
};

// The straight line through two points, held as a·x + b·y + c = 0 with (a, b) of length 1 and
// a > 0, or a = 0 and b >= 0. The line through two equal points is the vertical line through
// that point.
class CTLine {
 public:
  // A point hits a line within this distance (drawing units).
  static constexpr double kHitDistance = 5;

  CTLine(const CTPoint& from, const CTPoint& to);

  double A() const { return a_; }
  double B() const { return b_; }
  double C() const { return c_; }
  // The distance of the point from the line.
  double DistanceTo(const CTPoint& point) const;
  bool Hits(const CTPoint& point) const { return DistanceTo(point) <= kHitDistance; }
  // The position of a point's projection along the line (b·x − a·y, negated when b < 0).
  double PositionOf(const CTPoint& point) const;

 private:
  double a_ = 1;
  double b_ = 0;
  double c_ = 0;
};

// A piece of a line between two points: the pipe between two bends of a drawn polyline.
class CTLinePiece {
 public:
  CTLinePiece(const CTPoint& from, const CTPoint& to);

  const CTLine& Line() const { return line_; }
  // The end positions along the line, ascending.
  double Start() const { return start_; }
  double End() const { return end_; }
  double Length() const { return end_ - start_; }
  CTPoint Midpoint() const { return mid_; }
  // On the line, and nearer to the midpoint than half the length plus the hit distance.
  bool Hits(const CTPoint& point) const;

 private:
  CTLine line_;
  double start_ = 0;
  double end_ = 0;
  CTPoint mid_;
};
