#include "document/calculation_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "core/cp1251.h"
#include "document/startup.h"
#include "tests/form/form_test_support.h"
#include "tests/row_names.h"

#if defined(__unix__)
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kamerol {
namespace {

using enum Control;
using testing_support::RecordingMessages;
using testing_support::StartedForm;

std::vector<std::string> splitCrLf(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

std::string joinCrLf(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A calculation that touches every kind of line.
void editEverything(StartedForm& f) {
  f.enter(roomLengthField, "500");
  f.enter(roomWidthField, "400");
  f.enter(roomHeightField, "300");
  for (int i = 0; i < 18; ++i) f.form.spin(roomTempSpinner, -1);
  f.form.click(freezingOption);
  f.enter(equipHoursField, "20");
  f.enter(reservePercentField, "10");
  f.form.pickEntry(wallMaterialList, 14);  // "Кирпич"
  f.enter(wallMaterialThicknessField, "250");
  f.form.setText(ceilingInsulationList, "Мин.вата");
  f.enter(ceilingInsulationThicknessField, "150");
  f.enter(outsideTempFloorField, "10");
  f.enter(doorHeightField, "250");
  f.enter(doorOpenMinutesField, "30");
  f.form.pickEntry(curtainList, 1);          // "Штора"
  f.form.pickEntry(productCategoryList, 4);  // "Фрукты"
  f.form.pickEntry(productList, 23);         // "Яблоки"
  f.enter(dailyMassField, "2000");
  f.enter(productInitialTempField, "20");
  f.enter(productFinalTempField, "-10");
  f.enter(lightingHoursField, "8");
  f.form.click(recommendedLightingCheck);
  f.enter(lightingPowerField, "12");
  f.enter(staffCountField, "3");
  f.enter(vehiclePowerField, "4");
  f.form.click(refinedFanCheck);
  f.enter(fanCountField, "2");
  f.enter(fanPowerField, "400");
  f.form.click(includeRespirationCheck);
  f.enter(clientInfoField, "ООО «Север», склад №2");
}

constexpr Control kStoredControls[] = {roomLengthField,
                                       roomWidthField,
                                       roomHeightField,
                                       roomTempBox,
                                       equipHoursField,
                                       reservePercentField,
                                       wallMaterialList,
                                       ceilingMaterialList,
                                       floorMaterialList,
                                       wallMaterialThicknessField,
                                       ceilingMaterialThicknessField,
                                       floorMaterialThicknessField,
                                       wallInsulationList,
                                       ceilingInsulationList,
                                       floorInsulationList,
                                       wallInsulationThicknessField,
                                       ceilingInsulationThicknessField,
                                       floorInsulationThicknessField,
                                       outsideTempWallsField,
                                       outsideTempCeilingField,
                                       outsideTempFloorField,
                                       airChangeRateBox,
                                       doorHeightField,
                                       doorWidthField,
                                       doorOpenMinutesField,
                                       curtainList,
                                       productCategoryList,
                                       productList,
                                       storedMassField,
                                       dailyMassField,
                                       productInitialTempField,
                                       productFinalTempField,
                                       lightingHoursField,
                                       lightingPowerField,
                                       staffCountField,
                                       vehiclePowerField,
                                       fanPercentField,
                                       fanCountField,
                                       fanPowerField,
                                       clientInfoField,
                                       roomVolumeBox,
                                       floorAreaBox,
                                       wallsGainBox,
                                       ventilationGainBox,
                                       doorGainBox,
                                       productGainBox,
                                       respirationGainBox,
                                       lightingGainBox,
                                       staffGainBox,
                                       vehiclesGainBox,
                                       fansGainBox,
                                       totalGainBox,
                                       requiredCapacityBox,
                                       freezingPointBox};

TEST(CalculationFileTest, RoundTripRestoresTheCalculation) {
  StartedForm original;
  editEverything(original);
  const std::string bytes = calculationFileBytes(original.form);

  StartedForm copy;
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(copy.form, bytes, ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_TRUE(messages.messages.empty());
  for (Control c : kStoredControls) EXPECT_EQ(copy.form.text(c), original.form.text(c)) << nameOf(c);
  for (Control c : {storageOption, freezingOption, recommendedLightingCheck, refinedFanCheck, includeWallsCheck,
                    includeRespirationCheck, includeFansCheck})
    EXPECT_EQ(copy.form.control(c).value, original.form.control(c).value) << nameOf(c);
  EXPECT_EQ(copy.form.results().airChangeRate, original.form.results().airChangeRate);
  EXPECT_EQ(copy.form.results().requiredCapacity, original.form.results().requiredCapacity);
  EXPECT_EQ(copy.form.inputs().productName, "Яблоки");
  EXPECT_EQ(copy.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_FALSE(copy.form.modified());
  EXPECT_EQ(calculationFileBytes(copy.form), bytes);
}

TEST(CalculationFileTest, DefaultsGiveTheKnownLines) {
  StartedForm f;
  const std::string bytes = calculationFileBytes(f.form);
  const auto lines = splitCrLf(bytes);
  ASSERT_EQ(lines.size(), 53u);
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8),
            (std::vector<std::string>{"0", "0", "0", "0", "18", "5", "True", "False"}));
  EXPECT_EQ(lines[42], " 0 ");
  for (int i = 43; i < 52; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)], " 1 ") << i + 1;
  EXPECT_EQ(lines[36], " 1 ");  // the recommended lighting
  EXPECT_EQ(lines[52], "");
  EXPECT_EQ(bytes.substr(bytes.size() - 4), "\r\n\r\n");
  EXPECT_EQ(decodeWindows1251(lines[8]), "Железобетон");
  EXPECT_EQ(lines[8], encodeWindows1251("Железобетон"));
}

TEST(CalculationFileTest, FiftyTwoLinesAreComplete) {
  StartedForm source;
  auto lines = splitCrLf(calculationFileBytes(source.form));
  lines.pop_back();
  StartedForm f;
  f.enter(clientInfoField, "Прежний клиент");
  RecordingMessages messages;
  EXPECT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.text(clientInfoField), "");
  EXPECT_TRUE(messages.messages.empty());
}

struct BadFileCase {
  const char* what;
  std::function<void(std::vector<std::string>&)> edit;
};

class FormatErrorTest : public testing::TestWithParam<BadFileCase> {};

// A format error leaves the calculation exactly as it was, in both modes;
// only the dialog says so.
TEST_P(FormatErrorTest, LeavesTheCalculationAsItWas) {
  StartedForm source;
  source.enter(roomLengthField, "700");
  auto lines = splitCrLf(calculationFileBytes(source.form));
  GetParam().edit(lines);
  const std::string bytes = joinCrLf(lines);

  for (ReadMode mode : {ReadMode::Dialog, ReadMode::CommandLine}) {
    StartedForm f;
    editEverything(f);
    const std::string before = calculationFileBytes(f.form);
    const bool modified = f.form.modified();
    const CalculationResults results = f.form.results();
    RecordingMessages messages;
    EXPECT_EQ(readCalculationBytes(f.form, bytes, mode, messages), ReadStatus::FormatError) << GetParam().what;
    EXPECT_EQ(calculationFileBytes(f.form), before) << GetParam().what;
    EXPECT_EQ(f.form.modified(), modified);
    EXPECT_EQ(f.form.results().requiredCapacity, results.requiredCapacity);
    if (mode == ReadMode::Dialog) {
      ASSERT_EQ(messages.messages.size(), 1u) << GetParam().what;
      EXPECT_EQ(messages.messages[0].text, "Другой формат файла");
      EXPECT_EQ(messages.messages[0].title, "Сообщение программы");
      EXPECT_EQ(messages.messages[0].icon, MessageIcon::Error);
    } else {
      EXPECT_TRUE(messages.messages.empty()) << GetParam().what;
    }
  }
}

auto setLine(int number, std::string text) {
  return [number, text](std::vector<std::string>& lines) { lines[static_cast<std::size_t>(number - 1)] = text; };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormatErrorTest,
    testing::Values(BadFileCase{"51 lines", [](auto& l) { l.resize(51); }},
                    BadFileCase{"empty file", [](auto& l) { l.clear(); }},
                    BadFileCase{"line 5 letters", setLine(5, "abc")}, BadFileCase{"line 5 empty", setLine(5, "")},
                    BadFileCase{"line 5 too large", setLine(5, "1e39")},
                    BadFileCase{"line 21 letters", setLine(21, "жарко")}, BadFileCase{"line 23 empty", setLine(23, "")},
                    BadFileCase{"line 4 too large", setLine(4, "1e40")}, BadFileCase{"option word", setLine(7, "Yes")},
                    BadFileCase{"option empty", setLine(8, "")}, BadFileCase{"check 7", setLine(37, "7")},
                    BadFileCase{"check -1", setLine(44, "-1")}, BadFileCase{"check word", setLine(52, "on")},
                    BadFileCase{"check beyond 16 bits", setLine(43, "65537")},
                    BadFileCase{"check fraction", setLine(50, "1.5")},
                    BadFileCase{"line 30 longer than 64 KiB", setLine(30, std::string(70000, 'x'))}),
    RowName());

TEST(CalculationFileTest, LinesThatAreNotFormatErrors) {
  StartedForm source;
  auto lines = splitCrLf(calculationFileBytes(source.form));
  lines[3] = "холодно";  // line 4: its leading number is 0
  lines[6] = "false";
  lines[7] = "TRUE";
  lines[36] = "1";
  lines[43] = "0 ";
  lines[44] = " 2";  // greyed
  StartedForm f;
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.inputs().roomTemp, 0.0f);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
  EXPECT_EQ(f.form.control(includeWallsCheck).value, 0);
  EXPECT_EQ(f.form.control(includeVentilationCheck).value, 2);
  EXPECT_FALSE(f.form.inputs().includeWalls);
  lines[6] = " 1 ";
  lines[7] = "0";
  ASSERT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Storage);
}

