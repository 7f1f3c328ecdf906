// The trace window beside the form: opened from "Инструменты", following a
// keystroke and an inclusion check box, its lines wrapped, copied, saved and
// printed; the result boxes' tooltips; the report's trace setting in
// "Настройки".

#include "window/trace_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "core/trace_text.h"
#include "report/report_page.h"
#include "tests/window/shown_window.h"

namespace kamerol {
namespace {

using enum Control;

class TraceWindowTest : public testing_support::ShownWindowTest {
 protected:
  // The heading of entry `index` (0 is the notation line).
  QString heading(int index) { return window.traceWindow()->tree()->topLevelItem(index)->text(0); }
  TraceWindow* openTrace() {
    menuItem(2, "Menu_Tools_Trace")->trigger();
    QApplication::processEvents();
    return window.traceWindow();
  }
  QString wholeTrace() { return QString::fromStdString(traceText(buildTrace(form.inputs(), form.heatLoad()))); }
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
  EXPECT_EQ(heading(1), "1. Через стены, Qстен = 0.63 кВт");
  EXPECT_EQ(heading(11), "11. С учетом к-та запаса и времени р-ты оборудования, Qтреб = 1.64 кВт");

  // A keystroke in the length field.
  auto* length = qobject_cast<QLineEdit*>(window.widget(roomLengthField));
  length->setFocus();
  length->end(false);
  QTest::keyClick(length, Qt::Key_0);
  QApplication::processEvents();
  EXPECT_EQ(heading(1), "1. Через стены, Qстен = " + window.widget(wallsGainBox)->property("text").toString() + " кВт");
  EXPECT_NE(heading(1), "1. Через стены, Qстен = 0.63 кВт");

  // The walls' check box.
  qobject_cast<QCheckBox*>(window.widget(includeWallsCheck))->click();
  QApplication::processEvents();
  EXPECT_EQ(heading(1), "1. Через стены, Qстен = 0 кВт");
  const QTreeWidgetItem* walls = trace->tree()->topLevelItem(1);
  EXPECT_EQ(walls->child(walls->childCount() - 1)->text(0), "не учитывается: флажок на панели снят, на панели 0");

  // One window at a time.
  menuItem(2, "Menu_Tools_Trace")->trigger();
  EXPECT_EQ(window.traceWindow(), trace);
}

TEST_F(TraceWindowTest, LongLinesWrapWithinTheWindow) {
  QTreeWidget* tree = openTrace()->tree();
  QTreeWidgetItem* longest = nullptr;
  for (QTreeWidgetItemIterator it(tree); *it; ++it)
    if (!longest || (*it)->text(0).size() > longest->text(0).size()) longest = *it;
  ASSERT_NE(longest, nullptr);
  ASSERT_GT(tree->fontMetrics().horizontalAdvance(longest->text(0)), tree->viewport()->width());
  tree->scrollToItem(longest);
  const QRect row = tree->visualItemRect(longest);
  EXPECT_LE(row.right(), tree->viewport()->rect().right());
  EXPECT_GE(row.height(), 2 * tree->fontMetrics().height());

  // A narrower window: the lines wrap again, to more rows.
  window.traceWindow()->resize(window.traceWindow()->minimumSizeHint().width(), window.traceWindow()->height());
  QApplication::processEvents();
  EXPECT_GT(tree->visualItemRect(longest).height(), row.height());
  EXPECT_LE(tree->visualItemRect(longest).right(), tree->viewport()->rect().right());
}

TEST_F(TraceWindowTest, CopiesTheLineOrWithEveryLineSelectedTheWholeTrace) {
  QTreeWidget* tree = openTrace()->tree();
  tree->setFocus();
  tree->setCurrentItem(tree->topLevelItem(1)->child(0));
  QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "  " + tree->topLevelItem(1)->child(0)->text(0) + "\n");

  QTest::keyClick(tree, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(tree, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), wholeTrace());
}

// The save dialog's answer, the printer and the error boxes, recorded.
struct FakeTraceServices : TraceWindowServices {
  std::optional<std::filesystem::path> askSavePath(QWidget*, const std::filesystem::path&) override { return answer; }
  bool hasPrinter() override { return printer; }
  bool print(const ReportPage& page) override {
    printed.push_back(page);
    return true;
  }
  void showError(QWidget*, const QString& title, const QString& text) override { errors << title + "|" + text; }

  std::optional<std::filesystem::path> answer;
  bool printer = true;
  std::vector<ReportPage> printed;
  QStringList errors;
};

TEST_F(TraceWindowTest, SavesAsTextOrPdfAndSaysWhenItCannot) {
  QTemporaryDir dir;
  auto* services = new FakeTraceServices;
  TraceWindow trace(form, {}, std::unique_ptr<TraceWindowServices>(services));
  const auto saveAs = [&](const char* name) {
    services->answer = std::filesystem::path(dir.filePath(name).toStdU16String());
    trace.saveAction()->trigger();
    QFile file(dir.filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  };
  EXPECT_EQ(QString::fromUtf8(saveAs("trace.txt")), wholeTrace());
  EXPECT_TRUE(saveAs("trace.PDF").startsWith("%PDF"));
  EXPECT_TRUE(services->errors.isEmpty());
  EXPECT_TRUE(saveAs("missing/trace.txt").isEmpty());
  EXPECT_EQ(services->errors, QStringList{"Сообщение программы|Не удалось сохранить ход расчёта\n" +
                                          QDir::toNativeSeparators(dir.filePath("missing/trace.txt"))});
}

TEST_F(TraceWindowTest, PrintsItsPagesAloneAndSaysWhenThereIsNoPrinter) {
  auto* services = new FakeTraceServices;
  TraceWindow trace(form, {}, std::unique_ptr<TraceWindowServices>(services));
  trace.printAction()->trigger();
  ASSERT_EQ(services->printed.size(), 1u);
  EXPECT_FALSE(services->printed[0].withResults);
  ASSERT_TRUE(services->printed[0].trace.has_value());
  EXPECT_EQ(traceText(*services->printed[0].trace), wholeTrace().toStdString());

  services->printer = false;
  trace.printAction()->trigger();
  EXPECT_EQ(services->printed.size(), 1u);
  EXPECT_EQ(services->errors, QStringList{"Сообщение программы|Нет принтера: ход расчёта не распечатан."});
}

TEST_F(TraceWindowTest, ResultBoxTooltipGivesTheFormulaWithItsNumbers) {
  QWidget* box = window.widget(ventilationGainBox);
  QHelpEvent event(QEvent::ToolTip, QPoint(2, 2), box->mapToGlobal(QPoint(2, 2)));
  QApplication::sendEvent(box, &event);
  EXPECT_EQ(QToolTip::text(), "Qвен = R2(9.03696 · 60 · 0.00085) = 0.46 кВт");
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
