#pragma once

// A calculation window shown offscreen over the 500 × 400 × 300 cm room, with
// the menu look-ups that the tests of its secondary windows share.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include "document/startup.h"
#include "tests/form/form_test_support.h"
#include "window/calculation_window.h"

namespace kamerol::testing_support {

// The report's chart and trace settings, held in memory.
class ReportSettingServices : public WindowServices {
 public:
  bool chartInReport() const override { return chart; }
  void setChartInReport(bool on) override { chart = on; }
  bool traceInReport() const override { return trace; }
  void setTraceInReport(bool on) override { trace = on; }
  bool chart = false;
  bool trace = false;
};

class ShownWindowTest : public testing::Test {
 protected:
  ShownWindowTest() : form(messages, NumberLocale::point()), window(form, services, messages) {
    startCalculation(form, std::nullopt, messages);
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    for (auto [c, text] : {std::pair{Control::roomLengthField, "500"},
                           {Control::roomWidthField, "400"},
                           {Control::roomHeightField, "300"}})
      form.setText(c, text);
  }

  QAction* menuItem(int menu, const QString& name) {
    return window.menuBar()->actions()[menu]->menu()->findChild<QAction*>(name);
  }
  QStringList menuTexts(int menu) {
    QStringList texts;
    for (QAction* a : window.menuBar()->actions()[menu]->menu()->actions()) texts << a->text();
    return texts;
  }

  RecordingMessages messages;
  CalculationForm form;
  ReportSettingServices services;
  CalculationWindow window;
};

}  // namespace kamerol::testing_support
