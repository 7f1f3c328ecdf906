#include "shell/file_association.h"

#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "tests/shell/test_support.h"

#include <sys/stat.h>
#include <unistd.h>

namespace kamerol::shell {

// Test names and failures show a file type by its extension.
void PrintTo(const AssociatedFileType& type, std::ostream* out) { *out << type.extension; }

namespace {

// Reads an Exec value back as a desktop does: the key file's string escapes first, then the quoting, then the
// field-code escape "%%". Only what quoteDesktopExecArgument can produce is handled.
QStringList readExecArguments(const QString& value) {
  QString unescaped;
  for (qsizetype i = 0; i < value.size(); ++i) {
    if (value[i] == u'\\' && i + 1 < value.size()) {
      const QChar next = value[++i];
      unescaped += next == u's' ? u' ' : next == u'n' ? u'\n' : next == u't' ? u'\t' : next == u'r' ? u'\r' : next;
    } else {
      unescaped += value[i];
    }
  }
  QStringList arguments;
  QString current;
  bool quoted = false;
  bool any = false;
  for (qsizetype i = 0; i < unescaped.size(); ++i) {
    const QChar c = unescaped[i];
    if (quoted && c == u'\\' && i + 1 < unescaped.size()) {
      current += unescaped[++i];
    } else if (c == u'"') {
      quoted = !quoted;
      any = true;
    } else if (c == u' ' && !quoted) {
      if (any) arguments.append(current.replace(QStringLiteral("%%"), QStringLiteral("%")));
      current.clear();
      any = false;
    } else {
      current += c;
      any = true;
    }
  }
  if (any) arguments.append(current.replace(QStringLiteral("%%"), QStringLiteral("%")));
  return arguments;
}

struct QuoteCase {
  QString argument;
  QString expected;
  friend void PrintTo(const QuoteCase& c, std::ostream* out) { *out << c.argument.toStdString(); }
};

class QuoteDesktopExecArgumentTest : public ::testing::TestWithParam<QuoteCase> {};

TEST_P(QuoteDesktopExecArgumentTest, QuotesAndEscapesForTheKeyFile) {
  EXPECT_EQ(quoteDesktopExecArgument(GetParam().argument), GetParam().expected);
  EXPECT_EQ(readExecArguments(GetParam().expected), QStringList{GetParam().argument});
}

INSTANTIATE_TEST_SUITE_P(Paths, QuoteDesktopExecArgumentTest,
                         ::testing::Values(QuoteCase{"/opt/kamerol/kamerol", R"("/opt/kamerol/kamerol")"},
                                           QuoteCase{"/home/u/My Programs/kamerol", R"("/home/u/My Programs/kamerol")"},
                                           QuoteCase{R"(/a\b)", R"("/a\\\\b")"},  // four backslashes for one
                                           QuoteCase{"/$HOME/k", R"("/\\$HOME/k")"},
                                           QuoteCase{"/`x`/k", R"("/\\`x\\`/k")"},
                                           QuoteCase{R"(/"q"/k)", R"("/\\"q\\"/k")"},
                                           QuoteCase{"/100%/k", R"("/100%%/k")"},
                                           QuoteCase{"/tab\there/k", R"("/tab\there/k")"},
                                           QuoteCase{"/Программы/Камерол", R"("/Программы/Камерол")"}));

struct MergeCase {
  const char* name;
  QByteArray before;
  QByteArray after;
  friend void PrintTo(const MergeCase& c, std::ostream* out) { *out << c.name; }
};

class WithDefaultApplicationTest : public ::testing::TestWithParam<MergeCase> {};

TEST_P(WithDefaultApplicationTest, SetsOurEntryAndKeepsTheRest) {
  EXPECT_EQ(withDefaultApplication(GetParam().before, "application/x-k", "k.desktop"), GetParam().after)
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    Lists, WithDefaultApplicationTest,
    ::testing::Values(
        MergeCase{"empty", "", "[Default Applications]\napplication/x-k=k.desktop\n"},
        MergeCase{"other section only", "[Added Associations]\ntext/plain=gedit.desktop;\n",
                  "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
                  "application/x-k=k.desktop\n"},
        MergeCase{"section with other entries",
                  "[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\nx/y=z.desktop;\n",
                  "[Default Applications]\ntext/html=firefox.desktop\napplication/x-k=k.desktop\n\n"
                  "[Added Associations]\nx/y=z.desktop;\n"},
        MergeCase{"our type with another program", "# mine\n[Default Applications]\napplication/x-k = old.desktop\n",
                  "# mine\n[Default Applications]\napplication/x-k=k.desktop\n"},
        MergeCase{"empty section without final line end", "[Default Applications]",
                  "[Default Applications]\napplication/x-k=k.desktop\n"},
        MergeCase{"other section after a comment", "[Default Applications]\n# comment\n[Removed Associations]\n",
                  "[Default Applications]\napplication/x-k=k.desktop\n# comment\n[Removed Associations]\n"},
        // Bytes that are not UTF-8, blanks and line ends are the user's: kept as they are.
        MergeCase{"foreign bytes", "# caf\xE9 \xFF\n[Default Applications]\ntext/x=\xC0\xAF.desktop  \n",
                  "# caf\xE9 \xFF\n[Default Applications]\ntext/x=\xC0\xAF.desktop  \napplication/x-k=k.desktop\n"},
        MergeCase{"CR LF", "[Default Applications]\r\ntext/x=a.desktop\r\napplication/x-k=old.desktop\r\n",
                  "[Default Applications]\r\ntext/x=a.desktop\r\napplication/x-k=k.desktop\r\n"},
        MergeCase{"CR LF, no section", "[Added Associations]\r\nx/y=z;\r\n",
                  "[Added Associations]\r\nx/y=z;\r\n\r\n[Default Applications]\r\napplication/x-k=k.desktop\r\n"}));

// The Windows association's decision, on a registry in memory.
class MemoryClassesRegistry final : public ClassesRegistry {
 public:
  QString read(const QString& key) const override { return values.value(key); }
  void write(const QString& key, const QString& value) override {
    values[key] = value;
    written << key;
  }
  void associationsChanged() override { ++notices; }

