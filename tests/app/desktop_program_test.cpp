// The desktop program as it starts: what it shows, and what it leaves for later.

#include "app/desktop_program.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sys/stat.h>

#include "project/project_file.h"
#include "shell/file_association.h"
#include "shell/program_files.h"
#include "shell/settings_store.h"
#include "window/project_window.h"

namespace kamerol {
namespace {

QLineEdit* edit(CalculationWindow& window, Control c) { return qobject_cast<QLineEdit*>(window.widget(c)); }

// Each test runs in a process of its own under ctest, so the libraries mapped
// after the start are those the start loaded. Not the first start: that one
// also writes the file association with its icons.
TEST(DesktopProgramTest, StartsWithoutImageReadersOrSoundLibraries) {
  const QString entry = shell::XdgFileAssociation().desktopEntryPath();
  ASSERT_TRUE(QDir().mkpath(QFileInfo(entry).path()));
  QFile written(entry);
  ASSERT_TRUE(written.open(QIODevice::WriteOnly));
  // An entry that opens every type of the program's: the association is there, nothing is written.
  written.write("[Desktop Entry]\nMimeType=");
  for (const shell::AssociatedFileType& type : shell::kAssociatedFileTypes)
    written.write(type.mimeType), written.write(";");
  written.write("\n");
  written.close();

  DesktopProgram program({QStringLiteral("kamerol")});
  program.window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.window()));
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) GTEST_SKIP() << "no /proc/self/maps here";
  const QByteArray mapped = maps.readAll();
  EXPECT_FALSE(mapped.contains("/imageformats/")) << "an image was read as the program started";
  EXPECT_FALSE(mapped.contains("libQt6Multimedia")) << "Qt Multimedia was loaded as the program started";
}

TEST(DesktopProgramTest, OpensTheFileNamedOnTheCommandLine) {
  DesktopProgram program({QStringLiteral("kamerol"), QStringLiteral(KAMEROL_EXAMPLES_DIR "/worked-example.tpl")});
  EXPECT_EQ(edit(program.window(), Control::roomLengthField)->text(), QStringLiteral("500"));
  EXPECT_EQ(edit(program.window(), Control::roomWidthField)->text(), QStringLiteral("400"));
  EXPECT_FALSE(program.window().isVisible());
}

// A project named on the command line opens in the project window over the
// calculation window, which starts as a new calculation.
TEST(DesktopProgramTest, OpensAProjectNamedOnTheCommandLine) {
  QTemporaryDir dir;
  const RoomCalculator calculator(NumberLocale::point());
  Project project;
  project.addRoom({"Камера 1", std::nullopt, calculator.defaultTexts()});
  project.addRoom({"Камера 2", std::nullopt, calculator.defaultTexts()});
  const QString file = dir.filePath(QStringLiteral("склад.kamerol"));
  ASSERT_TRUE(writeProjectFile(project, std::filesystem::path(file.toStdU16String())));

  DesktopProgram program({QStringLiteral("kamerol"), file});
  program.window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.window()));
  ProjectWindow* projectWindow = nullptr;
  QTRY_VERIFY((projectWindow = qobject_cast<ProjectWindow*>([] {
                 for (QWidget* w : QApplication::topLevelWidgets())
                   if (w->isVisible() && w->objectName() == QStringLiteral("projectWindow")) return w;
                 return static_cast<QWidget*>(nullptr);
               }())));
  EXPECT_EQ(projectWindow->roomsTable()->rowCount(), 2);
  EXPECT_FALSE(projectWindow->isWindowModified());
  EXPECT_FALSE(program.window().form().modified());
  EXPECT_EQ(program.window().form().text(Control::roomLengthField),
            calculator.preparedForm().text(Control::roomLengthField));
}

