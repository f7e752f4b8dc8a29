// Merging one drawing into the base document.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"
#include "merge/merge_targets_internal.h"
#include "merge/placement_internal.h"

namespace plandock {

// How one drawing was placed: the reference points paired (the origin standing
// in on a side without any) and the size factors.
struct PlacementSummary {
  std::vector<ReferencePoint> base_points;
  std::vector<ReferencePoint> merged_points;
  FactorTable factors{};
};

// Merges `merged` (JWW1) into `base` (JWW): extended colours and line types,
// every passing entity once per reference-point pair, then the block
// definitions. Fills *summary when given.
void MergeDrawing(TJwwData& base, const TJwwData& merged, const MergeTargets& targets,
                  const MergeSettings& options, PlacementSummary* summary = nullptr);

// Reads `path` into `doc` and counts its reference texts, stopping at 3; 0 when
// the file cannot be read.
int CountReferenceTexts(TJwwData& doc, const std::u16string& path,
                        const std::u16string& reference_text);

}  // namespace plandock
