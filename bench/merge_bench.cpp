// A whole merge job on large drawings: eight 100,000-entity overlays merged
// into a 100,000-entity base and written, as the job does it from disk.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench_support.h"
#include "document/jww_file.h"
#include "drawing_generator.h"
#include "merge/merge_job.h"

namespace plandock {
namespace {

constexpr int kEntities = 100000;
constexpr int kOverlays = 8;

// The input drawings, written once into a folder removed at exit.
class Inputs {
 public:
  Inputs() {
    TJwwData doc;
    for (int i = 0; i <= kOverlays; ++i) {
      std::string name = std::to_string(i);
      name += ".jww";  // appending keeps GCC 12's -Wrestrict false alarm away
      const std::u16string path = folder_.Path(name);
      MakeLargeDrawing(doc, kEntities, static_cast<uint32_t>(i + 1), 700);
      if (FileOut(doc, path, 700)) paths_.push_back(path);
    }
  }
  bool ok() const { return paths_.size() == kOverlays + 1; }
  const std::u16string& base() const { return paths_[0]; }
  std::vector<MergeEntry> Entries() const {
    std::vector<MergeEntry> entries;
    for (size_t i = 1; i < paths_.size(); ++i) entries.push_back({paths_[i], u"", u"", u""});
    return entries;
  }
  std::u16string Output() const { return folder_.Path("merged.jww"); }

 private:
  BenchFolder folder_{"plandock_merge_bench"};
  std::vector<std::u16string> paths_;
};

void BM_MergeJob(benchmark::State& state) {
  static const Inputs inputs;
  if (!inputs.ok()) {
    state.SkipWithError("could not write the input drawings");
    return;
  }
  MergeSettings settings;
  settings.BasePath = inputs.base();
  settings.DestinationPath = inputs.Output();
  settings.KeepBackup = false;
  settings.RealSize = true;
  SilentHost<> host;
  const std::unique_ptr<MergeDocuments> docs = CreateDocuments();
  for (auto _ : state) {
    std::vector<MergeEntry> entries = inputs.Entries();
    if (RunMergeJob(settings, entries, host, *docs) != MergeJobResult::kCompleted) {
      state.SkipWithError("the merge did not complete");
      return;
    }
  }
  state.counters["entities/s"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * kEntities * (kOverlays + 1),
                         benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MergeJob)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace plandock

BENCHMARK_MAIN();
