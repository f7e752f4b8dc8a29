#include "app/batch_run.h"

#include <algorithm>

#include "util/number.h"

namespace plandock {
namespace {

constexpr char16_t kCompleted[] = u"連続実行を完了しました。";
constexpr char16_t kStopped[] = u"[ESC] 連続実行を中断しました。";

BatchProgress PairProgress(const BatchPair& pair,
                           const std::array<std::u16string, kDropTargetCount>& captions, int i,
                           int count) {
  BatchProgress progress;
  progress.Pair = i + 1;
  progress.Count = count;
  progress.Names[0] = pair[0];
  for (size_t slot = 1; slot < kPairSlotCount; ++slot) {
    if (!pair[slot].empty()) progress.Names[slot] = u"【" + captions[slot - 1] + u"】" + pair[slot];
  }
  return progress;
}

// Restores OverwriteBase however the batch ends: every pair writes its own
// output, never over its base drawing.
class OverwriteBaseOff {
 public:
  explicit OverwriteBaseOff(MergeSettings& settings)
      : settings_(settings), saved_(settings.OverwriteBase) {
    settings_.OverwriteBase = false;
  }
  ~OverwriteBaseOff() { settings_.OverwriteBase = saved_; }
  OverwriteBaseOff(const OverwriteBaseOff&) = delete;
  OverwriteBaseOff& operator=(const OverwriteBaseOff&) = delete;

 private:
  MergeSettings& settings_;
  bool saved_;
};

// Ren1exec's fields: the base, the destination and one file-list row per
// drawing, with its target's presets as they stand.
void SetPairFields(const BatchPair& pair, const std::array<DropTarget, kDropTargetCount>& targets,
                   MergeSettings& settings, std::vector<MergeEntry>& entries) {
  settings.BasePath = pair[1];
  settings.DestinationPath = pair[0];
  entries.clear();
  for (size_t slot = 2; slot < kPairSlotCount; ++slot) {
    if (pair[slot].empty()) continue;
    const DropTarget& target = targets[slot - 1];
    entries.push_back({pair[slot], target.LayerGroup, target.Layer, target.PenColor});
  }
}

// Runs the pairs until one of the check points sees a stop; false when stopped.
bool RunPairs(const BatchPlan& plan, MergeSettings& settings, std::vector<MergeEntry>& entries,
              BatchHost& host, MergeDocuments& docs, std::vector<MergeJobResult>& results) {
  std::array<std::u16string, kDropTargetCount> captions;
  for (size_t n = 0; n < kDropTargetCount; ++n) captions[n] = TargetCaption(plan.Targets[n]);
  const int count = BatchPairCount(plan);
  for (int i = 0; i < count; ++i) {
    if (host.EscapeHeld() || host.StopRequested()) return false;
    const BatchPair pair = MakeBatchPair(plan, i);
    host.ShowProgress(PairProgress(pair, captions, i, count));
    host.ProcessEvents();
    if (host.StopRequested()) return false;
    SetPairFields(pair, plan.Targets, settings, entries);
    host.PairStarting(i, pair, settings, entries);
    MergeRun run;
    run.record = host.PairRecord();
    results.push_back(RunMergeJob(settings, entries, host, docs, run));
    host.PairFinished(i, pair, results.back(), entries);
    host.ProcessEvents();
    if (host.StopRequested()) return false;
  }
  return true;
}

}  // namespace

std::array<std::u16string, kPairSlotCount> ProgressLines(const BatchProgress& progress) {
  std::array<std::u16string, kPairSlotCount> lines;
  lines[0] = u"保存先ファイル：" + progress.Names[0];
  lines[1] = u"ベース図面　：" + progress.Names[1];
  for (size_t slot = 2; slot < kPairSlotCount; ++slot) {
    lines[slot] = u"合体ファイル：" + progress.Names[slot];
  }
  return lines;
}

std::u16string ProgressCounter(const BatchProgress& progress) {
  return IntToText(progress.Pair) + u"／" + IntToText(progress.Count);
}

int BatchOutcome::Failed() const {
  return static_cast<int>(std::count_if(pairs.begin(), pairs.end(), [](MergeJobResult r) {
    return r != MergeJobResult::kCompleted;
  }));
}

MergeJobResult RunBatchPair(const BatchPair& pair,
                            const std::array<DropTarget, kDropTargetCount>& targets,
                            MergeSettings& settings, std::vector<MergeEntry>& entries,
                            JobHost& host, MergeDocuments& docs) {
  SetPairFields(pair, targets, settings, entries);
  return RunMergeJob(settings, entries, host, docs);
}

BatchOutcome RunBatch(const BatchPlan& plan, MergeSettings& settings,
                      std::vector<MergeEntry>& entries, BatchHost& host, MergeDocuments& docs) {
  BatchOutcome outcome;
  const std::u16string refusal = CheckBatchPlan(plan);
  if (!refusal.empty()) {
    host.Ask(MessageKind::kQuestion, refusal, MessageButtons::kOk);
    return outcome;
  }
  BatchPlan sorted = plan;
  SortBatchLists(sorted);
  bool finished;
  {
    const OverwriteBaseOff overwrite_off(settings);
    BatchProgress start;
    start.Count = BatchPairCount(sorted);
    host.OpenProgress(start);
    host.ProcessEvents();
    finished = RunPairs(sorted, settings, entries, host, docs, outcome.pairs);
    host.ProcessEvents();
    host.CloseProgress();
  }
  host.ShowBatchPage();
  host.ShowStatus(finished ? kCompleted : kStopped);
  outcome.result = finished ? BatchResult::kCompleted : BatchResult::kStopped;
  return outcome;
}

}  // namespace plandock
