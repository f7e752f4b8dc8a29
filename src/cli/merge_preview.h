// The picture `plandock merge --preview` writes beside the result.
#pragma once

#include <string>
#include <vector>

#include "document/document.h"
#include "merge/merge_job.h"
#include "merge/merge_settings.h"

namespace plandock {

// The result in grey, each merged drawing of `record` in its own colour, named
// in the legend with its target layer group, and its reference points marked.
std::string MergePreviewSvg(const TJwwData& result, const MergeJobRecord& record,
                            const std::vector<MergeEntry>& entries,
                            const std::u16string& base_path);

}  // namespace plandock
