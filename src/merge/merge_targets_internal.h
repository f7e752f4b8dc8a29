// Where a merged drawing's entities go, and the numbers every merge module
// reads the same way.
#pragma once

namespace plandock {

// Pen colour 9: the auxiliary colour that reference texts are drawn in.
inline constexpr int kPenColorAuxiliary = 9;

// -1 keeps each entity's own layer group or layer, 0 keeps its colour.
struct MergeTargets {
  int layer_group = -1;  // -1 or 0..15
  int layer = -1;        // -1 or 0..15
  int color = 0;         // 0, 1..9 or 101..356
};

// A layer group or layer number as a table index: values outside 0..15, which
// only a damaged drawing holds, count as 0.
inline int LayerIndex(int n) { return n >= 0 && n < 16 ? n : 0; }

}  // namespace plandock