TEST(CalculationFileTest, OptionLinesSelectOnlyWhatTheySay) {
  StartedForm source;
  auto lines = splitCrLf(calculationFileBytes(source.form));
  lines[6] = lines[7] = "False";
  StartedForm f;
  f.form.click(freezingOption);
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.control(storageOption).value, 0);
  EXPECT_EQ(f.form.control(freezingOption).value, 0);
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);  // as it was

  lines[6] = lines[7] = "True";
  ASSERT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.control(storageOption).value, 0);
  EXPECT_EQ(f.form.control(freezingOption).value, 1);  // line 8 comes last
  EXPECT_EQ(f.form.inputs().processMode, ProcessMode::Freezing);
}

TEST(CalculationFileTest, TextsAreStoredAsShown) {
  StartedForm comma(NumberLocale::comma());
  comma.enter(roomLengthField, "512,5");
  comma.form.setText(ceilingMaterialList, "Бетон ячеистый");  // not in the list
  comma.enter(clientInfoField, "Zoë 中");
  const std::string bytes = calculationFileBytes(comma.form);
  const auto lines = splitCrLf(bytes);
  EXPECT_EQ(lines[0], "512,5");
  EXPECT_EQ(lines[52], "Zo? ?");  // "ë" and "中" have no Windows-1251 code

  StartedForm f(NumberLocale::comma());
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.text(roomLengthField), "512,5");
  EXPECT_FLOAT_EQ(f.form.inputs().roomLength, 5.125f);
  EXPECT_EQ(f.form.text(ceilingMaterialList), "Бетон ячеистый");
  EXPECT_EQ(f.form.inputs().ceilingMaterialLambda, 1.7f);  // the look-up found nothing
}

