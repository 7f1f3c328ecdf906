#include <benchmark/benchmark.h>

#include <filesystem>

#include "analysis/checks.h"
#include "analysis/sensitivity.h"
#include "document/calculation_file.h"
#include "document/startup.h"

namespace kamerol {
namespace {

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

struct Example {
  explicit Example(const char* file) : form(messages, NumberLocale::point()) {
    startCalculation(form, std::nullopt, messages);
    readCalculationFile(form, std::filesystem::path(KAMEROL_EXAMPLES_DIR) / file, ReadMode::Dialog, messages);
  }
  NoMessages messages;
  CalculationForm form;
};

// All variations of one calculation: what the sensitivity window redoes after
// each edit (aim: at most 2 ms). The potato store varies every input.
void BM_SensitivityOfOneCalculation(benchmark::State& state) {
  Example example("potato-store.tpl");
  for (auto _ : state) benchmark::DoNotOptimize(analyseSensitivity(example.form));
}
BENCHMARK(BM_SensitivityOfOneCalculation)->Unit(benchmark::kMicrosecond);

void BM_ChecksOfOneCalculation(benchmark::State& state) {
  Example example("potato-store.tpl");
  for (auto _ : state) benchmark::DoNotOptimize(checkCalculation(example.form));
}
BENCHMARK(BM_ChecksOfOneCalculation)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kamerol
