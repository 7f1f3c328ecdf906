#include "window/calculation_window.h"

#include <gtest/gtest.h>

#include "tests/test_platform.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "document/startup.h"
#include "shell/brand_label.h"
#include "tests/form/form_test_support.h"
#include "window/form_widgets.h"
#include "window/window_layout.h"

namespace kamerol {
namespace {

using enum Control;
using testing_support::RecordingMessages;

// The shell's services as far as the window's commands reach them.
class TestServices : public WindowServices {
 public:
  void showHelp(int popup) override { popups.push_back(popup); }
  std::vector<std::filesystem::path> recentFiles() const override { return recent; }
  void rememberFile(const std::filesystem::path& file) override { recent.insert(recent.begin(), file); }
  std::vector<int> popups;
  std::vector<std::filesystem::path> recent;
};

class WindowTest : public testing::Test {
 protected:
  WindowTest() : form(messages, NumberLocale::point()), window(form, services, messages) {
    startCalculation(form, std::nullopt, messages);
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
  }

  QLineEdit* edit(Control c) { return qobject_cast<QLineEdit*>(window.widget(c)); }
  QString text(Control c) { return edit(c)->text(); }

  // The user clicks into a field and types.
  void type(Control c, const QString& keys) {
    QLineEdit* e = edit(c);
    e->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    e->selectAll();
    QTest::keyClicks(e, keys);
  }

  void clickTab(int page) {
    PageTabs* tabs = window.tabs();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page - 1).center());
    QApplication::processEvents();
  }

  // Lets the deferred focus handling run.
  static void settle() {
    for (int i = 0; i < 3; ++i) QApplication::processEvents();
  }

  RecordingMessages messages;
  CalculationForm form;
  TestServices services;
  CalculationWindow window;
};

TEST_F(WindowTest, TypingTheLengthUpdatesAreaAndResults) {
  type(roomLengthField, "500");
  EXPECT_EQ(text(roomLengthField), "500");
  EXPECT_EQ(form.inputs().roomLength, 5.0f);
  type(roomWidthField, "400");
  EXPECT_EQ(text(floorAreaBox), "20");
  type(roomHeightField, "300");
  EXPECT_EQ(text(roomVolumeBox), "60");
  EXPECT_EQ(text(wallsGainBox), "0.63");
  EXPECT_EQ(text(totalGainBox), "1.17");
  EXPECT_EQ(text(requiredCapacityBox), "1.64");
}

TEST_F(WindowTest, LeavingAFieldRunsItsChecksAndShowsTheMessage) {
  type(roomLengthField, "20000");
  QTest::keyClick(edit(roomLengthField), Qt::Key_Tab);
  settle();
  ASSERT_EQ(messages.texts(), std::vector<std::string>{"Слишком большая длина камеры!"});
  EXPECT_EQ(messages.messages[0].title, "Ошибка ввода");
  EXPECT_EQ(text(roomLengthField), "0");
}

TEST_F(WindowTest, FocusColoursTheField) {
  type(roomLengthField, "5");
  EXPECT_EQ(edit(roomLengthField)->palette().color(QPalette::Base), QColor(128, 255, 128));
  EXPECT_TRUE(edit(roomLengthField)->alignment() & Qt::AlignLeft);
  edit(roomWidthField)->setFocus(Qt::TabFocusReason);
  settle();
  EXPECT_NE(edit(roomLengthField)->palette().color(QPalette::Base), QColor(128, 255, 128));
  EXPECT_TRUE(edit(roomLengthField)->alignment() & Qt::AlignHCenter);
  EXPECT_EQ(edit(floorAreaBox)->palette().color(QPalette::Base), QColor(224, 224, 224));
  EXPECT_TRUE(edit(floorAreaBox)->isReadOnly());
}