TEST(CalculationFileTest, ReadsUtf8WithAndWithoutMarkAndWindows1251AfterAMark) {
  StartedForm source;
  source.form.pickEntry(productCategoryList, 3);  // "Овощи"
  source.enter(clientInfoField, "Клиент");
  std::string utf8;
  for (const std::string& line : splitCrLf(calculationFileBytes(source.form))) utf8 += decodeWindows1251(line) + "\r\n";
  // An editor may put the mark before Windows-1251 text: the mark alone does not make it UTF-8.
  const std::string windows1251 = calculationFileBytes(source.form);
  for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, "\xEF\xBB\xBF" + windows1251}) {
    StartedForm f;
    RecordingMessages messages;
    ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::Dialog, messages), ReadStatus::Ok);
    EXPECT_EQ(f.form.text(productCategoryList), "Овощи");
    EXPECT_EQ(f.form.text(productList), "Баклажаны");
    EXPECT_EQ(f.form.text(clientInfoField), "Клиент");
  }
}

TEST(CalculationFileTest, LineEndsAndLinesPastTheLast) {
  StartedForm source;
  auto lines = splitCrLf(calculationFileBytes(source.form));
  lines[52] = "клиент";
  lines.push_back("строка 54");
  // Lone CRs end lines too; a lone LF stays inside its line.
  std::string bytes;
  for (std::size_t i = 0; i < lines.size(); ++i) bytes += encodeWindows1251(lines[i]) + (i % 2 ? "\r" : "\r\n");
  StartedForm f;
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.text(clientInfoField), "клиент");

  lines[52] = "a\nb";
  ASSERT_EQ(readCalculationBytes(f.form, encodeWindows1251(joinCrLf(lines)), ReadMode::Dialog, messages),
            ReadStatus::Ok);
  EXPECT_EQ(f.form.text(clientInfoField), "a b");  // the client field is one line
}

