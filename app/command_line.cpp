#include "app/command_line.h"

namespace kamerol {

std::optional<std::filesystem::path> commandLineFile(const QStringList& arguments) {
  if (arguments.size() < 2) return std::nullopt;
  QString path = arguments[1];
  if (path.size() >= 2 && path.startsWith('"') && path.endsWith('"')) path = path.mid(1, path.size() - 2);
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(path.toStdString());
}

}  // namespace kamerol
