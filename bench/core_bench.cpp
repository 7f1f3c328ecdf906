#include <benchmark/benchmark.h>

#include "core/defaults.h"
#include "core/engine.h"
#include "core/products.h"
#include "core/sketch.h"

namespace kamerol {
namespace {

CalculationInputs workedExample() {
  CalculationInputs in = defaultInputs();
  in.roomLength = 5;
  in.roomWidth = 4;
  in.roomHeight = 3;
  return in;
}

void BM_EngineRun(benchmark::State& state) {
  const CalculationInputs in = workedExample();
  CalculationResults results;
  for (auto _ : state) {
    EngineOutput out = computeHeatLoad(in, results, {"500", "400", "300"});
    benchmark::DoNotOptimize(out);
    results = out.results;
  }
}
BENCHMARK(BM_EngineRun);

void BM_RoomSketch(benchmark::State& state) {
  const SketchInput in = sketchInputOf(workedExample());
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