TEST(CalculationFileTest, ReadingRunsEachLinesReactions) {
  StartedForm source;
  for (int i = 0; i < 18; ++i) source.form.spin(roomTempSpinner, -1);
  auto lines = splitCrLf(calculationFileBytes(source.form));
  lines[33] = "-25";  // final temperature below the room: pulled up while reading
  lines[35] = "12";   // lighting power, then line 37 turns the recommendation on
  StartedForm f;
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, joinCrLf(lines), ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(f.form.text(productFinalTempField), "-18");
  EXPECT_EQ(f.form.text(lightingPowerField), "5");
  EXPECT_EQ(f.form.inputs().lightingPower, 5.0f);
}

TEST(CalculationFileTest, CommandLineReadKeepsModified) {
  StartedForm source;
  source.enter(roomLengthField, "500");
  source.enter(roomWidthField, "400");
  const std::string bytes = calculationFileBytes(source.form);
  StartedForm f;
  RecordingMessages messages;
  ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::CommandLine, messages), ReadStatus::Ok);
  EXPECT_TRUE(f.form.modified());  // the read changed displayed results
  ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_FALSE(f.form.modified());
}

// Restoring the controls is the program's doing, not an edit: a file whose
// inputs change no result leaves the calculation unmodified in either mode.
TEST(CalculationFileTest, ReadingIsNoEdit) {
  StartedForm source;
  source.enter(doorWidthField, "200");
  source.enter(storedMassField, "100");
  source.form.pickEntry(curtainList, 1);
  const std::string bytes = calculationFileBytes(source.form);
  for (ReadMode mode : {ReadMode::Dialog, ReadMode::CommandLine}) {
    StartedForm f;
    RecordingMessages messages;
    ASSERT_EQ(readCalculationBytes(f.form, bytes, mode, messages), ReadStatus::Ok);
    EXPECT_EQ(f.form.text(doorWidthField), "200");
    EXPECT_FALSE(f.form.modified());
  }
}

// A file keeps the separators as typed; it reads the same on a machine set
// for a decimal point and on one set for a decimal comma.
struct SeparatorCase {
  const char* name;
  NumberLocale locale;
};

class FileSeparatorTest : public testing::TestWithParam<SeparatorCase> {};

TEST_P(FileSeparatorTest, CommaAndPointFilesGiveTheSameResults) {
  // Lines read as locale numbers: equipment hours, an outside temperature, the
  // door time, the lighting hours and the vehicles' power.
  const std::vector<std::pair<Control, std::string>> fields = {{equipHoursField, "18.5"},
                                                               {outsideTempWallsField, "30.5"},
                                                               {doorOpenMinutesField, "7.5"},
                                                               {lightingHoursField, "8.5"},
                                                               {vehiclePowerField, "2.5"}};
  StartedForm reference;
  reference.enter(roomLengthField, "500");
  reference.enter(roomWidthField, "400");
  reference.enter(roomHeightField, "300");
  for (const auto& [control, text] : fields) reference.enter(control, text);
  ASSERT_EQ(reference.form.text(requiredCapacityBox), "3.68");
  const std::string pointFile = calculationFileBytes(reference.form);
  std::string commaFile = pointFile;
  for (const auto& [control, text] : fields) {
    std::string comma = text;
    comma[comma.find('.')] = ',';
    commaFile.replace(commaFile.find("\n" + text + "\r") + 1, text.size(), comma);
  }
  ASSERT_NE(commaFile, pointFile);

  for (const std::string& bytes : {pointFile, commaFile}) {
    StartedForm f(GetParam().locale);
    ASSERT_EQ(readCalculationBytes(f.form, bytes, ReadMode::Dialog, f.messages), ReadStatus::Ok);
    EXPECT_TRUE(f.messages.messages.empty());
    EXPECT_EQ(f.form.results().requiredCapacity, reference.form.results().requiredCapacity);
    EXPECT_EQ(f.form.inputs().vehiclePower, 2.5f);
    EXPECT_EQ(calculationFileBytes(f.form), bytes);  // saved again as it was typed
  }
}

INSTANTIATE_TEST_SUITE_P(Locales, FileSeparatorTest,
                         testing::Values(SeparatorCase{"DecimalPoint", NumberLocale::point()},
                                         SeparatorCase{"DecimalComma", NumberLocale::comma()}),
                         [](const auto& info) { return std::string(info.param.name); });

