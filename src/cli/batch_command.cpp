// `plandock batch`: arguments, settings file, the plan, the run or the dry run.
#include "cli/batch_command.h"

#include <cstdio>

#include "app/batch_run.h"
#include "app/settings_file.h"
#include "cli/batch_args.h"
#include "cli/cli_batch_host.h"
#include "cli/command_support.h"
#include "cli/merge_report.h"
#include "util/text.h"

namespace plandock {
namespace {

// Every pair with its ten slots, each drawing under the caption of its target.
void PrintPairs(const BatchPlan& plan) {
  const int count = BatchPairCount(plan);
  for (int i = 0; i < count; ++i) {
    const BatchPair pair = MakeBatchPair(plan, i);
    std::printf("%d／%d\n  0 %s\n", i + 1, count, TextToUtf8(pair[0]).c_str());
    for (size_t slot = 1; slot < kPairSlotCount; ++slot) {
      const std::u16string caption = TargetCaption(plan.Targets[slot - 1]);
      std::printf("  %zu 【%s】%s\n", slot, TextToUtf8(caption).c_str(),
                  TextToUtf8(pair[slot]).c_str());
    }
  }
}

void PrintSummary(const BatchOutcome& outcome, int count) {
  const int run = static_cast<int>(outcome.pairs.size());
  const int failed = outcome.Failed();
  if (outcome.result == BatchResult::kStopped) {
    std::fprintf(stderr, "batch stopped: %d of %d pairs run, %d done, %d failed\n", run, count,
                 run - failed, failed);
  } else {
    std::fprintf(stderr, "batch: %d pairs, %d done, %d failed\n", count, run - failed, failed);
  }
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& args) {
  BatchRequest request;
  std::string error;
  if (!ParseBatchArgs(args, &request, &error)) {
    PrintCommandError("batch", error + " (see plandock batch --help)");
    return kExitUsage;
  }
  if (request.help) {
    std::fputs(BatchUsage().c_str(), stdout);
    return kExitCompleted;
  }
  AppSettings app;
  if (!LoadCommandSettings("batch", request.settings_file, &app)) return kExitFailed;
  BatchPlan plan = BatchPlanFromSettings(app);
  MergeSettings settings = app.Merge;
  ApplyOptionChanges(request.changes, settings);
  ApplyBatchRequest(request, plan);

  if (request.dry_run) {
    const std::u16string refusal = CheckBatchPlan(plan);
    if (!refusal.empty()) {
      CliJobHost(CliHostOptions()).Ask(MessageKind::kQuestion, refusal, MessageButtons::kOk);
      return kExitFailed;
    }
    PrintPairs(plan);
    return kExitCompleted;
  }
  CliBatchHost host(CliJobHost::ConsoleOptions(request.yes));
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  std::vector<MergeEntry> entries;
  const BatchOutcome outcome = RunBatch(plan, settings, entries, host, *docs);
  if (outcome.result == BatchResult::kRefused) return kExitFailed;
  PrintSummary(outcome, BatchPairCount(plan));
  const bool all_done = outcome.result == BatchResult::kCompleted && outcome.Failed() == 0;
  if (!all_done) return kExitFailed;
  return host.PassedOver() ? kExitPassedOver : kExitCompleted;
}

}  // namespace plandock
