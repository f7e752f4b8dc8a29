// Plane geometry in radians, counter-clockwise positive, y up.
#pragma once

namespace plandock {

double PointDistance(double x1, double y1, double x2, double y2);
bool SamePoint(double x1, double y1, double x2, double y2);
// In [0, 2*pi); 0 for a vector shorter than 1e-14 on both axes.
double VectorAngle(double dx, double dy);
double RotateX(double x, double y, double cx, double cy, double a);
double RotateY(double x, double y, double cx, double cy, double a);

}  // namespace plandock
