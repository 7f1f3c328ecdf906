#pragma once

// The project as tables: the rooms (every input of each room as its form
// shows it, every result), the systems and the totals; written as CSV in the
// user's conventions or as an XLSX workbook with the sheets "Помещения",
// "Системы" and "Итого". The columns come from the calculation's own field
// tables (the form's fields, the record's results, the nine gains).

#include <filesystem>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "core/number_text.h"
#include "platform/file_access.h"
#include "project/project.h"

namespace kamerol {

// One cell: empty, a text, or a number.
using ExportCell = std::variant<std::monostate, std::string, double>;

struct ExportSheet {
  std::string name;                           // the sheet's name: "Помещения", "Системы", "Итого"
  std::vector<std::string> header;            // column captions, with units where the column has one
  std::vector<std::vector<ExportCell>> rows;  // each as long as the header
};

// The three sheets, in order. `records[i]` is room i's computed record;
// `locale` reads the rooms' numeric texts as numbers (as the form read them).
std::vector<ExportSheet> projectSheets(const Project& project, std::span<const CalculationRecord> records,
                                       const NumberLocale& locale);

// How a CSV file separates fields and writes a decimal number: a locale whose
// decimal separator is the comma gets ";" between fields, others ",".
struct CsvConventions {
  char fieldSeparator = ',';
  std::string decimalSeparator = ".";
};
CsvConventions csvConventionsFor(const NumberLocale& locale);

// The sheets one after another, each as a line with its name, its header and
// its rows, a blank line between sheets; CR LF line ends, UTF-8 with a
// byte-order mark (which spreadsheets take as the sign of UTF-8).
std::string projectCsv(std::span<const ExportSheet> sheets, const CsvConventions& conventions);

// Whether this build writes XLSX (it needs libxlsxwriter).
bool canWriteXlsx();

// Writes the sheets as an XLSX workbook, replacing `path` only once the new
// file is complete on disk. Numbers are written as numbers.
WriteResult writeProjectXlsx(std::span<const ExportSheet> sheets, const std::filesystem::path& path);

}  // namespace kamerol
