// Merging one drawing into the base document.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"

namespace plandock {

// Where a merged drawing's entities go: -1 keeps each entity's own layer group
// or layer, 0 keeps its colour.
struct MergeTargets {
  int layer_group = -1;  // -1 or 0..15
  int layer = -1;        // -1 or 0..15
  int color = 0;         // 0, 1..9 or 101..356
};

// Merges `merged` (JWW1) into `base` (JWW): extended colours and line types,
// every passing entity once per reference-point pair, then the block definitions.
void MergeDrawing(TJwwData& base, const TJwwData& merged, const MergeTargets& targets,
                  const MergeSettings& options);

// Reads `path` into `doc` and counts its reference texts, stopping at 3; 0 when
// the file cannot be read.
int CountReferenceTexts(TJwwData& doc, const std::u16string& path,
                        const std::u16string& reference_text);

}  // namespace plandock
