#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>
#include <string_view>

// For the project file's extension; a constant only, nothing to link.
#include "project/project_file.h"

namespace kamerol::shell {

// The association of the program's files (calculations, .tpl, and projects, .kamerol) with the program, so that
// opening one from the desktop starts the program with it. Written once, and again when a file type is missing
// from it (an association of an older version); on Windows also when it names a program that moved away.
class FileAssociation {
 public:
  virtual ~FileAssociation() = default;

  // Writes the association for `executablePath` unless it is there already. Failures are ignored.
  // Returns whether it wrote.
  virtual bool writeIfAbsent(const QString& executablePath) = 0;
};

// Freedesktop desktops, per user: a shared-mime-info package for the file types, a desktop entry that opens the
// files with the program, the entry made the types' default application, the program icon in the hicolor theme.
// "Absent" means that the desktop entry does not exist yet or lacks one of the types, and that no system-wide
// installation of this very program associates the types already (a package installs its own entry and MIME
// types).
class XdgFileAssociation final : public FileAssociation {
 public:
  // The user's folders: $XDG_DATA_HOME and $XDG_CONFIG_HOME, or their defaults; the system's: $XDG_DATA_DIRS.
  XdgFileAssociation();
  // `refreshCaches`: also run update-mime-database and update-desktop-database when they are installed.
  XdgFileAssociation(QString dataHome, QString configHome, bool refreshCaches = true, QStringList systemDataDirs = {});

  bool writeIfAbsent(const QString& executablePath) override;

  QString desktopEntryPath() const;
  QString mimePackagePath() const;
  QString mimeAppsListPath() const;

 private:
  QString dataHome_;
  QString configHome_;
  bool refreshCaches_;
  QStringList systemDataDirs_;
};

// Whether one of `dataDirs` holds the program's desktop entry, opening every file type with `executablePath`
// itself (by path or through $PATH), beside the MIME package of the types.
bool isAssociatedBySystem(const QString& executablePath, const QStringList& dataDirs);

// The classes of the Windows registry as the association reads and writes them; a seam for tests.
class ClassesRegistry {
 public:
  virtual ~ClassesRegistry() = default;

  // The default text value of `key` (a path below the classes root, "Kamerol\\DefaultIcon") as the shell sees
  // it, or the empty text.
  virtual QString read(const QString& key) const = 0;
  // Creates (or opens) `key` and sets its default text value; failures are ignored.
  virtual void write(const QString& key, const QString& value) = 0;
  // Tells the shell that file associations have changed.
  virtual void associationsChanged() = 0;
};

struct AssociatedFileType;

// The Windows association of one file type with the program `executable` (a Windows path): written when the
// type has no icon yet, and written again when the extension is this program's type but its open command starts
// another program (a portable copy moved or deleted since; another Kamerol started last). Returns whether it
// wrote; the shell is not told.
bool updateWindowsFileType(ClassesRegistry& registry, const AssociatedFileType& type, const QString& executable);

// updateWindowsFileType for every file type, the shell told once of any change. Returns whether it wrote.
bool updateWindowsAssociation(ClassesRegistry& registry, const QString& executable);

// The program an open command starts: its first word, or its first text in double quotes.
QString commandProgram(const QString& command);

#ifdef Q_OS_WIN
// Windows: the file type under HKEY_CURRENT_USER\Software\Classes. Writing HKEY_CLASSES_ROOT itself writes the
// machine-wide classes, which a standard user may not change on today's Windows (the writes fail, or land in a
// virtualised copy only this program sees); HKEY_CLASSES_ROOT shows the per-user classes merged over the
// machine's, so the shell finds the type there with no administrator rights (see updateWindowsAssociation).
class WindowsFileAssociation final : public FileAssociation {
 public:
  bool writeIfAbsent(const QString& executablePath) override;
};
#endif

// The platform's association.
std::unique_ptr<FileAssociation> createFileAssociation();

// Start-up: writes the platform's association for `executablePath` when absent (or, on Windows, when it names
// another program); failures are ignored. Call it once the QApplication exists: the icon bitmaps for the desktop
// are rendered with it.
void writeFileAssociationIfAbsent(const QString& executablePath);

// The names the association uses.
inline constexpr char kFileTypeDescription[] = "Расчет холод. камеры";
inline constexpr char kProgramTypeName[] = "Kamerol";
inline constexpr char kCalculationMimeType[] = "application/x-kamerol-calculation";
inline constexpr char kProjectDescription[] = "Объект Kamerol";
inline constexpr char kProjectTypeName[] = "Kamerol.Project";
inline constexpr char kProjectMimeType[] = "application/x-kamerol-project";
inline constexpr char kDesktopEntryName[] = "kamerol.desktop";
inline constexpr char kIconName[] = "kamerol";

// A file type the program opens, as both platforms' associations name it.
struct AssociatedFileType {
  std::string_view extension;  // with its dot
  const char* mimeType;        // freedesktop
  const char* parentMimeType;  // what else opens it: a text editor for a calculation
  const char* programType;     // Windows: the type's key below the classes (its ProgID)
  const char* description;     // the type's name on both desktops
};

inline constexpr AssociatedFileType kAssociatedFileTypes[] = {
    {".tpl", kCalculationMimeType, "text/plain", kProgramTypeName, kFileTypeDescription},
    {kProjectExtension, kProjectMimeType, "application/json", kProjectTypeName, kProjectDescription},
};

// `argument` quoted for a desktop entry's Exec key, including the escaping of the key file's string values:
// what a desktop reads back from the file, unescapes and unquotes is `argument` again.
QString quoteDesktopExecArgument(const QString& argument);

// `mimeappsList` (the bytes of a mimeapps.list) with `desktopId` as the default application for `mimeType`;
// every other line is kept byte for byte, whatever its encoding and line end.
QByteArray withDefaultApplication(const QByteArray& mimeappsList, const QByteArray& mimeType,
                                  const QByteArray& desktopId);

}  // namespace kamerol::shell
