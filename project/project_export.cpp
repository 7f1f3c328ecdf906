#include "project/project_export.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>

#include "core/cp1251.h"
#include "core/record_fields.h"
#include "form/calculation_fields.h"

#ifdef KAMEROL_HAVE_XLSXWRITER
#include <xlsxwriter.h>

#include "platform/windows_api.h"
#endif

namespace kamerol {
namespace {

constexpr std::string_view kKilowatts = ", кВт";

// An engine's value as the boxes write it (at most seven significant
// digits), as the double that text reads back as: a spreadsheet then shows
// 1.64, not 1.63999998569.
ExportCell number(float value) {
  if (!std::isfinite(value)) return std::monostate{};
  return leadingNumber(formatNumber(value));
}

// A sum or a product of such values, to six significant digits: what the
// floats' last digit adds is noise (0.5 × 1.638 is 0.819, not 0.8189999).
ExportCell sum(double value) {
  if (!std::isfinite(value)) return std::monostate{};
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
  double rounded = 0;
  std::from_chars(text, written.ptr, rounded);
  return rounded;
}

std::string trimmed(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return std::string(text);
}

std::string withUnit(std::string_view caption, std::string_view unit) {
  return unit.empty() ? std::string(caption) : std::string(caption) + ", " + std::string(unit);
}

// The caption of a result column: the panel's caption where the result is
// one of its rows, else the result's name; with its unit.
std::string resultHeader(const NamedField<CalculationResults, float>& field) {
  for (const GainRow& row : kGains)
    if (row.shown == field.member) return withUnit(row.caption, field.unit);
  if (field.member == &CalculationResults::qTotal) return withUnit(kTotal.caption, field.unit);
  if (field.member == &CalculationResults::requiredCapacity) return withUnit(kRequiredCapacity.caption, field.unit);
  return withUnit(field.name, field.unit);
}

// An input column: the form's field caption where the record names one,
// with the unit the form's field is typed in; else the field's name.
std::string inputHeader(const CalculationField& field) {
  if (field.held)
    if (const std::string_view caption = captionOf(field.held); !caption.empty()) return trimmed(caption);
  return std::string(field.name);
}

ExportCell inputCell(const CalculationField& field, std::string_view text, const CalculationRecord& record,
                     const NumberLocale& locale) {
  switch (field.kind) {
    case LineKind::Option:
      return std::string(processModeName(record.inputs.processMode));
    case LineKind::Check:
      return leadingNumber(text);
    case LineKind::Text:
      break;
  }
  if (field.held || field.extra != LineExtra::None)
    if (const auto value = localeNumber(text, locale); value && std::isfinite(*value)) return *value;
  if (text.empty()) return std::monostate{};
  return std::string(text);
}

ExportSheet roomsSheet(const Project& project, std::span<const CalculationRecord> records, const NumberLocale& locale) {
  ExportSheet sheet{"Помещения", {"Помещение", "Система"}, {}};
  for (const CalculationField& field : kCalculationFields)
    if (!field.name.empty()) sheet.header.push_back(inputHeader(field));
  for (const auto& field : floatResultFields()) sheet.header.push_back(resultHeader(field));
  for (const auto& field : integerResultFields()) sheet.header.push_back(withUnit(field.name, field.unit));

  for (std::size_t i = 0; i < project.rooms().size(); ++i) {
    const ProjectRoom& room = project.room(i);
    const CalculationRecord& record = records[i];
    std::vector<ExportCell> row;
    row.reserve(sheet.header.size());
    row.emplace_back(room.name);
    if (room.system)
      row.emplace_back(project.system(*room.system).name);
    else
      row.emplace_back();
    for (std::size_t line = 0; line < kCalculationFields.size(); ++line) {
      const CalculationField& field = kCalculationFields[line];
      if (field.name.empty()) continue;
      const std::string_view text = line < room.texts.size() ? std::string_view(room.texts[line]) : "";
      row.push_back(inputCell(field, text, record, locale));
    }
    for (const auto& field : floatResultFields()) row.push_back(number(record.results.*(field.member)));
    for (const auto& field : integerResultFields()) row.push_back(static_cast<double>(record.results.*(field.member)));
    sheet.rows.push_back(std::move(row));
  }
  return sheet;
}

std::vector<std::string> sumsHeader() {
  std::vector<std::string> header;
  for (const GainRow& row : kGains) header.push_back(std::string(row.caption) + std::string(kKilowatts));
  header.push_back(std::string(kTotal.caption) + std::string(kKilowatts));
  return header;
}

void appendSums(std::vector<ExportCell>& row, const LoadSums& sums) {
  for (double gain : sums.gains) row.push_back(sum(gain));
  row.push_back(sum(sums.qTotal));
}

ExportSheet systemsSheet(const Project& project, const ProjectTotals& totals) {
  ExportSheet sheet{"Системы", {"Система", "t0, °C", "Коэффициент одновременности", "Помещений"}, {}};
  for (std::string& caption : sumsHeader()) sheet.header.push_back(std::move(caption));
  sheet.header.push_back("Требуемая холодопроизводительность помещений, кВт");
  sheet.header.push_back("Требуемая холодопроизводительность системы, кВт");
  for (std::size_t s = 0; s < project.systems().size(); ++s) {
    const RefrigerationSystem& system = project.system(s);
    const SystemTotals& total = totals.systems[s];
    std::vector<ExportCell> row{system.name, sum(system.t0), sum(system.factor), static_cast<double>(total.sums.rooms)};
    appendSums(row, total.sums);
    row.push_back(sum(total.sums.requiredCapacity));
    row.push_back(sum(total.requiredCapacity));
    sheet.rows.push_back(std::move(row));
  }
  if (totals.unassigned.rooms > 0) {
    std::vector<ExportCell> row{std::string("Без системы"), std::monostate{}, std::monostate{},
                                static_cast<double>(totals.unassigned.rooms)};
    appendSums(row, totals.unassigned);
    row.push_back(sum(totals.unassigned.requiredCapacity));
    row.push_back(sum(totals.unassigned.requiredCapacity));
    sheet.rows.push_back(std::move(row));
  }
  return sheet;
}

ExportSheet totalsSheet(const Project& project, const ProjectTotals& totals,
                        const std::vector<ProjectWarning>& warnings) {
  ExportSheet sheet{"Итого", {"Показатель", "Значение"}, {}};
  const auto add = [&](std::string caption, ExportCell value) {
    sheet.rows.push_back({std::move(caption), std::move(value)});
  };
  add("Объект", project.details.title);
  add("Заказчик", project.details.client);
  add("Автор", project.details.author);
  add("Дата", project.details.date);
  add("Помещений", static_cast<double>(project.rooms().size()));
  add("Холодильных систем", static_cast<double>(project.systems().size()));
  const std::vector<std::string> captions = sumsHeader();
  std::vector<ExportCell> sums;
  appendSums(sums, totals.all);
  for (std::size_t i = 0; i < captions.size(); ++i) add(captions[i], sums[i]);
  add("Требуемая холодопроизводительность объекта, кВт", sum(totals.requiredCapacity));
  for (const ProjectWarning& warning : warnings) add("Предупреждение", warning.text);
  return sheet;
}

std::string csvField(std::string_view text, char separator) {
  if (text.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char ch : text) quoted += ch == '"' ? std::string("\"\"") : std::string(1, ch);
  return quoted + '"';
}

std::string csvCell(const ExportCell& cell, const CsvConventions& conventions) {
  if (const auto* text = std::get_if<std::string>(&cell)) return csvField(*text, conventions.fieldSeparator);
  if (const auto* value = std::get_if<double>(&cell)) {
    char text[32];
    std::string written(text, std::to_chars(text, text + sizeof text, *value).ptr);
    if (const std::size_t point = written.find('.'); point != std::string::npos)
      written.replace(point, 1, conventions.decimalSeparator);
    return csvField(written, conventions.fieldSeparator);
  }
  return {};
}

}  // namespace

std::vector<ExportSheet> projectSheets(const Project& project, std::span<const CalculationRecord> records,
                                       const NumberLocale& locale) {
  const ProjectTotals totals = projectTotals(project, records);
  std::vector<ExportSheet> sheets;
  sheets.push_back(roomsSheet(project, records, locale));
  sheets.push_back(systemsSheet(project, totals));
  sheets.push_back(totalsSheet(project, totals, projectWarnings(project, records)));
  return sheets;
}

CsvConventions csvConventionsFor(const NumberLocale& locale) {
  const std::string& decimal = locale.decimalSeparator.empty() ? std::string(".") : locale.decimalSeparator;
  return {decimal == "," ? ';' : ',', decimal};
}

std::string projectCsv(std::span<const ExportSheet> sheets, const CsvConventions& conventions) {
  std::string csv = "\xEF\xBB\xBF";
  const auto line = [&](const auto& cells, auto&& write) {
    for (std::size_t i = 0; i < cells.size(); ++i) {
      if (i) csv += conventions.fieldSeparator;
      csv += write(cells[i]);
    }
    csv += "\r\n";
  };
  for (std::size_t s = 0; s < sheets.size(); ++s) {
    const ExportSheet& sheet = sheets[s];
    if (s) csv += "\r\n";
    csv += csvField(sheet.name, conventions.fieldSeparator) + "\r\n";
    line(sheet.header, [&](const std::string& text) { return csvField(text, conventions.fieldSeparator); });
    for (const auto& row : sheet.rows) line(row, [&](const ExportCell& cell) { return csvCell(cell, conventions); });
  }
  return csv;
}

#ifdef KAMEROL_HAVE_XLSXWRITER

bool canWriteXlsx() { return true; }

namespace {

// The library writes to a file it names itself, and keeps the workbook's
// parts in temporary files until then: the workbook is built in the temporary
// folder and then saved over the target as any file is.
//
// It names files to the C library's narrow calls (fopen), which on Windows
// read them in the ANSI code page, not UTF-8: the folder goes to it in that
// code page, or in its short (8.3) form where its name has letters the code
// page lacks (a Cyrillic user name on a Western system). Empty when neither
// reaches it.
#ifdef _WIN32
std::string narrowFolderName(const std::filesystem::path& folder) {
  const auto ansi = [](const std::wstring& wide) -> std::string {
    // A UTF-8 code page (Windows' "Unicode UTF-8 for worldwide language support") loses nothing and takes no flags.
    const UINT codePage = GetACP();
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL lossy = FALSE;
    BOOL* const lossyOut = codePage == CP_UTF8 ? nullptr : &lossy;
    const int size = WideCharToMultiByte(codePage, flags, wide.c_str(), -1, nullptr, 0, nullptr, lossyOut);
    if (size <= 1 || lossy) return {};
    std::string text(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(codePage, flags, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    text.pop_back();  // the terminating NUL
    return text;
  };
  if (std::string name = ansi(folder.native()); !name.empty()) return name;
  const DWORD size = GetShortPathNameW(folder.c_str(), nullptr, 0);
  if (size == 0) return {};
  std::wstring shortName(size, L'\0');
  const DWORD length = GetShortPathNameW(folder.c_str(), shortName.data(), size);
  if (length == 0 || length >= size) return {};
  shortName.resize(length);
  return ansi(shortName);
}
#else
std::string narrowFolderName(const std::filesystem::path& folder) { return folder.string(); }
#endif

// `folder` for the parts' files, by value: the library's options take it as a char*.
bool writeWorkbook(std::span<const ExportSheet> sheets, const std::string& file, std::string folder) {
  lxw_workbook_options options{};
  options.tmpdir = folder.data();
  lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
  if (!workbook) return false;
  lxw_format* bold = workbook_add_format(workbook);
  format_set_bold(bold);
  format_set_text_wrap(bold);
  for (const ExportSheet& sheet : sheets) {
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    for (std::size_t c = 0; c < sheet.header.size(); ++c)
      worksheet_write_string(worksheet, 0, static_cast<lxw_col_t>(c), validUtf8(sheet.header[c]).c_str(), bold);
    for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
      const auto row = static_cast<lxw_row_t>(r + 1);
      for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
        const ExportCell& cell = sheet.rows[r][c];
        const auto column = static_cast<lxw_col_t>(c);
        if (const auto* text = std::get_if<std::string>(&cell))
          worksheet_write_string(worksheet, row, column, validUtf8(*text).c_str(), nullptr);
        else if (const auto* value = std::get_if<double>(&cell))
          worksheet_write_number(worksheet, row, column, *value, nullptr);
      }
    }
    worksheet_set_column(worksheet, 0, static_cast<lxw_col_t>(std::max<std::size_t>(sheet.header.size(), 1) - 1), 16,
                         nullptr);
    worksheet_freeze_panes(worksheet, 1, 1);
  }
  return workbook_close(workbook) == LXW_NO_ERROR;
}

}  // namespace

WriteResult writeProjectXlsx(std::span<const ExportSheet> sheets, const std::filesystem::path& path) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  if (error) folder = ".";  // no temporary folder (TMPDIR names none): the current one
  if (!folder.has_filename()) folder = folder.parent_path();  // a separator at its end
  const std::string narrowFolder = narrowFolderName(folder);
  if (narrowFolder.empty()) return WriteResult{WriteStatus::Failed, std::make_error_code(std::errc::io_error)};
  std::random_device random;
  const std::string name = "kamerol-export-" + std::to_string(random()) + std::to_string(random()) + ".xlsx";
  const std::filesystem::path temporary = folder / name;
  const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
  const bool written = writeWorkbook(sheets, narrowFolder + separator + name, narrowFolder);
  const auto bytes = written ? readRegularFile(temporary, std::size_t{1} << 31) : std::nullopt;
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  if (!bytes) return WriteResult{WriteStatus::Failed, std::make_error_code(std::errc::io_error)};
  return writeWholeFile(path, *bytes);
}

#else

bool canWriteXlsx() { return false; }

WriteResult writeProjectXlsx(std::span<const ExportSheet>, const std::filesystem::path&) {
  return WriteResult{WriteStatus::Failed, std::make_error_code(std::errc::function_not_supported)};
}

#endif

}  // namespace kamerol
