#include "report/report_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "report/default_printer.h"
#include "report/project_report.h"
#include "report/report_painter.h"
#include "report/report_print.h"
#include "report/report_sample.h"

namespace kamerol {
namespace {

// Answers the save dialog with a fixed path and prints on a printer that can
// only fail.
class FakeServices : public ReportWindowServices {
 public:
  QString answer;
  QString suggested;
  int prints = 0;
  bool throwOnPrint = false;
  QStringList errors;
  bool noPrinter = false;

  bool hasPrinter() override { return !noPrinter; }

  QString askPdfPath(QWidget*, const QString& suggestedName) override {
    suggested = suggestedName;
    return answer;
  }
  void showError(QWidget*, const QString& title, const QString& text) override { errors.append(title + '|' + text); }
  bool print(const ReportPage& page) override {
    ++prints;
    if (throwOnPrint) throw std::runtime_error("printer on fire");
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName("/nonexistent-folder/report.pdf");
    return printReportPage(page, printer);
  }
};

class ReportWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(dir_.isValid()); }

  std::unique_ptr<ReportWindow> makeWindow(const QString& pdfName = QStringLiteral("Отчет")) {
    auto services = std::make_unique<FakeServices>();
    services_ = services.get();
    return std::make_unique<ReportWindow>(buildReportPage(workedExampleRecord(), true), pdfName, std::move(services));
  }

  QTemporaryDir dir_;
  FakeServices* services_ = nullptr;
};

TEST_F(ReportWindowTest, ToolbarHasTheThreeCommands) {
  const auto window = makeWindow();
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Печать"));

  const QList<QToolBar*> bars = window->findChildren<QToolBar*>();
  ASSERT_EQ(bars.size(), 1);
  const QList<QAction*> actions = bars.front()->actions();
  ASSERT_EQ(actions.size(), 3);
  struct Expected {
    QAction* action;
    const char* key;
    QString toolTip;
  };
  for (const Expected& e : {Expected{window->printAction(), "Print", QStringLiteral("Распечатать")},
                            Expected{window->closeAction(), "Delete", QStringLiteral("Закрыть")},
                            Expected{window->savePdfAction(), "SavePdf", QStringLiteral("Сохранить в PDF")}}) {
    EXPECT_TRUE(actions.contains(e.action)) << e.key;
    EXPECT_EQ(e.action->objectName(), QLatin1String(e.key));
    EXPECT_EQ(e.action->toolTip(), e.toolTip) << e.key;
    EXPECT_FALSE(e.action->icon().isNull()) << e.key;
  }
  EXPECT_EQ(window->savePdfAction()->text(), QStringLiteral("Сохранить в PDF"));
}

TEST_F(ReportWindowTest, BothWaysOfClosingEmitClosed) {
  for (const bool viaToolbar : {true, false}) {
    const auto window = makeWindow();
    QSignalSpy spy(window.get(), &ReportWindow::closed);
    window->show();
    if (viaToolbar) {
      window->closeAction()->trigger();
    } else {
      window->close();  // the close box
    }
    EXPECT_EQ(spy.count(), 1) << viaToolbar;
    EXPECT_FALSE(window->isVisible());
  }
}

TEST_F(ReportWindowTest, SavePdfAddsTheExtensionAndWrites) {
  const auto window = makeWindow();
  services_->answer = dir_.filePath("calculation");
  window->savePdfAction()->trigger();
  EXPECT_EQ(services_->suggested, QStringLiteral("Отчет.pdf"));
  const QFileInfo written(dir_.filePath("calculation.pdf"));
  EXPECT_TRUE(written.exists());
  EXPECT_GT(written.size(), 1000);

  // A name that already ends in .pdf, in any case, keeps it.
  services_->answer = dir_.filePath("second.PDF");
  window->savePdfAction()->trigger();
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("second.PDF")));
  EXPECT_FALSE(QFileInfo::exists(dir_.filePath("second.PDF.pdf")));

  const auto named = makeWindow(QStringLiteral("Склад.pdf"));
  named->savePdfAction()->trigger();
  EXPECT_EQ(services_->suggested, QStringLiteral("Склад.pdf"));
}

TEST_F(ReportWindowTest, CancelledSaveChangesNothingAndAFailedOneSaysSo) {
  const auto window = makeWindow();
  window->show();
  services_->answer.clear();  // cancelled
  window->savePdfAction()->trigger();
  EXPECT_TRUE(services_->errors.isEmpty());
  services_->answer = dir_.filePath("missing-folder/report");
  window->savePdfAction()->trigger();
  EXPECT_TRUE(QDir(dir_.path()).isEmpty());
  EXPECT_TRUE(window->isVisible());
  // A failed write is not silent: the message names the file.
  EXPECT_EQ(services_->errors, QStringList{QStringLiteral("Сообщение программы|Не удалось сохранить отчет в PDF\n") +
                                           QDir::toNativeSeparators(dir_.filePath("missing-folder/report.pdf"))});
}