class TemporaryFolder {
 public:
  TemporaryFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("kamerol-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter_++));
    std::filesystem::create_directories(path_);
  }
  ~TemporaryFolder() {
    std::error_code error;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, error);
    std::filesystem::remove_all(path_, error);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  static inline int counter_ = 0;
  std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(CalculationFileTest, WriteAndReadAFile) {
  TemporaryFolder folder;
  const auto path = folder.path() / u8"камера.tpl";
  StartedForm f;
  f.enter(clientInfoField, "клиент");
  ASSERT_TRUE(f.form.modified());
  ASSERT_TRUE(writeCalculationFile(f.form, path));
  EXPECT_FALSE(f.form.modified());
  EXPECT_EQ(readFile(path), calculationFileBytes(f.form));
  // Replacing an existing file leaves no temporary file behind.
  f.enter(roomWidthField, "400");
  ASSERT_TRUE(writeCalculationFile(f.form, path));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

  StartedForm g;
  RecordingMessages messages;
  EXPECT_EQ(readCalculationFile(g.form, path, ReadMode::Dialog, messages), ReadStatus::Ok);
  EXPECT_EQ(g.form.text(roomWidthField), "400");
  EXPECT_EQ(readCalculationFile(g.form, folder.path() / u8"нет.tpl", ReadMode::Dialog, messages),
            ReadStatus::CannotOpen);
  EXPECT_EQ(readCalculationFile(g.form, folder.path(), ReadMode::Dialog, messages), ReadStatus::CannotOpen);
  EXPECT_TRUE(messages.messages.empty());
}

TEST(CalculationFileTest, FailedSaveReportsFailureAndKeepsModified) {
  TemporaryFolder folder;
  StartedForm f;
  f.enter(clientInfoField, "клиент");
  EXPECT_FALSE(writeCalculationFile(f.form, folder.path() / u8"нет такой папки" / "a.tpl"));
  EXPECT_FALSE(writeCalculationFile(f.form, folder.path()));  // a folder, not a file
  EXPECT_TRUE(f.form.modified());
}

#if defined(__unix__)
// Runs `body` as an unprivileged user: as root every folder is writable.
bool runUnprivileged(const std::function<bool()>& body) {
  if (::geteuid() != 0) return body();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && body();
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(CalculationFileTest, WritableFileInAReadOnlyFolderIsRewrittenInPlace) {
  TemporaryFolder folder;
  const auto path = folder.path() / "old.tpl";
  StartedForm f;
  f.enter(roomLengthField, "700");
  ASSERT_TRUE(writeCalculationFile(f.form, path));
  std::filesystem::permissions(path, std::filesystem::perms::all);  // anyone may write the file...
  std::filesystem::permissions(folder.path(),                       // ...but nobody else the folder
                               std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                   std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                   std::filesystem::perms::others_exec);
  if (::geteuid() != 0)
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  f.enter(roomLengthField, "900");
  f.enter(clientInfoField, "новый клиент");
  const bool savedInPlace = runUnprivileged([&] { return writeCalculationFile(f.form, path) && !f.form.modified(); });
  EXPECT_TRUE(savedInPlace);
  EXPECT_EQ(readFile(path), calculationFileBytes(f.form));
  EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::all);
}
#endif

TEST(StartUpTest, CommandLineFileIsReadSilently) {
  TemporaryFolder folder;
  StartedForm source;
  source.enter(roomLengthField, "500");
  source.enter(roomWidthField, "400");
  source.enter(roomHeightField, "300");
  ASSERT_TRUE(writeCalculationFile(source.form, folder.path() / "a.tpl"));

  RecordingMessages messages;
  CalculationForm form(messages, NumberLocale::point());
  EXPECT_TRUE(startCalculation(form, folder.path() / "a.tpl", messages));
  EXPECT_EQ(form.text(requiredCapacityBox), "1.64");
  EXPECT_FALSE(form.modified());  // as after "Открыть": closing at once asks nothing

  CalculationForm missing(messages, NumberLocale::point());
  startCalculation(missing, folder.path() / "missing.tpl", messages);
  EXPECT_EQ(missing.text(roomLengthField), "0");
  EXPECT_FALSE(missing.modified());

#ifndef _WIN32
  // A FIFO would wait for a writer for ever: it is not opened, as a missing file.
  ASSERT_EQ(::mkfifo((folder.path() / "fifo.tpl").c_str(), 0600), 0);
  CalculationForm fifo(messages, NumberLocale::point());
  startCalculation(fifo, folder.path() / "fifo.tpl", messages);
  EXPECT_EQ(fifo.text(roomLengthField), "0");
#endif

  std::ofstream(folder.path() / "bad.tpl") << "not a calculation\r\n";
  CalculationForm bad(messages, NumberLocale::point());
  EXPECT_FALSE(startCalculation(bad, folder.path() / "bad.tpl", messages));
  EXPECT_EQ(bad.text(equipHoursField), "18");
  EXPECT_TRUE(messages.messages.empty());
}

}  // namespace
}  // namespace kamerol
