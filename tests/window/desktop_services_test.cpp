// The calculation window with the desktop program's services behind it: the
// menu items, toolbar and "?" buttons reach the right windows, and the report
// comes and goes in place of the form.

#include "window/desktop_services.h"

#include <gtest/gtest.h>

#include "tests/test_platform.h"

#include <QApplication>
#include <QGroupBox>
#include <QMenuBar>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "analysis/checks.h"
#include "core/number_text.h"
#include "document/startup.h"
#include "form/navigation.h"
#include "report/report_window.h"
#include "shell/about_box.h"
#include "shell/folder_chooser.h"
#include "shell/help_popups.h"
#include "shell/settings_dialog.h"
#include "tests/form/form_test_support.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::RecordingMessages;

class RecordingPlayer : public shell::SoundPlayer {
 public:
  void playAndWait(const QString& path) override { played << QFileInfo(path).fileName(); }
  QStringList played;
};

template <typename Window>
Window* openWindow() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<Window*>(w); window && window->isVisible()) return window;
  return nullptr;
}

QAction* menuAction(QMainWindow& window, const QString& name) { return window.menuBar()->findChild<QAction*>(name); }

class DesktopServicesTest : public testing::Test {
 protected:
  DesktopServicesTest()
      : cues(player, settings, QStringLiteral("/program")),
        form(messages, NumberLocale::point()),
        services(store, settings, cues, form),
        window(form, services, messages) {
    settings.calculationsFolder = QStringLiteral("/calculations");
    services.setWindow(&window);
    startCalculation(form, std::nullopt, messages);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  ~DesktopServicesTest() override { closeOtherWindows(); }

  // Closing one window may delete others: hold them by guarded pointers.
  void closeOtherWindows() {
    QList<QPointer<QWidget>> others;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w != &window) others << w;
    for (const QPointer<QWidget>& w : others)
      if (w && w->isVisible()) w->close();
    QApplication::processEvents();
  }

  shell::MemorySettingsStore store;
  shell::AppSettings settings;
  RecordingPlayer player;
  shell::SoundCues cues;
  RecordingMessages messages;
  CalculationForm form;
  DesktopServices services;
  CalculationWindow window;
};

TEST_F(DesktopServicesTest, PrintShowsTheReportInsteadOfTheForm) {
  form.setText(roomLengthField, "500");
  form.setText(roomWidthField, "400");
  form.setText(roomHeightField, "300");
  window.move(window.pos() + QPoint(40, 30));
  const QPoint placed = window.pos();
  window.action(QStringLiteral("Print"))->trigger();
  ReportWindow* report = services.reportWindow();
  ASSERT_NE(report, nullptr);
  EXPECT_TRUE(report->isVisible());
  EXPECT_EQ(report->windowTitle(), "Печать");
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(player.played, QStringList{"Aldfd.lts"});
  EXPECT_EQ(report->page().find(ReportField::RequiredCapacity)->text, "1.64");

  report->closeAction()->trigger();
  EXPECT_FALSE(window.isVisible());  // not while the report is still on the screen
  QApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.pos(), placed);                    // where it was
  EXPECT_EQ(form.text(requiredCapacityBox), "1.64");  // inputs and results as they were
}

TEST_F(DesktopServicesTest, ChartInReportIsStoredAndAddsTheSecondPage) {
  QAction* item = menuAction(window, QStringLiteral("mnuChart"));
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isChecked());
  for (const bool on : {true, false}) {
    item->trigger();
    EXPECT_EQ(store.read(QLatin1String(shell::kChartInReportKey), {}), on ? "1" : "0");
    EXPECT_EQ(settings.chartInReport, on ? 1 : 0);
    window.print();
    ASSERT_NE(services.reportWindow(), nullptr);
    EXPECT_EQ(services.reportWindow()->page().chart.has_value(), on);
    // The window shows the chart's page below the report's.
    const ReportPageView* view = services.reportWindow()->pageView();
    EXPECT_EQ(view->heightForWidth(600) > 1200, on);
    services.reportWindow()->close();
    QApplication::processEvents();
  }
}

TEST_F(DesktopServicesTest, TraceInReportIsStoredAndAddsItsPages) {
  QAction* item = menuAction(window, QStringLiteral("mnuTrace"));
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isChecked());
  for (const bool on : {true, false}) {
    item->trigger();
    EXPECT_EQ(store.read(QLatin1String(shell::kTraceInReportKey), {}), on ? "1" : "0");
    EXPECT_EQ(settings.traceInReport, on ? 1 : 0);
    window.print();
    ASSERT_NE(services.reportWindow(), nullptr);
    const std::optional<CalculationTrace>& trace = services.reportWindow()->page().trace;
    ASSERT_EQ(trace.has_value(), on);
    if (on) {
      EXPECT_EQ(formatNumber(trace->requiredCapacity.shown), form.text(requiredCapacityBox));
    }
    // The window shows the trace's pages below the report's.
    EXPECT_EQ(services.reportWindow()->pageView()->heightForWidth(600) > 1200, on);
    services.reportWindow()->close();
    QApplication::processEvents();
  }
}