  QMap<QString, QString> values;
  QStringList written;
  int notices = 0;
};

struct WindowsAssociationCase {
  const char* name;
  QMap<QString, QString> before;  // the classes as the shell sees them, for the .tpl type
  bool writes;
  friend void PrintTo(const WindowsAssociationCase& c, std::ostream* out) { *out << c.name; }
};

constexpr char kRunning[] = "C:\\Расчёты\\Kamerol\\kamerol.exe";

QString extensionText(const AssociatedFileType& type) {
  return QString::fromUtf8(type.extension.data(), static_cast<qsizetype>(type.extension.size()));
}

// `values` written for .tpl's type, as they are for `type`.
QMap<QString, QString> forType(const QMap<QString, QString>& values, const AssociatedFileType& type) {
  QMap<QString, QString> moved;
  for (auto it = values.cbegin(); it != values.cend(); ++it) {
    QString key = it.key();
    QString value = it.value();
    if (key == u".tpl") key = extensionText(type);
    if (key.startsWith(u"Kamerol")) key = QLatin1String(type.programType) + key.mid(7);
    if (value == u"Kamerol") value = QLatin1String(type.programType);
    if (value == u"kamerol") value = QString::fromLatin1(type.programType).toLower();
    if (value == QString::fromUtf8(kFileTypeDescription)) value = QString::fromUtf8(type.description);
    moved.insert(key, value);
  }
  return moved;
}

QMap<QString, QString> association(const QString& command, const QString& type = QStringLiteral("Kamerol")) {
  QMap<QString, QString> values{{QStringLiteral("Kamerol"), QString::fromUtf8(kFileTypeDescription)},
                                {QStringLiteral("Kamerol\\DefaultIcon"), QStringLiteral("C:\\old\\kamerol.exe,0")},
                                {QStringLiteral(".tpl"), type}};
  if (!command.isEmpty()) values[QStringLiteral("Kamerol\\shell\\open\\command")] = command;
  return values;
}

// The association a start of the running program leaves.
QMap<QString, QString> currentAssociation(const AssociatedFileType& type) {
  const QString running = QString::fromUtf8(kRunning);
  QMap<QString, QString> values = association(QStringLiteral("\"%1\" \"%2\"").arg(running, QStringLiteral("%1")));
  values[QStringLiteral("Kamerol\\DefaultIcon")] = running + QStringLiteral(",0");
  return forType(values, type);
}

// Each case for each file type, the other types' association current.
class WindowsAssociationTest : public ::testing::TestWithParam<std::tuple<WindowsAssociationCase, AssociatedFileType>> {
};

TEST_P(WindowsAssociationTest, WritesWhenAbsentOrNamingAnotherProgram) {
  const auto& [c, type] = GetParam();
  MemoryClassesRegistry registry;
  for (const AssociatedFileType& other : kAssociatedFileTypes) registry.values.insert(currentAssociation(other));
  const QString typeKey = QLatin1String(type.programType);
  registry.values.remove(typeKey);
  registry.values.remove(typeKey + QStringLiteral("\\DefaultIcon"));
  registry.values.remove(typeKey + QStringLiteral("\\shell\\open\\command"));
  registry.values.remove(extensionText(type));
  registry.values.insert(forType(c.before, type));
  const QMap<QString, QString> before = registry.values;
  const QString running = QString::fromUtf8(kRunning);
  EXPECT_EQ(updateWindowsAssociation(registry, running), c.writes);
  if (!c.writes) {
    EXPECT_EQ(registry.values, before);
    EXPECT_EQ(registry.notices, 0);
    return;
  }
  EXPECT_EQ(registry.written, (QStringList{typeKey, typeKey + QStringLiteral("\\DefaultIcon"), extensionText(type),
                                           typeKey + QStringLiteral("\\shell\\open\\command")}));
  EXPECT_EQ(registry.values.value(typeKey), QString::fromUtf8(type.description));
  EXPECT_EQ(registry.values.value(typeKey + QStringLiteral("\\DefaultIcon")), running + QStringLiteral(",0"));
  EXPECT_EQ(registry.values.value(extensionText(type)), typeKey);
  EXPECT_EQ(registry.values.value(typeKey + QStringLiteral("\\shell\\open\\command")),
            QStringLiteral("\"%1\" \"%2\"").arg(running, QStringLiteral("%1")));
  EXPECT_EQ(registry.notices, 1);
}

TEST(WindowsAssociationTest, TheFirstStartWritesEveryTypeAndTellsTheShellOnce) {
  MemoryClassesRegistry registry;
  EXPECT_TRUE(updateWindowsAssociation(registry, QString::fromUtf8(kRunning)));
  QMap<QString, QString> expected;
  for (const AssociatedFileType& type : kAssociatedFileTypes) expected.insert(currentAssociation(type));
  EXPECT_EQ(registry.values, expected);
  EXPECT_EQ(registry.notices, 1);
  EXPECT_EQ(expected.value(QStringLiteral(".kamerol")), QStringLiteral("Kamerol.Project"));
  EXPECT_EQ(expected.value(QStringLiteral("Kamerol.Project")), QStringLiteral("Объект Kamerol"));
}

std::string caseName(const ::testing::TestParamInfo<WindowsAssociationTest::ParamType>& info) {
  std::string extension(std::get<1>(info.param).extension.substr(1));
  return std::get<0>(info.param).name + ("_" + extension);
}

INSTANTIATE_TEST_SUITE_P(
    Registries, WindowsAssociationTest,
    ::testing::Combine(
        ::testing::Values(
            WindowsAssociationCase{"first_start", {}, true},
            WindowsAssociationCase{"first_start_after_another_program_took_tpl",
                                   {{QStringLiteral(".tpl"), QStringLiteral("Other.Type")}},
                                   true},
            WindowsAssociationCase{
                "this_program",
                association(QStringLiteral("\"%1\" \"%2\"").arg(QString::fromUtf8(kRunning), QStringLiteral("%1"))),
                false},
            WindowsAssociationCase{"this_program_spelt_otherwise",
                                   association(QStringLiteral("\"c:/расчёты/KAMEROL/Kamerol.EXE\" \"%1\"")), false},
            WindowsAssociationCase{"this_program_unquoted",
                                   association(QString::fromUtf8(kRunning) + QStringLiteral(" %1")), false},
            WindowsAssociationCase{"moved_program", association(QStringLiteral("\"C:\\old\\kamerol.exe\" \"%1\"")),
                                   true},
            WindowsAssociationCase{"a_copy_in_a_longer_path",
                                   association(QStringLiteral("\"%1.old\\kamerol.exe\" \"%2\"")
                                                   .arg(QString::fromUtf8(kRunning).chopped(12), QStringLiteral("%1"))),
                                   true},
            WindowsAssociationCase{"no_open_command", association(QString()), true},
            WindowsAssociationCase{
                "our_type_lower_case",
                association(QStringLiteral("\"C:\\old\\kamerol.exe\" \"%1\""), QStringLiteral("kamerol")), true},
            WindowsAssociationCase{
                "tpl_taken_by_another_program",
                association(QStringLiteral("\"C:\\old\\kamerol.exe\" \"%1\""), QStringLiteral("Other.Type")), false}),
        ::testing::ValuesIn(kAssociatedFileTypes)),
    caseName);

#ifndef Q_OS_WIN  // the freedesktop association; Windows has its own below

// Every file below `root` with its contents and time of change.
QMap<QString, QString> snapshot(const QString& root) {
  QMap<QString, QString> files;
  QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) continue;
    files.insert(path, QString::fromLatin1(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha1).toHex()) +
                           QLatin1Char(' ') + QString::number(QFileInfo(path).lastModified().toMSecsSinceEpoch()));
  }
  return files;
}

