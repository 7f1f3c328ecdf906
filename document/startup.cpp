#include "document/startup.h"

#include "document/calculation_file.h"

namespace kamerol {

bool startCalculation(CalculationForm& form, const std::optional<std::filesystem::path>& commandLineFile,
                      MessageSink& messages) {
  form.fillLists();
  form.loadDefaults();
  const bool read =
      commandLineFile && readCalculationFile(form, *commandLineFile, ReadMode::CommandLine, messages) == ReadStatus::Ok;
  form.recalculate();
  // Opening a file by a double-click is no edit: closing at once asks nothing.
  if (read) form.setModified(false);
  return read;
}

}  // namespace kamerol
