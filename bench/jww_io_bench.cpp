// Reading and writing whole drawings in memory, and writing them to a file on
// a memory-backed disk, against a plain copy of the same bytes measured in the
// same run. Arguments are top-level entity counts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "document/document.h"
#include "document/jww_file.h"
#include "drawing_generator.h"

namespace plandock {
namespace {

constexpr uint32_t kSeed = 20240601;
constexpr int32_t kVersion = 600;

std::vector<uint8_t> DrawingBytes(int entities) {
  TJwwData doc;
  MakeLargeDrawing(doc, entities, kSeed, kVersion);
  std::vector<uint8_t> bytes;
  FileOutToBuffer(doc, kVersion, bytes);
  return bytes;
}

void SetRates(benchmark::State& state, size_t bytes, int entities) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.counters["entities/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * entities, benchmark::Counter::kIsRate);
  state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
}

void BM_RawCopy(benchmark::State& state) {
  const int entities = static_cast<int>(state.range(0));
  const std::vector<uint8_t> bytes = DrawingBytes(entities);
  std::vector<uint8_t> copy(bytes.size());
  for (auto _ : state) {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
    benchmark::ClobberMemory();
  }
  SetRates(state, bytes.size(), entities);
}

void BM_FileInMemory(benchmark::State& state) {
  const int entities = static_cast<int>(state.range(0));
  const std::vector<uint8_t> bytes = DrawingBytes(entities);
  TJwwData doc;  // reused, as the merge job reuses its documents
  for (auto _ : state) {
    if (!FileInMemory(doc, bytes.data(), bytes.size())) {
      state.SkipWithError("the generated drawing did not read back");
      return;
    }
    benchmark::DoNotOptimize(doc.EntNo.data());
  }
  if (doc.Enthd.n1 != entities) state.SkipWithError("entity count changed on the way back");
  SetRates(state, bytes.size(), entities);
}

void BM_FileOutToBuffer(benchmark::State& state) {
  const int entities = static_cast<int>(state.range(0));
  TJwwData doc;
  MakeLargeDrawing(doc, entities, kSeed, kVersion);
  std::vector<uint8_t> out;
  for (auto _ : state) {
    FileOutToBuffer(doc, kVersion, out);
    benchmark::DoNotOptimize(out.data());
  }
  SetRates(state, out.size(), entities);
}

// The whole save path: the new file beside the destination, then put in its
// place. On /dev/shm where there is one, so that the disk does not set the pace.
void BM_FileOut(benchmark::State& state) {
  const int entities = static_cast<int>(state.range(0));
  TJwwData doc;
  MakeLargeDrawing(doc, entities, kSeed, kVersion);
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path dir =
      fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
  const fs::path path = dir / ("plandock-bench-" + std::to_string(entities) + ".jww");
  for (auto _ : state) {
    if (!FileOut(doc, path.u16string(), kVersion)) {
      state.SkipWithError("the drawing could not be written");
      break;
    }
  }
  const uintmax_t bytes = fs::file_size(path, ec);
  fs::remove(path, ec);
  SetRates(state, static_cast<size_t>(bytes), entities);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(50'000)->Arg(500'000)->Arg(2'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_RawCopy)->Apply(Sizes);
BENCHMARK(BM_FileInMemory)->Apply(Sizes);
BENCHMARK(BM_FileOutToBuffer)->Apply(Sizes);
BENCHMARK(BM_FileOut)->Apply(Sizes);

}  // namespace
}  // namespace plandock

BENCHMARK_MAIN();
