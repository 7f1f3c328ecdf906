#include "document/startup.h"

#include "document/calculation_file.h"

namespace kamerol {

void startCalculation(CalculationForm& form, const std::optional<std::filesystem::path>& commandLineFile,
                      MessageSink& messages) {
  form.fillLists();
  form.loadDefaults();
  if (commandLineFile) readCalculationFile(form, *commandLineFile, ReadMode::CommandLine, messages);
  form.recalculate();
}

}  // namespace kamerol
