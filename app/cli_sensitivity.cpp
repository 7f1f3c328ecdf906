#include "app/cli_sensitivity.h"

#include <algorithm>
#include <array>
#include <vector>

#include "app/json_writer.h"
#include "core/number_text.h"
#include "core/record_fields.h"
#include "core/rounding.h"
#include "core/text.h"
#include "platform/utf8_path.h"

namespace kamerol::cli {
namespace {

// The result key of calc --json that holds a results member.
std::string_view resultKey(float CalculationResults::*member) {
  for (const auto& f : floatResultFields())
    if (f.member == member) return f.name;
  return {};
}

void appendGains(JsonWriter& w, const LoadFigures& figures) {
  w.open('{', true);
  for (const GainRow& row : kGains)
    w.next(resultKey(row.shown)).number(figures.gains[static_cast<std::size_t>(row.gain)]);
  w.next(resultKey(&CalculationResults::qTotal)).number(figures.total);
  w.close('}');
}

void appendSide(JsonWriter& w, std::string_view capacityKey, std::string_view gainsKey, const VariationSide& side) {
  if (side.figures)
    w.next(capacityKey).number(side.figures->requiredCapacity);
  else
    w.next(capacityKey).raw("null");
  if (side.figures)
    appendGains(w.next(gainsKey), *side.figures);
  else
    w.next(gainsKey).raw("null");
}

std::string capacityText(const VariationSide& side) {
  return side.figures ? formatNumber(r2(side.figures->requiredCapacity)) : "—";
}

}  // namespace

void appendSensitivityJson(std::string& out, const SensitivityAnalysis& analysis, int indent) {
  JsonWriter w(out, indent);
  w.open('{');
  w.next("base").open('{');
  w.next("requiredCapacity").number(analysis.base.requiredCapacity);
  appendGains(w.next("gains"), analysis.base);
  w.close('}');
  w.next("variations").open('[');
  for (const Variation& v : analysis.variations) {
    w.next().open('{');
    w.next("input").text(sensitivityInput(v.input).key);
    w.next("fields").open('[', true);
    for (Control field : sensitivityFields(v.input)) w.next().text(nameOf(field));
    w.close(']');
    w.next("base").text(v.baseText);
    w.next("low").text(v.low.text);
    w.next("high").text(v.high.text);
    appendSide(w, "requiredCapacityLow", "gainsLow", v.low);
    appendSide(w, "requiredCapacityHigh", "gainsHigh", v.high);
    w.next("swing").number(v.swing);
    if (!v.low.skipped && !v.high.skipped) {
      w.next("skipped").raw("null");
    } else {
      w.next("skipped").open('{', true);
      if (v.low.skipped) w.next("low").text(keyOf(*v.low.skipped));
      if (v.high.skipped) w.next("high").text(keyOf(*v.high.skipped));
      w.close('}');
    }
    w.close('}');
  }
  w.close(']');
  w.close('}');
}

void printSensitivity(const SensitivityAnalysis& analysis, std::ostream& out) {
  using Row = std::array<std::string, 7>;
  std::vector<Row> rows = {{"Параметр", "Сейчас", "Вниз", "Вверх", "кВт вниз", "кВт вверх", "Размах, кВт"}};
  std::vector<std::string> notes;
  for (const Variation& v : analysis.variations) {
    const SensitivityInputInfo& info = sensitivityInput(v.input);
    rows.push_back({std::string(info.caption) + ", " + std::string(info.unit), v.baseText, v.low.text, v.high.text,
                    capacityText(v.low), capacityText(v.high), formatNumber(r2(v.swing))});
    for (const auto& [side, name] : {std::pair{&v.low, "вниз"}, std::pair{&v.high, "вверх"}})
      if (side->skipped)
        notes.push_back(std::string(info.caption) + " " + name + " (" + side->text +
                        "): " + std::string(captionOf(*side->skipped)));
  }
  std::array<std::size_t, 7> width{};
  for (const Row& row : rows)
    for (std::size_t i = 0; i < row.size(); ++i) width[i] = std::max(width[i], characterCount(row[i]));
  out << "Чувствительность требуемой холодопроизводительности\n";
  out << "Базовый расчёт: " << formatNumber(r2(analysis.base.requiredCapacity)) << " кВт\n";
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < row.size(); ++i) {
      line += row[i];
      if (i + 1 < row.size()) line += std::string(width[i] + 2 - characterCount(row[i]), ' ');
    }
    out << line << '\n';
  }
  for (const std::string& note : notes) out << "Пропущено: " << note << '\n';
}

int runSensitivity(const CalculationForm& form, bool json, const std::optional<std::filesystem::path>& chart,
                   CliContext& context) {
  const SensitivityAnalysis analysis = analyseSensitivity(form);
  if (chart) {
    if (!context.writeSensitivityChart) {
      context.err << "kamerol-cli: this build has no sensitivity chart\n";
      return kExitCannotOpen;
    }
    if (const WriteResult written = context.writeSensitivityChart(analysis, *chart); !written) {
      context.err << "kamerol-cli: cannot write " << utf8Of(*chart) << ": " << written.reason() << '\n';
      return kExitCannotOpen;
    }
    return kExitDone;
  }
  if (json) {
    std::string text;
    appendSensitivityJson(text, analysis, 0);
    context.out << text << '\n';
  } else {
    printSensitivity(analysis, context.out);
  }
  if (!context.out.flush()) {
    context.err << "kamerol-cli: cannot write standard output\n";
    return kExitCannotOpen;
  }
  return kExitDone;
}

}  // namespace kamerol::cli