TEST_F(DesktopServicesTest, SensitivityInReportIsStoredAndAddsTheLastPage) {
  QAction* item = menuAction(window, QStringLiteral("mnuSensitivity"));
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->isChecked());  // off at first
  EXPECT_EQ(shell::readAppSettings(store, {}).sensitivityInReport, 0);
  for (const bool on : {true, false}) {
    item->trigger();
    EXPECT_EQ(store.read(QLatin1String(shell::kSensitivityInReportKey), {}), on ? "1" : "0");
    EXPECT_EQ(shell::readAppSettings(store, {}).sensitivityInReport, on ? 1 : 0);
    window.print();
    ASSERT_NE(services.reportWindow(), nullptr);
    const std::optional<SensitivityChart>& chart = services.reportWindow()->page().sensitivity;
    ASSERT_EQ(chart.has_value(), on);
    if (on) {
      EXPECT_EQ(chart->baseText, form.text(requiredCapacityBox));
    }
    EXPECT_EQ(services.reportWindow()->pageView()->heightForWidth(600) > 1200, on);
    services.reportWindow()->close();
    QApplication::processEvents();
  }
}

TEST_F(DesktopServicesTest, TheTracePagesCarryTheChecks) {
  if (const auto page = pageOf(reservePercentField)) form.selectPage(*page);
  form.moveFocus(reservePercentField);
  form.setText(reservePercentField, "0");
  form.focusLost(reservePercentField);
  const std::vector<CheckFinding> findings = checkCalculation(form);
  for (const bool trace : {false, true}) {
    services.setTraceInReport(trace);
    window.print();
    ASSERT_NE(services.reportWindow(), nullptr);
    const std::optional<std::vector<std::string>>& checks = services.reportWindow()->page().checks;
    ASSERT_EQ(checks.has_value(), trace);
    if (trace) {
      EXPECT_EQ(checks->size(), findings.size());
      EXPECT_NE(std::ranges::find(*checks, std::string("Запас равен 0 %.")), checks->end());
    }
    services.reportWindow()->close();
    QApplication::processEvents();
  }
}

TEST_F(DesktopServicesTest, ReportSoundFollowsTheSetting) {
  settings.sound = 0;
  menuAction(window, QStringLiteral("menuPrint"))->trigger();
  EXPECT_TRUE(player.played.isEmpty());
  services.reportWindow()->close();
}

TEST_F(DesktopServicesTest, HelpButtonsOpenTheirPopups) {
  window.ensurePage(4);
  auto* button = window.frame(4)->findChild<QToolButton*>(QStringLiteral("Command2"));
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  button->click();
  auto* popup = openWindow<shell::HelpPopup>();
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->number(), 2);
  EXPECT_EQ(popup->windowTitle(), "Кратность вентиляции");
  EXPECT_TRUE(window.isEnabled());  // help does not block the form
}

TEST_F(DesktopServicesTest, DialogsDisableTheFormWhileOpen) {
  struct Case {
    const char* action;
    bool toolbar;
  };
  for (const Case& c : {Case{"mnuLogo", false}, Case{"mnuPath", false}, Case{"menuProg", false}, Case{"Help", true}}) {
    QAction* action =
        c.toolbar ? window.action(QString::fromUtf8(c.action)) : menuAction(window, QString::fromUtf8(c.action));
    ASSERT_NE(action, nullptr) << c.action;
    action->trigger();
    QApplication::processEvents();
    EXPECT_FALSE(window.isEnabled()) << c.action;
    closeOtherWindows();
    EXPECT_TRUE(window.isEnabled()) << c.action;
  }
}

// With a dialog open, the form's close box neither asks nor ends the program.
TEST_F(DesktopServicesTest, TheCloseBoxWaitsForTheDialogs) {
  form.setText(clientInfoField, "ООО Холод");  // the close would ask
  int asked = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&asked] {
    if (QWidget* box = QApplication::activeModalWidget()) {
      ++asked;
      box->close();
    }
  });
  answer.start(10);
  for (const char* name : {"mnuLogo", "menuProg"}) {
    menuAction(window, QString::fromUtf8(name))->trigger();
    EXPECT_FALSE(window.close()) << name;
    EXPECT_TRUE(window.isVisible()) << name;
    closeOtherWindows();
  }
  EXPECT_EQ(asked, 0);
}

TEST_F(DesktopServicesTest, SettingsDialogShowsItsTitleWhole) {
  menuAction(window, QStringLiteral("mnuLogo"))->trigger();
  auto* dialog = openWindow<shell::SettingsDialog>();
  ASSERT_NE(dialog, nullptr);
  EXPECT_GT(dialog->width(), dialog->fontMetrics().horizontalAdvance(dialog->windowTitle()) + 120);
}

TEST_F(DesktopServicesTest, DialogsStartInTheCalculationsFolder) {
  EXPECT_EQ(services.calculationsFolder(), std::filesystem::path("/calculations"));
}

TEST_F(DesktopServicesTest, ClosingPlaysTheExitSoundUnlessTheSettingIsOff) {
  services.programEnding(false);
  EXPECT_EQ(player.played, QStringList{"Fcmcs.trc"});
  settings.sound = 0;
  services.programEnding(false);
  EXPECT_EQ(player.played.size(), 1);
  services.programEnding(true);  // "Выход" always plays it
  EXPECT_EQ(player.played.size(), 2);
}

TEST_F(DesktopServicesTest, BrandCaptionFollowsTheCompanyLabel) {
  ASSERT_NE(window.brandCaption(), nullptr);
  EXPECT_EQ(window.brandCaption()->cursor().shape(), Qt::PointingHandCursor);
}

}  // namespace
}  // namespace kamerol

int main(int argc, char** argv) {
  kamerol::testing_support::chooseTestPlatform();
  // The services must not touch the user's own settings or desktop files.
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toLocal8Bit());
  qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toLocal8Bit());
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
