#pragma once

#include <cstdint>
#include <vector>

// The colours of the device pictures. Every pixel of a picture is a blend of at most two of them,
// so the pictures fit an 8-bit palette exactly (see BitmapPalette).
enum TPictureColour : std::uint8_t {
  kPaper = 0,  // background
  kInk,        // lines
  kFront,      // front faces
  kTop,        // faces lit from above
  kShade,      // side faces, openings
  kAccent,     // louvres, air flow, indicator lights
  kColourCount
};

struct CTPoint {
  double x = 0;
  double y = 0;
};

inline CTPoint operator+(CTPoint a, CTPoint b) {
  return {a.x + b.x, a.y + b.y};
}
inline CTPoint operator-(CTPoint a, CTPoint b) {
  return {a.x - b.x, a.y - b.y};
}
inline CTPoint operator*(CTPoint a, double k) {
  return {a.x * k, a.y * k};
}

// A raster of 4 x 4 samples per pixel that the drawings paint in design coordinates. The canvas
// maps a design point p to the pixel position p * scale + offset and puts every point on a pixel
// centre, so that one-pixel lines along the axes stay sharp; slanted edges are smoothed by the
// samples. Line widths are given in pixels.
class CTPictureCanvas {
 public:
  static constexpr int kSamples = 4;  // per pixel and axis

  CTPictureCanvas(int width, int height, double scale = 1.0, CTPoint offset = {});

  int Width() const { return width_; }
  int Height() const { return height_; }
  // The pixel position of a design point, on a pixel centre.
  CTPoint Map(CTPoint p) const;

  void FillPolygon(const std::vector<CTPoint>& points, TPictureColour colour);
  void StrokePolyline(const std::vector<CTPoint>& points, bool closed, double width,
                      TPictureColour colour);
  void Line(CTPoint a, CTPoint b, double width, TPictureColour colour);
  void FillRect(CTPoint topLeft, CTPoint bottomRight, TPictureColour colour);
  void StrokeRect(CTPoint topLeft, CTPoint bottomRight, double width, TPictureColour colour);
  // A rectangle with rounded corners (radius in design units); fill and outline.
  void RoundRect(CTPoint topLeft, CTPoint bottomRight, double radius, TPictureColour fill,
                 double width, TPictureColour outline);
  // A filled triangle pointing from the base centre towards tip.
  void ArrowHead(CTPoint tip, CTPoint direction, double length, double halfWidth,
                 TPictureColour colour);

  // The bounding box of everything painted so far, in pixels; false when nothing was.
  bool PaintedBox(double& left, double& top, double& right, double& bottom) const;
  // Each pixel as the two colours covering most of its samples: first the dominant one, then
  // the other and how many of the kSamples^2 samples it covers (0 for a plain pixel).
  struct LTPixel {
    TPictureColour main;
    TPictureColour other;
    int otherSamples;
  };
  std::vector<LTPixel> Pixels() const;

 private:
  // Paints every sample in the box [x0, x1] x [y0, y1] (pixels) whose centre passes the test.
  template <class TInside>
  void PaintSamples(double x0, double y0, double x1, double y1, TPictureColour colour,
                    const TInside& inside);

  int width_;
  int height_;
  double scale_;
  CTPoint offset_;
  std::vector<std::uint8_t> samples_;
  // The samples painted so far lie in [paintedX0, paintedX1] x [paintedY0, paintedY1].
  int paintedX0_;
  int paintedY0_;
  int paintedX1_ = -1;
  int paintedY1_ = -1;
};
