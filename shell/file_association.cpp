#include "shell/file_association.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <QXmlStreamWriter>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/file_access.h"
#include "shell/program_icon.h"

#ifdef Q_OS_WIN
#include "platform/windows_api.h"

#include <shlobj.h>

#include <string>
#include <vector>
#endif

namespace kamerol::shell {
namespace {

// The cache tools take well under a second; a hung one must not hold up the start.
constexpr int kToolTimeoutMs = 10000;
constexpr int kIconSizes[] = {16, 24, 32, 48, 64, 128, 256};

bool writeFile(const QString& path, const QByteArray& contents) {
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  return static_cast<bool>(
      writeWholeFile(QFileInfo(path).filesystemFilePath(),
                     std::string_view(contents.constData(), static_cast<std::size_t>(contents.size()))));
}

// A file of the user's as it is on disk: empty when there is none, nothing when it is there but cannot be read
// whole (then it must not be rewritten).
std::optional<QByteArray> readUsersFile(const QString& path) {
  constexpr std::size_t kLargest = 16 * 1024 * 1024;
  const std::filesystem::path file = QFileInfo(path).filesystemFilePath();
  std::error_code error;
  if (std::filesystem::symlink_status(file, error).type() == std::filesystem::file_type::not_found) return QByteArray();
  const auto bytes = readRegularFile(file, kLargest + 1);
  if (!bytes || bytes->size() > kLargest) return std::nullopt;
  return QByteArray::fromStdString(*bytes);
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString extensionOf(const AssociatedFileType& type) {
  return QString::fromUtf8(type.extension.data(), static_cast<qsizetype>(type.extension.size()));
}

QByteArray mimePackage() {
  QByteArray xml;
  QXmlStreamWriter writer(&xml);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeDefaultNamespace(QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
  writer.writeStartElement(QStringLiteral("mime-info"));
  for (const AssociatedFileType& type : kAssociatedFileTypes) {
    writer.writeStartElement(QStringLiteral("mime-type"));
    writer.writeAttribute(QStringLiteral("type"), QLatin1String(type.mimeType));
    writer.writeTextElement(QStringLiteral("comment"), QString::fromUtf8(type.description));
    // The programs for the parent type (text editors) are offered too.
    writer.writeEmptyElement(QStringLiteral("sub-class-of"));
    writer.writeAttribute(QStringLiteral("type"), QLatin1String(type.parentMimeType));
    writer.writeEmptyElement(QStringLiteral("icon"));
    writer.writeAttribute(QStringLiteral("name"), QLatin1String(kIconName));
    writer.writeEmptyElement(QStringLiteral("glob"));
    writer.writeAttribute(QStringLiteral("pattern"), QLatin1Char('*') + extensionOf(type));
    writer.writeEndElement();
  }
  writer.writeEndDocument();
  return xml;
}

QStringList mimeTypes() {
  QStringList types;
  for (const AssociatedFileType& type : kAssociatedFileTypes) types << QLatin1String(type.mimeType);
  return types;
}

QByteArray desktopEntry(const QString& executablePath) {
  const QString program = QDir::cleanPath(QFileInfo(executablePath).absoluteFilePath());
  QString exec = quoteDesktopExecArgument(program);
  // GLib loads an entry only when the program named first in Exec exists, and it looks for it before undoing
  // the "%%" escape: a path with "%" in it is started through the shell, which it finds. (Not through env,
  // which would take a path that also has "=" in it for a variable to set.)
  if (program.contains(u'%'))
    exec = QStringLiteral("sh -c ") + quoteDesktopExecArgument(QStringLiteral(R"(exec "$0" "$@")")) + QLatin1Char(' ') +
           exec;
  const QStringList lines = {
      QStringLiteral("[Desktop Entry]"),
      QStringLiteral("Type=Application"),
      QStringLiteral("Version=1.0"),
      QStringLiteral("Name=Kamerol"),
      QStringLiteral("Comment=Расчет теплопритоков в холодильной камере"),
      QStringLiteral("Icon=") + QLatin1String(kIconName),
      QStringLiteral("Exec=") + exec + QStringLiteral(" %f"),
      QStringLiteral("Terminal=false"),
      QStringLiteral("MimeType=") + mimeTypes().join(u';') + QLatin1Char(';'),
      QStringLiteral("Categories=Science;Engineering;"),
  };
  return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}

// The scalable icon, and bitmaps for the desktops that do not render SVG. Rendering needs a GUI application.
void installIcons(const QString& dataHome) {
  const QString theme = dataHome + QStringLiteral("/icons/hicolor");
  writeFile(theme + QStringLiteral("/scalable/apps/%1.svg").arg(QLatin1String(kIconName)),
            readFile(kamerolIconSvgPath()));
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) return;
  const QIcon icon = kamerolIcon();
  for (const int size : kIconSizes) {
    const QPixmap pixmap = icon.pixmap(QSize(size, size), 1.0);
    QByteArray png;
    QBuffer buffer(&png);
    if (pixmap.isNull() || !pixmap.save(&buffer, "PNG")) continue;
    writeFile(theme + QStringLiteral("/%1x%1/apps/%2.png").arg(size).arg(QLatin1String(kIconName)), png);
  }
}

void runToolIfInstalled(const QString& name, const QStringList& arguments) {
  const QString program = QStandardPaths::findExecutable(name);
  if (program.isEmpty()) return;
  QProcess process;
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  process.start(program, arguments);
  if (!process.waitForFinished(kToolTimeoutMs)) {
    process.kill();
    process.waitForFinished(1000);
  }
}

}  // namespace

namespace {

QStringList systemDataDirs() {
  QStringList dirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
  dirs.removeAll(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
  return dirs;
}

// The program an Exec value starts: its first word, unquoted.
QString execProgram(const QString& exec) {
  const QString value = exec.trimmed();
  if (!value.startsWith(u'"')) return value.section(u' ', 0, 0);
  QString program;
  for (qsizetype i = 1; i < value.size() && value[i] != u'"'; ++i) {
    if (value[i] == u'\\' && i + 1 < value.size()) ++i;
    program += value[i];
  }
  return program;
}

struct DesktopEntryKeys {
  QString exec;
  bool opensEveryType = false;
};

DesktopEntryKeys readDesktopEntry(const QString& entryPath) {
  DesktopEntryKeys keys;
  QFile file(entryPath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return keys;
  bool inEntry = false;
  while (!file.atEnd()) {
    const QString line = QString::fromUtf8(file.readLine()).trimmed();
    if (line.startsWith(u'[')) inEntry = line == QStringLiteral("[Desktop Entry]");
    if (!inEntry) continue;
    if (line.startsWith(QStringLiteral("Exec="))) keys.exec = line.mid(5);
    if (line.startsWith(QStringLiteral("MimeType="))) {
      const QStringList listed = line.mid(9).split(u';');
      const QStringList ours = mimeTypes();
      keys.opensEveryType =
          std::all_of(ours.begin(), ours.end(), [&](const QString& type) { return listed.contains(type); });
    }
  }
  return keys;
}

bool entryOpensTypesWith(const QString& entryPath, const QString& executablePath) {
  const DesktopEntryKeys keys = readDesktopEntry(entryPath);
  QString program = execProgram(keys.exec);
  if (!program.isEmpty() && !QFileInfo(program).isAbsolute()) program = QStandardPaths::findExecutable(program);
  const QString entryProgram = QFileInfo(program).canonicalFilePath();
  return keys.opensEveryType && !entryProgram.isEmpty() &&
         entryProgram == QFileInfo(executablePath).canonicalFilePath();
}

}  // namespace

bool isAssociatedBySystem(const QString& executablePath, const QStringList& dataDirs) {
  for (const QString& dir : dataDirs) {
    const QDir data(dir);
    if (QFileInfo::exists(data.filePath(QStringLiteral("mime/packages/kamerol.xml"))) &&
        entryOpensTypesWith(data.filePath(QStringLiteral("applications/")) + QLatin1String(kDesktopEntryName),
                            executablePath)) {
      return true;
    }
  }
  return false;
}

XdgFileAssociation::XdgFileAssociation()
    : XdgFileAssociation(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                         QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation), true,
                         systemDataDirs()) {}

XdgFileAssociation::XdgFileAssociation(QString dataHome, QString configHome, bool refreshCaches,
                                       QStringList systemDataDirs)
    : dataHome_(std::move(dataHome)),
      configHome_(std::move(configHome)),
      refreshCaches_(refreshCaches),
      systemDataDirs_(std::move(systemDataDirs)) {}

QString XdgFileAssociation::desktopEntryPath() const {
  return dataHome_ + QStringLiteral("/applications/") + QLatin1String(kDesktopEntryName);
}

QString XdgFileAssociation::mimePackagePath() const { return dataHome_ + QStringLiteral("/mime/packages/kamerol.xml"); }

QString XdgFileAssociation::mimeAppsListPath() const { return configHome_ + QStringLiteral("/mimeapps.list"); }

bool XdgFileAssociation::writeIfAbsent(const QString& executablePath) {
  if (dataHome_.isEmpty() || configHome_.isEmpty()) return false;
  // An entry of an older version, without a type added since, is written again (with this program).
  if (QFileInfo::exists(desktopEntryPath()) && readDesktopEntry(desktopEntryPath()).opensEveryType) return false;
  // An installed package associates the type for every user already; a copy would hide its updates.
  if (isAssociatedBySystem(executablePath, systemDataDirs_)) return false;

  writeFile(mimePackagePath(), mimePackage());
  installIcons(dataHome_);
  // The user's other defaults are in the same file: one that cannot be read is left alone.
  if (auto mimeApps = readUsersFile(mimeAppsListPath())) {
    for (const AssociatedFileType& type : kAssociatedFileTypes)
      *mimeApps = withDefaultApplication(*mimeApps, type.mimeType, kDesktopEntryName);
    writeFile(mimeAppsListPath(), *mimeApps);
  }
  // Last, because its presence means "done": a start interrupted before this point writes everything again.
  writeFile(desktopEntryPath(), desktopEntry(executablePath));

  if (refreshCaches_) {
    runToolIfInstalled(QStringLiteral("update-mime-database"), {dataHome_ + QStringLiteral("/mime")});
    runToolIfInstalled(QStringLiteral("update-desktop-database"), {dataHome_ + QStringLiteral("/applications")});
  }
  return true;
}

QString quoteDesktopExecArgument(const QString& argument) {
  // Quoting of the Exec key: inside double quotes, '"', '`', '$' and '\' take a backslash; '%' is doubled so that
  // it is not read as a field code.
  QString quoted = QStringLiteral("\"");
  for (const QChar c : argument) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    if (c == u'%') quoted += u'%';
    quoted += c;
  }
  quoted += u'"';

