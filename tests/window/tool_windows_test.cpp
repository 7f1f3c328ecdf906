// The tool windows' column beside the form: where each window goes on a
// screen, the chart and the trace opened together on a laptop's screen,
// Escape closing each, a window the user moved keeping its place.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QTest>

#include <vector>

#include "tests/window/shown_window.h"
#include "window/chart_window.h"
#include "window/trace_window.h"
#include "window/window_placement.h"

namespace kamerol {
namespace {

// Frames, borders included: the chart, the trace and a third window.
constexpr ToolWindowSize kChart{{730, 480}, {410, 270}};
constexpr ToolWindowSize kTrace{{640, 600}, {360, 240}};
constexpr ToolWindowSize kThird{{500, 400}, {300, 200}};

struct ColumnCase {
  const char* name;
  QRect screen;
  QRect form;
  std::vector<ToolWindowSize> windows;
  std::vector<QRect> placed;  // top to bottom
  QPoint formMoved;
};

class PlaceColumnTest : public testing::TestWithParam<ColumnCase> {};

TEST_P(PlaceColumnTest, StackedBesideTheFormOnTheScreen) {
  const ColumnCase& c = GetParam();
  const ColumnPlacement p = placeColumn(c.form, c.windows, c.screen);
  EXPECT_EQ(p.windows, c.placed);
  EXPECT_EQ(p.anchor, QRect(c.formMoved, c.form.size()));
  for (std::size_t i = 0; i < p.windows.size(); ++i) {
    EXPECT_TRUE(c.screen.contains(p.windows[i])) << i;
    EXPECT_FALSE(p.windows[i].intersects(p.anchor)) << i;
    for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(p.windows[i].intersects(p.windows[j])) << i << " " << j;
  }
}

// A case a line, its frames below it.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Screens, PlaceColumnTest,
    testing::Values(ColumnCase{"TallScreenKeepsTheWantedHeights", {0, 0, 1920, 1200}, {100, 100, 810, 560},
                               {kChart, kTrace}, {{918, 100, 730, 480}, {918, 588, 730, 600}}, {100, 100}},
                    ColumnCase{"LaptopSharesTheHeight", {0, 0, 1366, 768}, {278, 84, 810, 560}, {kChart, kTrace},
                               {{818, 0, 548, 337}, {818, 345, 548, 423}}, {0, 84}},
                    ColumnCase{"LowScreenKeepsAMinimum", {0, 0, 1366, 600}, {0, 0, 810, 560}, {kChart, kTrace},
                               {{818, 0, 548, 270}, {818, 278, 548, 322}}, {0, 0}},
                    ColumnCase{"ThreeWindowsOnALaptop", {0, 0, 1366, 768}, {0, 0, 810, 560}, {kChart, kTrace, kThird},
                               {{818, 0, 548, 270}, {818, 278, 548, 282}, {818, 568, 548, 200}}, {0, 0}},
                    ColumnCase{"MinimumsDoNotFitAndShare", {0, 0, 1366, 400}, {0, 0, 810, 380}, {kChart, kTrace},
                               {{818, 0, 548, 207}, {818, 215, 548, 185}}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

class ToolWindowsTest : public testing_support::ShownWindowTest {
 protected:
  void open(const char* item) {
    menuItem(2, item)->trigger();
    QApplication::processEvents();
  }
  static void escape(QWidget* toolWindow) {
    QApplication::setActiveWindow(toolWindow);  // the key goes to the window in front
    QTest::keyClick(toolWindow, Qt::Key_Escape);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
  }
};

TEST_F(ToolWindowsTest, ChartAndTraceAreSeenWithTheFormOnALaptop) {
  open("Menu_Tools_Chart");
  open("Menu_Tools_Trace");
  const QRect screen = window.screen()->availableGeometry();
  if (QGuiApplication::platformName() == "offscreen") {
    EXPECT_EQ(screen, QRect(0, 0, 1366, 768));
  }
  const std::vector<QRect> frames{window.frameGeometry(), window.chartWindow()->frameGeometry(),
                                  window.traceWindow()->frameGeometry()};
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_TRUE(screen.contains(frames[i])) << i;
    for (std::size_t j = 0; j < i; ++j) EXPECT_FALSE(frames[i].intersects(frames[j])) << i << " " << j;
  }
  // The chart opened first: it stands above the trace, in one column.
  EXPECT_LT(frames[1].bottom(), frames[2].top());
  EXPECT_EQ(frames[1].left(), frames[2].left());
}

TEST_F(ToolWindowsTest, EscapeClosesAndAWindowTheUserMovedKeepsItsPlace) {
  open("Menu_Tools_Chart");
  open("Menu_Tools_Trace");
  const QRect moved(40, 200, 500, 300);
  window.chartWindow()->setGeometry(moved);

  // The trace opens again in the column: the chart stays.
  escape(window.traceWindow());
  EXPECT_EQ(window.traceWindow(), nullptr);
  open("Menu_Tools_Trace");
  EXPECT_EQ(window.chartWindow()->geometry(), moved);
  const QRect trace = window.traceWindow()->geometry();

  // The chart opens again where the user left it; the trace stays.
  escape(window.chartWindow());
  EXPECT_EQ(window.chartWindow(), nullptr);
  open("Menu_Tools_Chart");
  EXPECT_EQ(window.chartWindow()->geometry(), moved);
  EXPECT_EQ(window.traceWindow()->geometry(), trace);
}

}  // namespace
}  // namespace kamerol
