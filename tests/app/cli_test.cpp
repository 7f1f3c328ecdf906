#include "app/cli.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

#include "app/calculation_json.h"
#include "app/cli_calculation.h"
#include "core/cp1251.h"
#include "core/version.h"
#include "tests/row_names.h"

namespace kamerol {
namespace {

const std::filesystem::path kExamples = KAMEROL_EXAMPLES_DIR;

struct CliRun {
  int code;
  std::string out;
  std::string err;
};

CliRun cli(std::vector<std::string> args, NumberLocale locale = NumberLocale::point()) {
  std::ostringstream out;
  std::ostringstream err;
  CliContext context{std::move(locale), out, err, {}, {}};
  const int code = runCli(args, context);
  return {code, out.str(), err.str()};
}

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::filesystem::path temporaryPath(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("kamerol-cli-test-" + std::to_string(::getpid()) + "-" + name);
}

TEST(CliTest, WorkedExampleShowsTheResultBoxes) {
  const CliRun run = cli({"calc", (kExamples / "worked-example.tpl").string()});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, "Через стены")) << run.out;
  for (const char* line : {"0.63", "0.46", "0.08", "1.17", "1.64"}) EXPECT_TRUE(contains(run.out, line)) << line;
  std::istringstream lines(run.out);
  std::string line;
  std::vector<std::string> rows;
  while (std::getline(lines, line)) rows.push_back(line);
  ASSERT_EQ(rows.size(), 12u);
  EXPECT_EQ(rows[0], "Теплопритоки, кВт");
  EXPECT_EQ(rows[1].substr(rows[1].size() - 4), "0.63");
  EXPECT_EQ(rows[11].substr(rows[11].size() - 4), "1.64");
  EXPECT_TRUE(run.err.empty());
}

// --set applies before the variations, and the checks see its result.
TEST(CliTest, SensitivityAndChecksFollowTheAssignments) {
  const std::string file = (kExamples / "worked-example.tpl").string();
  CliRun run = cli({"sensitivity", file, "--set", "staffCount=3"});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, "Число рабочих, чел")) << run.out;
  EXPECT_FALSE(contains(run.out, "Пропущено: Число рабочих")) << run.out;
  run = cli({"calc", file, "--set", "staffCount=3", "--checks", "--json"});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, R"({"key": "doorNeverOpen", "text": "В камере работают люди (3 чел), )")) << run.out;
  EXPECT_TRUE(contains(run.out, R"("field": "Text22"})")) << run.out;
  run = cli({"sensitivity", file, "-o", temporaryPath("tornado.svg").string()});
  EXPECT_EQ(run.code, kExitCannotOpen);
  EXPECT_TRUE(contains(run.err, "no sensitivity chart")) << run.err;
}

TEST(CliTest, SetActsAsTheUserWould) {
  CliRun run = cli({"calc", "--set", "roomLength=500", "--set", "roomWidth=400", "--set", "Text4=300", "--json"});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, "\"Text49\": \"1.64\""));
  EXPECT_TRUE(contains(run.out, "\"roomLength\": 5,"));
  EXPECT_TRUE(contains(run.out, "\"modified\": true"));
  EXPECT_TRUE(contains(run.out, "\"messages\": []"));

  // Leaving the field runs its checks: a message, and the reset.
  run = cli({"calc", "--set", "roomLength=20000", "--json"});
  ASSERT_EQ(run.code, kExitDone);
  EXPECT_EQ(run.err, "Ошибка ввода: Слишком большая длина камеры!\n");
  EXPECT_TRUE(contains(run.out, "{\"title\": \"Ошибка ввода\", \"text\": \"Слишком большая длина камеры!\"}"));
  EXPECT_TRUE(contains(run.out, "\"Text1\": \"0\""));
}

