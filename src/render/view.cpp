#include "render/view.h"

#include <algorithm>
#include <cmath>

namespace plandock::render {

namespace {
// Beyond these a further zoom would only lose precision or show nothing.
constexpr double kMinScale = 1e-12, kMaxScale = 1e12;
}  // namespace

void ViewTransform::ZoomAbout(Point2 at, double factor) {
  if (!(factor > 0) || !std::isfinite(factor)) return;
  const Point2 fixed = FromPx(at);
  scale = std::clamp(scale * factor, kMinScale, kMaxScale);
  x0 = fixed.x - (at.x - left) / scale;
  y1 = fixed.y + (at.y - top) / scale;
}

void ViewTransform::Pan(double dx_px, double dy_px) {
  x0 -= dx_px / scale;
  y1 += dy_px / scale;
}

ViewTransform FitBox(Box box, double width, double height, double margin) {
  if (box.empty) box = {0, 0, 1, 1, false};
  // Extents near the largest doubles would make their span infinite.
  double w = std::min(box.x1 - box.x0, 1e300), h = std::min(box.y1 - box.y0, 1e300);
  if (!(w > 0) && !(h > 0)) w = h = 1;  // a single point: a unit box around it
  const double inner_w = std::max(width - 2 * margin, 1.0);
  const double inner_h = std::max(height - 2 * margin, 1.0);
  ViewTransform view;
  view.scale =
      std::clamp(std::min(w > 0 ? inner_w / w : kMaxScale, h > 0 ? inner_h / h : kMaxScale),
                 kMinScale, kMaxScale);
  // The box's middle at the picture's middle.
  view.x0 = box.x0 / 2 + box.x1 / 2;
  view.y1 = box.y0 / 2 + box.y1 / 2;
  view.left = width / 2;
  view.top = height / 2;
  return view;
}

}  // namespace plandock::render
