#include "form/results_text.h"

#include "core/gains.h"

namespace kamerol {
namespace {

void addRow(std::string& text, std::string_view caption, std::string_view value, std::string_view unit,
            std::string_view separator) {
  text.append(caption).append("\t");
  for (const char c : value) {
    if (c == '.')
      text.append(separator);
    else
      text += c;
  }
  text.append("\t").append(unit).append("\n");
}

}  // namespace

std::string resultsText(const CalculationForm& form, std::string_view decimalSeparator) {
  std::string text = "Теплоприток\t" + std::string(kKilowatt) + "\n";
  for (const GainRow& row : kGains)
    addRow(text, row.caption, form.text(resultBoxOf(row.gain)), row.unit, decimalSeparator);
  addRow(text, kTotal.title, form.text(Control::totalGainBox), kTotal.unit, decimalSeparator);
  addRow(text, kRequiredCapacity.title, form.text(Control::requiredCapacityBox), kRequiredCapacity.unit,
         decimalSeparator);
  return text;
}

}  // namespace kamerol
