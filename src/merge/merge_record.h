// What a merge job did with each listed drawing and what it produced, for
// front ends that report or preview a merge. Filling it changes nothing the
// job does or shows.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace plandock {

// What became of one row of the file list.
enum class EntryOutcome {
  kNotReached,  // the job ended before this row
  kMerged,
  kEmptyRow,     // a blank row: nothing to merge
  kNotJww,       // the name does not end in ".jww"
  kNotFound,     // no file by that name
  kListedTwice,  // a later row names the same drawing
  kBase,         // the row names the base drawing
  kDestination,  // the row names the destination
  kUnreadable,   // not a readable drawing ("エラーファイル：")
};

// A reference point as the placement used it: the start of a reference text
// and its direction in radians (0 when that side does not rotate).
struct FoundReference {
  double x = 0;
  double y = 0;
  double angle = 0;
};

// Entities by EntityKind (1 line .. 7 block insertion); [0] is the total.
using KindTotals = std::array<int64_t, 8>;

struct EntryRecord {
  std::u16string path;  // as listed, before the job changed the row
  EntryOutcome outcome = EntryOutcome::kNotReached;
  // Reference texts found in the drawing; empty when its origin stood in.
  std::vector<FoundReference> references;
  int copies = 0;               // base points times merged points, each at least one
  int target_layer_group = -1;  // -1 keeps each entity's own
  int target_layer = -1;        // -1 keeps each entity's own
  int target_color = 0;         // 0 keeps each entity's own
  // Per layer group of the drawing: its scale denominator, the size factor
  // applied, and whether any of its top-level entities was drawn there.
  std::array<double, 16> scales{};
  std::array<double, 16> factors{};
  std::array<bool, 16> used{};
  KindTotals added{};        // entities appended to the result, all copies together
  int64_t blocks_added = 0;  // block definitions appended
};

struct MergeRecord {
  std::vector<FoundReference> base_references;  // empty: the base's origin stood in
  std::array<double, 16> base_scales{};
  std::vector<EntryRecord> entries;  // one per row, in list order
  // The result as it was written (or, in a dry run, would have been).
  bool has_result = false;
  int32_t version = 0;
  KindTotals entities{};
  int64_t block_definitions = 0;
  int64_t images = 0;
  uint64_t size = 0;  // bytes of the written file; in a dry run those it would have
};

}  // namespace plandock
