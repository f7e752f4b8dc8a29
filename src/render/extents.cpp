#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/display_list.h"

namespace plandock::render {

void Box::Add(Point2 p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y)) return;
  if (empty) {
    x0 = x1 = p.x;
    y0 = y1 = p.y;
    empty = false;
    return;
  }
  x0 = std::min(x0, p.x);
  x1 = std::max(x1, p.x);
  y0 = std::min(y0, p.y);
  y1 = std::max(y1, p.y);
}

Box Extents(const DisplayList& list) {
  Box box;
  for (const Primitive& p : list.primitives) {
    switch (p.kind) {
      case PrimitiveKind::kPolyline:
      case PrimitiveKind::kPolygon:
        for (uint32_t i = 0; i < p.count; ++i) box.Add(list.points[p.data + i]);
        break;
      case PrimitiveKind::kArc: {
        // The whole ellipse's box: a little large for a short arc, never too small.
        const ArcGeom& a = list.arcs[p.data];
        const double ex = std::hypot(a.u.x, a.v.x), ey = std::hypot(a.u.y, a.v.y);
        box.Add({a.c.x - ex, a.c.y - ey});
        box.Add({a.c.x + ex, a.c.y + ey});
        break;
      }
      case PrimitiveKind::kText: {
        const TextGeom& t = list.texts[p.data];
        const double rad = t.angle_deg * std::numbers::pi / 180;
        const double ax = std::cos(rad), ay = std::sin(rad);
        box.Add(t.pos);
        box.Add({t.pos.x + ax * t.length, t.pos.y + ay * t.length});
        box.Add({t.pos.x - ay * t.height, t.pos.y + ax * t.height});
        break;
      }
      case PrimitiveKind::kMarker: {
        const MarkerGeom& m = list.markers[p.data];
        box.Add({m.pos.x - m.radius, m.pos.y - m.radius});
        box.Add({m.pos.x + m.radius, m.pos.y + m.radius});
        break;
      }
    }
  }
  return box;
}

}  // namespace plandock::render