QString readText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeText(const QString& path, const QString& text) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

class XdgFileAssociationTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(scratch.isValid()); }

  QString dataHome() const { return scratch.path() + QStringLiteral("/data"); }
  QString configHome() const { return scratch.path() + QStringLiteral("/config"); }

  QTemporaryDir scratch;
};

TEST_F(XdgFileAssociationTest, UsesTheXdgFolders) {
  const XdgFileAssociation association;
  EXPECT_EQ(association.desktopEntryPath(),
            qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications/kamerol.desktop"));
  EXPECT_EQ(association.mimePackagePath(),
            qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/mime/packages/kamerol.xml"));
  EXPECT_EQ(association.mimeAppsListPath(), qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/mimeapps.list"));
}

TEST_F(XdgFileAssociationTest, FirstStartWritesEverythingAndTheNextStartsNothing) {
  writeText(configHome() + QStringLiteral("/mimeapps.list"), "[Default Applications]\ntext/html=firefox.desktop\n");
  XdgFileAssociation association(dataHome(), configHome());
  const QString executable = QStringLiteral("/opt/Kamerol 2.5/kamerol");
  ASSERT_TRUE(association.writeIfAbsent(executable));

  // The desktop entry starts the program with the file.
  QMap<QString, QString> entry;
  for (const QString& line : readText(association.desktopEntryPath()).split(u'\n')) {
    if (line.contains(u'=')) entry.insert(line.section(u'=', 0, 0), line.section(u'=', 1));
  }
  EXPECT_EQ(readExecArguments(entry.value("Exec")), QStringList({executable, "%f"}));
  EXPECT_EQ(entry.value("MimeType"),
            QStringLiteral("application/x-kamerol-calculation;application/x-kamerol-project;"));
  EXPECT_EQ(entry.value("Icon"), QStringLiteral("kamerol"));
  EXPECT_EQ(entry.value("Type"), QStringLiteral("Application"));
  const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
  if (!validator.isEmpty()) {
    QProcess validate;
    validate.start(validator, {association.desktopEntryPath()});
    ASSERT_TRUE(validate.waitForFinished(10000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
  }

  // The mime package maps *.tpl and *.kamerol to our types: each type's elements, in order.
  QFile package(association.mimePackagePath());
  ASSERT_TRUE(package.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&package);
  QString mimeInfo;
  QMap<QString, QStringList> seen;  // by type
  QString type;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    const QString name = xml.name().toString();
    if (name == u"mime-info") mimeInfo = xml.namespaceUri().toString();
    if (name == u"mime-type") type = xml.attributes().value("type").toString();
    if (name == u"comment") seen[type] << xml.readElementText();
    if (name == u"sub-class-of") seen[type] << xml.attributes().value("type").toString();
    if (name == u"icon") seen[type] << xml.attributes().value("name").toString();
    if (name == u"glob") seen[type] << xml.attributes().value("pattern").toString();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(mimeInfo, QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
  EXPECT_EQ(seen,
            (QMap<QString, QStringList>{
                {"application/x-kamerol-calculation", {"Расчет холод. камеры", "text/plain", "kamerol", "*.tpl"}},
                {"application/x-kamerol-project", {"Объект Kamerol", "application/json", "kamerol", "*.kamerol"}}}));

  // Our entry is the types' default, beside the user's own.
  EXPECT_EQ(readText(association.mimeAppsListPath()),
            QStringLiteral("[Default Applications]\ntext/html=firefox.desktop\n"
                           "application/x-kamerol-calculation=kamerol.desktop\n"
                           "application/x-kamerol-project=kamerol.desktop\n"));

  // The icon, scalable and as bitmaps.
  EXPECT_TRUE(QFileInfo::exists(dataHome() + QStringLiteral("/icons/hicolor/scalable/apps/kamerol.svg")));
  EXPECT_EQ(QImage(dataHome() + QStringLiteral("/icons/hicolor/48x48/apps/kamerol.png")).size(), QSize(48, 48));

  // The caches were rebuilt from our folders.
  if (!QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
    EXPECT_TRUE(
        readText(dataHome() + QStringLiteral("/mime/globs2")).contains("application/x-kamerol-calculation:*.tpl"));
    EXPECT_TRUE(
        readText(dataHome() + QStringLiteral("/mime/globs2")).contains("application/x-kamerol-project:*.kamerol"));
  }
  if (!QStandardPaths::findExecutable(QStringLiteral("update-desktop-database")).isEmpty()) {
    EXPECT_TRUE(readText(dataHome() + QStringLiteral("/applications/mimeinfo.cache"))
                    .contains("application/x-kamerol-calculation=kamerol.desktop"));
    EXPECT_TRUE(readText(dataHome() + QStringLiteral("/applications/mimeinfo.cache"))
                    .contains("application/x-kamerol-project=kamerol.desktop"));
  }

  const QMap<QString, QString> before = snapshot(scratch.path());
  QTest::qWait(20);  // so that a rewrite would show in the times of change
  EXPECT_FALSE(association.writeIfAbsent(QStringLiteral("/moved/kamerol")));
  EXPECT_EQ(snapshot(scratch.path()), before);
}

constexpr char kBothTypes[] = "application/x-kamerol-calculation;application/x-kamerol-project;";

TEST_F(XdgFileAssociationTest, AnExistingEntryIsKeptAndNothingElseIsWritten) {
  XdgFileAssociation association(dataHome(), configHome(), false);
  const QString existing = QStringLiteral("[Desktop Entry]\nExec=/old/place/kamerol %f\nMimeType=") + kBothTypes;
  writeText(association.desktopEntryPath(), existing);
  EXPECT_FALSE(association.writeIfAbsent(QStringLiteral("/new/place/kamerol")));
  EXPECT_EQ(readText(association.desktopEntryPath()), existing);
  EXPECT_FALSE(QFileInfo::exists(association.mimePackagePath()));
  EXPECT_FALSE(QFileInfo::exists(association.mimeAppsListPath()));
}

TEST_F(XdgFileAssociationTest, AnEntryWithoutProjectsIsWrittenAgain) {
  XdgFileAssociation association(dataHome(), configHome(), false);
  writeText(association.desktopEntryPath(),
            "[Desktop Entry]\nExec=/opt/kamerol/kamerol %f\nMimeType=application/x-kamerol-calculation;\n");
  ASSERT_TRUE(association.writeIfAbsent(QStringLiteral("/opt/kamerol/kamerol")));
  EXPECT_TRUE(readText(association.desktopEntryPath()).contains(QStringLiteral("\nMimeType=") + kBothTypes + u'\n'));
  EXPECT_TRUE(readText(association.mimePackagePath()).contains(QStringLiteral("*.kamerol")));
  EXPECT_FALSE(association.writeIfAbsent(QStringLiteral("/opt/kamerol/kamerol")));
}

#ifndef _WIN32  // FIFOs and file permissions
TEST_F(XdgFileAssociationTest, AMimeappsListThatCannotBeReadIsLeftAlone) {
  XdgFileAssociation association(dataHome(), configHome(), false);
  QDir().mkpath(configHome());
  const QByteArray path = QFile::encodeName(association.mimeAppsListPath());
  ASSERT_EQ(::mkfifo(path.constData(), 0600), 0);  // not a file: and reading it would wait for ever
  ASSERT_TRUE(association.writeIfAbsent(QStringLiteral("/opt/kamerol/kamerol")));
  EXPECT_TRUE(QFileInfo(association.mimeAppsListPath()).exists() &&
              !QFileInfo(association.mimeAppsListPath()).isFile());
  EXPECT_TRUE(QFileInfo::exists(association.desktopEntryPath()));  // the other steps are done all the same

  if (::geteuid() == 0) return;  // root reads any file
  QFile::remove(association.desktopEntryPath());
  QFile::remove(association.mimeAppsListPath());
  writeText(association.mimeAppsListPath(), "[Default Applications]\ntext/html=firefox.desktop\n");
  QFile::setPermissions(association.mimeAppsListPath(), QFileDevice::WriteOwner);
  ASSERT_TRUE(association.writeIfAbsent(QStringLiteral("/opt/kamerol/kamerol")));
  QFile::setPermissions(association.mimeAppsListPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  EXPECT_EQ(readText(association.mimeAppsListPath()),
            QStringLiteral("[Default Applications]\ntext/html=firefox.desktop\n"));
}
#endif

TEST_F(XdgFileAssociationTest, AProgramPathWithAPercentSignStartsThroughTheShell) {
  XdgFileAssociation association(dataHome(), configHome(), false);
  const QString executable = QStringLiteral("/opt/100% a=b/kamerol");
  ASSERT_TRUE(association.writeIfAbsent(executable));
  const QString text = readText(association.desktopEntryPath());
  const qsizetype exec = text.indexOf(QStringLiteral("\nExec=")) + 6;
  EXPECT_EQ(readExecArguments(text.mid(exec, text.indexOf(u'\n', exec) - exec)),
            QStringList({"sh", "-c", R"(exec "$0" "$@")", executable, "%f"}));
}

TEST_F(XdgFileAssociationTest, UnwritableFoldersAreIgnored) {
  writeText(dataHome(), "a file where the data folder should be");
  XdgFileAssociation association(dataHome(), configHome(), false);
  association.writeIfAbsent(QStringLiteral("/opt/kamerol/kamerol"));
  EXPECT_FALSE(QFileInfo::exists(association.desktopEntryPath()));
}

// A system-wide installation: $XDG_DATA_DIRS/applications/kamerol.desktop and mime/packages/kamerol.xml.
struct SystemCase {
  const char* name;
  const char* exec;  // "%p": the program's path
  const char* mimeType;
  bool mimePackage;
  bool associated;
  friend void PrintTo(const SystemCase& c, std::ostream* out) { *out << c.name; }
};

class SystemAssociationTest : public XdgFileAssociationTest, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(SystemAssociationTest, AnInstalledAssociationOfThisProgramIsNotCopiedPerUser) {
  const SystemCase& c = GetParam();
  const QString system = scratch.path() + QStringLiteral("/usr/share");
  const QString program = scratch.path() + QStringLiteral("/usr/bin/kamerol");
  writeText(program, "");
  writeText(scratch.path() + QStringLiteral("/elsewhere/kamerol"), "");
  QFile::setPermissions(program, QFile::ReadOwner | QFile::ExeOwner);
  writeText(system + QStringLiteral("/applications/kamerol.desktop"),
            QStringLiteral("[Desktop Entry]\nType=Application\nExec=%1\nMimeType=%2\n\n[Desktop Action x]\nExec=x\n")
                .arg(QString::fromUtf8(c.exec).replace(QStringLiteral("%p"), program), QString::fromUtf8(c.mimeType)));
  if (c.mimePackage) writeText(system + QStringLiteral("/mime/packages/kamerol.xml"), "<mime-info/>");
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", QFile::encodeName(scratch.path() + QStringLiteral("/usr/bin:")) + path);

  EXPECT_EQ(isAssociatedBySystem(program, {scratch.path() + QStringLiteral("/none"), system}), c.associated);
  XdgFileAssociation association(dataHome(), configHome(), false, {system});
  EXPECT_EQ(association.writeIfAbsent(program), !c.associated);
  EXPECT_EQ(QFileInfo::exists(association.desktopEntryPath()), !c.associated);
  qputenv("PATH", path);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, SystemAssociationTest,
    ::testing::Values(SystemCase{"by_path", "%p %f", kBothTypes, true, true},
                      SystemCase{"through_PATH", "kamerol %f",
                                 "text/plain;application/x-kamerol-project;application/x-kamerol-calculation;", true,
                                 true},
                      SystemCase{"quoted", "\"%p\" %f", kBothTypes, true, true},
                      SystemCase{"another_program", "%p-other %f", kBothTypes, true, false},
                      SystemCase{"a_copy_elsewhere", "../elsewhere/kamerol %f", kBothTypes, true, false},
                      SystemCase{"no_mime_package", "%p %f", kBothTypes, false, false},
                      SystemCase{"not_for_the_type", "%p %f", "text/plain;", true, false},
                      SystemCase{"not_for_projects", "%p %f", "application/x-kamerol-calculation;", true, false}),
    [](const ::testing::TestParamInfo<SystemCase>& info) { return std::string(info.param.name); });
#else
// The user's own classes, which need no administrator rights. The test leaves a user's existing association
// alone.
TEST(WindowsFileAssociationTest, WritesTheFileTypeAmongTheUsersClasses) {
  QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"), QSettings::NativeFormat);
  if (classes.contains(QStringLiteral("Kamerol/Default")) ||
      classes.contains(QStringLiteral("Kamerol.Project/Default")))
    GTEST_SKIP() << "this user has an association already";
  const QString folder = QStringLiteral("C:\\Расчёты 2026\\Kamerol");
  WindowsFileAssociation association;
  ASSERT_TRUE(association.writeIfAbsent(folder + QStringLiteral("/kamerol.exe")));
  classes.sync();
  EXPECT_EQ(classes.value(QStringLiteral(".tpl/Default")), QStringLiteral("Kamerol"));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol/Default")), QString::fromUtf8(kFileTypeDescription));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol/DefaultIcon/Default")), folder + QStringLiteral("\\kamerol.exe,0"));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol/shell/open/command/Default")),
            QStringLiteral("\"%1\\kamerol.exe\" \"%2\"").arg(folder, QStringLiteral("%1")));
  EXPECT_EQ(classes.value(QStringLiteral(".kamerol/Default")), QStringLiteral("Kamerol.Project"));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol.Project/Default")), QString::fromUtf8(kProjectDescription));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol.Project/shell/open/command/Default")),
            QStringLiteral("\"%1\\kamerol.exe\" \"%2\"").arg(folder, QStringLiteral("%1")));
  // The next start of the same program writes nothing; one moved elsewhere takes the association over.
  EXPECT_FALSE(association.writeIfAbsent(folder + QStringLiteral("/kamerol.exe")));
  const QString moved = QStringLiteral("C:\\Перенесённая программа");
  EXPECT_TRUE(association.writeIfAbsent(moved + QStringLiteral("/kamerol.exe")));
  classes.sync();
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol/shell/open/command/Default")),
            QStringLiteral("\"%1\\kamerol.exe\" \"%2\"").arg(moved, QStringLiteral("%1")));
  EXPECT_EQ(classes.value(QStringLiteral("Kamerol/DefaultIcon/Default")), moved + QStringLiteral("\\kamerol.exe,0"));
  classes.remove(QStringLiteral("Kamerol"));
  classes.remove(QStringLiteral(".tpl"));
  classes.remove(QStringLiteral("Kamerol.Project"));
  classes.remove(QStringLiteral(".kamerol"));
}
#endif

}  // namespace
}  // namespace kamerol::shell
