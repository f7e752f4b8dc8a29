#include "cli/merge_preview.h"

#include "render/preview.h"
#include "util/path.h"

namespace plandock {
namespace {

std::u16string TargetText(int layer_group) {
  if (layer_group < 0 || layer_group > 15) return u"";
  return u"レイヤグループ " + std::u16string(1, u"0123456789ABCDEF"[layer_group]);
}

}  // namespace

std::string MergePreviewSvg(const TJwwData& result, const MergeJobRecord& record,
                            const std::vector<MergeEntry>& entries,
                            const std::u16string& base_path) {
  render::PreviewDescription description;
  description.base = PathFileName(base_path);
  for (const MergedEntryRecord& merged : record.merged) {
    render::HighlightSet set;
    if (merged.entry < entries.size()) set.drawing = PathFileName(entries[merged.entry].Path);
    set.target = TargetText(merged.layer_group);
    set.ranges.push_back({static_cast<uint32_t>(merged.first), static_cast<uint32_t>(merged.end)});
    for (const auto& [x, y] : merged.reference_points) set.reference_points.push_back({x, y});
    description.sets.push_back(std::move(set));
  }
  return render::RenderPreviewSvg(result, description);
}

}  // namespace plandock
