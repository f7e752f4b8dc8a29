// What the command line tells about a finished merge job: the passed-over
// drawings and their reasons, the scale warnings, the exit status, the JSON
// report and the dry run's summary.
#pragma once

#include <string>
#include <vector>

#include "cli/command_support.h"
#include "merge/merge_job.h"
#include "merge/merge_record.h"
#include "merge/merge_settings.h"

namespace plandock {

// 0 when the job ended with "完了" and every listed drawing was merged, 3 when
// it ended so but a listed drawing was passed over, 1 otherwise.
int MergeExitStatus(MergeJobResult result, const MergeRecord& record);

// Why a row was passed over, in words; empty for a row that was not.
std::string PassedOverReason(const EntryRecord& entry);

// One line per passed-over row: "entry N passed over (REASON): PATH".
std::vector<std::string> PassedOverLines(const MergeRecord& record);

// One line per layer group of a merged drawing scaled by more than 10 or less
// than 0.1, which is almost always a scale the user did not mean.
std::vector<std::string> ScaleWarnings(const MergeRecord& record);

struct MergeReportInput {
  const MergeSettings* settings = nullptr;
  const MergeRecord* record = nullptr;
  MergeJobResult result = MergeJobResult::kCompleted;
  std::u16string destination;  // where the result went (or would go)
  bool dry_run = false;
  double elapsed_seconds = 0;
};

// The report of --report as one JSON document.
std::string MergeReportJson(const MergeReportInput& in);
// The same facts for a person: what the dry run prints.
std::string MergeSummaryText(const MergeReportInput& in);

}  // namespace plandock