TEST(CliTest, ListsPickAnEntryOrTakeTypedText) {
  CliRun run = cli({"calc", "--set", "wallMaterial=Дюралюминий", "--json"});
  EXPECT_TRUE(contains(run.out, "\"wallMaterialLambda\": 160"));
  run = cli({"calc", "--set", "productCategory=Овощи", "--set", "productName=Репа", "--json"});
  EXPECT_TRUE(contains(run.out, "\"respirationHeat\": 87"));
  EXPECT_TRUE(contains(run.out, "\"Combo10\": \"Репа\""));
  run = cli({"calc", "--set", "wallMaterial=кирпич", "--json"});  // typed, no match
  EXPECT_TRUE(contains(run.out, "\"Combo1\": \"кирпич\""));
  EXPECT_TRUE(contains(run.out, "\"wallMaterial\": \"Железобетон\""));
}

TEST(CliTest, ModeChecksAndRoomTemperature) {
  const CliRun run = cli({"calc", "--set", "processMode=freezing", "--set", "includeFans=0", "--set", "roomTemp=-18",
                          "--set", "useRecommendedLighting=0", "--set", "lightingPower=12", "--json"});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, "\"processMode\": \"freezing\""));
  EXPECT_TRUE(contains(run.out, "\"Option2\": 1"));
  EXPECT_TRUE(contains(run.out, "\"Check12\": 0"));
  EXPECT_TRUE(contains(run.out, "\"Text6\": \"-18\""));
  EXPECT_TRUE(contains(run.out, "\"roomTemp\": -18"));
  EXPECT_TRUE(contains(run.out, "\"Text32\": \"12\""));
}

TEST(CliTest, DecimalCommaLocale) {
  const CliRun run = cli({"calc", "--set", "roomLength=512,5", "--json"}, NumberLocale::comma());
  EXPECT_TRUE(contains(run.out, "\"roomLength\": 5.125"));
}

struct UsageCase {
  std::vector<std::string> args;
  const char* message;
};

class CliUsageTest : public testing::TestWithParam<UsageCase> {};