TEST_F(ReportWindowTest, APrintThatDoesNotHappenSaysSo) {
  struct Case {
    bool noPrinter;
    bool throws;
    const char* message;
  };
  for (const Case& c : {Case{true, false, "Сообщение программы|Нет принтера: отчет не распечатан."},
                        Case{false, false, "Сообщение программы|Не удалось распечатать отчет."},
                        Case{false, true, "Сообщение программы|Не удалось распечатать отчет."}}) {
    const auto window = makeWindow();
    QSignalSpy spy(window.get(), &ReportWindow::closed);
    window->show();
    services_->noPrinter = c.noPrinter;
    services_->throwOnPrint = c.throws;
    services_->errors.clear();
    window->printAction()->trigger();
    EXPECT_EQ(services_->errors, QStringList{QString::fromUtf8(c.message)});
    EXPECT_EQ(services_->prints, c.noPrinter ? 0 : 1);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(spy.count(), 0);
  }
}

TEST_F(ReportWindowTest, CtrlPPrintsAndEscapeCloses) {
  const auto window = makeWindow();
  QSignalSpy spy(window.get(), &ReportWindow::closed);
  window->show();
  QApplication::setActiveWindow(window.get());
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  QTest::keyClick(window.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(services_->prints, 1);
  QTest::keyClick(window.get(), Qt::Key_Escape);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(ReportWindowTest, NoDefaultPrinterMeansNothingHappens) {
  ASSERT_NE(defaultPrinter(), nullptr);  // the print module, where the program has one, loads
  if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this machine has a printer; not printing on it";
  QtReportWindowServices services;
  EXPECT_FALSE(services.print(buildReportPage(workedExampleRecord(), false)));
}

// On the tests' own print queue (tests/print_queue.sh, which names the file it writes each job to), never on a
// real printer: the page reaches the default printer whole.
TEST_F(ReportWindowTest, PrintsOnTheDefaultPrinter) {
  const QString output = qEnvironmentVariable("KAMEROL_PRINT_QUEUE_OUTPUT");
  if (output.isEmpty()) GTEST_SKIP() << "no print queue of the tests' own (KAMEROL_PRINT_QUEUE_OUTPUT); not printing";
  QtReportWindowServices services;
  ASSERT_TRUE(services.hasPrinter());
  ASSERT_TRUE(services.print(buildReportPage(workedExampleRecord(), false)));
  // The spooler hands the job on after print() has returned.
  QFile file(output);
  for (QDeadlineTimer deadline(std::chrono::seconds(60)); !file.exists() && !deadline.hasExpired();) QTest::qWait(50);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << output.toStdString();
  const QByteArray head = file.read(5);
  EXPECT_TRUE(head == "%PDF-" || head.startsWith("%!PS")) << head.toStdString();
  // A page of text and rules with its fonts: tens of kilobytes, not megabytes.
  EXPECT_GT(file.size(), 10'000);
  EXPECT_LT(file.size(), 10'000'000);
}

TEST_F(ReportWindowTest, PageFitsTheWidthAndScrollsVertically) {
  const auto window = makeWindow();
  window->show();
  for (const QSize size : {QSize(600, 500), QSize(1000, 700)}) {
    window->resize(size);
    QCoreApplication::processEvents();
    const int viewport = window->scrollArea()->viewport()->width();
    ReportPageView* view = window->pageView();
    EXPECT_EQ(view->width(), viewport) << size.width();
    EXPECT_NEAR(view->height(), viewport * 16725.0 / 11625.0, 1.0) << size.width();
    EXPECT_GT(window->scrollArea()->verticalScrollBar()->maximum(), 0);
  }

  // The view paints the page: the frame's left rule is dark.
  const QImage image = window->pageView()->grab().toImage();
  const int x = image.width() * 840 / 11625;
  const int y = image.height() / 2;
  bool dark = false;
  for (int dx = -1; dx <= 1; ++dx) dark = dark || qGray(image.pixel(x + dx, y)) < 128;
  EXPECT_TRUE(dark);
}

// A project's report: its pages one below another, each across the width
// (the landscape summary lower than a room's page), printed and saved whole.
TEST_F(ReportWindowTest, ShowsPrintsAndSavesAProjectsPages) {
  Project project;
  project.addRoom({"Камера 1", std::nullopt, {}});
  project.addRoom({"Камера 2", std::nullopt, {}});
  const std::vector<CalculationRecord> records{workedExampleRecord(), workedExampleRecord()};
  auto services = std::make_unique<FakeServices>();
  FakeServices* fake = services.get();
  ReportWindow window(buildProjectReport(project, records, {true, true, false}), QStringLiteral("Склад"),
                      std::move(services));
  ASSERT_EQ(window.pages().size(), 3u);
  EXPECT_EQ(window.pageView()->sheetCount(), 5);  // the summary, each room's page and its chart
  window.show();
  window.resize(1000, 700);
  QCoreApplication::processEvents();
  const int width = window.pageView()->width();
  EXPECT_NEAR(window.pageView()->height(), width * (11625.0 / 16725.0 + 4 * 16725.0 / 11625.0) + 4 * 12, 2.0);

  window.printAction()->trigger();
  EXPECT_EQ(fake->prints, 1);  // page by page, stopping at the first that fails (as the fake always does)
  EXPECT_EQ(fake->errors.size(), 1);

  fake->answer = dir_.filePath("project");
  window.savePdfAction()->trigger();
  const QString info = [&] {
    const QString tool = QStandardPaths::findExecutable("pdfinfo");
    if (tool.isEmpty()) return QString();
    QProcess process;
    process.start(tool, {dir_.filePath("project.pdf")});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
  }();
  EXPECT_TRUE(QFileInfo::exists(dir_.filePath("project.pdf")));
  if (!info.isEmpty()) {
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+5\\n"))) << info.toStdString();
  }
}

}  // namespace
}  // namespace kamerol