TEST_F(WindowTest, PagesShowOneFrameAndColourTheirRows) {
  clickTab(6);
  for (int p = 1; p <= kPageCount; ++p) {
    QGroupBox* frame = window.frame(p);  // pages not shown yet are not built yet
    EXPECT_EQ(frame && frame->isVisible(), p == 6) << p;
  }
  EXPECT_EQ(edit(productGainBox)->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(edit(respirationGainBox)->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(edit(lightingGainBox)->palette().color(QPalette::Text), QColor(128, 0, 128));
  clickTab(7);
  EXPECT_TRUE(window.frame(7)->isVisible());
  EXPECT_FALSE(window.frame(6)->isVisible());
  EXPECT_EQ(edit(productGainBox)->palette().color(QPalette::Text), QColor(128, 0, 128));
  EXPECT_EQ(edit(lightingGainBox)->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(form.currentPage(), 7);
}

TEST_F(WindowTest, PickingAProductShowsItsFreezingPoint) {
  clickTab(6);
  auto* products = qobject_cast<FormComboBox*>(window.widget(productList));
  ASSERT_EQ(products->count(), 13);
  const int index = products->findText(QStringLiteral("Печень"));
  products->setCurrentIndex(index);
  emit products->picked(index);
  EXPECT_EQ(text(freezingPointBox), "-1.7");
  auto* categories = qobject_cast<FormComboBox*>(window.widget(productCategoryList));
  emit categories->picked(5);  // "Прочие"
  EXPECT_EQ(products->count(), 9);
  EXPECT_EQ(products->currentText(), "Дрожжи");
  EXPECT_EQ(text(freezingPointBox), "-1.4");
}

TEST_F(WindowTest, TypingIntoAListLooksItUp) {
  clickTab(3);
  auto* walls = qobject_cast<QComboBox*>(window.widget(wallMaterialList));
  walls->lineEdit()->setFocus();
  walls->lineEdit()->selectAll();
  // Key events that carry Cyrillic text, one character at a time.
  for (const QChar ch : QStringLiteral("Сталь")) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(walls->lineEdit(), &press);
  }
  EXPECT_EQ(form.inputs().wallMaterialLambda, 52.0f);
  EXPECT_EQ(walls->currentText(), QStringLiteral("Сталь"));
}

TEST_F(WindowTest, LeavingATypedNameIsNoPick) {
  clickTab(3);
  auto* walls = qobject_cast<FormComboBox*>(window.widget(wallMaterialList));
  int picks = 0;
  QObject::connect(walls, &FormComboBox::picked, [&picks] { ++picks; });
  walls->lineEdit()->setFocus();
  walls->lineEdit()->selectAll();
  QTest::keyClicks(walls->lineEdit(), QStringLiteral("x"));
  walls->lineEdit()->setText(QStringLiteral("Сталь"));
  edit(wallMaterialThicknessField)->setFocus();
  settle();
  EXPECT_EQ(picks, 0);
  // The arrow keys step through the list: picks.
  walls->setFocus();
  QTest::keyClick(walls, Qt::Key_Down);
  EXPECT_EQ(picks, 1);
  EXPECT_EQ(form.text(wallMaterialList), walls->currentText().toStdString());
}

TEST_F(WindowTest, EnterMovesAlongTheCycle) {
  type(roomLengthField, "500");
  QTest::keyClick(edit(roomLengthField), Qt::Key_Return);
  settle();
  EXPECT_EQ(QApplication::focusWidget(), edit(roomWidthField));
  QTest::keyClick(edit(roomWidthField), Qt::Key_Enter);
  settle();
  EXPECT_EQ(QApplication::focusWidget(), edit(roomHeightField));
}

TEST_F(WindowTest, SketchDoorFollowsTheRoomHeight) {
  type(roomLengthField, "500");
  type(roomWidthField, "400");
  type(roomHeightField, "240");
  EXPECT_FALSE(window.sketchView()->sketch().doorVisible());
  type(roomHeightField, "260");
  EXPECT_TRUE(window.sketchView()->sketch().doorVisible());
  // Red segments reach the screen.
  const QImage image = window.sketchView()->grab().toImage();
  int red = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) red += image.pixelColor(x, y) == QColor(255, 0, 0);
  EXPECT_GT(red, 500);
}

TEST_F(WindowTest, SpinnerArrowsStepTheField) {
  ArrowPair* arrows = qobject_cast<ArrowPair*>(window.widget(roomTempSpinner));
  ASSERT_NE(arrows, nullptr);
  emit arrows->stepped(-1);
  emit arrows->stepped(-1);
  EXPECT_EQ(text(roomTempBox), "-2");
  EXPECT_EQ(form.inputs().roomTemp, -2.0f);
}

TEST_F(WindowTest, InclusionCheckBoxExcludesAGain) {
  type(roomLengthField, "500");
  type(roomWidthField, "400");
  type(roomHeightField, "300");
  auto* walls = qobject_cast<QCheckBox*>(window.widget(includeWallsCheck));
  walls->click();
  EXPECT_EQ(text(wallsGainBox), "0");
  EXPECT_EQ(text(totalGainBox), "0.49");  // ventilation 0.46 and its fan allowance 0.03
  EXPECT_FALSE(walls->isChecked());
}

TEST_F(WindowTest, MenusAndToolbarAsListed) {
  QStringList menus;
  for (QAction* a : window.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{"&Файл", "&Настройки", "&Инструменты", "&Помощь"}));
  QStringList file;
  for (QAction* a : window.menuBar()->actions()[0]->menu()->actions()) file << (a->isSeparator() ? "—" : a->text());
  EXPECT_EQ(file, (QStringList{"&Новый", "Новый о&бъект", "—", "&Открыть", "Последние &файлы", "—", "&Сохранить",
                               "Сохранить &как...", "—", "&Печать", "—", "&Выход"}));
  const std::pair<const char*, const char*> buttons[] = {{"New", "Обновить"},
                                                         {"Open", "Открыть файл"},
                                                         {"Save", "Сохранить как..."},
                                                         {"Print", "Печать с предв. осм."},
                                                         {"Help", "Помощь"}};
  for (const auto& [key, tooltip] : buttons) {
    QAction* a = window.action(key);
    ASSERT_NE(a, nullptr) << key;
    EXPECT_EQ(a->toolTip(), QString::fromUtf8(tooltip));
    EXPECT_TRUE(a->shortcut().isEmpty());  // the menu items carry the shortcuts
  }
  EXPECT_EQ(window.action(ToolbarCommand::Save), window.action("Save"));
  EXPECT_EQ(window.windowTitle(), "Расчет теплопритоков в холодильной камере[*]");
}

