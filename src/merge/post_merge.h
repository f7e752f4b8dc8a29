// Operations on the result after every drawing has been merged.
#pragma once

#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"

namespace plandock {

// Replaces every dimension of `doc` by its lines, text and points.
void ReleaseDimensions(TJwwData& doc);
// Makes the layer groups and layers that the entries name editable.
void MakeMergedLayersEditable(TJwwData& doc, const std::vector<MergeEntry>& entries);
void MakeAllLayersEditable(TJwwData& doc);

}  // namespace plandock
