#include "document/jww_file.h"
#include "merge/block_merge_internal.h"
#include "merge/extended_tables_internal.h"
#include "merge/merge_drawing_internal.h"
#include "merge/placement_internal.h"
#include "merge/transfer_internal.h"

namespace plandock {
namespace {

// Pairs every base reference point with every merged one (the origin standing
// in on a side without any) and runs TransferEntities once per pair, base
// points outermost.
void PlaceDrawing(TJwwData& base, const TJwwData& merged, const MergeTargets& targets,
                  const MergeSettings& options, const BlockTable& blocks,
                  PlacementSummary* summary) {
  const FactorTable factors = MakeFactorTable(base, merged, targets.layer_group, options.RealSize);
  // Merged reference texts are never copied, so the base's points do not grow
  // while the copies are appended.
  const std::vector<ReferencePoint> base_points =
      CollectReferencePoints(base, options.ReferenceText, options.RotateByBaseReference);
  const std::vector<ReferencePoint> merged_points =
      CollectReferencePoints(merged, options.ReferenceText, options.CounterRotateByMergedReference);
  for (const ReferencePoint& b : base_points) {
    for (const ReferencePoint& m : merged_points) {
      const Placement placement(b, m, factors, options.ScaleTexts, options.ScalePointMarkers);
      TransferEntities(base, merged, placement, targets, options, blocks);
    }
  }
  if (summary != nullptr) *summary = {base_points, merged_points, factors};
}

}  // namespace

void MergeDrawing(TJwwData& base, const TJwwData& merged, const MergeTargets& targets,
                  const MergeSettings& options, PlacementSummary* summary) {
  const BlockTable blocks = BuildBlockTable(base, merged);
  MergeExtendedTables(base, merged);
  PlaceDrawing(base, merged, targets, options, blocks, summary);
  AppendBlockDefinitions(base, merged, blocks, targets, options);
}

int CountReferenceTexts(TJwwData& doc, const std::u16string& path,
                        const std::u16string& reference_text) {
  if (!FileIn(doc, path)) return 0;
  return CountReferenceTextsIn(doc, reference_text);
}

}  // namespace plandock
