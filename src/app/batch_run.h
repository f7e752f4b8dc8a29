// Runs a batch: its checks, then one merge job per pair, with progress and
// the chance to stop between pairs.
#pragma once

#include <vector>

#include "app/batch_host.h"
#include "app/batch_plan.h"
#include "merge/merge_job.h"
#include "merge/merge_settings.h"

namespace plandock {

enum class BatchResult {
  kCompleted,  // every pair ran (each may still have failed on its own)
  kStopped,    // Escape or "中　断 (&A)" stopped it at a check point
  kRefused,    // a check failed; nothing ran
};

struct BatchOutcome {
  BatchResult result = BatchResult::kRefused;
  std::vector<MergeJobResult> pairs;  // how each pair that ran ended, in order
  int Failed() const;                 // pairs that did not end with "完了"
};

// Runs `plan` with the merge options of `settings`, as the window's fields:
// each pair sets BasePath and DestinationPath in `settings` and replaces
// `entries` (the file list), which keep the last pair's values afterwards.
// OverwriteBase is off while the batch runs and gets its state back after.
BatchOutcome RunBatch(const BatchPlan& plan, MergeSettings& settings,
                      std::vector<MergeEntry>& entries, BatchHost& host, MergeDocuments& docs);

// One pair (Ren1exec): sets the base, the destination and one file-list row
// per non-empty slot with its target's presets, then runs the merge job.
MergeJobResult RunBatchPair(const BatchPair& pair,
                            const std::array<DropTarget, kDropTargetCount>& targets,
                            MergeSettings& settings, std::vector<MergeEntry>& entries,
                            JobHost& host, MergeDocuments& docs);

}  // namespace plandock
