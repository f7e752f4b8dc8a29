// `plandock batch`: arguments, settings file, the plan, the run or the dry run.
#include "cli/batch_command.h"

#include <cstdio>

#include "app/batch_run.h"
#include "app/settings_file.h"
#include "cli/batch_args.h"
#include "cli/cli_batch_host.h"
#include "platform/files.h"
#include "util/text.h"

namespace plandock {
namespace {

constexpr int kExitCompleted = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void PrintError(const std::string& text) {
  std::fprintf(stderr, "plandock batch: %s\n", text.c_str());
}

void PrintText(std::FILE* out, const std::u16string& text) {
  std::string line = TextToUtf8(text);
  std::string::size_type at = 0;
  while ((at = line.find("\r\n", at)) != std::string::npos) line.erase(at, 1);
  std::fputs((line + "\n").c_str(), out);
}

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

// The plan and merge options to start from: the defaults, or the settings file's.
bool LoadStart(const std::u16string& path, BatchPlan* plan, MergeSettings* settings) {
  AppSettings app;
  if (!path.empty() && (!platform::FileExists(path) || !LoadSettingsFile(path, app))) {
    PrintError("cannot read the settings file " + TextToUtf8(path));
    return false;
  }
  *plan = BatchPlanFromSettings(app);
  *settings = app.Merge;
  return true;
}

}  // namespace

int RunBatchCommand(const std::vector<std::string>& args) {
  BatchRequest request;
  std::string error;
  if (!ParseBatchArgs(args, &request, &error)) {
    PrintError(error + " (see plandock batch --help)");
    return kExitUsage;
  }
  if (request.help) {
    std::fputs(BatchUsage().c_str(), stdout);
    return kExitCompleted;
  }
  BatchPlan plan;
  MergeSettings settings;
  if (!LoadStart(request.settings_file, &plan, &settings)) return kExitFailed;
  ApplyOptionChanges(request.changes, settings);
  ApplyBatchRequest(request, plan);

  if (request.dry_run) {
    const std::u16string refusal = CheckBatchPlan(plan);
    if (!refusal.empty()) {
      PrintText(stderr, refusal);
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
  return all_done ? kExitCompleted : kExitFailed;
}

}  // namespace plandock
