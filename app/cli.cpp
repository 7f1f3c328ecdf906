#include "app/cli.h"

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "app/batch.h"
#include "app/calculation_json.h"
#include "app/cli_calculation.h"
#include "app/cli_checks.h"
#include "app/cli_project.h"
#include "app/cli_sensitivity.h"
#include "core/record_fields.h"
#include "core/text.h"
#include "core/trace.h"
#include "core/trace_text.h"
#include "core/version.h"
#include "document/calculation_file.h"
#include "document/startup.h"
#include "form/calculation_fields.h"
#include "form/calculation_form.h"
#include "platform/utf8_path.h"

namespace kamerol {
namespace cli {
namespace {

using enum Control;

constexpr std::string_view kUsage =
    R"(Usage:
  kamerol-cli calc   [FILE.tpl] [--set NAME=TEXT]... [--json] [--trace] [--checks]
                     [-o OUT.tpl]
  kamerol-cli calc   FILE... [--files-from LIST] [--set NAME=TEXT]...
                     (--jsonl | --csv) [--trace] [--out-dir DIR] [-j N]
  kamerol-cli report [FILE.tpl] [--set NAME=TEXT]... [--no-logo] [--chart] [--trace]
                     -o OUT.pdf
  kamerol-cli chart  [FILE.tpl] [--set NAME=TEXT]... -o OUT.svg|OUT.png
  kamerol-cli sensitivity [FILE.tpl] [--set NAME=TEXT]... [--json]
                     [-o OUT.svg|OUT.png]
  kamerol-cli project create OUT.kamerol [--title TEXT]
                     [--system NAME[=T0[,FACTOR]]]... FILE.tpl...
  kamerol-cli project calc PROJECT.kamerol [--json]
  kamerol-cli project export PROJECT.kamerol -o OUT.xlsx|OUT.csv
  kamerol-cli project report PROJECT.kamerol -o OUT.pdf [--chart] [--trace]
  kamerol-cli project extract PROJECT.kamerol --out-dir DIR
  kamerol-cli --help | --version

Starts a calculation as the program does (the defaults, then FILE as the Open
command reads it), then applies each --set in order as a user would: the field
gains the focus, its text becomes TEXT, it loses the focus (with its checks and
messages). Messages go to standard error as "TITLE: TEXT".

NAME is a field of the calculation (roomLength, roomWidth, roomHeight, roomTemp,
clientInfo, processMode, equipHours, reservePercent, wallMaterial,
wallMaterialThickness, wallInsulation, wallInsulationThickness,
outsideTempWalls, ... ceiling... floor..., doorHeight, doorWidth,
doorOpenMinutes, curtainType, productCategory, productName, storedMass,
dailyMass, productInitialTemp, productFinalTemp, lightingHours, lightingPower,
useRecommendedLighting, staffCount, vehiclePower, fanPercent, fanCount,
fanPower, refinedFanCalc, includeWalls ... includeFans) or a control of the
form (Text1, Combo9, Check4, Option2, ...). TEXT is what the user types, in the
units of the form (cm, mm, °C, kg, ...). A list value that names an entry is
picked, anything else is typed. processMode takes storage or freezing, check
boxes 0 or 1, roomTemp a whole degree from -40 to 20 (set as its spinner would).

)";

// The rest of the usage, after the paragraph on the units (unitsParagraph).
constexpr std::string_view kUsageAfterUnits = R"(
calc prints the nine heat gains, their sum and the required capacity as the
result boxes show them, or with --json one object with the inputs, results,
control texts, check and option states, the modified flag and the messages.
-o saves the calculation file; -o - writes it to standard output instead of
the results. report writes the results report as a PDF, with --chart the
load-breakdown chart as its second page. --trace shows the work: calc prints
every gain's formula, inputs with their sources, intermediate values and
result after the results (with --json/--jsonl as the "trace" member), and
report adds these as pages at the end. chart draws that chart alone as SVG
or PNG, by the extension of OUT. Only a regular file is written (or created);
a link is followed to the file it names.

--checks adds the checks of the calculation (likely omissions: a gain left
out while it is not zero, no product load, no insulation, no time for defrost,
no reserve, no fan allowance, ...) after calc's results, or with --json as
"checks": [{"key", "text", "field"}], field being the control to look at.
They are warnings: the calculation stays as it is.

sensitivity varies ten inputs one at a time, down and up, each typed into the
form as a user would (outside temperatures ±5 K, room temperature ±2 K,
insulation ±25 mm, door minutes ±50 %, product mass ±25 %, initial product
temperature ±5 K, staff ±1, vehicle power ±25 %, running hours ±2 h, reserve
±5 points), and prints the required capacity at each end, largest swing
first; a value the form refuses is skipped with its reason. --json prints
{"base", "variations": [{"input", "fields", "base", "low", "high",
"requiredCapacityLow", "requiredCapacityHigh", "gainsLow", "gainsHigh",
"swing", "skipped"}]}, the gains under calc's result keys; -o draws the
tornado chart as SVG or PNG.

calc over several files, or with --jsonl or --csv, calculates each file on a
form of its own with the same --set assignments. --files-from LIST adds the
names in LIST, one a line (- reads them from standard input). --jsonl prints
one line per file, in the order given: the object of --json with "file" first,
or {"file": ..., "error": {"kind": ..., "message": ...}} for a file that cannot
be opened (kind cannot-open), is not a calculation file (not-calculation-file),
does not take an assignment (cannot-set) or cannot be saved (cannot-write);
the other files go on. --csv prints a header and one row per file: file, the
nine gains as the results panel shows them, qTotal and requiredCapacity (empty
where the file failed). --out-dir DIR saves each calculation in DIR under its
own file name; -o takes one file only. -j N calculates N files at a time; the
output keeps the order of the files. Messages go to standard error as
"FILE: TITLE: TEXT". The exit code is the worst met: 1, then 2, then 3, then 0.

project works on a project (.kamerol): the rooms of one cold store, each a
whole calculation, grouped onto refrigeration systems. create makes one from
calculation files, each a room named after its file, in the system named last
before it (none before the first --system); a system is NAME, its evaporating
temperature T0 in °C (0 if not given) and its simultaneity factor FACTOR from
0.5 to 1.0 (1 if not given), numbers with a decimal point. calc prints each
room's sum and required capacity, each system's (the factor times the sum of
its rooms' required capacities), the grand total and the warnings; with --json
one object: "rooms" (each with "name", "system" and calc --json's "results"),
"systems" (each with "name", "t0", "factor", "rooms", "gains", "qTotal",
"requiredCapacity"), "unassigned" (the rooms of no system, counted whole),
"requiredCapacity" and "warnings" (each with "key", "text", "room", "system").
export writes every room's inputs and results, the systems and the totals as
an XLSX workbook or as CSV in the user's number format (";" between fields
where the decimal separator is a comma). report writes the project's report
as one PDF: a landscape summary (title block, the rooms table with each room's
gains, sum, required capacity and system, the systems with their sums and
required capacities, the grand total and the warnings), then each room's
report page, with --chart its load chart and with --trace its calculation
trace after it. extract saves each room in DIR as its calculation file,
NAME.tpl. Messages name the room ("ROOM: TITLE: TEXT").

Exit codes: 0 done, 1 usage error, 2 a file cannot be opened or written,
3 the file is not a calculation file (project: not a project, or a room or a
FILE.tpl not a calculation).
)";

// Words of `text` in lines of at most `width` characters.
std::string wrapped(std::string_view text, std::size_t width) {
  std::string out;
  std::size_t lineLength = 0;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    const std::string_view word = text.substr(at, end - at);
    const std::size_t length = characterCount(word);
    if (lineLength > 0 && lineLength + 1 + length > width) {
      out += '\n';
      lineLength = 0;
    } else if (lineLength > 0) {
      out += ' ';
      ++lineLength;
    }
    out += word;
    lineLength += length;
    at = end + 1;
  }
  return out + '\n';
}

// "a, b and c"
std::string listed(const std::vector<std::string_view>& names) {
  std::string text;
  for (std::size_t i = 0; i < names.size(); ++i)
    (text += i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") += names[i];
  return text;
}

// Which numbers --set types in another unit, or under another name, than the
// JSON "inputs" hold them: read off the record's table.
std::string unitsParagraph() {
  std::vector<std::string_view> centimetres;
  std::string percent;
  for (const NumberInput& f : floatInputFields()) {
    if (f.typed == Typed::Centimetres) centimetres.push_back(f.typedName());
    if (f.typed == Typed::Percent)
      percent +=
          ", " + std::string(f.typedName()) + " is typed in % and held as " + std::string(f.name) + " = 1 + % / 100";
  }
  return wrapped(
      "A number given to --set is in the unit of the form's field, the same number in the JSON "
      "\"inputs\" in the unit the calculation holds it in: " +
          listed(centimetres) + " are typed in cm and held in m" + percent + "; the others are held as typed.",
      79);
}

std::string usage() { return std::string(kUsage) + unitsParagraph() + std::string(kUsageAfterUnits); }

struct Options {
  std::string command;
  std::optional<std::filesystem::path> file;
  std::vector<Assignment> assignments;
  bool json = false;
  bool logo = true;
  bool chart = false;   // report: the chart as a second page
  bool trace = false;   // calc and report: the calculation trace
  bool checks = false;  // calc: the checks of the calculation
  std::optional<std::filesystem::path> output;
};

std::optional<Control> resolveName(std::string_view name, bool& processMode) {
  processMode = name == "processMode";
  for (const CalculationField& f : kCalculationFields)
    if (!f.name.empty() && f.name == name) return f.control;
  const auto control = controlNamed(name);
  if (control && kindOf(*control) == ControlKind::UpDown) return std::nullopt;
  return control;
}

}  // namespace

// The result boxes in the panel's order, read from the gains' table.
std::array<Control, kResultBoxCount> resultBoxes() {
  std::array<Control, kResultBoxCount> boxes{};
  for (std::size_t i = 0; i < kGains.size(); ++i) boxes[i] = resultBoxOf(kGains[i].gain);
  boxes[kGainCount] = totalGainBox;
  boxes[kGainCount + 1] = requiredCapacityBox;
  return boxes;
}

Assignment parseAssignment(const std::string& assignment) {
  const std::size_t equals = assignment.find('=');
  if (equals == std::string::npos || equals == 0) throw UsageError("--set needs NAME=TEXT, not \"" + assignment + "\"");
  Assignment a;
  a.name = assignment.substr(0, equals);
  a.text = assignment.substr(equals + 1);
  const auto control = resolveName(a.name, a.processMode);
  if (!control) throw UsageError("unknown field \"" + a.name + "\"");
  a.control = *control;
  return a;
}

namespace {

std::string lowerAscii(std::string text) {
  for (char& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return text;
}

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  if (args.empty()) throw UsageError("a command is needed: calc, report, chart or sensitivity");
  options.command = args[0];
  if (options.command != "calc" && options.command != "report" && options.command != "chart" &&
      options.command != "sensitivity")
    throw UsageError("unknown command \"" + options.command + "\"");
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const auto value = [&](std::string_view option) -> const std::string& {
      if (i + 1 >= args.size()) throw UsageError(std::string(option) + " needs a value");
      return args[++i];
    };
    if (arg == "--set") {
      options.assignments.push_back(parseAssignment(value("--set")));
    } else if (arg == "-o" || arg == "--output") {
      options.output = pathFromUtf8(value(arg));
    } else if (arg == "--json" && (options.command == "calc" || options.command == "sensitivity")) {
      options.json = true;
    } else if (arg == "--checks" && options.command == "calc") {
      options.checks = true;
    } else if (arg == "--no-logo" && options.command == "report") {
      options.logo = false;
    } else if (arg == "--trace" && (options.command == "calc" || options.command == "report")) {
      options.trace = true;
    } else if (arg == "--chart" && options.command == "report") {
      options.chart = true;
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option \"" + arg + "\" for " + options.command);
    } else if (!options.file) {
      options.file = pathFromUtf8(arg);
    } else {
      throw UsageError("only one calculation file can be given");
    }
  }
  if (options.command == "report" && !options.output) throw UsageError("report needs -o OUT.pdf");
  if (options.output == "-" && (options.json || options.command == "report"))
    throw UsageError(options.json ? "-o - and --json both write to standard output"
                                  : "report needs -o OUT.pdf, a file");
  if (options.output == "-" && options.trace) throw UsageError("-o - and --trace both write to standard output");
  if (options.output == "-" && options.checks) throw UsageError("-o - and --checks both write to standard output");
  if (options.command == "chart" || (options.command == "sensitivity" && options.output)) {
    const std::string extension = options.output ? lowerAscii(utf8Of(options.output->extension())) : "";
    if (extension != ".svg" && extension != ".png")
      throw UsageError(options.command + " needs -o OUT.svg or -o OUT.png");
  }
  if (options.command == "sensitivity" && options.output && options.json)
    throw UsageError("sensitivity prints --json or draws -o OUT.svg|OUT.png, not both");
  return options;
}

