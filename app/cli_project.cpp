#include "app/cli_project.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <set>
#include <string_view>

#include "app/calculation_json.h"
#include "app/cli_calculation.h"
#include "core/cp1251.h"
#include "core/record_fields.h"
#include "core/rounding.h"
#include "core/text.h"
#include "document/calculation_file.h"
#include "platform/utf8_path.h"
#include "project/project.h"
#include "project/project_export.h"
#include "project/project_file.h"
#include "report/project_report.h"

namespace kamerol {
namespace {

using cli::UsageError;

// A failure after the command line was accepted: its exit code and message.
struct Failure {
  int code;
  std::string message;
};

std::string lowerAscii(std::string text) {
  for (char& ch : text)
    if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
  return text;
}

// The arguments after "project COMMAND": options with their values, and the
// other arguments in order.
struct Arguments {
  std::vector<std::pair<std::string, std::string>> options;  // in order, with --system among the files
  std::vector<std::string> positional;
  std::vector<std::size_t> positionalAfterOption;  // for each positional, how many options came before it
  bool json = false;
  std::set<std::string, std::less<>> flags;  // the options without a value that were given
};

Arguments parseArguments(const std::vector<std::string>& args, const std::set<std::string_view>& valued,
                         bool acceptsJson, const std::set<std::string_view>& flags = {}) {
  Arguments parsed;
  for (std::size_t i = 2; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (valued.contains(arg)) {
      if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
      parsed.options.emplace_back(arg == "--output" ? "-o" : arg, args[++i]);
    } else if (arg == "--json" && acceptsJson) {
      parsed.json = true;
    } else if (flags.contains(arg)) {
      parsed.flags.insert(arg);
    } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
      throw UsageError("unknown option \"" + arg + "\" for project " + args[1]);
    } else {
      parsed.positional.push_back(arg);
      parsed.positionalAfterOption.push_back(parsed.options.size());
    }
  }
  return parsed;
}

std::optional<std::string> lastOption(const Arguments& a, std::string_view name) {
  std::optional<std::string> value;
  for (const auto& [option, text] : a.options)
    if (option == name) value = text;
  return value;
}

// --system NAME[=T0[,FACTOR]]: the number parts are written with a decimal point.
RefrigerationSystem parseSystem(const std::string& option) {
  RefrigerationSystem system;
  const std::size_t equals = option.find('=');
  system.name = option.substr(0, equals);
  if (system.name.empty()) throw UsageError("--system needs NAME[=T0[,FACTOR]], not \"" + option + "\"");
  if (equals == std::string::npos) return system;
  const std::string rest = option.substr(equals + 1);
  const std::size_t comma = rest.find(',');
  const auto t0 = localeNumber(rest.substr(0, comma), NumberLocale::point());
  if (!t0 || !std::isfinite(*t0)) throw UsageError("--system " + system.name + ": T0 is a temperature in °C");
  system.t0 = *t0;
  if (comma != std::string::npos) {
    const auto factor = localeNumber(rest.substr(comma + 1), NumberLocale::point());
    if (!factor || !isSimultaneityFactorInRange(*factor))
      throw UsageError("--system " + system.name + ": FACTOR is a simultaneity factor from 0.5 to 1.0");
    system.factor = *factor;
  }
  return system;
}

OpenedProject openProject(const std::string& file, const RoomCalculator& calculator) {
  ProjectReadResult read = readProjectFile(pathFromUtf8(file), calculator);
  if (read.error == ProjectReadError::CannotOpen) throw Failure{kExitCannotOpen, "cannot open " + file};
  if (!read) throw Failure{kExitFormatError, file + ": " + read.message.text};
  return std::move(*read.opened);
}

std::vector<CalculationRecord> recordsOf(const OpenedProject& opened) {
  std::vector<CalculationRecord> records;
  records.reserve(opened.rooms.size());
  for (const RoomCalculation& room : opened.rooms) records.push_back(room.record);
  return records;
}

// The messages each room's form showed while it was read, as "ROOM: TITLE: TEXT".
void printRoomMessages(const OpenedProject& opened, std::ostream& err) {
  for (std::size_t i = 0; i < opened.rooms.size(); ++i)
    for (const Message& m : opened.rooms[i].messages)
      err << opened.project.room(i).name << ": " << m.title << ": " << m.text << '\n';
}

void writeOrFail(const WriteResult& written, const std::filesystem::path& path) {
  if (!written) throw Failure{kExitCannotOpen, "cannot write " + utf8Of(path) + ": " + written.reason()};
}

// --- create ----------------------------------------------------------------------

int create(const std::vector<std::string>& args, CliContext& context) {
  const Arguments a = parseArguments(args, {"--title", "--system"}, false);
  if (a.positional.empty()) throw UsageError("project create needs OUT.kamerol and the rooms' FILE.tpl");
  Project project;
  if (const auto title = lastOption(a, "--title")) project.details.title = validUtf8(*title);
  // Each file goes into the system named last before it.
  std::vector<std::optional<std::size_t>> systemOfOption;
  std::optional<std::size_t> current;
  for (const auto& [option, value] : a.options) {
    if (option == "--system") current = project.addSystem(parseSystem(validUtf8(value)));
    systemOfOption.push_back(current);
  }
  const RoomCalculator calculator(context.locale);
  for (std::size_t i = 1; i < a.positional.size(); ++i) {
    const std::string& file = a.positional[i];
    cli::PrintingMessages messages(context.err, file + ": ");
    CalculationForm form(calculator.preparedForm(), messages);
    const ReadStatus status = readCalculationFile(form, pathFromUtf8(file), ReadMode::Dialog, messages);
    if (status == ReadStatus::CannotOpen) throw Failure{kExitCannotOpen, "cannot open " + file};
    if (status == ReadStatus::FormatError) throw Failure{kExitFormatError, file + ": not a calculation file"};
    const std::size_t options = a.positionalAfterOption[i];
    const std::optional<std::size_t> system = options ? systemOfOption[options - 1] : std::nullopt;
    project.addRoom({validUtf8(utf8Of(pathFromUtf8(file).stem())), system, roomTextsOf(form)});
  }
  const std::filesystem::path out = pathFromUtf8(a.positional[0]);
  writeOrFail(writeProjectFile(project, out), out);
  return kExitDone;
}

// --- calc --------------------------------------------------------------------------

std::string shown(double kilowatts) { return formatNumber(r2(kilowatts)); }

void printTable(const OpenedProject& opened, const ProjectTotals& totals, const std::vector<ProjectWarning>& warnings,
                std::ostream& out) {
  const Project& project = opened.project;
  using Row = std::array<std::string, 4>;
  std::vector<Row> rows{{"Помещение", "Система", "Суммарно, кВт", "Требуется, кВт"}};
  for (std::size_t i = 0; i < project.rooms().size(); ++i) {
    const ProjectRoom& room = project.room(i);
    const CalculationResults& r = opened.rooms[i].record.results;
    rows.push_back(
        {room.name, room.system ? project.system(*room.system).name : "—", shown(r.qTotal), shown(r.requiredCapacity)});
  }
  std::vector<Row> systems{{"Система", "t0, °C; к-т", "Суммарно, кВт", "Требуется, кВт"}};
  for (std::size_t s = 0; s < project.systems().size(); ++s) {
    const RefrigerationSystem& system = project.system(s);
    systems.push_back(
        {system.name,
         formatNumber(static_cast<float>(system.t0)) + "; " + formatNumber(static_cast<float>(system.factor)),
         shown(totals.systems[s].sums.qTotal), shown(totals.systems[s].requiredCapacity)});
  }
  if (totals.unassigned.rooms)
    systems.push_back({"Без системы", "", shown(totals.unassigned.qTotal), shown(totals.unassigned.requiredCapacity)});
  std::array<std::size_t, 4> width{};
  for (const auto* table : {&rows, &systems})
    for (const Row& row : *table)
      for (std::size_t c = 0; c < row.size(); ++c) width[c] = std::max(width[c], characterCount(row[c]));
  const auto print = [&](const std::vector<Row>& table) {
    for (const Row& row : table) {
      std::string line;
      for (std::size_t c = 0; c < row.size(); ++c) {
        line += row[c];
        if (c + 1 < row.size()) line += std::string(width[c] + 2 - characterCount(row[c]), ' ');
      }
      out << line << '\n';
    }
  };
  if (!project.details.title.empty()) out << "Объект: " << project.details.title << "\n\n";
  print(rows);
  out << '\n';
  print(systems);
  out << "\nТребуемая холодопроизводительность объекта, кВт: " << shown(totals.requiredCapacity) << '\n';
  if (!warnings.empty()) {
    out << "\nПредупреждения:\n";
    for (const ProjectWarning& w : warnings) out << "  " << w.text << '\n';
  }
}

std::string jsonNumber(double value) { return formatNumberExact(value); }

std::string jsonName(const Project& project, std::optional<std::size_t> system) {
  return system ? cli::jsonString(project.system(*system).name) : "null";
}

void printJson(const OpenedProject& opened, const ProjectTotals& totals, const std::vector<ProjectWarning>& warnings,
               std::ostream& out) {
  const Project& project = opened.project;
  std::string j = "{\n";
  j += "  \"title\": " + cli::jsonString(project.details.title) + ",\n";
  j += "  \"client\": " + cli::jsonString(project.details.client) + ",\n";
  j += "  \"author\": " + cli::jsonString(project.details.author) + ",\n";
  j += "  \"date\": " + cli::jsonString(project.details.date) + ",\n";
  j += "  \"rooms\": [";
  for (std::size_t i = 0; i < project.rooms().size(); ++i) {
    const RoomCalculation& room = opened.rooms[i];
    j += i ? ",\n" : "\n";
    j += "    {\n      \"name\": " + cli::jsonString(project.room(i).name) + ",\n";
    j += "      \"system\": " + jsonName(project, project.room(i).system) + ",\n";
    j += "      \"results\": " + cli::resultsJson(room.record.results, 6) + ",\n";
    j += "      \"messages\": [";
    for (std::size_t m = 0; m < room.messages.size(); ++m)
      j += std::string(m ? ", " : "") + "{\"title\": " + cli::jsonString(room.messages[m].title) +
           ", \"text\": " + cli::jsonString(room.messages[m].text) + "}";
    j += "]\n    }";
  }
  j += project.rooms().empty() ? "],\n" : "\n  ],\n";
  const auto sums = [](const LoadSums& s) {
    std::string text = "\"rooms\": " + std::to_string(s.rooms) + ", \"gains\": {";
    for (std::size_t g = 0; g < kGains.size(); ++g) {
      const auto field =
          std::ranges::find(floatResultFields(), kGains[g].shown, &NamedField<CalculationResults, float>::member);
      text += std::string(g ? ", " : "") + "\"" + std::string(field->name) + "\": " + jsonNumber(s.gains[g]);
    }
    return text + "}, \"qTotal\": " + jsonNumber(s.qTotal);
  };
  j += "  \"systems\": [";
  for (std::size_t s = 0; s < project.systems().size(); ++s) {
    const RefrigerationSystem& system = project.system(s);
    j += std::string(s ? ",\n" : "\n") + "    {\"name\": " + cli::jsonString(system.name) +
         ", \"t0\": " + jsonNumber(system.t0) + ", \"factor\": " + jsonNumber(system.factor) + ", " +
         sums(totals.systems[s].sums) + ", \"requiredCapacity\": " + jsonNumber(totals.systems[s].requiredCapacity) +
         "}";
  }
  j += project.systems().empty() ? "],\n" : "\n  ],\n";
  j += "  \"unassigned\": {" + sums(totals.unassigned) +
       ", \"requiredCapacity\": " + jsonNumber(totals.unassigned.requiredCapacity) + "},\n";
  j += "  \"requiredCapacity\": " + jsonNumber(totals.requiredCapacity) + ",\n";
  j += "  \"warnings\": [";
  for (std::size_t w = 0; w < warnings.size(); ++w) {
    const ProjectWarning& warning = warnings[w];
    j += std::string(w ? ",\n" : "\n") + "    {\"key\": \"" + std::string(warningKey(warning.kind)) +
         "\", \"text\": " + cli::jsonString(warning.text) +
         ", \"room\": " + (warning.room ? cli::jsonString(project.room(*warning.room).name) : "null") +
         ", \"system\": " + jsonName(project, warning.system) + "}";
  }
  j += warnings.empty() ? "]\n}\n" : "\n  ]\n}\n";
  out << j;
}

int calc(const std::vector<std::string>& args, CliContext& context) {
  const Arguments a = parseArguments(args, {}, true);
  if (a.positional.size() != 1) throw UsageError("project calc needs one PROJECT.kamerol");
  const RoomCalculator calculator(context.locale);
  const OpenedProject opened = openProject(a.positional[0], calculator);
  printRoomMessages(opened, context.err);
  const std::vector<CalculationRecord> records = recordsOf(opened);
  const ProjectTotals totals = projectTotals(opened.project, records);
  const std::vector<ProjectWarning> warnings = projectWarnings(opened.project, records);
  if (a.json)
    printJson(opened, totals, warnings, context.out);
  else
    printTable(opened, totals, warnings, context.out);
  return kExitDone;
}

// --- export --------------------------------------------------------------------------

int exportProject(const std::vector<std::string>& args, CliContext& context) {
  const Arguments a = parseArguments(args, {"-o", "--output"}, false);
  const auto output = lastOption(a, "-o");
  if (a.positional.size() != 1 || !output) throw UsageError("project export needs PROJECT.kamerol -o OUT.xlsx|OUT.csv");
  const std::filesystem::path out = pathFromUtf8(*output);
  const std::string extension = lowerAscii(utf8Of(out.extension()));
  if (extension != ".xlsx" && extension != ".csv") throw UsageError("project export writes OUT.xlsx or OUT.csv");
  if (extension == ".xlsx" && !canWriteXlsx()) throw Failure{kExitCannotOpen, "this build has no XLSX export"};
  const RoomCalculator calculator(context.locale);
  const OpenedProject opened = openProject(a.positional[0], calculator);
  printRoomMessages(opened, context.err);
  const std::vector<CalculationRecord> records = recordsOf(opened);
  const std::vector<ExportSheet> sheets = projectSheets(opened.project, records, context.locale);
  writeOrFail(extension == ".csv" ? writeWholeFile(out, projectCsv(sheets, csvConventionsFor(context.locale)))
                                  : writeProjectXlsx(sheets, out),
              out);
  return kExitDone;
}

// --- report ------------------------------------------------------------------------------

int report(const std::vector<std::string>& args, CliContext& context) {
  const Arguments a = parseArguments(args, {"-o", "--output"}, false, {"--chart", "--trace"});
  const auto output = lastOption(a, "-o");
  if (a.positional.size() != 1 || !output || *output == "-")
    throw UsageError("project report needs PROJECT.kamerol -o OUT.pdf, a file");
  if (!context.writeReportPages) throw Failure{kExitCannotOpen, "this build has no report"};
  const RoomCalculator calculator(context.locale);
  const OpenedProject opened = openProject(a.positional[0], calculator);
  printRoomMessages(opened, context.err);
  const std::vector<CalculationRecord> records = recordsOf(opened);
  ProjectReportOptions options;
  options.withChart = a.flags.contains("--chart");
  options.withTrace = a.flags.contains("--trace");
  const std::vector<ReportPage> pages = buildProjectReport(opened.project, records, options);
  const std::filesystem::path out = pathFromUtf8(*output);
  writeOrFail(context.writeReportPages(pages, out), out);
  return kExitDone;
}

// --- extract ---------------------------------------------------------------------------

int extract(const std::vector<std::string>& args, CliContext& context) {
  const Arguments a = parseArguments(args, {"--out-dir"}, false);
  const auto dir = lastOption(a, "--out-dir");
  if (a.positional.size() != 1 || !dir) throw UsageError("project extract needs PROJECT.kamerol --out-dir DIR");
  const std::filesystem::path folder = pathFromUtf8(*dir);
  if (!std::filesystem::is_directory(folder))
    throw Failure{kExitCannotOpen, "cannot write to " + *dir + ": not a folder"};
  const RoomCalculator calculator(context.locale);
  const OpenedProject opened = openProject(a.positional[0], calculator);
  // Two rooms of one name get "NAME (2).tpl" and so on, never each other's file.
  std::set<std::string> taken;
  for (std::size_t i = 0; i < opened.project.rooms().size(); ++i) {
    const std::string base = roomFileName(opened.project.room(i).name, i);
    std::string name = base;
    for (int n = 2; !taken.insert(lowerAscii(name)).second; ++n) name = base + " (" + std::to_string(n) + ")";
    const std::filesystem::path target = folder / pathFromUtf8(name + ".tpl");
    writeOrFail(writeWholeFile(target, roomFileBytes(opened.project.room(i).texts)), target);
  }
  return kExitDone;
}

}  // namespace

int runProjectCli(const std::vector<std::string>& args, CliContext& context) {
  try {
    if (args.size() < 2) throw UsageError("project needs a command: create, calc, export, report or extract");
    const std::string& command = args[1];
    int code = kExitDone;
    if (command == "create")
      code = create(args, context);
    else if (command == "calc")
      code = calc(args, context);
    else if (command == "export")
      code = exportProject(args, context);
    else if (command == "report")
      code = report(args, context);
    else if (command == "extract")
      code = extract(args, context);
    else
      throw UsageError("unknown project command \"" + command + "\"");
    if (!context.out.flush()) throw Failure{kExitCannotOpen, "cannot write standard output"};
    return code;
  } catch (const UsageError& error) {
    context.err << "kamerol-cli: " << error.message() << "\nTry 'kamerol-cli --help'.\n";
    return kExitUsage;
  } catch (const Failure& failure) {
    context.err << "kamerol-cli: " << failure.message << '\n';
    return failure.code;
  }
}

}  // namespace kamerol