TEST_P(CliUsageTest, IsAUsageError) {
  const CliRun run = cli(GetParam().args);
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_TRUE(contains(run.err, GetParam().message)) << run.err;
  EXPECT_TRUE(contains(run.err, "--help"));
  EXPECT_TRUE(run.out.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CliUsageTest,
    testing::Values(UsageCase{{}, "a command is needed"}, UsageCase{{"compute"}, "unknown command"},
                    UsageCase{{"calc", "--set", "colour=red"}, "unknown field \"colour\""},
                    UsageCase{{"calc", "--set", "UpDown1=3"}, "unknown field"},
                    UsageCase{{"calc", "--set"}, "--set needs a value"},
                    UsageCase{{"calc", "--set", "roomLength"}, "NAME=TEXT"},
                    UsageCase{{"calc", "--frobnicate"}, "unknown option"},
                    UsageCase{{"calc", "a.tpl", "b.tpl"}, "with --jsonl or --csv"},
                    UsageCase{{"calc", "a.tpl", "b.tpl", "--json"}, "use --jsonl"},
                    UsageCase{{"calc", "a.tpl", "--jsonl", "--csv"}, "cannot be given together"},
                    UsageCase{{"calc", "a.tpl", "b.tpl", "--jsonl", "-o", "c.tpl"}, "-o saves one calculation"},
                    UsageCase{{"calc", "a.tpl", "--csv", "-j", "0"}, "-j needs a number"},
                    UsageCase{{"calc", "a.tpl", "--csv", "-j4x"}, "-j needs a number"},
                    UsageCase{{"calc", "x/a.tpl", "y/a.tpl", "--csv", "--out-dir", "."}, "two files would be saved"},
                    UsageCase{{"calc", "--jsonl", "--out-dir", "."}, "give their names"},
                    UsageCase{{"calc", "a.tpl", "--csv", "-o", "-"}, "both write to standard output"},
                    UsageCase{{"report", "a.tpl"}, "report needs -o"},
                    UsageCase{{"report", "-o", "-"}, "report needs -o OUT.pdf, a file"},
                    UsageCase{{"calc", "--json", "-o", "-"}, "both write to standard output"},
                    UsageCase{{"calc", "--trace", "-o", "-"}, "-o - and --trace"},
                    UsageCase{{"calc", "a.tpl", "--csv", "--trace"}, "--trace goes with --jsonl"},
                    UsageCase{{"chart", "--trace", "-o", "c.svg"}, "unknown option \"--trace\""},
                    UsageCase{{"calc", "--checks", "-o", "-"}, "-o - and --checks"},
                    UsageCase{{"report", "--checks", "-o", "r.pdf"}, "unknown option \"--checks\""},
                    UsageCase{{"sensitivity", "-o", "s.pdf"}, "sensitivity needs -o OUT.svg or -o OUT.png"},
                    UsageCase{{"sensitivity", "--json", "-o", "s.svg"}, "not both"},
                    UsageCase{{"sensitivity", "--set", "roomTemp=30"}, "whole degree"},
                    UsageCase{{"calc", "--set", "processMode=thawing"}, "storage or freezing"},
                    UsageCase{{"calc", "--set", "includeFans=yes"}, "0 or 1"},
                    UsageCase{{"calc", "--set", "roomTemp=25"}, "whole degree from -40 to 20"},
                    UsageCase{{"calc", "--set", "roomTemp=2.5"}, "whole degree"},
                    UsageCase{{"calc", "--set", "lightingPower=12"}, "locked while useRecommendedLighting is 1"},
                    UsageCase{{"calc", "--set", "fanCount=2"}, "fanCount is locked while refinedFanCalc is 0"},
                    UsageCase{{"calc", "--set", "refinedFanCalc=1", "--set", "fanPercent=5"},
                              "fanPercent is locked while refinedFanCalc is 1"},
                    UsageCase{{"calc", "--set", "Text39=5"}, "read-only"},
                    UsageCase{{"calc", "--set", "processMode=freezing", "--set", "storedMass=10"}, "hidden"}),
    [](const testing::TestParamInfo<UsageCase>& info) {
      std::string args;
      for (const std::string& arg : info.param.args) args += " " + arg;
      return args.empty() ? std::string("NoArguments") : textName(args.substr(1));
    });

TEST(CliTest, FilesThatCannotBeReadOrWritten) {
  CliRun run = cli({"calc", "/nonexistent/calculation.tpl"});
  EXPECT_EQ(run.code, kExitCannotOpen);
  EXPECT_TRUE(contains(run.err, "cannot open"));

  const auto bad = temporaryPath("bad.tpl");
  std::ofstream(bad) << "hello\r\n";
  run = cli({"calc", bad.string()});
  EXPECT_EQ(run.code, kExitFormatError);
  EXPECT_EQ(run.err, "Сообщение программы: Другой формат файла\n");
  std::filesystem::remove(bad);

  run = cli({"calc", "-o", "/nonexistent/folder/out.tpl"});
  EXPECT_EQ(run.code, kExitCannotOpen);
  run = cli({"report", "-o", "out.pdf"});  // no report in this build of the context
  EXPECT_EQ(run.code, kExitCannotOpen);
}

TEST(CliTest, OutputIsACalculationFile) {
  const auto path = temporaryPath("out.tpl");
  CliRun run = cli({"calc", "--set", "clientInfo=Склад", "-o", path.string()});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  std::ostringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();  // closed at once: Windows removes no open file
  EXPECT_EQ(bytes.str().substr(bytes.str().size() - 7), encodeWindows1251("Склад") + "\r\n");
  run = cli({"calc", path.string(), "--json"});
  EXPECT_TRUE(contains(run.out, "\"clientInfo\": \"Склад\""));
  EXPECT_TRUE(contains(run.out, "\"modified\": false"));
  std::filesystem::remove(path);
}

// --set is the user's edit: it marks the calculation modified even where no
// result changes (the door is shut), unless it leaves the field as it was.
TEST(CliTest, SetMarksTheCalculationModified) {
  const auto example = (kExamples / "worked-example.tpl").string();
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"calc", example, "--json"}, "\"modified\": false"},
      {{"calc", example, "--set", "doorWidth=200", "--json"}, "\"modified\": true"},
      {{"calc", "--set", "doorWidth=200", "--json"}, "\"modified\": true"},
      {{"calc", "--set", "curtainType=Штора", "--json"}, "\"modified\": true"},
      {{"calc", example, "--set", "doorWidth=180", "--json"}, "\"modified\": false"},
  };
  for (const auto& [args, expected] : cases) {
    const CliRun run = cli(args);
    ASSERT_EQ(run.code, kExitDone) << run.err;
    EXPECT_TRUE(contains(run.out, expected)) << args[args.size() - 2];
  }
}

