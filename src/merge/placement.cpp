#include <cmath>
#include <numbers>

#include "merge/placement_internal.h"
#include "util/geometry.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kMinScale = 1e-12;

}  // namespace

bool IsReferenceText(const TEntJwwMoji& text, const std::u16string& reference_text) {
  return text.att.nPenColor == kPenColorAuxiliary && text.str == reference_text;
}

int CountReferenceTextsIn(const TJwwData& doc, const std::u16string& reference_text) {
  int count = 0;
  for (const TEntJwwMoji& text : doc.EntMoji) {
    if (!IsReferenceText(text, reference_text)) continue;
    if (++count >= 3) break;
  }
  return count;
}

std::vector<ReferencePoint> CollectReferencePoints(const TJwwData& doc,
                                                   const std::u16string& reference_text,
                                                   bool with_angle) {
  std::vector<ReferencePoint> points;
  if (!IsBlank(reference_text)) {
    for (const TEntJwwMoji& text : doc.EntMoji) {
      if (!IsReferenceText(text, reference_text)) continue;
      double angle = 0;
      if (with_angle) angle = VectorAngle(text.end_x - text.start_x, text.end_y - text.start_y);
      points.push_back({text.start_x, text.start_y, angle});
    }
  }
  if (points.empty()) points.push_back({0, 0, 0});
  return points;
}

FactorTable MakeFactorTable(const TJwwData& base, const TJwwData& merged, int target_layer_group,
                            bool real_size) {
  FactorTable f;
  f.fill(1.0);
  if (!real_size) return f;
  for (int g = 0; g < 16; ++g) {
    const int t = target_layer_group == -1 ? g : LayerIndex(target_layer_group);
    if (t >= static_cast<int>(base.EntLgrp.size()) ||
        g >= static_cast<int>(merged.EntLgrp.size())) {
      continue;
    }
    const double sb = base.EntLgrp[t].adScale;
    const double sm = merged.EntLgrp[g].adScale;
    if (sb > kMinScale && sm > kMinScale) f[g] = sm / sb;
  }
  return f;
}

Placement::Placement(const ReferencePoint& base, const ReferencePoint& merged,
                     const FactorTable& factors, bool scale_texts, bool scale_point_markers)
    : b_(base),
      m_(merged),
      factors_(factors),
      scale_texts_(scale_texts),
      scale_point_markers_(scale_point_markers),
      v_(base.angle - merged.angle) {}

bool Placement::Turned() const { return std::fabs(v_) > 1e-12; }

double Placement::Factor(const TEntJwwAttr& stored) const {
  return factors_[LayerIndex(stored.nGLayer)];
}

void Placement::MapPoint(double f, double& x, double& y) const {
  const double k = (x - m_.x) * f + b_.x;
  const double l = (y - m_.y) * f + b_.y;
  x = RotateX(k, l, b_.x, b_.y, v_);
  y = RotateY(k, l, b_.x, b_.y, v_);
}

void Placement::MapText(double f, double n, double& sx, double& sy, double& ex, double& ey) const {
  const double cx = (sx + ex) / 2;
  const double cy = (sy + ey) / 2;
  const double qx = (cx - m_.x) * f;
  const double qy = (cy - m_.y) * f;
  const double s_x = (sx - cx) * n + qx;
  const double s_y = (sy - cy) * n + qy;
  const double e_x = (ex - cx) * n + qx;
  const double e_y = (ey - cy) * n + qy;
  sx = b_.x + RotateX(s_x, s_y, 0, 0, v_);
  sy = b_.y + RotateY(s_x, s_y, 0, 0, v_);
  ex = b_.x + RotateX(e_x, e_y, 0, 0, v_);
  ey = b_.y + RotateY(e_x, e_y, 0, 0, v_);
}

double Placement::ShiftRadians(double a) const {
  double r = a + v_;
  if (r >= kTwoPi) r -= kTwoPi;
  return r;
}

double Placement::ShiftDegrees(double a) const {
  double r = a + v_ * 180.0 / std::numbers::pi;
  if (r >= 360.0) r -= 360.0;
  return r;
}

}  // namespace plandock
