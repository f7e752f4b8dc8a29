// One merge job: the checks of its inputs, the reading and merging of every
// drawing, the after-merge operations and the saved result.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/document.h"
#include "merge/job_host.h"
#include "merge/merge_record.h"
#include "merge/merge_settings.h"

namespace plandock {

// How a job ended. Only kCompleted ends with the status "完了".
enum class MergeJobResult {
  kCompleted,
  kInputRejected,   // an input check failed; nothing was read or written
  kCancelled,       // "No" in a reference-check box
  kInterrupted,     // Escape; nothing was written
  kBaseUnreadable,  // the base drawing could not be read
  kSaveFailed,      // the result could not be written; the destination is untouched
};

// The two documents a front end keeps for its whole life: JWW holds the base
// drawing and then the result, JWW1 the drawing being merged. Each extracts
// its images into its own folder inside a private folder of this instance.
struct MergeDocuments {
  TJwwData JWW;
  TJwwData JWW1;
  std::u16string image_root;  // the private folder; empty when none could be made
  ~MergeDocuments();
};

// Creates both documents with image extraction on and their image folders
// made. When no private folder can be made, images are read past instead.
std::unique_ptr<MergeDocuments> CreateDocuments();
// Empties both documents (deleting their extracted images) and removes the
// image folders that are left empty. Safe to call more than once.
void FreeDocuments(MergeDocuments& docs);

// What one merged drawing added to the result, for a picture of it.
struct MergedEntryRecord {
  size_t entry = 0;           // index in the entry list
  int layer_group = -1;       // target layer group, -1 when entities kept their own
  size_t first = 0, end = 0;  // positions [first, end) of its entities in the result's EntNo
  std::vector<std::array<double, 2>> reference_points;  // the base points it was placed on
};

// Filled by a job that is given one: a record per drawing merged, in order.
struct MergeJobRecord {
  std::vector<MergedEntryRecord> merged;
  // Called with the finished result just before it is saved (not after Escape).
  std::function<void(const TJwwData& result)> before_save;
};

// One file-list row as the job's cell check leaves it: the layer-group, layer
// and colour cells in their normalised form, those naming no target cleared.
MergeEntry CleanedCells(const MergeEntry& entry);

// How a front end runs a job beyond its settings.
struct MergeRun {
  // Every check, the reading and the placement run, but nothing is written:
  // no result, no backup, and the CAD program is not started. The job's texts
  // are the same except the save's.
  bool dry_run = false;
  MergeRecord* record = nullptr;      // filled as the job goes, when given
  MergeJobRecord* preview = nullptr;  // for a picture of the result, when given
};

// Runs one merge job. Normalises `entries` in place (cleared cells, rewritten
// layer and colour cells, "エラーファイル：" before unreadable paths); these
// changes stay whatever the result. Leaves both documents empty.
MergeJobResult RunMergeJob(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                           JobHost& host, MergeDocuments& docs, const MergeRun& run = {});
// The same with documents made for this job alone.
MergeJobResult RunMergeJob(const MergeSettings& settings, std::vector<MergeEntry>& entries,
                           JobHost& host, const MergeRun& run = {});

}  // namespace plandock