// Arguments are UTF-8: a folder and a file named in Cyrillic with blanks open
// and save on every system (on Windows only through the wide API).
TEST(CliTest, CyrillicPathsOpenAndSave) {
  const auto folder = temporaryPath("folder");
  const std::string folderName = folder.string() + "/Расчёты 2026";
  std::filesystem::create_directories(folder / u8"Расчёты 2026");
  const std::string file = folderName + "/Камера №1.tpl";
  std::filesystem::copy_file(kExamples / "worked-example.tpl", folder / u8"Расчёты 2026" / u8"Камера №1.tpl");

  CliRun run = cli({"calc", file, "--set", "clientInfo=Склад", "-o", file});
  EXPECT_EQ(run.code, kExitDone) << run.err;
  EXPECT_TRUE(contains(run.out, "1.64")) << run.out;
  run = cli({"calc", file, "--json"});
  EXPECT_TRUE(contains(run.out, "\"clientInfo\": \"Склад\"")) << run.err;
  run = cli({"calc", folderName + "/Нет такого.tpl"});
  EXPECT_EQ(run.code, kExitCannotOpen);
  EXPECT_TRUE(contains(run.err, "Нет такого.tpl")) << run.err;  // named as typed, not in another code page
  std::filesystem::remove_all(folder);
}

TEST(CliTest, ReportGoesThroughTheWriter) {
  std::ostringstream out;
  std::ostringstream err;
  CalculationRecord written;
  bool logo = true;
  bool chart = false;
  std::optional<CalculationTrace> trace;
  std::filesystem::path chartFile;
  CliContext context{NumberLocale::point(), out, err,
                     [&](const CalculationRecord& record, bool showLogo, bool withChart,
                         const std::optional<CalculationTrace>& withTrace, const std::filesystem::path&) {
                       written = record;
                       logo = showLogo;
                       chart = withChart;
                       trace = withTrace;
                       return WriteResult{WriteStatus::Written, {}};
                     },
                     [&](const CalculationRecord& record, const std::filesystem::path& path) {
                       written = record;
                       chartFile = path;
                       return WriteResult{WriteStatus::Written, {}};
                     }};
  const std::string example = (kExamples / "worked-example.tpl").string();
  EXPECT_EQ(runCli({"report", example, "--no-logo", "-o", "x.pdf"}, context), kExitDone);
  EXPECT_FALSE(logo);
  EXPECT_FALSE(chart);
  EXPECT_FALSE(trace);
  EXPECT_EQ(written.results.shownWalls, 0.63f);
  EXPECT_EQ(runCli({"report", example, "--chart", "--trace", "-o", "x.pdf"}, context), kExitDone);
  EXPECT_TRUE(chart);
  ASSERT_TRUE(trace);
  EXPECT_EQ(trace->requiredCapacity.shown, 1.64f);
  EXPECT_EQ(runCli({"chart", example, "--set", "includeWalls=0", "-o", "x.SVG"}, context), kExitDone);
  EXPECT_EQ(chartFile, "x.SVG");
  EXPECT_EQ(written.results.shownWalls, 0.0f);

  context.writeReportPdf = [](const CalculationRecord&, bool, bool, const std::optional<CalculationTrace>&,
                              const std::filesystem::path&) {
    return WriteResult{WriteStatus::Failed, std::make_error_code(std::errc::no_space_on_device)};
  };
  EXPECT_EQ(runCli({"report", "-o", "x.pdf"}, context), kExitCannotOpen);
  EXPECT_TRUE(contains(err.str(), "kamerol-cli: cannot write x.pdf: No space left on device\n")) << err.str();
}

