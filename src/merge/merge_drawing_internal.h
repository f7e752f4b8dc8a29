// Merging one drawing into the base document.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"
#include "merge/merge_targets_internal.h"

namespace plandock {

// Merges `merged` (JWW1) into `base` (JWW): extended colours and line types,
// every passing entity once per reference-point pair, then the block definitions.
void MergeDrawing(TJwwData& base, const TJwwData& merged, const MergeTargets& targets,
                  const MergeSettings& options);

// Reads `path` into `doc` and counts its reference texts, stopping at 3; 0 when
// the file cannot be read.
int CountReferenceTexts(TJwwData& doc, const std::u16string& path,
                        const std::u16string& reference_text);

}  // namespace plandock
