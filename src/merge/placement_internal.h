// Reference points and the placement transform applied to every merged entity:
// translation onto a base reference point, a per-layer-group scale and a rotation.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_targets_internal.h"
#include "merge/reference_text.h"

namespace plandock {

// A reference point: the start of a reference text, and its direction in
// radians when the rotation option of its side is on (else 0).
struct ReferencePoint {
  double x = 0;
  double y = 0;
  double angle = 0;
};

// The per-layer-group size factor, indexed by the merged drawing's layer group.
using FactorTable = std::array<double, 16>;

// The reference texts of `doc`'s top-level text list, counted in list order and
// stopping at 3: 1 and 2 are exact, 3 means three or more.
int CountReferenceTextsIn(const TJwwData& doc, const std::u16string& reference_text);

// The reference points of `doc` in text-list order. Always at least one: the
// origin (0, 0, 0) when `reference_text` is blank or `doc` has no reference text.
std::vector<ReferencePoint> CollectReferencePoints(const TJwwData& doc,
                                                   const std::u16string& reference_text,
                                                   bool with_angle);

// F[g] for each layer group g of `merged`: 1, or with `real_size` the ratio of
// the merged group's scale to the target group's scale in `base` (the target is
// `target_layer_group`, or g itself when it is -1). A scale at or below 1e-12 on
// either side, or a missing table row, leaves the factor at 1.
FactorTable MakeFactorTable(const TJwwData& base, const TJwwData& merged, int target_layer_group,
                            bool real_size);

// One pairing of a base and a merged reference point, with the factors of one
// merged drawing. Every coordinate, size and angle of a copy goes through it.
class Placement {
 public:
  Placement(const ReferencePoint& base, const ReferencePoint& merged, const FactorTable& factors,
            bool scale_texts, bool scale_point_markers);

  // Rotation angle in radians: base angle minus merged angle, not normalised.
  double v() const { return v_; }
  // True when the rotation differs from zero by more than 1e-12.
  bool Turned() const;

  // F of an entity, from its layer group as stored in the merged drawing.
  double Factor(const TEntJwwAttr& stored) const;
  // N: the text-size factor for an entity of factor f.
  double TextFactor(double f) const { return scale_texts_ ? f : 1.0; }
  // S: the point-marker factor for an entity of factor f.
  double PointFactor(double f) const { return scale_point_markers_ ? f : 1.0; }

  // The point map: relative to the merged reference point, scaled by f, moved
  // onto the base reference point and turned about it by v.
  void MapPoint(double f, double& x, double& y) const;
  // The text map: the centre follows f, the extent about the centre follows n.
  void MapText(double f, double n, double& sx, double& sy, double& ex, double& ey) const;
  // Angle + v in radians, less 2*pi once when the sum reaches 2*pi.
  double ShiftRadians(double a) const;
  // Angle + v in degrees, less 360 once when the sum reaches 360.
  double ShiftDegrees(double a) const;

 private:
  ReferencePoint b_;
  ReferencePoint m_;
  FactorTable factors_;
  bool scale_texts_;
  bool scale_point_markers_;
  double v_;
};

}  // namespace plandock
