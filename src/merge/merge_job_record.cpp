// Filling a job's record from the documents as the job leaves them.
#include "merge/merge_job_internal.h"
#include "merge/placement_internal.h"
#include "util/text.h"

namespace plandock::job {
namespace {

std::vector<FoundReference> Found(const TJwwData& doc, const std::vector<ReferencePoint>& points,
                                  const std::u16string& reference_text) {
  std::vector<FoundReference> found;
  // The origin stands in for a side without a reference text; it was not found.
  if (IsBlank(reference_text) || CountReferenceTextsIn(doc, reference_text) == 0) return found;
  for (const ReferencePoint& p : points) found.push_back({p.x, p.y, p.angle});
  return found;
}

std::array<double, 16> Scales(const TJwwData& doc) {
  std::array<double, 16> scales{};
  for (size_t g = 0; g < scales.size() && g < doc.EntLgrp.size(); ++g) {
    scales[g] = doc.EntLgrp[g].adScale;
  }
  return scales;
}

template <class Entities>
void MarkGroups(const Entities& entities, std::array<bool, 16>& used) {
  for (const auto& e : entities) used[LayerIndex(e.att.nGLayer)] = true;
}

std::array<bool, 16> UsedGroups(const TJwwData& doc) {
  std::array<bool, 16> used{};
  MarkGroups(doc.EntLine, used);
  MarkGroups(doc.EntEnko, used);
  MarkGroups(doc.EntTen, used);
  MarkGroups(doc.EntMoji, used);
  MarkGroups(doc.EntSunpo, used);
  MarkGroups(doc.EntSolid, used);
  MarkGroups(doc.EntBlock, used);
  return used;
}

}  // namespace

DocumentTotals Totals(const TJwwData& doc) {
  DocumentTotals t;
  t.kinds = {0,
             doc.EntLineN(),
             doc.EntEnkoN(),
             doc.EntTenN(),
             doc.EntMojiN(),
             doc.EntSunpoN(),
             doc.EntSolidN(),
             doc.EntBlockN()};
  for (size_t k = 1; k < t.kinds.size(); ++k) t.kinds[0] += t.kinds[k];
  t.blocks = doc.EntBlockDefN();
  return t;
}

void RecordBase(const TJwwData& base, const MergeSettings& settings, MergeRecord& record) {
  const std::vector<ReferencePoint> points =
      CollectReferencePoints(base, settings.ReferenceText, settings.RotateByBaseReference);
  record.base_references = Found(base, points, settings.ReferenceText);
  record.base_scales = Scales(base);
}

void RecordMerged(const TJwwData& merged, const MergeSettings& settings,
                  const MergeTargets& targets, const PlacementSummary& placed,
                  const DocumentTotals& before, const DocumentTotals& after, EntryRecord& entry) {
  entry.outcome = EntryOutcome::kMerged;
  entry.references = Found(merged, placed.merged_points, settings.ReferenceText);
  entry.copies = static_cast<int>(placed.base_points.size() * placed.merged_points.size());
  entry.target_layer_group = targets.layer_group;
  entry.target_layer = targets.layer;
  entry.target_color = targets.color;
  entry.scales = Scales(merged);
  entry.factors = placed.factors;
  entry.used = UsedGroups(merged);
  for (size_t k = 0; k < entry.added.size(); ++k) {
    entry.added[k] = after.kinds[k] - before.kinds[k];
  }
  entry.blocks_added = after.blocks - before.blocks;
}

void RecordResult(const TJwwData& doc, uint64_t size, MergeRecord& record) {
  const DocumentTotals totals = Totals(doc);
  record.has_result = true;
  record.version = doc.Enthd.jwVer;
  record.entities = totals.kinds;
  record.block_definitions = totals.blocks;
  record.images = doc.BindImageN();
  record.size = size;
}

}  // namespace plandock::job