void showPageOf(CalculationForm& form, Control c) {
  if (const auto page = pageOf(c); page && !form.frameVisible(*page)) form.selectPage(*page);
}

}  // namespace

void apply(CalculationForm& form, const Assignment& a) {
  const Control c = a.control;
  if (a.processMode || c == storageOption || c == freezingOption) {
    Control option = c;
    if (a.processMode) {
      if (a.text != "storage" && a.text != "freezing") throw UsageError("processMode is storage or freezing");
      option = a.text == "freezing" ? freezingOption : storageOption;
    } else if (a.text != "1") {
      throw UsageError(a.name + " can only be selected: " + a.name + "=1");
    }
    showPageOf(form, option);
    form.click(option);
    return;
  }
  switch (kindOf(c)) {
    case ControlKind::CheckBox: {
      const auto state = parseInteger<int>(a.text);
      if (!state || (*state != 0 && *state != 1)) throw UsageError(a.name + " is 0 or 1");
      if (!form.control(c).enabled) throw UsageError(a.name + " cannot be changed now");
      showPageOf(form, c);
      if (form.control(c).value != *state) form.click(c);
      return;
    }
    case ControlKind::ComboBox: {
      showPageOf(form, c);
      const auto& items = form.control(c).items;
      const auto it = std::find(items.begin(), items.end(), a.text);
      if (it != items.end())
        form.pickEntry(c, static_cast<std::size_t>(it - items.begin()));
      else
        form.setText(c, a.text);
      return;
    }
    case ControlKind::TextBox:
      break;
    default:
      throw UsageError(a.name + " cannot be set");
  }
  if (c == roomTempBox) {
    const auto degrees = parseInteger<int>(a.text);
    const ControlState& spinner = form.control(roomTempSpinner);
    if (!degrees || *degrees < spinner.minimum || *degrees > spinner.maximum)
      throw UsageError(a.name + " is a whole degree from " + std::to_string(spinner.minimum) + " to " +
                       std::to_string(spinner.maximum));
    // As the spinner does it, a degree at a time.
    for (int guard = 0; guard < 200 && form.text(roomTempBox) != std::to_string(*degrees); ++guard)
      form.spin(roomTempSpinner, leadingNumber(form.text(roomTempBox)) < *degrees ? +1 : -1);
    return;
  }
  if (form.control(c).locked && c != clientInfoField) {
    const auto row = std::ranges::find(kCalculationFields, c, &CalculationField::control);
    if (row == kCalculationFields.end() || !row->lockedWhile) throw UsageError(a.name + " is read-only on the form");
    const auto check = std::ranges::find(kCalculationFields, row->lockedWhile->check, &CalculationField::control);
    throw UsageError(a.name + " is locked while " + std::string(check->name) + " is " +
                     (row->lockedWhile->ticked ? "1" : "0"));
  }
  if (!form.control(c).visible) throw UsageError(a.name + " is hidden on the form now");
  showPageOf(form, c);
  form.moveFocus(c);
  form.setText(c, a.text);
  form.focusLost(c);
}

