#include "form/results_text.h"

#include "core/gains.h"

namespace kamerol {
namespace {

void addRow(std::string& text, std::string_view caption, const std::string& value) {
  text.append(caption).append("\t").append(value).append("\tкВт\n");
}

}  // namespace

std::string resultsText(const CalculationForm& form) {
  std::string text;
  for (const GainRow& row : kGains) addRow(text, row.caption, form.text(resultBoxOf(row.gain)));
  addRow(text, "Суммарный теплоприток", form.text(Control::totalGainBox));
  addRow(text, "Потребная холодопроизводительность", form.text(Control::requiredCapacityBox));
  return text;
}

}  // namespace kamerol
