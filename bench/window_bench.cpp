// The desktop program on the offscreen platform (or the one QT_QPA_PLATFORM names): start-up to the first shown
// window, as whole processes beside bare Qt windows started the same way, and
// in-process; loading Qt's Russian catalogue; and one keystroke in the
// length field with every widget update painted, with and without the load
// chart open.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTranslator>

#include <chrono>
#include <optional>

#include "app/desktop_program.h"
#include "document/startup.h"
#include "window/calculation_window.h"
#include "window/chart_window.h"

namespace kamerol {
namespace {

using Clock = std::chrono::steady_clock;

// Starts a probe and returns the time from just before its start until its
// window was on the screen, as the probe reports it.
std::optional<Clock::duration> probeStartUp(const char* program, const QStringList& arguments = {}) {
  QProcess probe;
  const Clock::time_point start = Clock::now();
  probe.start(QString::fromUtf8(program), arguments);
  if (!probe.waitForFinished(30000) || probe.exitStatus() != QProcess::NormalExit || probe.exitCode() != 0)
    return std::nullopt;
  bool ok = false;
  const long long exposed = probe.readAllStandardOutput().trimmed().toLongLong(&ok);
  if (!ok) return std::nullopt;
  return Clock::time_point(Clock::duration(exposed)) - start;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_ProcessStartUp(benchmark::State& state, const char* program, QStringList arguments) {
  for (auto _ : state) {
    const auto time = probeStartUp(program, arguments);
    if (!time) {
      state.SkipWithError("the probe failed");
      break;
    }
    state.SetIterationTime(seconds(*time));
  }
}
BENCHMARK_CAPTURE(BM_ProcessStartUp, bare_qt_window, KAMEROL_BARE_WINDOW_PROBE, QStringList{"bare"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProcessStartUp, qt_window_with_text, KAMEROL_BARE_WINDOW_PROBE, QStringList{"text"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProcessStartUp, kamerol, KAMEROL_STARTUP_PROBE, QStringList{})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// The program against the Qt windows, taken in turns so that all see the same
// machine: the counters are the program's start-up as a multiple of the bare
// window's (`times_bare`) and of the window with text's (`times_text`).
void BM_ProcessStartUpAgainstQtWindows(benchmark::State& state) {
  Clock::duration program{}, bare{}, text{};
  for (auto _ : state) {
    const auto b = probeStartUp(KAMEROL_BARE_WINDOW_PROBE, {QStringLiteral("bare")});
    const auto t = probeStartUp(KAMEROL_BARE_WINDOW_PROBE, {QStringLiteral("text")});
    const auto p = probeStartUp(KAMEROL_STARTUP_PROBE);
    if (!b || !t || !p) {
      state.SkipWithError("a probe failed");
      break;
    }
    bare += *b;
    text += *t;
    program += *p;
    state.SetIterationTime(seconds(*p));
  }
  if (bare.count() > 0 && text.count() > 0) {
    state.counters["times_bare"] = seconds(program) / seconds(bare);
    state.counters["times_text"] = seconds(program) / seconds(text);
  }
}
BENCHMARK(BM_ProcessStartUpAgainstQtWindows)->UseManualTime()->Iterations(60)->Unit(benchmark::kMillisecond);

// In-process, once Qt and its fonts are up: the program as it starts, up to
// its window on the screen.
void BM_StartUpToShownWindow(benchmark::State& state) {
  for (auto _ : state) {
    DesktopProgram program(QCoreApplication::arguments());
    program.window().show();
    benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&program.window()));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

// What Qt's Russian catalogue adds to the start-up: reading and installing
// it, as the program does before its first window.
void BM_LoadQtTranslation(benchmark::State& state) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (auto _ : state) {
    QTranslator translator;
    if (!translator.load(QStringLiteral("qtbase_ru"), folder)) {
      state.SkipWithError("no qtbase_ru catalogue");
      break;
    }
    QCoreApplication::installTranslator(&translator);
    QCoreApplication::removeTranslator(&translator);
  }
}
BENCHMARK(BM_LoadQtTranslation)->Unit(benchmark::kMicrosecond);

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

void BM_KeystrokeInLengthWithWidgets(benchmark::State& state, bool chartOpen) {
  NoMessages messages;
  CalculationForm form(messages, NumberLocale::point());
  WindowServices services;
  CalculationWindow window(form, services, messages);
  startCalculation(form, std::nullopt, messages);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) state.SkipWithError("the window was not shown");
  if (chartOpen) {
    window.showChart();
    if (!QTest::qWaitForWindowExposed(window.chartWindow())) state.SkipWithError("the chart was not shown");
    window.activateWindow();
  }
  auto* length = qobject_cast<QLineEdit*>(window.widget(Control::roomLengthField));
  for (auto [c, text] : {std::pair{Control::roomLengthField, "500"},
                         {Control::roomWidthField, "400"},
                         {Control::roomHeightField, "300"}})
    form.setText(c, text);
  length->setFocus();
  length->end(false);
  bool grow = true;
  for (auto _ : state) {
    QTest::keyClick(length, grow ? Qt::Key_0 : Qt::Key_Backspace);
    QApplication::processEvents();  // paint what changed
    grow = !grow;
  }
}
BENCHMARK_CAPTURE(BM_KeystrokeInLengthWithWidgets, form_alone, false)->Unit(benchmark::kMicrosecond);
// The load chart beside the form redraws after every keystroke.
BENCHMARK_CAPTURE(BM_KeystrokeInLengthWithWidgets, chart_open, true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace kamerol

int main(int argc, char** argv) {
  // Offscreen unless a platform is named: QT_QPA_PLATFORM=xcb under xvfb-run
  // measures the start-up on an X display, the probes included.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