#ifndef _WIN32
TEST(CliTest, OnlyRegularFilesAreWrittenOrRead) {
  const auto fifo = temporaryPath("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  for (const std::filesystem::path& target : {fifo, std::filesystem::path("/dev/null"), fifo.parent_path()}) {
    const auto type = std::filesystem::status(target).type();
    const CliRun run = cli({"calc", "-o", target.string()});
    EXPECT_EQ(run.code, kExitCannotOpen) << target;
    EXPECT_EQ(run.err, "kamerol-cli: cannot write " + target.string() + ": not a regular file\n");
    EXPECT_EQ(std::filesystem::status(target).type(), type) << target;
  }
  const CliRun run = cli({"calc", fifo.string()});  // would wait for a writer for ever
  EXPECT_EQ(run.code, kExitCannotOpen);
  EXPECT_EQ(run.err, "kamerol-cli: cannot open " + fifo.string() + "\n");
  std::filesystem::remove(fifo);
}
#endif

TEST(CliTest, DashWritesTheCalculationFileAloneToStandardOutput) {
  const auto path = temporaryPath("dash.tpl");
  const std::vector<std::string> file = {"calc", (kExamples / "potato-store.tpl").string(), "--set",
                                         "clientInfo=Склад"};
  std::vector<std::string> args = file;
  args.insert(args.end(), {"-o", path.string()});
  ASSERT_EQ(cli(args).code, kExitDone);
  args = file;
  args.insert(args.end(), {"-o", "-"});
  const CliRun run = cli(args);
  EXPECT_EQ(run.code, kExitDone);
  std::ifstream in(path, std::ios::binary);
  std::ostringstream saved;
  saved << in.rdbuf();
  EXPECT_EQ(run.out, saved.str());
  EXPECT_TRUE(run.err.empty());
  EXPECT_FALSE(std::filesystem::exists("-"));
  in.close();  // Windows removes no open file
  std::filesystem::remove(path);
}

// Bytes that are not UTF-8, or only look like it, in a file (with and without
// the UTF-8 mark) and typed with --set: the JSON stays valid UTF-8.
TEST(CliTest, JsonIsValidUtf8WhateverTheBytes) {
  std::ifstream in(kExamples / "worked-example.tpl", std::ios::binary);
  std::ostringstream example;
  example << in.rdbuf();
  const std::string lines52 = example.str().substr(0, example.str().rfind("\r\n", example.str().size() - 3) + 2);
  const auto path = temporaryPath("hostile.tpl");
  for (const std::string& hostile : std::vector<std::string>{
           "\xFF\xFE", "\xC0\xAF overlong", "\xED\xA0\x80 surrogate", "\xF4\x90\x80\x80 too high", "\xE2\x82 cut",
           "\x80 lone", "\xD0\x9A\xC3", std::string("nul\0\x01\x1F", 6), "\xEF\xBB\xBF\xCA\xEB\xE8\xE5\xED\xF2"}) {
    for (const std::string& mark : std::vector<std::string>{"", "\xEF\xBB\xBF"}) {
      std::ofstream(path, std::ios::binary) << mark + lines52 + hostile + "\r\n";
      const CliRun run = cli({"calc", path.string(), "--json"});
      EXPECT_EQ(run.code, kExitDone) << hostile;
      EXPECT_TRUE(isValidUtf8(run.out)) << hostile;
      EXPECT_TRUE(contains(run.out, "\"Text49\": \"1.64\"")) << hostile;  // every line recognised
    }
    const CliRun typed = cli({"calc", "--set", "clientInfo=" + hostile, "--set", "wallMaterial=" + hostile, "--json"});
    EXPECT_EQ(typed.code, kExitDone) << hostile;
    EXPECT_TRUE(isValidUtf8(typed.out)) << hostile;
  }
  // Windows-1251 after the mark is read as such: "Клиент".
  std::ofstream(path, std::ios::binary) << "\xEF\xBB\xBF" + lines52 + "\xCA\xEB\xE8\xE5\xED\xF2\r\n";
  EXPECT_TRUE(contains(cli({"calc", path.string(), "--json"}).out, "\"clientInfo\": \"Клиент\""));
  std::filesystem::remove(path);
}

