#include <benchmark/benchmark.h>

#include <unistd.h>
#include <filesystem>

#include "document/calculation_file.h"
#include "document/startup.h"

namespace kamerol {
namespace {

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

struct WorkedExample {
  WorkedExample() : form(messages, NumberLocale::point()) {
    startCalculation(form, std::nullopt, messages);
    for (auto [control, text] : {std::pair{Control::roomLengthField, "500"},
                                 {Control::roomWidthField, "400"},
                                 {Control::roomHeightField, "300"}})
      form.setText(control, text);
  }
  NoMessages messages;
  CalculationForm form;
};

// One keystroke in the length field: its change reaction with the full
// engine run and the update of every result box.
void BM_KeystrokeInLength(benchmark::State& state) {
  WorkedExample example;
  const char* texts[] = {"5000", "500"};
  int i = 0;
  for (auto _ : state) example.form.setText(Control::roomLengthField, texts[i ^= 1]);
}
BENCHMARK(BM_KeystrokeInLength);

// Reading one file and calculating it; the form alternates between two
// calculations so every read really changes the fields.
void BM_ReadAndCalculateFile(benchmark::State& state) {
  WorkedExample example;
  NoMessages messages;
  CalculationForm form(messages, NumberLocale::point());
  startCalculation(form, std::nullopt, messages);
  const std::string files[] = {calculationFileBytes(example.form), calculationFileBytes(form)};
  int i = 0;
  for (auto _ : state) benchmark::DoNotOptimize(readCalculationBytes(form, files[i ^= 1], ReadMode::Dialog, messages));
}
BENCHMARK(BM_ReadAndCalculateFile);

void BM_WriteFile(benchmark::State& state) {
  WorkedExample example;
  const auto path = std::filesystem::temp_directory_path() / ("kamerol-bench-" + std::to_string(::getpid()) + ".tpl");
  for (auto _ : state) benchmark::DoNotOptimize(writeCalculationFile(example.form, path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_WriteFile);

}  // namespace
}  // namespace kamerol
