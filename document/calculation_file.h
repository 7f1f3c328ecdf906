#pragma once

// The calculation file (.tpl): 53 lines of Windows-1251 text with CR LF, one
// control of the calculation form per line, by position. The file stores what
// the controls show, not the held numbers, and is read back through the form
// so that every field's reactions run; results are never stored.

#include <filesystem>
#include <string>
#include <string_view>

#include "form/calculation_fields.h"
#include "form/calculation_form.h"
#include "form/messages.h"
#include "platform/file_access.h"

namespace kamerol {

// Opened from the Open command (dialog), or named on the command line at
// start-up. Only the dialog reports a format error and clears `modified`.
enum class ReadMode { Dialog, CommandLine };

enum class ReadStatus { Ok, CannotOpen, FormatError };

// The message a dialog read shows for a file that is not a calculation file.
Message formatErrorMessage();

// Reads a calculation file into the form and recalculates. The whole file is
// checked before any line is applied: a file that cannot be opened (missing,
// unreadable, not a regular file) or does not have the format leaves the
// calculation exactly as it was.
ReadStatus readCalculationFile(CalculationForm& form, const std::filesystem::path& path, ReadMode mode,
                               MessageSink& messages);

// The same from the file's bytes.
ReadStatus readCalculationBytes(CalculationForm& form, std::string_view bytes, ReadMode mode, MessageSink& messages);

// The bytes of the calculation file for the form as it is shown.
std::string calculationFileBytes(const CalculationForm& form);

// Writes the calculation file and clears `modified`; a failed write leaves an
// existing file intact and `modified` as it was (see writeWholeFile).
WriteResult writeCalculationFile(CalculationForm& form, const std::filesystem::path& path);

// Bytes of a file that can matter to the reader: 53 lines of at most 64 KiB.
inline constexpr std::size_t kMaxLineBytes = 64 * 1024;
inline constexpr int kStoredLines = static_cast<int>(kCalculationFields.size());

}  // namespace kamerol