// Within the menu bar and within each menu, no two entries share an access key.
TEST_F(WindowTest, AccessKeysDoNotClash) {
  const auto keysOf = [](const QList<QAction*>& actions) {
    QStringList keys;
    for (QAction* a : actions) {
      if (a->isSeparator()) continue;
      const qsizetype at = a->text().indexOf(QLatin1Char('&'));
      EXPECT_GE(at, 0) << a->text().toStdString();
      if (at >= 0) keys << a->text().mid(at + 1, 1).toLower();
    }
    EXPECT_EQ(keys.size(), QSet<QString>(keys.begin(), keys.end()).size()) << keys.join(' ').toStdString();
  };
  keysOf(window.menuBar()->actions());
  for (QAction* menu : window.menuBar()->actions()) keysOf(menu->menu()->actions());
}

struct ShortcutCase {
  const char* name;
  const char* action;
  QKeySequence keys;
};

class WindowShortcutTest : public WindowTest, public testing::WithParamInterface<ShortcutCase> {};

TEST_P(WindowShortcutTest, MenuItemCarriesItsKeys) {
  auto* a = window.menuBar()->findChild<QAction*>(QString::fromUtf8(GetParam().action));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->shortcut(), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, WindowShortcutTest,
    testing::Values(ShortcutCase{"New", "menuNew", QKeySequence(Qt::CTRL | Qt::Key_N)},
                    ShortcutCase{"Open", "menuOPEN", QKeySequence(Qt::CTRL | Qt::Key_O)},
                    ShortcutCase{"Save", "menuSAVE", QKeySequence(Qt::CTRL | Qt::Key_S)},
                    ShortcutCase{"SaveAs", "menuSAVE_AS", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
                    ShortcutCase{"Print", "menuPrint", QKeySequence(Qt::CTRL | Qt::Key_P)},
                    ShortcutCase{"CopyResults", "Menu_Tools_Copy", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
                    ShortcutCase{"PageHelp", "menuPageHelp", QKeySequence(Qt::Key_F1)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, F1OpensThePagesHelpAndCtrlShiftCCopiesTheResults) {
  clickTab(3);
  QTest::keyClick(&window, Qt::Key_F1);
  EXPECT_EQ(services.popups, std::vector<int>{4});
  type(roomLengthField, "500");
  QTest::keyClick(&window, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  const QStringList rows = QGuiApplication::clipboard()->text().split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 12);
  EXPECT_EQ(rows[0], "Теплоприток\tкВт");
  EXPECT_EQ(rows[1], "Через стены\t0\tкВт");
}

// An edit that changes no result (the door is shut) puts the mark in the title.
TEST_F(WindowTest, AnEditChangingNoResultMarksTheTitle) {
  clickTab(5);
  ASSERT_FALSE(window.isWindowModified());
  type(doorWidthField, "200");
  QTest::keyClick(edit(doorWidthField), Qt::Key_Tab);
  settle();
  EXPECT_TRUE(window.isWindowModified());
}

TEST_F(WindowTest, TheBrandLinkSaysWhenItCannotOpen) {
  auto* brand = qobject_cast<shell::BrandLabel*>(window.brandCaption());
  ASSERT_NE(brand, nullptr);
  emit brand->openFailed();
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].title, "Страница программы");
}

TEST_F(WindowTest, IsAFixedWindowWithoutMaximize) {
  const Qt::WindowFlags flags = window.windowFlags();
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::MSWindowsFixedSizeDialogHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
  EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

TEST_F(WindowTest, SaveWritesTheOwnFileAndTheTitleFollows) {
  QTemporaryDir dir;
  const std::filesystem::path file = (dir.path() + QStringLiteral("/камера.tpl")).toStdU16String();
  type(roomWidthField, "400");
  type(roomLengthField, "500");
  EXPECT_TRUE(window.isWindowModified());
  window.startedFrom(file);
  EXPECT_EQ(window.windowTitle(), "Расчет теплопритоков в холодильной камере — камера.tpl[*]");
  QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);  // no dialog: the test would wait for ever
  EXPECT_TRUE(std::filesystem::exists(file));
  EXPECT_FALSE(window.isWindowModified());
  EXPECT_FALSE(form.modified());
  type(roomWidthField, "300");
  EXPECT_TRUE(window.isWindowModified());
  // The file is among the recent ones; picking it there opens it.
  ASSERT_FALSE(services.recent.empty());
  EXPECT_EQ(services.recent.front(), file);
  QMenu* recent = window.menuBar()->findChild<QMenu*>(QStringLiteral("menuRecent"));
  ASSERT_NE(recent, nullptr);
  emit recent->aboutToShow();
  ASSERT_FALSE(recent->actions().isEmpty());
  form.setModified(false);
  recent->actions().front()->trigger();
  EXPECT_EQ(text(roomWidthField), "400");  // as saved
  EXPECT_FALSE(window.isWindowModified());
}

TEST_F(WindowTest, EveryControlHasAnAccessibleName) {
  for (int p = 1; p <= kPageCount; ++p) window.ensurePage(p);
  for (Control c : allControls()) {
    if (kindOf(c) == ControlKind::UpDown) continue;
    QWidget* w = window.widget(c);
    ASSERT_NE(w, nullptr) << nameOf(c);
    EXPECT_FALSE(w->accessibleName().isEmpty()) << nameOf(c);
  }
  EXPECT_EQ(window.widget(wallsGainBox)->accessibleName(), "Через стены");
  EXPECT_EQ(window.widget(totalGainBox)->accessibleName(), "Суммарно");
  EXPECT_EQ(window.widget(roomLengthField)->accessibleName(), "Длина (см)");
  form.click(freezingOption);
  EXPECT_EQ(window.widget(equipHoursField)->accessibleName(), "Время заморозки (Ч)");
}

TEST_F(WindowTest, PagesAreBuiltWhenFirstShown) {
  EXPECT_NE(window.frame(1), nullptr);
  EXPECT_EQ(window.frame(6), nullptr);
  form.setText(productCategoryList, "Овощи");  // the model runs without the page's widgets
  clickTab(6);
  ASSERT_NE(window.frame(6), nullptr);
  EXPECT_EQ(qobject_cast<QComboBox*>(window.widget(productList))->currentText(), "Баклажаны");
  EXPECT_EQ(text(freezingPointBox), "-0.8");
}

TEST_F(WindowTest, TabOrderSkipsHiddenPagesAndReadOnlyBoxes) {
  edit(roomTempBox)->setFocus(Qt::TabFocusReason);
  settle();
  QStringList visited;
  for (int i = 0; i < 8; ++i) {
    QWidget* w = QApplication::focusWidget();
    visited << (w ? w->objectName() : QString());
    QTest::keyClick(w, Qt::Key_Tab);
    settle();
  }
  EXPECT_EQ(visited, (QStringList{"Text6", "Text1", "Text2", "Text4", "Check4", "Check5", "Check6", "Check7"}));
}

TEST_F(WindowTest, FileDialogsOfferThePathChosenLast) {
  QTemporaryDir dir;
  ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("saved")));
  const QString target = dir.path() + QStringLiteral("/saved/second.tpl");
  QString offeredFolder, offeredFile;
  const auto answer = [&](const QString& path) {
    QTimer::singleShot(0, [&, path] {
      auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      offeredFolder = dialog->directory().absolutePath();
      offeredFile = dialog->selectedFiles().value(0);
      if (path.isEmpty()) return dialog->reject();
      dialog->selectFile(path);
      QMetaObject::invokeMethod(dialog, "accept");
    });
  };
  answer(target);
  window.saveCalculation();
  ASSERT_TRUE(QFileInfo::exists(target));
  answer(QString());
  window.openCalculation();
  EXPECT_EQ(offeredFolder, dir.path() + QStringLiteral("/saved"));
  EXPECT_EQ(offeredFile, target);
}