TEST(CliTest, HelpAndVersion) {
  CliRun run = cli({"--help"});
  EXPECT_EQ(run.code, kExitDone);
  EXPECT_TRUE(contains(run.out, "kamerol-cli calc"));
  run = cli({"--version"});
  EXPECT_EQ(run.out, std::string("kamerol-cli ") + kVersion + "\n");
}

// --set takes the number in the field's unit, the JSON "inputs" hold it in the
// record's, and --help says which fields differ.
TEST(CliTest, HelpNamesTheFieldsTypedInAnotherUnitThanHeld) {
  struct Case {
    const char* assignment;
    const char* json;
    const char* help;
  };
  const Case cases[] = {
      {"roomLength=250", "\"roomLength\": 2.5,", "roomLength"},
      {"roomHeight=250", "\"roomHeight\": 2.5,", "roomHeight"},
      {"doorWidth=250", "\"doorWidth\": 2.5,", "doorWidth are typed in cm and held in m"},
      {"reservePercent=10", "\"reserveFactor\": 1.10000002,",
       "reservePercent is typed in % and held as reserveFactor = 1 + % / 100"},
      {"equipHours=12", "\"equipHours\": 12,", "the others are held as typed"},
  };
  std::string help = cli({"--help"}).out;
  std::ranges::replace(help, '\n', ' ');
  for (const Case& c : cases) {
    const CliRun run = cli({"calc", "--set", c.assignment, "--json"});
    EXPECT_TRUE(contains(run.out, c.json)) << c.assignment;
    EXPECT_TRUE(contains(help, c.help)) << c.help;
  }
}

// The --json output on one line, as --jsonl writes it.
std::string oneLine(const std::string& json) {
  std::string line;
  for (std::size_t i = 0; i < json.size(); ++i) {
    if (json[i] != '\n') {
      line += json[i];
      continue;
    }
    while (i + 1 < json.size() && json[i + 1] == ' ') ++i;
    if (!line.empty() && line.back() == ',') line += ' ';
  }
  return line;
}

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(CliBatchTest, JsonLinesAreTheJsonOfEachFileInOrder) {
  const auto bad = temporaryPath("not-a-calculation.tpl");
  std::ofstream(bad) << "hello\r\n";
  const std::vector<std::string> files = {(kExamples / "potato-store.tpl").string(), "/nonexistent/a.tpl", bad.string(),
                                          (kExamples / "worked-example.tpl").string()};
  for (const char* jobs : {"1", "3"}) {
    std::vector<std::string> args = {"calc", "--jsonl", "--set", "roomHeight=350", "-j", jobs};
    args.insert(args.end(), files.begin(), files.end());
    const CliRun run = cli(args);
    EXPECT_EQ(run.code, kExitCannotOpen) << "2 is worse than 3";
    const auto lines = linesOf(run.out);
    ASSERT_EQ(lines.size(), files.size()) << run.out;
    for (std::size_t i : {0u, 3u}) {
      const CliRun single = cli({"calc", files[i], "--set", "roomHeight=350", "--json"});
      EXPECT_EQ(lines[i], "{\"file\": " + kamerol::cli::jsonString(files[i]) + ", " + oneLine(single.out).substr(1));
    }
    EXPECT_EQ(
        lines[1],
        R"({"file": "/nonexistent/a.tpl", "error": {"kind": "cannot-open", "message": "cannot open /nonexistent/a.tpl"}})");
    EXPECT_TRUE(contains(lines[2], R"("error": {"kind": "not-calculation-file")"));
    EXPECT_TRUE(contains(run.err, bad.string() + ": Сообщение программы: Другой формат файла\n"));
  }
  std::filesystem::remove(bad);
  EXPECT_EQ(cli({"calc", "--jsonl", bad.string()}).code, kExitCannotOpen);
  EXPECT_EQ(cli({"calc", "--jsonl", (kExamples / "worked-example.tpl").string()}).code, kExitDone);
}

