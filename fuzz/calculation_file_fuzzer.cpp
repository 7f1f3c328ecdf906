// Feeds arbitrary bytes to the calculation file reader, in both modes, into a
// form that has been started as the program starts it. Any crash, hang, leak
// or sanitizer report is a fault: the reader must refuse what it cannot read.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "document/calculation_file.h"
#include "document/startup.h"

namespace {

class IgnoredMessages : public kamerol::MessageSink {
 public:
  void showMessage(const kamerol::Message&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IgnoredMessages messages;
  for (const auto& locale : {kamerol::NumberLocale::point(), kamerol::NumberLocale::comma()}) {
    kamerol::CalculationForm form(messages, locale);
    kamerol::startCalculation(form, std::nullopt, messages);
    const auto mode = size % 2 ? kamerol::ReadMode::Dialog : kamerol::ReadMode::CommandLine;
    if (kamerol::readCalculationBytes(form, bytes, mode, messages) == kamerol::ReadStatus::Ok) {
      // What was read must write and read back.
      const std::string written = kamerol::calculationFileBytes(form);
      kamerol::CalculationForm again(messages, locale);
      kamerol::startCalculation(again, std::nullopt, messages);
      if (kamerol::readCalculationBytes(again, written, mode, messages) != kamerol::ReadStatus::Ok) __builtin_trap();
    }
  }
  return 0;
}
