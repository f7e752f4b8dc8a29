// Drawing large generated drawings: the display list, the SVG text, and both
// from a drawing in memory. Arguments are top-level entity counts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "document/document.h"
#include "drawing_generator.h"
#include "render/display_list.h"
#include "render/svg_writer.h"

namespace plandock {
namespace {

constexpr uint32_t kSeed = 20240601;

// The generated drawing of the benchmark's size, its argument.
struct Drawing {
  explicit Drawing(const benchmark::State& state) : entities(static_cast<int>(state.range(0))) {
    MakeLargeDrawing(doc, entities, kSeed);
  }
  const int entities;
  TJwwData doc;
};

void SetRates(benchmark::State& state, int entities, size_t primitives) {
  state.counters["entities/s"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * entities, benchmark::Counter::kIsRate);
  state.counters["primitives"] = static_cast<double>(primitives);
}

void BM_BuildDisplayList(benchmark::State& state) {
  const Drawing drawing(state);
  size_t primitives = 0;
  for (auto _ : state) {
    const render::DisplayList list = render::BuildDisplayList(drawing.doc);
    primitives = list.primitives.size();
    benchmark::DoNotOptimize(list.primitives.data());
  }
  SetRates(state, drawing.entities, primitives);
}

void BM_WriteSvg(benchmark::State& state) {
  const Drawing drawing(state);
  const render::DisplayList list = render::BuildDisplayList(drawing.doc);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string svg = render::WriteSvg(list);
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  SetRates(state, drawing.entities, list.primitives.size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes));
  state.counters["svg_MB"] = static_cast<double>(bytes) / 1e6;
}

// What `plandock render` does once the drawing is read.
void BM_RenderToSvg(benchmark::State& state) {
  const Drawing drawing(state);
  size_t primitives = 0;
  for (auto _ : state) {
    const render::DisplayList list = render::BuildDisplayList(drawing.doc);
    const std::string svg = render::WriteSvg(list);
    primitives = list.primitives.size();
    benchmark::DoNotOptimize(svg.data());
  }
  SetRates(state, drawing.entities, primitives);
}

void Sizes(benchmark::internal::Benchmark* b) {
  b->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BuildDisplayList)->Apply(Sizes);
BENCHMARK(BM_WriteSvg)->Apply(Sizes);
BENCHMARK(BM_RenderToSvg)->Apply(Sizes);

}  // namespace
}  // namespace plandock

BENCHMARK_MAIN();
