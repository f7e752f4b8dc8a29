// The copy of a merged drawing's top-level entities into the base for one
// placement, kind by kind, and the taking over of extended colours and line types.
#pragma once

#include <string>

#include "document/document.h"
#include "merge/block_merge_internal.h"
#include "merge/merge_settings.h"
#include "merge/merge_targets_internal.h"
#include "merge/placement_internal.h"

namespace plandock {

// A text whose content begins with "^@BM" stands for an embedded image.
bool IsImageText(const TEntJwwMoji& text);

// Texts that are never copied as ordinary texts: zero length, or the run from
// (0, 0) to (0.01, 0.01).
bool IsDegenerateText(const TEntJwwMoji& text);

// The content of an image text with its angle field (the sixth field after the
// first comma) set to `angle` degrees in fixed notation with four decimals;
// missing fields before it get their defaults. Unchanged without a comma.
std::u16string RewriteImageAngle(const std::u16string& content, double angle);

// Appends every top-level entity of `merged` that passes the layer filter to
// `base`, reassigned and placed, in the fixed kind order: image texts, solids,
// lines, arcs, points, ordinary texts, dimensions, block insertions. Each copy
// is named at the end of base's drawing order.
// REQUIRES: `base` and `merged` are different documents.
void TransferEntities(TJwwData& base, const TJwwData& merged, const Placement& placement,
                      const MergeTargets& targets, const MergeSettings& options,
                      const BlockTable& blocks);

}  // namespace plandock
