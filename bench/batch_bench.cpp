// The batch's own work per pair (pairing, names, progress, the window's
// fields) beside the merge job each pair runs.
#include <benchmark/benchmark.h>

#include <string>

#include "app/batch_run.h"
#include "bench_support.h"
#include "document/jww_file.h"
#include "drawing_generator.h"

namespace plandock {
namespace {

class SilentBatchHost : public SilentHost<BatchHost> {
 public:
  void OpenProgress(const BatchProgress&) override {}
  void ShowProgress(const BatchProgress& progress) override {
    benchmark::DoNotOptimize(ProgressLines(progress));
  }
  void CloseProgress() override {}
  bool EscapeHeld() override { return false; }
  bool StopRequested() override { return false; }
};

// Pairs whose base drawings do not exist: each job stops at its first input
// check, so the time is the batch's own work plus one file lookup per pair.
void BM_BatchOwnCostPerPair(benchmark::State& state) {
  const int pairs = static_cast<int>(state.range(0));
  const BenchFolder folder("plandock_batch_bench_plan");
  BatchPlan plan;
  plan.OutputFolder = folder.Folder();
  plan.FileName = u"出力";
  for (int i = pairs - 1; i >= 0; --i) {
    const std::string n = std::to_string(i);
    plan.Lists[0].push_back(folder.Path("基準階" + n + ".jww"));
    plan.Lists[1].push_back(folder.Path("Overlay-" + n + ".JWW"));
  }
  plan.Lists[2].push_back(folder.Path("shared.jww"));
  MergeSettings settings;
  std::vector<MergeEntry> entries;
  SilentBatchHost host;
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  for (auto _ : state) {
    const BatchOutcome outcome = RunBatch(plan, settings, entries, host, *docs);
    if (outcome.pairs.size() != static_cast<size_t>(pairs)) {
      state.SkipWithError("not every pair ran");
      return;
    }
  }
  state.counters["per_pair"] =
      benchmark::Counter(static_cast<double>(pairs), benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}
BENCHMARK(BM_BatchOwnCostPerPair)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime();

constexpr int kEntities = 100000;
constexpr int kPairs = 2;

// Real pairs: a 100,000-entity base with a 100,000-entity overlay of its own
// and one shared by every pair, merged and written.
void BM_BatchMergePerPair(benchmark::State& state) {
  const BenchFolder folder("plandock_batch_bench_pairs");
  BatchPlan plan;
  plan.OutputFolder = folder.Folder();
  plan.FileName = u"out";
  TJwwData doc;
  uint32_t seed = 1;
  auto write = [&](const std::string& name) {
    MakeLargeDrawing(doc, kEntities, seed++, 700);
    const std::u16string path = folder.Path(name);
    return FileOut(doc, path, 700) ? path : std::u16string();
  };
  for (int i = 0; i < kPairs; ++i) {
    plan.Lists[0].push_back(write("base" + std::to_string(i) + ".jww"));
    plan.Lists[1].push_back(write("overlay" + std::to_string(i) + ".jww"));
  }
  plan.Lists[2].push_back(write("shared.jww"));
  MergeSettings settings;
  settings.KeepBackup = false;
  settings.RealSize = true;
  std::vector<MergeEntry> entries;
  SilentBatchHost host;
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  for (auto _ : state) {
    const BatchOutcome outcome = RunBatch(plan, settings, entries, host, *docs);
    if (outcome.Failed() != 0 || outcome.pairs.size() != kPairs) {
      state.SkipWithError("a pair did not complete");
      return;
    }
  }
  state.counters["per_pair"] = benchmark::Counter(
      kPairs, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_BatchMergePerPair)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace plandock

BENCHMARK_MAIN();
