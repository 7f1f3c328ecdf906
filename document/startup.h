#pragma once

#include <filesystem>
#include <optional>

#include "form/calculation_form.h"
#include "form/messages.h"

namespace kamerol {

// Prepares the calculation form as the program starts: fills the lists, loads
// the defaults, reads the calculation file named on the command line (silently
// ignored when it cannot be read), and runs the engine once. A file read whole
// leaves the calculation unchanged, as after "Открыть"; the result says
// whether it was.
bool startCalculation(CalculationForm& form, const std::optional<std::filesystem::path>& commandLineFile,
                      MessageSink& messages);

}  // namespace kamerol
