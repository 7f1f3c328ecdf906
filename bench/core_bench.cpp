#include <benchmark/benchmark.h>

#include "core/engine.h"
#include "core/products.h"
#include "core/sketch.h"
#include "core/worked_example.h"

namespace kamerol {
namespace {

void BM_EngineRun(benchmark::State& state) {
  const CalculationInputs in = workedExampleInputs();
  CalculationResults results;
  for (auto _ : state) {
    HeatLoad load = computeHeatLoad(in, results);
    benchmark::DoNotOptimize(load);
    results = load.results;
  }
}
BENCHMARK(BM_EngineRun);

void BM_RoomSketch(benchmark::State& state) {
  const SketchInput in = sketchInputOf(workedExampleInputs());
  for (auto _ : state) benchmark::DoNotOptimize(computeRoomSketch(in));
}
BENCHMARK(BM_RoomSketch);

void BM_ProductLookupByName(benchmark::State& state) {
  // The last row: the look-up scans the whole catalogue.
  for (auto _ : state) benchmark::DoNotOptimize(findProduct("Яйца"));
}
BENCHMARK(BM_ProductLookupByName);

}  // namespace
}  // namespace kamerol
