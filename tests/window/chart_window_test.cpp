// The chart window beside the form: opened from "Инструменты", following the
// form model, one at a time; the report's chart setting in "Настройки".

#include "window/chart_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "tests/window/shown_window.h"
#include "window/window_placement.h"

namespace kamerol {
namespace {

using enum Control;

class ChartWindowTest : public testing_support::ShownWindowTest {
 protected:
  ChartWindow* openChart() {
    menuItem(2, "Menu_Tools_Chart")->trigger();
    QApplication::processEvents();
    return window.chartWindow();
  }
  const GainBar& bar(Gain g) { return window.chartWindow()->view()->chart().bars[static_cast<std::size_t>(g)]; }
};

// Frames on a screen; the form is 810 × 560 with its borders, the chart would
// like 730 × 480 and needs 410 × 270.
struct PlacementCase {
  const char* name;
  QRect screen;
  QRect form;
  QRect chart;       // where the chart goes
  QPoint formMoved;  // where the form goes
};

class PlaceBesideTest : public testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceBesideTest, BesideNeverOverAndOnTheScreen) {
  const PlacementCase& c = GetParam();
  const BesidePlacement p = placeBeside(c.form, {730, 480}, {410, 270}, c.screen);
  EXPECT_EQ(p.window, c.chart);
  EXPECT_EQ(p.anchor.topLeft(), c.formMoved);
  EXPECT_EQ(p.anchor.size(), c.form.size());
  EXPECT_TRUE(c.screen.contains(p.window));
  EXPECT_FALSE(p.window.intersects(p.anchor));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, PlaceBesideTest,
    testing::Values(
        PlacementCase{
            "WideScreenOnTheRight", {0, 0, 1920, 1040}, {100, 100, 810, 560}, {918, 100, 730, 480}, {100, 100}},
        PlacementCase{"FormAtTheRightEdge", {0, 0, 1920, 1040}, {1100, 50, 810, 560}, {362, 50, 730, 480}, {1100, 50}},
        PlacementCase{"SmallScreenNarrowedOnTheRight", {0, 0, 1366, 728}, {0, 0, 810, 560}, {818, 0, 548, 480}, {0, 0}},
        PlacementCase{
            "SmallScreenNarrowedOnTheLeft", {0, 0, 1366, 728}, {556, 0, 810, 560}, {0, 0, 548, 480}, {556, 0}},
        PlacementCase{"CentredFormMovesLeft", {0, 0, 1366, 728}, {278, 84, 810, 560}, {818, 84, 548, 480}, {0, 84}},
        PlacementCase{"LowFormRaisedChart", {0, 0, 1366, 728}, {0, 500, 810, 560}, {818, 248, 548, 480}, {0, 500}},
        PlacementCase{"SecondScreen", {1920, 0, 1366, 768}, {1920, 0, 810, 560}, {2738, 0, 548, 480}, {1920, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChartWindowTest, OpensFromToolsBesideTheFormOneAtATime) {
  EXPECT_EQ(menuTexts(2), (QStringList{"&Калькулятор", "&Диаграмма теплопритоков", "&Ход расчёта", "&Чувствительность",
                                       "&Проверка расчёта", "Копировать &результаты"}));
  EXPECT_EQ(window.chartWindow(), nullptr);  // nothing of it before it is asked for
  ChartWindow* chart = openChart();
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(chart->isVisible());
  EXPECT_EQ(chart->windowTitle(), "Диаграмма теплопритоков");
  EXPECT_EQ(chart->view()->accessibleName(), "Диаграмма теплопритоков");
  EXPECT_TRUE(chart->view()->accessibleDescription().contains("Через стены: 0.63 кВт, 53.8 %"));
  // Beside the form where the screen has room for both (the offscreen one may not).
  const QRect screen = chart->screen()->availableGeometry();
  EXPECT_TRUE(screen.contains(chart->frameGeometry()));
  if (screen.width() >= window.frameGeometry().width() + kBesideGap + chart->minimumSizeHint().width()) {
    EXPECT_FALSE(chart->frameGeometry().intersects(window.frameGeometry()));
  }
  EXPECT_EQ(openChart(), chart);

  chart->close();
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(window.chartWindow(), nullptr);
  // The form goes on without it.
  form.setText(roomLengthField, "600");
  EXPECT_TRUE(window.isVisible());
  EXPECT_NE(openChart(), nullptr);
}

TEST_F(ChartWindowTest, FollowsAKeystrokeAndACheckBox) {
  openChart();
  EXPECT_EQ(bar(Gain::Walls).valueText, "0.63");
  auto* length = qobject_cast<QLineEdit*>(window.widget(roomLengthField));
  length->setFocus();
  length->end(false);
  QTest::keyClick(length, Qt::Key_0);  // 5000 cm
  QApplication::processEvents();
  EXPECT_EQ(bar(Gain::Walls).valueText, form.text(wallsGainBox));
  EXPECT_NE(bar(Gain::Walls).valueText, "0.63");
  EXPECT_EQ(window.chartWindow()->view()->chart().totalText, form.text(totalGainBox));
  EXPECT_TRUE(window.chartWindow()->view()->accessibleDescription().contains(
      QString::fromStdString("Через стены: " + form.text(wallsGainBox) + " кВт")));

  qobject_cast<QCheckBox*>(window.widget(includeWallsCheck))->click();
  QApplication::processEvents();
  EXPECT_TRUE(bar(Gain::Walls).excluded);
  EXPECT_EQ(bar(Gain::Walls).valueText, "0");
}

TEST_F(ChartWindowTest, ChartInReportIsACheckableSetting) {
  EXPECT_TRUE(menuTexts(1).contains("&Диаграмма в отчёте"));
  QAction* item = menuItem(1, "mnuChart");
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(services.chart);
  item->trigger();
  EXPECT_FALSE(services.chart);
}

}  // namespace
}  // namespace kamerol
