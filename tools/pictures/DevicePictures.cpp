#include "DevicePictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

// The drawing helpers every device picture uses. Coordinates are design units (about one pixel
// of the large picture), y pointing down. Boxes are drawn in an oblique view: the front face as
// it is, the depth running up and to the right.
class CTSketch {
 public:
  CTSketch(CTPictureCanvas& canvas, bool small) : canvas_(canvas), small_(small) {}

  CTPictureCanvas& Canvas() { return canvas_; }
  bool Small() const { return small_; }
  // The screen offset of a depth of d units.
  static CTPoint Depth(double d) { return {0.6 * d, -0.4 * d}; }

  void Line(CTPoint a, CTPoint b, TPictureColour colour = kInk) { canvas_.Line(a, b, 1, colour); }
  void Polygon(const std::vector<CTPoint>& points, TPictureColour fill,
               TPictureColour outline = kInk) {
    canvas_.FillPolygon(points, fill);
    canvas_.StrokePolyline(points, true, 1, outline);
  }
  void Rect(CTPoint a, CTPoint b, TPictureColour fill, TPictureColour outline = kInk) {
    canvas_.FillRect(a, b, fill);
    canvas_.StrokeRect(a, b, 1, outline);
  }
  void RoundRect(CTPoint a, CTPoint b, double radius, TPictureColour fill,
                 TPictureColour outline = kInk) {
    canvas_.RoundRect(a, b, radius, fill, 1, outline);
  }
  // A box with its front face at (x, y, w, h) and the given depth: front, top and right faces.
  void Box(double x, double y, double w, double h, double d) {
    const CTPoint k = Depth(d);
    Polygon({{x, y}, {x + k.x, y + k.y}, {x + w + k.x, y + k.y}, {x + w, y}}, kTop);
    Polygon({{x + w, y}, {x + w + k.x, y + k.y}, {x + w + k.x, y + h + k.y}, {x + w, y + h}},
            kShade);
    Rect({x, y}, {x + w, y + h}, kFront);
  }
  // An arrow from a to b with its head at b; the head has the same size in pixels at any scale.
  void Arrow(CTPoint a, CTPoint b, TPictureColour colour = kAccent) {
    const CTPoint d = b - a;
    const CTPoint unit = d * (1 / std::hypot(d.x, d.y));
    const double head = (small_ ? 3 : 6) / Scale();
    canvas_.Line(a, b - unit * (head * 0.6), small_ ? 1 : 1.5, colour);
    canvas_.ArrowHead(b, unit, head, head * 0.45, colour);
  }
  // A pipe from a to b: an outlined tube in the large picture, a line in the small one.
  void Pipe(CTPoint a, CTPoint b) {
    if (small_) {
      canvas_.Line(a, b, 1, kAccent);
      return;
    }
    canvas_.Line(a, b, 3, kInk);
    canvas_.Line(a, b, 1, kAccent);
  }
  // Points of an ellipse given by its centre and two conjugate half axes (a circle seen at
  // an angle).
  static std::vector<CTPoint> Ellipse(CTPoint centre, CTPoint u, CTPoint v, int segments = 48) {
    std::vector<CTPoint> points;
    for (int i = 0; i < segments; ++i) {
      const double t = 2 * std::numbers::pi * i / segments;
      points.push_back(centre + u * std::cos(t) + v * std::sin(t));
    }
    return points;
  }
  // Appends the points of an arc around centre from the angle start over sweep (degrees, y down).
  static void Arc(std::vector<CTPoint>& points, CTPoint centre, double radius, double start,
                  double sweep) {
    const int steps = 8;
    for (int i = 0; i <= steps; ++i) {
      const double a = (start + sweep * i / steps) * std::numbers::pi / 180;
      points.push_back({centre.x + radius * std::cos(a), centre.y + radius * std::sin(a)});
    }
  }

