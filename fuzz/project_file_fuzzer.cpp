// Feeds arbitrary bytes to the project file reader. Any crash, hang, leak or
// sanitizer report is a fault: the reader must refuse what it cannot read,
// and what it reads must write and read back as the same project.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const kamerol::RoomCalculator calculator(kamerol::NumberLocale::comma());
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const kamerol::ProjectReadResult read = kamerol::readProjectBytes(bytes, calculator);
  if (read.opened.has_value() != (read.error == kamerol::ProjectReadError::None)) __builtin_trap();
  if (!read) return 0;
  const kamerol::ProjectReadResult again =
      kamerol::readProjectBytes(kamerol::projectFileBytes(read.opened->project), calculator);
  if (!again || !(again.opened->project == read.opened->project)) __builtin_trap();
  return 0;
}
