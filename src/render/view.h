// Drawing millimetres (y up) to picture pixels (y down): the fit of a
// drawing's extents into a picture, and the zoom and pan of a window.
#pragma once

#include <cstdint>

#include "render/display_list.h"

namespace plandock::render {

struct ViewTransform {
  double scale = 1;          // pixels per drawing unit
  double x0 = 0, y1 = 0;     // the drawing point shown at `left`, `top`
  double left = 0, top = 0;  // pixels

  Point2 Px(Point2 p) const { return {(p.x - x0) * scale + left, (y1 - p.y) * scale + top}; }
  Point2 PxVec(Point2 v) const { return {v.x * scale, -v.y * scale}; }
  Point2 FromPx(Point2 px) const { return {(px.x - left) / scale + x0, y1 - (px.y - top) / scale}; }

  // Scales by `factor` keeping the drawing point under pixel `at` where it is.
  void ZoomAbout(Point2 at, double factor);
  void Pan(double dx_px, double dy_px);
};

// The box centred in a width × height picture inside `margin` pixels on each
// side. An empty or degenerate box still gives a usable, finite view.
ViewTransform FitBox(Box box, double width, double height, double margin);

// Stroke width in pixels of a line width in hundredths of a paper millimetre:
// thin enough for dense plans, with the pens' order kept.
inline double StrokePx(uint16_t width) {
  return width * 0.06 + 0.5 < 4.0 ? width * 0.06 + 0.5 : 4.0;
}
// Pixels per dot of a dash pattern.
inline constexpr double kPxPerDot = 1.5;

}  // namespace plandock::render