// As a double-click starts it: the file is the calculation's own and unchanged,
// so closing at once asks nothing.
TEST(DesktopProgramTest, ClosingAFileOpenedAtStartAsksNothing) {
  DesktopProgram program({QStringLiteral("kamerol"), QStringLiteral(KAMEROL_EXAMPLES_DIR "/worked-example.tpl")});
  program.window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.window()));
  EXPECT_FALSE(program.window().form().modified());
  EXPECT_FALSE(program.window().isWindowModified());
  EXPECT_TRUE(program.window().windowTitle().contains(QStringLiteral("worked-example.tpl")));
  bool asked = false;
  QTimer::singleShot(0, [&asked] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      asked = true;
      box->button(QMessageBox::Cancel)->click();
    }
  });
  program.window().close();
  QApplication::processEvents();  // the timer's turn, had no question come
  EXPECT_FALSE(asked);
  EXPECT_FALSE(program.window().isVisible());
}

TEST(DesktopProgramTest, StartsUnchanged) {
  DesktopProgram program({QStringLiteral("kamerol")});
  EXPECT_FALSE(program.window().isWindowModified());
  EXPECT_EQ(program.window().windowTitle(), QStringLiteral("Расчет теплопритоков в холодильной камере[*]"));
}

// The check files hold what the results panel shows and the report a user would print.
TEST(DesktopProgramTest, CheckFilesHoldTheShownResultsAndTheReport) {
  DesktopProgram program({QStringLiteral("kamerol"), QStringLiteral(KAMEROL_EXAMPLES_DIR "/worked-example.tpl")});
  QTemporaryDir dir;
  ASSERT_TRUE(program.writeCheckFiles(dir.path()));
  QFile results(dir.filePath(QStringLiteral("results.txt")));
  ASSERT_TRUE(results.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = results.readAll().split('\n');
  ASSERT_EQ(lines.size(), 12);  // nine gains, the sum, the capacity, the final line end
  EXPECT_EQ(lines[10], "Text49=" + edit(program.window(), Control::requiredCapacityBox)->text().toUtf8());
  EXPECT_TRUE(lines[10].endsWith("=1.64"));
  QFile folder(dir.filePath(QStringLiteral("calculations-folder.txt")));
  ASSERT_TRUE(folder.open(QIODevice::ReadOnly));
  EXPECT_EQ(QString::fromUtf8(folder.readAll()),
            shell::readCalculationsFolder(shell::QSettingsStore(), shell::defaultCalculationsFolder()));
  QFile report(dir.filePath(QStringLiteral("report.pdf")));
  ASSERT_TRUE(report.open(QIODevice::ReadOnly));
  EXPECT_TRUE(report.read(5) == "%PDF-");
  EXPECT_FALSE(program.writeCheckFiles(dir.filePath(QStringLiteral("no/such/folder"))));
}

TEST(DesktopProgramTest, AnUnreadableFileStartsWithTheDefaults) {
  // A FIFO would wait for a writer for ever, and the window would never come.
  QStringList files{QStringLiteral("/no/such/calculation.tpl")};
#ifndef _WIN32
  QTemporaryDir dir;
  files << dir.filePath(QStringLiteral("fifo.tpl"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(files.back()).constData(), 0600), 0);
#endif
  for (const QString& file : files) {
    DesktopProgram program({QStringLiteral("kamerol"), file});
    EXPECT_EQ(edit(program.window(), Control::roomLengthField)->text(), QStringLiteral("0"));
  }
}

// Qt's standard buttons are translated before the first window is shown.
TEST(DesktopProgramTest, TheClosePromptAnswersInRussian) {
  DesktopProgram program({QStringLiteral("kamerol")});
  program.window().show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&program.window()));
  program.window().form().setText(Control::clientInfoField, "ООО Холод");  // an unsaved change
  QStringList buttons;
  QTimer::singleShot(0, [&buttons] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
      buttons << box->button(b)->text().remove(QLatin1Char('&'));
    box->button(QMessageBox::Cancel)->click();
  });
  program.window().close();
  EXPECT_EQ(buttons, (QStringList{"Да", "Нет", "Отмена"}));
  EXPECT_TRUE(program.window().isVisible());  // Cancel keeps the form
}

}  // namespace
}  // namespace kamerol