TEST(CliBatchTest, CsvRowsShowTheResultBoxes) {
  const auto list = temporaryPath("list.txt");
  std::ofstream(list) << (kExamples / "worked-example.tpl").string() << "\r\n\n/nonexistent/a,b.tpl\n";
  const CliRun run = cli({"calc", "--files-from", list.string(), "--csv"});
  std::filesystem::remove(list);
  EXPECT_EQ(run.code, kExitCannotOpen);
  const auto lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), 3u) << run.out;
  EXPECT_EQ(lines[0],
            "file,shownWalls,shownVentilation,shownDoor,shownProduct,shownRespiration,shownLighting,shownStaff,"
            "shownVehicles,shownFans,qTotal,requiredCapacity");
  EXPECT_EQ(lines[1], (kExamples / "worked-example.tpl").string() + ",0.63,0.46,0,0,0,0,0,0,0.08,1.17,1.64");
  EXPECT_EQ(lines[2], "\"/nonexistent/a,b.tpl\",,,,,,,,,,,");
  EXPECT_EQ(cli({"calc", "--files-from", "/nonexistent/list", "--csv"}).code, kExitCannotOpen);
}

TEST(CliBatchTest, AnAssignmentAFileDoesNotTakeIsThatFilesError) {
  // The fan count is locked unless the refined fan calculation is on, as in the fish store only.
  const CliRun run = cli({"calc", "--jsonl", "--set", "fanCount=6", (kExamples / "fish-freezer-store.tpl").string(),
                          (kExamples / "potato-store.tpl").string()});
  EXPECT_EQ(run.code, kExitUsage);
  const auto lines = linesOf(run.out);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(contains(lines[0], "\"Text36\": \"6\"")) << lines[0];
  EXPECT_TRUE(contains(lines[1], R"("error": {"kind": "cannot-set", "message": "fanCount is locked)")) << lines[1];
}

TEST(CliBatchTest, OutDirSavesEachCalculationUnderItsName) {
  const auto dir = temporaryPath("out-dir");
  std::filesystem::create_directories(dir);
  const CliRun run =
      cli({"calc", (kExamples / "worked-example.tpl").string(), (kExamples / "potato-store.tpl").string(), "--set",
           "clientInfo=Склад", "--csv", "--out-dir", dir.string(), "-j", "2"});
  ASSERT_EQ(run.code, kExitDone) << run.err;
  for (const char* name : {"worked-example.tpl", "potato-store.tpl"}) {
    const CliRun saved = cli({"calc", (dir / name).string(), "--json"});
    EXPECT_TRUE(contains(saved.out, "\"clientInfo\": \"Склад\"")) << name;
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 2) << "no temporary files left";
  std::filesystem::remove_all(dir);
  EXPECT_EQ(cli({"calc", "a.tpl", "--csv", "--out-dir", dir.string()}).code, kExitCannotOpen);
}

}  // namespace
}  // namespace kamerol
