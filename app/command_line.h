#pragma once

#include <QStringList>

#include <filesystem>
#include <optional>

namespace kamerol {

// The calculation file named on the program's command line (its one optional
// argument). Where the desktop's file association passes it in double quotes
// they are dropped; an unquoted path is used as it is.
std::optional<std::filesystem::path> commandLineFile(const QStringList& arguments);

}  // namespace kamerol
