// The sensitivity and checks windows beside the form: opened from
// "Инструменты", following the form model, the checks going to their field;
// the report's sensitivity setting in "Настройки".

#include "window/sensitivity_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <algorithm>

#include "form/navigation.h"
#include "tests/row_names.h"
#include "tests/window/shown_window.h"
#include "window/checks_window.h"

namespace kamerol {
namespace {

using enum Control;

class SensitivityWindowTest : public testing_support::ShownWindowTest {
 protected:
  SensitivityWindow* openSensitivity() {
    menuItem(2, "Menu_Tools_Sensitivity")->trigger();
    QApplication::processEvents();
    return window.sensitivityWindow();
  }
  ChecksWindow* openChecks() {
    menuItem(2, "Menu_Tools_Checks")->trigger();
    QApplication::processEvents();
    return window.checksWindow();
  }
  // Typed as a user does: on its page, focused, left.
  void enter(Control c, const std::string& text) {
    form.selectPage(*pageOf(c));
    form.moveFocus(c);
    form.setText(c, text);
    form.focusLost(c);
  }
};

TEST_F(SensitivityWindowTest, OpensFromToolsAndFollowsEachBurstOfEditsOnce) {
  EXPECT_EQ(window.sensitivityWindow(), nullptr);
  SensitivityWindow* sensitivity = openSensitivity();
  ASSERT_NE(sensitivity, nullptr);
  EXPECT_TRUE(sensitivity->isVisible());
  EXPECT_EQ(sensitivity->windowTitle(), "Чувствительность");
  EXPECT_EQ(openSensitivity(), sensitivity);
  EXPECT_EQ(sensitivity->view()->chart().baseText, form.text(requiredCapacityBox));
  EXPECT_EQ(sensitivity->table()->rowCount(), kSensitivityInputCount);
  EXPECT_TRUE(sensitivity->view()->accessibleDescription().contains(
      QString::fromStdString("сейчас: " + form.text(requiredCapacityBox))));

  const std::string before = form.text(requiredCapacityBox);
  const int analyses = sensitivity->analysisCount();
  auto* length = qobject_cast<QLineEdit*>(window.widget(roomLengthField));
  length->setFocus();
  length->end(false);
  QTest::keyClick(length, Qt::Key_0);  // 5000 cm: many boxes change
  QApplication::processEvents();
  EXPECT_NE(form.text(requiredCapacityBox), before);
  EXPECT_EQ(sensitivity->view()->chart().baseText, form.text(requiredCapacityBox));
  EXPECT_EQ(sensitivity->analysisCount(), analyses + 1);

  // Three edits in one event come to one analysis.
  QMetaObject::invokeMethod(
      &window,
      [&] {
        form.setText(roomLengthField, "600");
        form.setText(roomWidthField, "500");
        form.setText(roomHeightField, "400");
      },
      Qt::QueuedConnection);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(sensitivity->analysisCount(), analyses + 2);
  EXPECT_EQ(sensitivity->view()->chart().baseText, form.text(requiredCapacityBox));
}

TEST_F(SensitivityWindowTest, RefusedSidesAreSaidUnderTheTable) {
  enter(staffCountField, "0");  // one fewer the form does not take
  SensitivityWindow* sensitivity = openSensitivity();
  const std::vector<TornadoRow>& rows = sensitivity->view()->chart().rows;
  const auto staff = std::ranges::find(rows, SensitivityInput::Staff, &TornadoRow::input);
  ASSERT_NE(staff, rows.end());
  EXPECT_FALSE(staff->low.position.has_value());
  EXPECT_EQ(staff->low.capacityText, "—");
  EXPECT_TRUE(staff->high.position.has_value());
  EXPECT_TRUE(sensitivity->notes()->isVisibleTo(sensitivity));
  EXPECT_TRUE(sensitivity->notes()->text().contains("Пропущено: Число рабочих, чел, меньше (-1): "));
  EXPECT_EQ(sensitivity->table()->item(static_cast<int>(staff - rows.begin()), 4)->text(), "—");
}

TEST_F(SensitivityWindowTest, SensitivityInReportIsACheckableSetting) {
  QAction* item = menuItem(1, "mnuSensitivity");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "&Чувствительность в отчёте");
  EXPECT_TRUE(item->isCheckable());
  EXPECT_FALSE(item->isChecked());
}

struct GoToFieldCase {
  std::string name;
  std::vector<std::pair<Control, std::string>> edits;
  std::string_view key;
  Control field;
};

class GoToFieldTest : public SensitivityWindowTest, public testing::WithParamInterface<GoToFieldCase> {};

TEST_P(GoToFieldTest, FocusesTheFieldOnItsPage) {
  const GoToFieldCase& c = GetParam();
  ChecksWindow* checks = openChecks();
  ASSERT_NE(checks, nullptr);
  EXPECT_EQ(checks->windowTitle(), "Проверка расчёта");
  EXPECT_EQ(checks->list()->count(), 0);
  for (const auto& [control, text] : c.edits) enter(control, text);
  form.selectPage(1);
  QApplication::processEvents();
  int row = -1;
  for (std::size_t i = 0; i < checks->findings().size(); ++i)
    if (checks->findings()[i].key == c.key) row = static_cast<int>(i);
  ASSERT_GE(row, 0) << "no finding " << c.key;
  EXPECT_EQ(checks->list()->item(row)->text().toStdString(), checks->findings()[static_cast<std::size_t>(row)].text);

  checks->activateWindow();
  checks->list()->setFocus();
  checks->list()->setCurrentRow(row);
  QTest::keyClick(checks->list(), Qt::Key_Return);
  QApplication::processEvents();
  EXPECT_EQ(form.currentPage(), *pageOf(c.field));
  EXPECT_EQ(QApplication::focusWidget(), window.widget(c.field));
}

INSTANTIATE_TEST_SUITE_P(
    Checks, GoToFieldTest,
    testing::Values(GoToFieldCase{"NoFloorInsulation",
                                  {{floorInsulationThicknessField, "0"}},
                                  "noInsulationFloor",
                                  floorInsulationThicknessField},
                    GoToFieldCase{
                        "StaffBehindClosedDoor", {{staffCountField, "2"}}, "doorNeverOpen", doorOpenMinutesField},
                    GoToFieldCase{"NoReserve", {{reservePercentField, "0"}}, "noReserve", reservePercentField}),
    RowName());

}  // namespace
}  // namespace kamerol
