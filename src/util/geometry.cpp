// Plane geometry helpers.
#include "util/geometry.h"

#include <cmath>
#include <numbers>

namespace plandock {

double PointDistance(double x1, double y1, double x2, double y2) {
  const double dx = x2 - x1;
  const double dy = y2 - y1;
  return std::sqrt(dx * dx + dy * dy);
}

bool SamePoint(double x1, double y1, double x2, double y2) {
  return std::fabs(x2 - x1) <= 1e-12 && std::fabs(y2 - y1) <= 1e-12;
}

double VectorAngle(double dx, double dy) {
  if (std::fabs(dx) < 1e-14 && std::fabs(dy) < 1e-14) return 0.0;
  const double a = std::atan2(dy, dx);
  if (a >= 0.0) return a;
  // A tiny negative angle plus 2*pi rounds to 2*pi itself, which is outside the range.
  const double turned = a + 2.0 * std::numbers::pi;
  return turned < 2.0 * std::numbers::pi ? turned : 0.0;
}

double RotateX(double x, double y, double cx, double cy, double a) {
  return cx + std::cos(a) * (x - cx) - std::sin(a) * (y - cy);
}

double RotateY(double x, double y, double cx, double cy, double a) {
  return cy + std::sin(a) * (x - cx) + std::cos(a) * (y - cy);
}

}  // namespace plandock