namespace {

void printTable(const CalculationForm& form, std::ostream& out) {
  // The result boxes as the panel captions them: the gains, the sum, the capacity.
  std::vector<std::pair<std::string_view, Control>> rows;
  for (const GainRow& row : kGains) rows.emplace_back(row.caption, resultBoxOf(row.gain));
  rows.emplace_back(kTotal.caption, totalGainBox);
  rows.emplace_back(kRequiredCapacity.caption, requiredCapacityBox);
  std::size_t width = 0;
  for (const auto& [caption, control] : rows) width = std::max(width, characterCount(caption));
  out << "Теплопритоки, кВт\n";
  for (const auto& [caption, control] : rows)
    out << caption << std::string(width + 2 - characterCount(caption), ' ') << form.text(control) << '\n';
}

}  // namespace

}  // namespace cli

using namespace cli;

int runCli(const std::vector<std::string>& args, CliContext& context) {
  if (!args.empty() && (args[0] == "--help" || args[0] == "-h" || args[0] == "help")) {
    context.out << usage();
    return kExitDone;
  }
  if (!args.empty() && args[0] == "--version") {
    context.out << "kamerol-cli " << kVersion << '\n';
    return kExitDone;
  }
  if (!args.empty() && args[0] == "project") return runProjectCli(args, context);
  try {
    if (isBatchCommand(args)) return runBatch(args, context);
    const Options options = parseOptions(args);
    PrintingMessages messages(context.err);
    CalculationForm form(messages, context.locale);
    startCalculation(form, std::nullopt, messages);
    if (options.file) {
      const ReadStatus status = readCalculationFile(form, *options.file, ReadMode::Dialog, messages);
      if (status == ReadStatus::CannotOpen) {
        context.err << "kamerol-cli: cannot open " << utf8Of(*options.file) << '\n';
        return kExitCannotOpen;
      }
      if (status == ReadStatus::FormatError) return kExitFormatError;
    }
    for (const Assignment& a : options.assignments) apply(form, a);
    if (options.command == "sensitivity") return runSensitivity(form, options.json, options.output, context);

    if (options.command == "report") {
      if (!context.writeReportPdf) {
        context.err << "kamerol-cli: this build has no report\n";
        return kExitCannotOpen;
      }
      if (const WriteResult written = context.writeReportPdf(
              form.record(), options.logo, options.chart,
              options.trace ? std::optional(buildTrace(form.inputs(), form.heatLoad())) : std::nullopt,
              *options.output);
          !written) {
        context.err << "kamerol-cli: cannot write " << utf8Of(*options.output) << ": " << written.reason() << '\n';
        return kExitCannotOpen;
      }
      return kExitDone;
    }
    if (options.command == "chart") {
      if (!context.writeChart) {
        context.err << "kamerol-cli: this build has no chart\n";
        return kExitCannotOpen;
      }
      if (const WriteResult written = context.writeChart(form.record(), *options.output); !written) {
        context.err << "kamerol-cli: cannot write " << utf8Of(*options.output) << ": " << written.reason() << '\n';
        return kExitCannotOpen;
      }
      return kExitDone;
    }
    if (options.output == "-") {
      // The calculation file is the output, and nothing else.
      context.out << calculationFileBytes(form);
    } else {
      if (options.output) {
        if (const WriteResult written = writeCalculationFile(form, *options.output); !written) {
          context.err << "kamerol-cli: cannot write " << utf8Of(*options.output) << ": " << written.reason() << '\n';
          return kExitCannotOpen;
        }
      }
      const std::vector<CheckFinding> findings = options.checks ? checkCalculation(form) : std::vector<CheckFinding>();
      if (options.json) {
        const JsonMember checks[] = {checksJsonMember(findings)};
        printJson(form, messages.messages, context.out, JsonLayout::Indented, std::nullopt, options.trace,
                  options.checks ? std::span<const JsonMember>(checks) : std::span<const JsonMember>());
      } else {
        printTable(form, context.out);
        if (options.checks) printChecks(findings, context.out);
        if (options.trace) context.out << traceText(buildTrace(form.inputs(), form.heatLoad()));
      }
    }
    if (!context.out.flush()) {
      context.err << "kamerol-cli: cannot write standard output\n";
      return kExitCannotOpen;
    }
    return kExitDone;
  } catch (const UsageError& error) {
    context.err << "kamerol-cli: " << error.message() << "\nTry 'kamerol-cli --help'.\n";
    return kExitUsage;
  }
}

}  // namespace kamerol