  // The key file's escapes for string values, which a reader undoes before it unquotes.
  QString escaped;
  for (const QChar c : std::as_const(quoted)) {
    switch (c.unicode()) {
      case u'\\':
        escaped += QStringLiteral("\\\\");
        break;
      case u'\n':
        escaped += QStringLiteral("\\n");
        break;
      case u'\t':
        escaped += QStringLiteral("\\t");
        break;
      case u'\r':
        escaped += QStringLiteral("\\r");
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

QByteArray withDefaultApplication(const QByteArray& mimeappsList, const QByteArray& mimeType,
                                  const QByteArray& desktopId) {
  static const QByteArray kSection = QByteArrayLiteral("[Default Applications]");
  const QByteArray entry = mimeType + '=' + desktopId;

  // Lines as they are, each with its own line end; only our entry is added or replaced.
  QList<QByteArray> lines = mimeappsList.split('\n');
  if (lines.last().isEmpty()) lines.removeLast();  // the final line end
  const bool crlf = !lines.isEmpty() && lines.first().endsWith('\r');
  const QByteArray ourLine = crlf ? entry + '\r' : entry;
  const QByteArray blankLine = crlf ? QByteArrayLiteral("\r") : QByteArray();

  qsizetype sectionStart = -1;
  for (qsizetype i = 0; i < lines.size() && sectionStart < 0; ++i) {
    if (lines[i].trimmed() == kSection) sectionStart = i;
  }
  if (sectionStart < 0) {
    if (!lines.isEmpty() && !lines.last().trimmed().isEmpty()) lines.append(blankLine);
    lines.append(crlf ? kSection + '\r' : kSection);
    lines.append(ourLine);
  } else {
    qsizetype insertAt = sectionStart + 1;
    bool replaced = false;
    for (qsizetype i = sectionStart + 1; i < lines.size(); ++i) {
      const QByteArray line = lines[i].trimmed();
      if (line.startsWith('[')) break;
      if (line.isEmpty() || line.startsWith('#')) continue;
      insertAt = i + 1;
      if (line.left(line.indexOf('=')).trimmed() == mimeType) {
        lines[i] = lines[i].endsWith('\r') ? entry + '\r' : entry;
        replaced = true;
      }
    }
    if (!replaced) lines.insert(insertAt, ourLine);
  }
  return lines.join('\n') + '\n';
}

namespace {

// Windows paths name the same file whatever their letters' case and either separator.
QString comparablePath(const QString& path) { return QString(path).replace(u'/', u'\\').toCaseFolded(); }

}  // namespace

QString commandProgram(const QString& command) {
  const QString text = command.trimmed();
  if (!text.startsWith(u'"')) return text.section(u' ', 0, 0);
  const qsizetype end = text.indexOf(u'"', 1);
  return text.mid(1, end < 0 ? -1 : end - 1);
}

bool updateWindowsFileType(ClassesRegistry& registry, const AssociatedFileType& fileType, const QString& executable) {
  const QString type = QLatin1String(fileType.programType);
  const QString extension = extensionOf(fileType);
  const QString commandKey = type + QStringLiteral("\\shell\\open\\command");
  if (!registry.read(type + QStringLiteral("\\DefaultIcon")).isEmpty()) {
    // Another program's claim on the extension is the user's choice, and this program's pointing here needs
    // nothing.
    if (registry.read(extension).compare(type, Qt::CaseInsensitive) != 0 ||
        comparablePath(commandProgram(registry.read(commandKey))) == comparablePath(executable)) {
      return false;
    }
  }
  registry.write(type, QString::fromUtf8(fileType.description));
  // The program's own icon is the first in its executable.
  registry.write(type + QStringLiteral("\\DefaultIcon"), executable + QStringLiteral(",0"));
  registry.write(extension, type);
  registry.write(commandKey, QLatin1Char('"') + executable + QStringLiteral("\" \"%1\""));
  return true;
}

bool updateWindowsAssociation(ClassesRegistry& registry, const QString& executable) {
  bool wrote = false;
  for (const AssociatedFileType& type : kAssociatedFileTypes)
    wrote = updateWindowsFileType(registry, type, executable) || wrote;
  if (wrote) registry.associationsChanged();
  return wrote;
}

#ifdef Q_OS_WIN
namespace {

// The default value of Software\Classes\`keyPath` below `root` when it is a non-empty text, else the empty text.
QString readDefaultValue(HKEY root, const QString& keyPath) {
  const std::wstring path = (QStringLiteral("Software\\Classes\\") + keyPath).toStdWString();
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return QString();
  QString value;
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
      (type == REG_SZ || type == REG_EXPAND_SZ) && bytes > 0) {
    // One more character than the value needs: a stored text need not end in a zero.
    std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) ==
        ERROR_SUCCESS) {
      value = QString::fromWCharArray(buffer.data());
    }
  }
  RegCloseKey(key);
  return value;
}

// The classes as the shell merges them into HKEY_CLASSES_ROOT: the user's own (HKEY_CURRENT_USER\Software\Classes)
// over the machine's, so that either association counts; read from the two itself, as Wine merges none. Written
// among the user's own.
class WindowsClassesRegistry final : public ClassesRegistry {
 public:
  QString read(const QString& keyPath) const override {
    const QString user = readDefaultValue(HKEY_CURRENT_USER, keyPath);
    return user.isEmpty() ? readDefaultValue(HKEY_LOCAL_MACHINE, keyPath) : user;
  }

  void write(const QString& keyPath, const QString& value) override {
    const std::wstring path = (QStringLiteral("Software\\Classes\\") + keyPath).toStdWString();
    const std::wstring text = value.toStdWString();
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
      return;
    }
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }

  void associationsChanged() override { SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr); }
};

}  // namespace

bool WindowsFileAssociation::writeIfAbsent(const QString& executablePath) {
  WindowsClassesRegistry registry;
  return updateWindowsAssociation(registry, QDir::toNativeSeparators(QFileInfo(executablePath).absoluteFilePath()));
}
#endif

std::unique_ptr<FileAssociation> createFileAssociation() {
#ifdef Q_OS_WIN
  return std::make_unique<WindowsFileAssociation>();
#else
  return std::make_unique<XdgFileAssociation>();
#endif
}

void writeFileAssociationIfAbsent(const QString& executablePath) {
  createFileAssociation()->writeIfAbsent(executablePath);
}

}  // namespace kamerol::shell
