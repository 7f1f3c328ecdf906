// The trace window beside the form: opened from "Инструменты", following a
// keystroke and an inclusion check box; the result boxes' tooltips; the
// report's trace setting in "Настройки".

#include "window/trace_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>

#include "tests/window/shown_window.h"

namespace kamerol {
namespace {

using enum Control;

class TraceWindowTest : public testing_support::ShownWindowTest {
 protected:
  // The heading of entry `index` (0 is the notation line).
  QString heading(int index) { return window.traceWindow()->tree()->topLevelItem(index)->text(0); }
};

TEST_F(TraceWindowTest, OpensBesideTheFormAndFollowsEveryEdit) {
  EXPECT_EQ(window.traceWindow(), nullptr);
  menuItem(2, "Menu_Tools_Trace")->trigger();
  QApplication::processEvents();
  TraceWindow* trace = window.traceWindow();
  ASSERT_NE(trace, nullptr);
  EXPECT_TRUE(trace->isVisible());
  EXPECT_EQ(trace->windowTitle(), "Ход расчёта");
  EXPECT_EQ(trace->tree()->accessibleName(), "Ход расчёта");
  EXPECT_EQ(trace->tree()->focusPolicy() & Qt::TabFocus, Qt::TabFocus);
  EXPECT_NE(trace->geometry().left(), window.geometry().left());
  EXPECT_EQ(heading(1), "1. Через стены, Qогр = 0.63 кВт");
  EXPECT_EQ(heading(11), "11. С учетом к-та запаса и времени р-ты оборудования, Qтреб = 1.64 кВт");

  // A keystroke in the length field.
  auto* length = qobject_cast<QLineEdit*>(window.widget(roomLengthField));
  length->setFocus();
  length->end(false);
  QTest::keyClick(length, Qt::Key_0);
  QApplication::processEvents();
  EXPECT_EQ(heading(1), "1. Через стены, Qогр = " + window.widget(wallsGainBox)->property("text").toString() + " кВт");
  EXPECT_NE(heading(1), "1. Через стены, Qогр = 0.63 кВт");

  // The walls' check box.
  qobject_cast<QCheckBox*>(window.widget(includeWallsCheck))->click();
  QApplication::processEvents();
  EXPECT_EQ(heading(1), "1. Через стены, Qогр = 0 кВт");
  const QTreeWidgetItem* walls = trace->tree()->topLevelItem(1);
  EXPECT_EQ(walls->child(walls->childCount() - 1)->text(0), "не учитывается: флажок на панели снят, на панели 0");

  // One window at a time.
  menuItem(2, "Menu_Tools_Trace")->trigger();
  EXPECT_EQ(window.traceWindow(), trace);
}

TEST_F(TraceWindowTest, ResultBoxTooltipGivesTheFormulaWithItsNumbers) {
  QWidget* box = window.widget(ventilationGainBox);
  QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(box, &event);
  EXPECT_EQ(QToolTip::text(), "Qвент = R2(9.036962 · 60 · 0.00085) = 0.46 кВт");
}

TEST_F(TraceWindowTest, TraceInReportIsACheckableSetting) {
  QAction* item = menuItem(1, "mnuTrace");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "&Ход расчёта в отчёте");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
  item->trigger();
  EXPECT_TRUE(services.trace);
}

}  // namespace
}  // namespace kamerol
