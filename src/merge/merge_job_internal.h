// The stages of a merge job, shared by the files of the job within this folder.
#pragma once

#include <string>
#include <vector>

#include "merge/job_host.h"
#include "merge/merge_drawing_internal.h"
#include "merge/merge_job.h"
#include "merge/merge_record.h"
#include "merge/merge_settings.h"

namespace plandock::job {

// Checks the base and destination paths; on failure beeps, shows the message
// box and status, moves the focus and returns false. On success *destination
// is the path the result goes to.
bool CheckInputs(const MergeSettings& settings, JobHost& host, std::u16string* destination);

// Clears every entry path that is blank, not ".jww", missing, listed again
// further on (letter case ignored, or the same file however spelled), or names
// the base or the destination (by text or as the same file).
// *outcomes, when given, receives per entry the first of these reasons, or
// kMerged for one that stays.
void CleanEntryNames(std::vector<MergeEntry>& entries, const std::u16string& base_path,
                     const std::u16string& destination,
                     std::vector<EntryOutcome>* outcomes = nullptr);

// Rewrites the layer-group, layer and colour cells in their normalised form and
// clears those that name no target.
void CleanEntryCells(std::vector<MergeEntry>& entries);

MergeTargets ReadTargets(const MergeEntry& entry);

enum class ReferenceCheck { kGoOn, kInterrupted, kCancelled };
// Counts the reference texts of every drawing and asks whether to go on when
// one has none (or too many). Leaves JWW empty with image extraction on unless
// the result is kGoOn.
ReferenceCheck CheckReferenceTexts(const MergeSettings& settings,
                                   const std::vector<MergeEntry>& entries, JobHost& host,
                                   MergeDocuments& docs);

// Empties `doc` (deleting its extracted images) and switches its image
// extraction on or off.
void EmptyDocument(TJwwData& doc, bool images_on);

// The record a job fills when asked (merge_job_record.cpp).
struct DocumentTotals {
  KindTotals kinds{};
  int64_t blocks = 0;  // block definitions
};
DocumentTotals Totals(const TJwwData& doc);
// The base's reference points and layer-group scales, once it is read.
void RecordBase(const TJwwData& base, const MergeSettings& settings, MergeRecord& record);
// One merged drawing, from the totals of the result before and after it.
void RecordMerged(const TJwwData& merged, const MergeSettings& settings,
                  const MergeTargets& targets, const PlacementSummary& placed,
                  const DocumentTotals& before, const DocumentTotals& after, EntryRecord& entry);
// The result as written, `size` bytes long.
void RecordResult(const TJwwData& doc, uint64_t size, MergeRecord& record);

}  // namespace plandock::job