 private:
  // Pixels per design unit.
  double Scale() const {
    const CTPoint a = canvas_.Map({0, 0});
    const CTPoint b = canvas_.Map({1000, 0});
    return (b.x - a.x) / 1000;
  }

  CTPictureCanvas& canvas_;
  bool small_;
};

namespace {

// Ceiling cassettes are shown from below: the square panel with the outlet slots along its sides
// and the intake grille in the middle.
void CassettePanel(CTSketch& s, double size, bool arrows) {
  const double p = size;
  const double slotIn = p * 0.09;   // slot distance from the edge
  const double slotW = p * 0.07;    // slot width
  const double slotEnd = p * 0.22;  // slot distance from the corners
  const double grille = p * 0.3;    // grille distance from the edge
  s.RoundRect({0, 0}, {p, p}, p * 0.06, kFront);
  // The outlet slots with their louvres.
  const double a = slotIn;
  const double b = slotIn + slotW;
  const double m = (a + b) / 2;
  if (s.Small()) {
    // In the icon a slot is a single line: an outline would fill it.
    s.Line({slotEnd, m}, {p - slotEnd, m}, kAccent);
    s.Line({slotEnd, p - m}, {p - slotEnd, p - m}, kAccent);
    s.Line({m, slotEnd}, {m, p - slotEnd}, kAccent);
    s.Line({p - m, slotEnd}, {p - m, p - slotEnd}, kAccent);
  } else {
    s.Rect({slotEnd, a}, {p - slotEnd, b}, kShade);
    s.Rect({slotEnd, p - b}, {p - slotEnd, p - a}, kShade);
    s.Rect({a, slotEnd}, {b, p - slotEnd}, kShade);
    s.Rect({p - b, slotEnd}, {p - a, p - slotEnd}, kShade);
    s.Line({slotEnd + 2, m}, {p - slotEnd - 2, m}, kAccent);
    s.Line({slotEnd + 2, p - m}, {p - slotEnd - 2, p - m}, kAccent);
    s.Line({m, slotEnd + 2}, {m, p - slotEnd - 2}, kAccent);
    s.Line({p - m, slotEnd + 2}, {p - m, p - slotEnd - 2}, kAccent);
  }
  // The intake grille.
  s.Rect({grille, grille}, {p - grille, p - grille}, kTop);
  const int bars = s.Small() ? 3 : 9;
  const double span = p - 2 * grille;
  for (int i = 1; i <= bars; ++i) {
    const double y = grille + span * i / (bars + 1);
    s.Line({grille, y}, {p - grille, y}, kShade);
  }
  s.Canvas().StrokeRect({grille, grille}, {p - grille, p - grille}, 1, s.Small() ? kShade : kInk);
  // The corner covers.
  if (!s.Small()) {
    const double c = p * 0.1;
    s.Line({c * 0.5, c * 0.5}, {c, c}, kShade);
    s.Line({p - c * 0.5, c * 0.5}, {p - c, c}, kShade);
    s.Line({c * 0.5, p - c * 0.5}, {c, p - c}, kShade);
    s.Line({p - c * 0.5, p - c * 0.5}, {p - c, p - c}, kShade);
  }
  if (arrows) {
    const double m = p / 2;
    const double gap = p * 0.05;
    const double len = p * 0.16;
    s.Arrow({m, -gap}, {m, -gap - len});
    s.Arrow({m, p + gap}, {m, p + gap + len});
    s.Arrow({-gap, m}, {-gap - len, m});
    s.Arrow({p + gap, m}, {p + gap + len, m});
  }
}

void DrawFourWayCassette(CTSketch& s) {
  CassettePanel(s, 100, !s.Small());
}

// The compact cassette fits one tile of a suspended ceiling: the panel sits in the ceiling grid.
void DrawCompactCassette(CTSketch& s) {
  const double p = 100;
  const double reach = s.Small() ? 14 : 24;
  for (const double at : {0.0, p}) {
    s.Line({-reach, at}, {p + reach, at}, kShade);
    s.Line({at, -reach}, {at, p + reach}, kShade);
  }
  CassettePanel(s, p, false);
}

// Concealed ducted units: a flat casing with a duct spigot on its front.
void DuctedUnit(CTSketch& s, double w, double h, double d, double spigotH) {
  s.Box(0, 0, w, h, d);
  // The electrical box on the right side.
  if (!s.Small()) {
    const CTPoint k1 = CTSketch::Depth(d * 0.2);
    const CTPoint k2 = CTSketch::Depth(d * 0.55);
    const double top = h * 0.25;
    const double bottom = h * 0.75;
    s.Polygon({{w + k1.x, k1.y + top},
               {w + k2.x, k2.y + top},
               {w + k2.x, k2.y + bottom},
               {w + k1.x, k1.y + bottom}},
              kTop);
  }
  // The supply spigot, reaching towards the viewer.
  const double e = s.Small() ? 8 : 12;
  const double inset = w * 0.12;
  const double sy = (h - spigotH) / 2;
  const CTPoint k = CTSketch::Depth(-e);
  s.Box(inset + k.x, sy + k.y, w - 2 * inset, spigotH, e);
  if (!s.Small()) {
    const double frame = 3;
    s.Rect({inset + k.x + frame, sy + k.y + frame},
           {w - inset + k.x - frame, sy + spigotH + k.y - frame}, kShade);
  }
  // Supply air.
  if (!s.Small()) {
    const CTPoint out = CTSketch::Depth(-26);
    for (int i = 0; i < 3; ++i) {
      const CTPoint from{inset + k.x + (w - 2 * inset) * (0.25 + 0.25 * i), sy + k.y + spigotH};
      s.Arrow(from + CTPoint{0, 4}, from + CTPoint{0, 4} + out);
    }
  }
}

void DrawDucted(CTSketch& s) {
  DuctedUnit(s, 100, 40, 60, 22);
}

void DrawSlimDucted(CTSketch& s) {
  DuctedUnit(s, 130, 18, 64, 8);
}

// Wall mounted: the long rounded casing with the outlet and its flap along the bottom.
void DrawWallMounted(CTSketch& s) {
  const double w = 140;
  const double h = 46;
  s.RoundRect({0, 0}, {w, h}, 12, kFront);
  s.Line({6, h * 0.62}, {w - 6, h * 0.62});
  s.RoundRect({12, h * 0.7}, {w - 12, h * 0.88}, 3, kShade);
  s.Canvas().RoundRect({16, h * 0.82}, {w - 16, h * 0.94}, 2, kAccent, 1, kInk);
  // Display and indicator light.
  if (!s.Small()) {
    s.RoundRect({w - 34, h * 0.3}, {w - 16, h * 0.44}, 2, kTop);
    s.Canvas().RoundRect({w - 12, h * 0.33}, {w - 8, h * 0.41}, 2, kAccent, 0, kAccent);
    const double y = h + 6;
    s.Arrow({36, y}, {28, y + 20});
    s.Arrow({70, y}, {70, y + 22});
    s.Arrow({104, y}, {112, y + 20});
  } else {
    s.Canvas().RoundRect({w - 22, h * 0.3}, {w - 12, h * 0.44}, 2, kAccent, 0, kAccent);
  }
}

// Ceiling suspended: hung flat under the ceiling, the outlet along the front, the intake grille
// on the underside (seen from below).
void DrawCeilingSuspended(CTSketch& s) {
  const double w = 140;
  const double h = 32;
  const double reach = s.Small() ? 6 : 14;
  // The ceiling with its hatching.
  s.Line({-reach, 0}, {w + reach, 0});
  if (!s.Small()) {
    for (double x = -reach + 4; x <= w + reach - 4; x += 10) s.Line({x, -1}, {x + 6, -7}, kShade);
  }
  // The underside.
  const double under = s.Small() ? 10 : 14;
  const double taper = s.Small() ? 8 : 12;
  s.Polygon({{6, h}, {w - 6, h}, {w - 6 - taper, h + under}, {6 + taper, h + under}}, kTop);
  if (!s.Small()) {
    for (int i = 1; i <= 3; ++i) {
      const double t = i / 4.0;
      const double y = h + under * t;
      s.Line({6 + taper * t + 6, y}, {w - 6 - taper * t - 6, y}, kShade);
    }
  }
  // The front with rounded lower corners.
  std::vector<CTPoint> front{{0, 0}};
  const double r = s.Small() ? 10 : 8;
  CTSketch::Arc(front, {r, h - r}, r, 180, -90);
  CTSketch::Arc(front, {w - r, h - r}, r, 90, -90);
  front.push_back({w, 0});
  s.Polygon(front, kFront);
  // The outlet with its louvre.
  s.RoundRect({14, h * 0.5}, {w - 14, h * 0.8}, 2, kShade);
  s.Line({18, h * 0.68}, {w - 18, h * 0.68}, kAccent);
  if (!s.Small()) {
    const double y = h + under + 6;
    s.Arrow({40, y}, {32, y + 18});
    s.Arrow({70, y}, {70, y + 20});
    s.Arrow({100, y}, {108, y + 18});
  }
}

// Floor standing: a console on the floor, the intake grille below, the outlet grille on top.
void DrawFloorStanding(CTSketch& s) {
  const double w = 72;
  const double h = 84;
  const double d = 28;
  const double reach = s.Small() ? 8 : 22;
  s.Line({-reach, h}, {w + d * 0.6 + reach, h});
  if (!s.Small()) {
    for (double x = -reach + 2; x <= w + d * 0.6 + reach - 6; x += 10) {
      s.Line({x + 6, h + 1}, {x, h + 7}, kShade);
    }
  }
  s.Box(0, 0, w, h, d);
  // The outlet grille on top.
  const CTPoint k1 = CTSketch::Depth(d * 0.25);
  const CTPoint k2 = CTSketch::Depth(d * 0.75);
  const double gx0 = 8;
  const double gx1 = w - 8;
  s.Polygon({{gx0 + k1.x, k1.y}, {gx1 + k1.x, k1.y}, {gx1 + k2.x, k2.y}, {gx0 + k2.x, k2.y}},
            kShade);
  if (!s.Small()) {
    const CTPoint mid = CTSketch::Depth(d * 0.5);
    s.Line({gx0 + mid.x + 2, mid.y}, {gx1 + mid.x - 2, mid.y}, kAccent);
  }
  // The intake grille.
  const double top = h * 0.5;
  const double bottom = h - 8;
  s.Rect({8, top}, {w - 8, bottom}, kTop);
  const int bars = s.Small() ? 3 : 8;
  for (int i = 1; i <= bars; ++i) {
    const double y = top + (bottom - top) * i / (bars + 1);
    s.Line({8, y}, {w - 8, y}, kShade);
  }
  s.Canvas().StrokeRect({8, top}, {w - 8, bottom}, 1, kInk);
  // The display.
  if (!s.Small()) {
    s.RoundRect({w - 28, h * 0.2}, {w - 10, h * 0.3}, 2, kTop);
    s.Canvas().RoundRect({14, h * 0.22}, {18, h * 0.28}, 2, kAccent, 0, kAccent);
    for (int i = 0; i < 3; ++i) {
      const CTPoint from = CTPoint{gx0 + 10 + (gx1 - gx0 - 20) * i / 2.0, 0} + k2 + CTPoint{0, -4};
      s.Arrow(from, from + CTPoint{0, -20});
    }
  } else {
    s.Line({12, h * 0.25}, {w * 0.5, h * 0.25}, kAccent);
  }
}

// DX coil for a ventilation unit: a duct section with the coil behind its inspection window,
// the air passing through, and the control kit with its refrigerant connections.
void DrawVentilationKit(CTSketch& s) {
  const double w = 110;
  const double h = 46;
  const double d = 40;
  s.Box(0, 0, w, h, d);
  // The coil behind the window.
  const double x0 = w * 0.3;
  const double x1 = w * 0.7;
  const double y0 = 6;
  const double y1 = h - 6;
  s.Rect({x0, y0}, {x1, y1}, kTop);
  const int fins = s.Small() ? 4 : 12;
  for (int i = 1; i <= fins; ++i) {
    const double x = x0 + (x1 - x0) * i / (fins + 1);
    s.Line({x, y0}, {x, y1}, kShade);
  }
  s.Canvas().StrokeRect({x0, y0}, {x1, y1}, 1, kInk);
  // The control kit below, piped to the coil.
  const double kx = x1 + (s.Small() ? 10 : 16);
  const double ky = h + (s.Small() ? 12 : 16);
  const double kw = s.Small() ? 24 : 28;
  const double kh = s.Small() ? 18 : 22;
  s.Pipe({x1 - 6, y1}, {x1 - 6, ky + kh * 0.3});
  s.Pipe({x1 - 6, ky + kh * 0.3}, {kx, ky + kh * 0.3});
  s.Pipe({x1 - 14, y1}, {x1 - 14, ky + kh * 0.7});
  s.Pipe({x1 - 14, ky + kh * 0.7}, {kx, ky + kh * 0.7});
  s.Box(kx, ky, kw, kh, s.Small() ? 8 : 10);
  if (!s.Small()) {
    s.Canvas().RoundRect({kx + kw - 8, ky + 4}, {kx + kw - 4, ky + 8}, 2, kAccent, 0, kAccent);
  }
  // The air stream.
  if (s.Small()) return;
  const double ay = h * 0.5;
  const double len = 22;
  s.Arrow({-len - 4, ay}, {-4, ay});
  const CTPoint side = CTSketch::Depth(d * 0.5);
  s.Arrow({w + side.x + 4, ay + side.y}, {w + side.x + 4 + len, ay + side.y});
}

// Outdoor unit: an upright casing with the fan on top blowing upwards, coil grilles on the front
// and the side.
void DrawOutdoorUnit(CTSketch& s) {
  const double w = 70;
  const double h = 86;
  const double d = 44;
  // Feet.
  s.Rect({4, h}, {16, h + 4}, kShade);
  s.Rect({w - 16, h}, {w - 4, h + 4}, kShade);
  s.Box(0, 0, w, h, d);
  // Side coil.
  const int ribs = s.Small() ? 3 : 9;
  for (int i = 1; i <= ribs; ++i) {
    const CTPoint k = CTSketch::Depth(d * i / (ribs + 1));
    s.Line({w + k.x, k.y + 6}, {w + k.x, k.y + h - 6}, kInk);
  }
  // Front grille and service panel.
  const int bars = s.Small() ? 4 : 12;
  const double g0 = 8;
  const double g1 = h * 0.68;
  for (int i = 0; i < bars; ++i) {
    const double y = g0 + (g1 - g0) * i / (bars - 1);
    s.Line({8, y}, {w - 8, y}, kShade);
  }
  s.Rect({8, h * 0.76}, {w - 8, h - 6}, kTop);
  // The fan guard on top.
  const CTPoint centre = CTPoint{w / 2, 0} + CTSketch::Depth(d / 2);
  const CTPoint u{w * 0.4, 0};
  const CTPoint v = CTSketch::Depth(d * 0.4);
  s.Polygon(CTSketch::Ellipse(centre, u, v), kShade);
  if (!s.Small()) {
    s.Canvas().StrokePolyline(CTSketch::Ellipse(centre, u * 0.66, v * 0.66), true, 1, kInk);
    s.Canvas().StrokePolyline(CTSketch::Ellipse(centre, u * 0.33, v * 0.33), true, 1, kInk);
    s.Line(centre - u, centre + u);
    s.Line(centre - v, centre + v);
    const double above = CTSketch::Depth(d).y - 4;
    for (const double dx : {-w * 0.25, 0.0, w * 0.25}) {
      const CTPoint from{centre.x + dx, above};
      s.Arrow(from, from + CTPoint{0, -18});
    }
  } else {
    s.Line(centre - u, centre + u);
  }
}

// BS box: a flat casing with the pipes to the outdoor unit on one side and those to the indoor
// units on the other.
void DrawBSBox(CTSketch& s) {
  const double w = 80;
  const double h = 30;
  const double d = 44;
  const double len = s.Small() ? 14 : 22;
  const int count = s.Small() ? 2 : 3;
  for (int i = 0; i < count; ++i) {
    const double y = h * (i + 1) / (count + 1);
    s.Pipe({-len, y}, {0, y});
  }
  s.Box(0, 0, w, h, d);
  // Each branch to the indoor units: a gas and a liquid pipe side by side, the back one first.
  for (const double y : {h * 0.35, h * 0.75}) {
    for (const double depth : {d * 2 / 3, d / 3}) {
      const CTPoint from = CTPoint{w, y} + CTSketch::Depth(depth);
      s.Pipe(from, from + CTPoint{len, 0});
    }
  }
  if (!s.Small()) {
    s.Rect({8, 8}, {36, 18}, kTop);
    s.Line({12, 13}, {30, 13}, kShade);
  }
}

}  // namespace

