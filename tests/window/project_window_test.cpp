#include "window/project_window.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QStatusBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/file_access.h"
#include "project/project_file.h"
#include "report/report_window.h"
#include "tests/form/form_test_support.h"
#include "window/calculation_window.h"

namespace kamerol {
namespace {

using enum Control;

const RoomCalculator& calculator() {
  static const RoomCalculator shared(NumberLocale::point());
  return shared;
}

class ProjectWindowTest : public testing::Test {
 protected:
  ProjectWindowTest() : window(calculator(), services, messages) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  void run(const char* action) {
    QAction* a = window.action(QString::fromUtf8(action));
    ASSERT_NE(a, nullptr) << action;
    a->trigger();
  }
  // The next message box is answered with `button`; its text is kept.
  void answerNextBox(QMessageBox::StandardButton button) {
    QTimer::singleShot(0, [this, button] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      asked << box->text();
      box->button(button)->click();
    });
  }
  QString cell(int row, int column) const {
    const QTableWidgetItem* item = window.roomsTable()->item(row, column);
    return item ? item->text() : QString();
  }
  QStringList names() const {
    QStringList n;
    for (int r = 0; r < window.roomsTable()->rowCount(); ++r) n << cell(r, kRoomNameColumn);
    return n;
  }

  testing_support::RecordingMessages messages;
  WindowServices services;
  ProjectWindow window;
  QStringList asked;
};

TEST_F(ProjectWindowTest, RoomsAreAddedDuplicatedAndRemovedByTheirCommands) {
  run("projectAddRoom");
  run("projectAddRoom");
  EXPECT_EQ(names(), (QStringList{"Помещение 1", "Помещение 2"}));
  EXPECT_EQ(cell(0, 3), QStringLiteral("Хранение"));
  EXPECT_TRUE(window.isWindowModified());

  window.selectRoom(0);
  run("projectDuplicateRoom");
  EXPECT_EQ(names(), (QStringList{"Помещение 1", "Помещение 1 (копия)", "Помещение 2"}));
  EXPECT_EQ(window.selectedRoom(), 1u);

  answerNextBox(QMessageBox::No);
  run("projectRemoveRoom");
  EXPECT_EQ(names().size(), 3);
  answerNextBox(QMessageBox::Yes);
  run("projectRemoveRoom");
  EXPECT_EQ(names(), (QStringList{"Помещение 1", "Помещение 2"}));
  EXPECT_EQ(asked.back(), QStringLiteral("Удалить помещение «Помещение 1 (копия)» из объекта?"));
}

// The gain columns are the results panel's rows, in its order.
TEST_F(ProjectWindowTest, GainColumnsAreThePanelsRows) {
  for (int g = 0; g < kGainCount; ++g)
    EXPECT_EQ(window.roomsTable()->horizontalHeaderItem(kFirstGainColumn + g)->text().replace('\n', ' '),
              QString::fromUtf8(kGains[static_cast<std::size_t>(g)].caption));
}

// A keystroke in the room's calculation window: its row and the totals follow.
TEST_F(ProjectWindowTest, AnEditInTheRoomsFormChangesItsRowAndTheTotals) {
  run("projectAddRoom");
  run("projectAddRoom");
  window.selectRoom(1);
  run("projectOpenRoom");
  CalculationWindow* room = window.roomWindow();
  ASSERT_NE(room, nullptr);
  EXPECT_TRUE(room->isVisible());
  const QString otherRow = cell(0, kRoomCapacityColumn);
  const QString total = window.grandTotal()->text();

  for (auto [c, text] : {std::pair{roomWidthField, "400"}, {roomHeightField, "300"}, {roomLengthField, "1500"}}) {
    auto* field = qobject_cast<QLineEdit*>(room->widget(c));
    ASSERT_NE(field, nullptr);
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, QString::fromUtf8(text));
  }
  QTRY_COMPARE(cell(1, 1), QStringLiteral("15 × 4 × 3"));
  // As the room's results panel shows them.
  EXPECT_EQ(cell(1, kRoomCapacityColumn).toStdString(), room->form().text(requiredCapacityBox));
  EXPECT_EQ(cell(1, kRoomTotalColumn).toStdString(), room->form().text(totalGainBox));
  EXPECT_EQ(cell(1, kFirstGainColumn).toStdString(), room->form().text(wallsGainBox));
  EXPECT_EQ(cell(0, kRoomCapacityColumn), otherRow);
  EXPECT_NE(window.grandTotal()->text().toStdString(), total.toStdString());
  EXPECT_TRUE(window.isWindowModified());

  // Closing the room's window asks nothing and keeps the program running.
  room->close();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(asked.size(), 0);
}

