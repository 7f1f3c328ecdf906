#include "app/command_line.h"

namespace kamerol {

std::optional<std::filesystem::path> commandLineFile(const QStringList& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  QString path = arguments[1];
  if (path.size() >= 2 && path.startsWith('"') && path.endsWith('"')) path = path.mid(1, path.size() - 2);
  if (path.isEmpty()) return std::nullopt;
  // Through UTF-16: a narrow string would go through the ANSI code page on Windows.
  return std::filesystem::path(path.toStdU16String());
}

}  // namespace kamerol
