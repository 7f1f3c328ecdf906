// The desktop program on the offscreen platform: start-up to the first shown
// window, against a bare Qt main window in the same run (in-process, and as
// whole processes), and one keystroke in the length field with every widget
// update painted.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QProcess>
#include <QTest>

#include <memory>

#include "docs/startup.h"
#include "shell/calculation_window.h"

namespace kamerol {
namespace {

class NoMessages : public MessageSink {
 public:
  void showMessage(const Message&) override {}
};

void BM_BareQtWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    QMainWindow window;
    window.resize(795, 560);
    window.show();
    benchmark::DoNotOptimize(QTest::qWaitForWindowExposed(&window));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_BareQtWindowShown)->Unit(benchmark::kMillisecond);

// The program as it starts: the form, the window, the start-up calculation,
// the window on the screen.
struct StartedProgram {
  StartedProgram() : form(messages, NumberLocale::point()), window(form, services, messages) {
    startCalculation(form, std::nullopt, messages);
    window.show();
    shown = QTest::qWaitForWindowExposed(&window);
    QApplication::processEvents();
  }
  NoMessages messages;
  CalculationForm form;
  WindowServices services;
  CalculationWindow window;
  bool shown = false;
};

void BM_StartUpToShownWindow(benchmark::State& state) {
  for (auto _ : state) {
    StartedProgram program;
    benchmark::DoNotOptimize(program.shown);
  }
}
BENCHMARK(BM_StartUpToShownWindow)->Unit(benchmark::kMillisecond);

void BM_KeystrokeInLengthWithWidgets(benchmark::State& state) {
  StartedProgram program;
  if (!program.shown) state.SkipWithError("the window was not shown");
  auto* length = qobject_cast<QLineEdit*>(program.window.widget(Control::Text1));
  for (auto [c, text] : {std::pair{Control::Text1, "500"}, {Control::Text2, "400"}, {Control::Text4, "300"}})
    program.form.setText(c, text);
  length->setFocus();
  length->end(false);
  bool grow = true;
  for (auto _ : state) {
    QTest::keyClick(length, grow ? Qt::Key_0 : Qt::Key_Backspace);
    QApplication::processEvents();  // paint what changed
    grow = !grow;
  }
}
BENCHMARK(BM_KeystrokeInLengthWithWidgets)->Unit(benchmark::kMicrosecond);

// A whole process, from its start to its first window on the screen.
void BM_ProcessStartUp(benchmark::State& state, const char* kind) {
  for (auto _ : state) {
    if (QProcess::execute(QStringLiteral(KAMEROL_STARTUP_PROBE), {QString::fromLatin1(kind)}) != 0)
      state.SkipWithError("the probe failed");
  }
}
BENCHMARK_CAPTURE(BM_ProcessStartUp, bare_qt_window, "bare")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProcessStartUp, qt_window_with_text, "text")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ProcessStartUp, kamerol, "kamerol")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kamerol

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