// The room's window saves its project: the room's last keystroke is on disk, and a room has no "Новый" or "Открыть".
TEST_F(ProjectWindowTest, TheRoomsSaveCommandSavesTheProject) {
  QTemporaryDir dir;
  const std::filesystem::path file = std::filesystem::path(dir.path().toStdU16String()) / u8"объект.kamerol";
  run("projectAddRoom");
  ASSERT_TRUE(writeWholeFile(file, projectFileBytes(window.session().project())));
  answerNextBox(QMessageBox::No);  // the room added is in the file
  ASSERT_TRUE(window.openProject(file));
  asked.clear();
  window.selectRoom(0);
  run("projectOpenRoom");
  CalculationWindow* room = window.roomWindow();
  ASSERT_NE(room, nullptr);
  for (const char* name : {"menuNew", "menuOPEN", "New", "Open"}) {
    const auto actions = room->findChildren<QAction*>(QString::fromUtf8(name));
    ASSERT_FALSE(actions.isEmpty()) << name;
    for (const QAction* a : actions) EXPECT_FALSE(a->isEnabled()) << name;
  }
  auto* length = qobject_cast<QLineEdit*>(room->widget(roomLengthField));
  length->setFocus();
  length->selectAll();
  QTest::keyClicks(length, QStringLiteral("1234"));
  room->findChild<QAction*>(QStringLiteral("menuSAVE"))->trigger();

  EXPECT_FALSE(window.isWindowModified());
  const ProjectReadResult saved = readProjectFile(file, calculator());
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved.opened->project.room(0).texts, roomTextsOf(room->form()));
  EXPECT_EQ(asked.size(), 0);
}

TEST_F(ProjectWindowTest, TheProjectsReportAndARoomsOwnReport) {
  run("projectAddRoom");
  run("projectAddRoom");
  run("projectReport");
  ASSERT_NE(window.reportWindow(), nullptr);
  EXPECT_EQ(window.reportWindow()->pages().size(), 3u);  // the summary, then each room's page

  window.selectRoom(1);
  run("projectOpenRoom");
  ASSERT_NE(window.roomWindow(), nullptr);
  window.roomWindow()->action(QStringLiteral("Print"))->trigger();
  ASSERT_NE(window.reportWindow(), nullptr);
  ASSERT_EQ(window.reportWindow()->pages().size(), 1u);
  const std::string capacity = window.roomWindow()->form().text(requiredCapacityBox);
  const auto& texts = window.reportWindow()->pages()[0].texts;
  EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [&](const ReportText& t) { return t.text == capacity; }));
}

TEST_F(ProjectWindowTest, SystemsAreEditedInPlaceAndWarnedAbout) {
  QTimer::singleShot(0, [] {
    auto* line = QApplication::activeModalWidget()->findChild<QLineEdit*>();
    line->setText(QStringLiteral("НТ"));
    QTest::keyClick(line, Qt::Key_Return);
  });
  run("projectAddSystem");
  ASSERT_EQ(window.systemsTable()->rowCount(), 1);
  EXPECT_EQ(window.warningsList()->item(0)->text(), QStringLiteral("В системе «НТ» нет помещений."));
  window.systemsTable()->item(0, kSystemFactorColumn)->setText(QStringLiteral("0.7"));
  window.systemsTable()->item(0, kSystemT0Column)->setText(QStringLiteral("-30"));
  EXPECT_EQ(window.session().project().system(0).factor, 0.7);
  EXPECT_EQ(window.session().project().system(0).t0, -30);
  window.systemsTable()->item(0, kSystemT0Column)->setText(QStringLiteral("холодно"));
  EXPECT_EQ(window.session().project().system(0).t0, -30);
  EXPECT_FALSE(window.statusBar()->currentMessage().isEmpty());
}

// Closing asks about unsaved changes once; "Отмена" keeps the window and the project.
TEST_F(ProjectWindowTest, TheCloseQuestion) {
  run("projectAddRoom");
  answerNextBox(QMessageBox::Cancel);
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(names().size(), 1);
  answerNextBox(QMessageBox::No);
  EXPECT_TRUE(window.close());
  const QString question =
      QString::fromUtf8(kSaveProjectQuestion.data(), static_cast<qsizetype>(kSaveProjectQuestion.size()));
  EXPECT_EQ(asked, (QStringList{question, question}));
  EXPECT_EQ(names().size(), 0);  // shown again, the window starts a new project
  window.show();
  EXPECT_TRUE(window.close());  // nothing to ask about
  EXPECT_EQ(asked.size(), 2);
}

TEST_F(ProjectWindowTest, EveryPartHasAnAccessibleNameAndTheWindowFitsTheScreen) {
  for (QWidget* w : std::initializer_list<QWidget*>{window.roomsTable(), window.systemsTable(), window.grandTotal(),
                                                    window.warningsList()})
    EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
  EXPECT_LE(window.frameGeometry().width(), 1366);
  EXPECT_LE(window.frameGeometry().height(), 768 - 40);
  EXPECT_LE(window.minimumSizeHint().width(), 1366);
}

}  // namespace
}  // namespace kamerol