TEST_F(WindowTest, EveryListEntryFitsItsList) {
  for (int p = 1; p <= kPageCount; ++p) window.ensurePage(p);
  auto* categories = qobject_cast<FormComboBox*>(window.widget(productCategoryList));
  for (int category = 0; category < categories->count(); ++category) {
    emit categories->picked(category);  // each category's products in turn
    for (Control c : allControls()) {
      auto* list = qobject_cast<QComboBox*>(window.widget(c));
      if (list == nullptr) continue;
      const int room = list->lineEdit()->width() - 4;  // the edit's own margins
      for (int i = 0; i < list->count(); ++i)
        EXPECT_LE(list->fontMetrics().horizontalAdvance(list->itemText(i)), room)
            << nameOf(c) << ": " << list->itemText(i).toStdString();
    }
  }
}

TEST_F(WindowTest, PagesByKeyboard) {
  struct Step {
    QKeyCombination keys;
    int page;
    Control focused;
  };
  const Step steps[] = {
      {Qt::CTRL | Qt::Key_Tab, 2, equipHoursField},
      {Qt::CTRL | Qt::Key_PageDown, 3, wallMaterialList},
      {Qt::CTRL | Qt::Key_PageUp, 2, equipHoursField},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab, 1, roomLengthField},
      {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, 10, fanPercentField},  // round from the first
      {Qt::CTRL | Qt::Key_Tab, 1, roomLengthField},
  };
  edit(roomLengthField)->setFocus(Qt::TabFocusReason);
  settle();
  for (const Step& s : steps) {
    QTest::keyClick(QApplication::focusWidget(), s.keys.key(), s.keys.keyboardModifiers());
    settle();
    EXPECT_EQ(form.currentPage(), s.page);
    EXPECT_TRUE(window.frame(s.page)->isVisible()) << s.page;
    QWidget* focused = QApplication::focusWidget();
    EXPECT_TRUE(focused == window.widget(s.focused) || focused->parentWidget() == window.widget(s.focused)) << s.page;
    // The row of the page in red.
    EXPECT_EQ(edit(wallsGainBox)->palette().color(QPalette::Text) == QColor(255, 0, 0), s.page == 3) << s.page;
  }
}

