// The batch lists: nine lists of drawings, one per drop target, paired by
// position into merge jobs that write one output folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "app/settings_file.h"

namespace plandock {

// Slot 0 the output path, slot 1 the base drawing, slots 2..9 the drawings of
// D1..D8 (empty when that target's list is empty).
inline constexpr int kPairSlotCount = 10;
using BatchPair = std::array<std::u16string, kPairSlotCount>;

enum class BatchNumbering : int32_t {
  kDigits = 0,   // "(数字).JWW"
  kLetters = 1,  // "(英字).JWW"
};

struct BatchPlan {
  // Lists[0] holds the base drawings (D0), Lists[1..8] those of D1..D8: full
  // paths in BatchOrder, duplicates allowed. Position pairs entries up.
  std::array<std::vector<std::u16string>, kDropTargetCount> Lists;
  std::array<DropTarget, kDropTargetCount> Targets = DefaultDropTargets();
  std::u16string OutputFolder;  // joined to each output name unchanged
  std::u16string FileName;      // the base of the generated names
  int32_t NameChoice = 0;       // FNameNo: 0 generated, 1..9 the file name from D0..D8
  BatchNumbering Numbering = BatchNumbering::kDigits;
};

// The lists' case-insensitive order: by UpperText, then by code units, so
// that paths differing only in letter case still have a fixed order.
bool BatchOrderLess(const std::u16string& a, const std::u16string& b);
// Inserts `path` into list `target` (0..8) at its place; an equal entry
// already there stays first.
void AddToBatchList(BatchPlan& plan, int target, const std::u16string& path);
// Puts every list in BatchOrder (stable).
void SortBatchLists(BatchPlan& plan);

// The caption of a target's frame: its name cut to 12 columns.
std::u16string TargetCaption(const DropTarget& target);
// The items of the output-name choice: "任意ファイル名", then each caption
// followed by "と同一名" (a blank caption shows as U+3000).
std::array<std::u16string, kDropTargetCount + 1> NameChoiceItems(
    const std::array<DropTarget, kDropTargetCount>& targets);

// The batch fields of the settings file, and back.
BatchPlan BatchPlanFromSettings(const AppSettings& settings);
void StoreBatchFields(const BatchPlan& plan, AppSettings& settings);

// The message of the first check the plan fails, empty when it passes:
// no base drawing, a list whose count differs from D0's, no drawing to merge.
std::u16string CheckBatchPlan(const BatchPlan& plan);

// The number of pairs: the entries of D0's list.
int BatchPairCount(const BatchPlan& plan);
// The output file name of pair i (0-based), without the folder.
std::u16string BatchOutputName(const BatchPlan& plan, int i);
// Pair i of a plan whose lists are in BatchOrder.
BatchPair MakeBatchPair(const BatchPlan& plan, int i);

}  // namespace plandock