const std::vector<LTDevicePicture>& DevicePictures() {
  static const std::vector<LTDevicePicture> pictures = {
      {109, 1, "indoor-cf", &DrawFourWayCassette}, {109, 2, "indoor-cc", &DrawCompactCassette},
      {109, 3, "indoor-dm", &DrawDucted},          {109, 4, "indoor-ds", &DrawSlimDucted},
      {109, 5, "indoor-wl", &DrawWallMounted},     {109, 6, "indoor-cs", &DrawCeilingSuspended},
      {109, 7, "indoor-fs", &DrawFloorStanding},   {109, 8, "indoor-ax", &DrawVentilationKit},
      {119, 0, "outdoor", &DrawOutdoorUnit},       {76, 0, "bsbox", &DrawBSBox},
  };
  return pictures;
}

namespace {

// The design-unit box of a drawing drawn at the given scale.
void MeasureDrawing(TDeviceDrawing draw, bool small, double scale, double& left, double& top,
                    double& right, double& bottom) {
  constexpr int kProbe = 400;
  constexpr double kOrigin = 120;
  CTPictureCanvas probe(kProbe, kProbe, scale, {kOrigin, kOrigin});
  CTSketch sketch(probe, small);
  draw(sketch);
  probe.PaintedBox(left, top, right, bottom);
  left = (left - kOrigin) / scale;
  top = (top - kOrigin) / scale;
  right = (right - kOrigin) / scale;
  bottom = (bottom - kOrigin) / scale;
}

}  // namespace

CTPictureCanvas RenderPicture(TDeviceDrawing draw, int width, int height, int margin, bool small) {
  double scale = 1;
  double left = 0, top = 0, right = 0, bottom = 0;
  // Measured twice: the arrow heads keep their pixel size, so the box depends a little on the
  // scale.
  for (int pass = 0; pass < 2; ++pass) {
    MeasureDrawing(draw, small, scale, left, top, right, bottom);
    const double fit =
        std::min((width - 2 * margin) / (right - left), (height - 2 * margin) / (bottom - top));
    scale = fit;
  }
  const CTPoint offset{std::round((width - (right - left) * scale) / 2 - left * scale),
                       std::round((height - (bottom - top) * scale) / 2 - top * scale)};
  CTPictureCanvas canvas(width, height, scale, offset);
  CTSketch sketch(canvas, small);
  draw(sketch);
  return canvas;
}
