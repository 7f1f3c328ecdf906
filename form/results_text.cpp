#include "form/results_text.h"

#include "core/gains.h"

namespace kamerol {
namespace {

void addRow(std::string& text, std::string_view caption, std::string_view value, std::string_view separator) {
  text.append(caption).append("\t");
  for (const char c : value) {
    if (c == '.')
      text.append(separator);
    else
      text += c;
  }
  text.append("\tкВт\n");
}

}  // namespace

std::string resultsText(const CalculationForm& form, std::string_view decimalSeparator) {
  std::string text = "Теплоприток\tкВт\n";
  for (const GainRow& row : kGains) addRow(text, row.caption, form.text(resultBoxOf(row.gain)), decimalSeparator);
  addRow(text, "Суммарный теплоприток", form.text(Control::totalGainBox), decimalSeparator);
  addRow(text, "Потребная холодопроизводительность", form.text(Control::requiredCapacityBox), decimalSeparator);
  return text;
}

}  // namespace kamerol
