// Operations on the result after every drawing has been merged.
#pragma once

#include <vector>

#include "document/document.h"
#include "merge/merge_settings.h"

namespace plandock {

// Replaces every dimension of `doc`, at the top level and in every block
// definition, by its line and text (and, for SXF dimensions, its auxiliary
// lines longer than 1e-8 and its four points), appended on the dimension's
// layer after all other entities; the dimension entries become kind none.
void ReleaseDimensions(TJwwData& doc);
// Makes the layer groups and layers that the entries with a path name editable
// and unprotected (current ones stay current). A cell value outside 0..15
// counts as 0. A document without full layer tables is left alone.
void MakeMergedLayersEditable(TJwwData& doc, const std::vector<MergeEntry>& entries);
// Every group and layer editable and unprotected, group 0 and each group's
// layer 0 current; the header's current group is not changed.
void MakeAllLayersEditable(TJwwData& doc);

}  // namespace plandock