TEST_F(WindowTest, UpAndDownPressTheArrows) {
  type(roomLengthField, "500");
  QTest::keyClick(edit(roomLengthField), Qt::Key_Up);
  EXPECT_EQ(text(roomLengthField), "510");
  EXPECT_EQ(form.inputs().roomLength, 5.1f);
  edit(roomTempBox)->setFocus(Qt::TabFocusReason);  // read-only, yet its arrows step
  QTest::keyClick(edit(roomTempBox), Qt::Key_Down);
  QTest::keyClick(edit(roomTempBox), Qt::Key_Down);
  EXPECT_EQ(text(roomTempBox), "-2");
  QTest::keyClick(edit(floorAreaBox), Qt::Key_Up);  // no arrows: nothing
  EXPECT_EQ(text(floorAreaBox), "0");
}

TEST_F(WindowTest, ScreenReadersSeeTheTabsAndTheListsNames) {
  QAccessibleInterface* strip = QAccessible::queryAccessibleInterface(window.tabs());
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->role(), QAccessible::PageTabList);
  ASSERT_EQ(strip->childCount(), kPageCount);
  for (int p = 1; p <= kPageCount; ++p) {
    QAccessibleInterface* tab = strip->child(p - 1);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_EQ(tab->text(QAccessible::Name).toStdString(), page(p).tabCaption);
    EXPECT_EQ(strip->indexOfChild(tab), p - 1);
  }
  QAccessibleInterface* product = strip->child(5);
  product->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(form.currentPage(), 6);
  EXPECT_TRUE(product->state().selected);
  auto* products = qobject_cast<QComboBox*>(window.widget(productList));
  QAccessibleInterface* list = QAccessible::queryAccessibleInterface(products);
  EXPECT_EQ(list->text(QAccessible::Name), "Продукт");
  EXPECT_EQ(list->text(QAccessible::Value), products->currentText());
  EXPECT_EQ(QAccessible::queryAccessibleInterface(products->lineEdit())->text(QAccessible::Name), "Продукт");
}

// The layout table puts each control once, on the page the model has it on.
TEST(WindowLayout, EachControlOnceOnItsPage) {
  std::vector<int> placed(kControlCount);
  for (const layout::Placement& p : layout::placements()) {
    if (p.piece == layout::Piece::Label) continue;
    ++placed[static_cast<std::size_t>(indexOf(p.control))];
    EXPECT_EQ(pageOf(p.control).value_or(0), p.page) << nameOf(p.control);
  }
  for (Control c : allControls()) {
    const bool inTable = pageOf(c) || c == roomTempBox || c == clientInfoField;
    if (kindOf(c) == ControlKind::UpDown) continue;
    EXPECT_EQ(placed[static_cast<std::size_t>(indexOf(c))], inTable ? 1 : 0) << nameOf(c);
  }
}

}  // namespace
}  // namespace kamerol

int main(int argc, char** argv) {
  // Also when the build lists the tests: no display is needed.
  kamerol::testing_support::chooseTestPlatform(KAMEROL_TEST_SCREENS);
  QApplication app(argc, argv);
#ifdef Q_OS_WIN
  // Windows' own file dialog cannot be answered by a test: Qt's takes the folder and name offered instead.
  QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
#endif
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
