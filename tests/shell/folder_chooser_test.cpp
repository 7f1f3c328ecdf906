#include "shell/folder_chooser.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>
#include <utility>

#include "tests/shell/test_support.h"

namespace kamerol::shell {
namespace {

class FakeVolumeSource final : public VolumeSource {
 public:
  FakeVolumeSource(QList<Volume> volumes, QString unusableRoot)
      : volumes_(std::move(volumes)), unusableRoot_(std::move(unusableRoot)) {}
  QList<Volume> volumes() const override { return volumes_; }
  bool isUsable(const QString& rootPath) const override { return rootPath != unusableRoot_; }

 private:
  QList<Volume> volumes_;
  QString unusableRoot_;
};

// What a message box showed before the test answered it.
struct SeenMessage {
  bool seen = false;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Answers the next modal message box with its default button, noting what it showed.
void answerNextMessageBox(SeenMessage& seen) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, &seen] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {true, box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    box->accept();
    poll->deleteLater();
  });
  poll->start(10);
}

class FolderChooserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(scratch.isValid());
    for (const char* folder : {"vol/alpha", "vol/beta/inner", "other/gamma", "dead"}) {
      ASSERT_TRUE(QDir(scratch.path()).mkpath(QString::fromUtf8(folder)));
    }
    savedCurrent = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(path("vol")));
  }
  void TearDown() override {
    delete chooser.data();
    QDir::setCurrent(savedCurrent);
  }

  QString path(const QString& relative) const { return QDir(scratch.path()).filePath(relative); }

  void open() {
    const QList<Volume> volumes = {{path("vol") + '/', QStringLiteral("vol")},
                                   {path("other") + '/', QStringLiteral("other")},
                                   {path("dead") + '/', QStringLiteral("dead")}};
    chooser = new FolderChooser(store, settings, QStringLiteral("/opt/kamerol"), &form,
                                std::make_unique<FakeVolumeSource>(volumes, path("dead") + '/'));
    chooser->setAttribute(Qt::WA_DeleteOnClose);
    chooser->show();
  }
  QComboBox* driveList() const { return chooser->findChild<QComboBox*>(QStringLiteral("Drive1")); }
  QTreeWidget* folderList() const { return chooser->findChild<QTreeWidget*>(QStringLiteral("Dir1")); }
  QLineEdit* pathBox() const { return chooser->findChild<QLineEdit*>(QStringLiteral("Text1")); }
  QPushButton* okButton() const { return chooser->findChild<QPushButton*>(QStringLiteral("Command1")); }

  QTreeWidgetItem* folderItem(const QString& name) const {
    const QList<QTreeWidgetItem*> items = folderList()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return items.size() == 1 ? items.front() : nullptr;
  }

  // Through the window, as the platform delivers it, so that the press pair becomes a double-click.
  void doubleClick(QTreeWidgetItem* item) {
    const QPoint inViewport = folderList()->visualItemRect(item).center();
    const QPoint inWindow = folderList()->viewport()->mapTo(chooser, inViewport);
    QTest::mouseDClick(chooser->windowHandle(), Qt::LeftButton, {}, inWindow);
  }

  QTemporaryDir scratch;
  QString savedCurrent;
  FakeForm form;
  MemorySettingsStore store;
  AppSettings settings;
  QPointer<FolderChooser> chooser;
};

TEST_F(FolderChooserTest, OpensOnTheStoredFolderWithTheListsAtTheCurrentFolder) {
  store.write(QStringLiteral("P"), QStringLiteral("/stored/Расчеты"));
  open();
  EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Настройка пути к папке с расчетами"));
  EXPECT_EQ(okButton()->text(), QStringLiteral("OK"));
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/stored/Расчеты"));
  EXPECT_EQ(pathBox()->text(), QStringLiteral("/stored/Расчеты"));
  EXPECT_EQ(chooser->folderListPath(), path("vol"));
  EXPECT_EQ(driveList()->currentIndex(), 0);
  EXPECT_NE(folderItem(QStringLiteral("alpha")), nullptr);
  EXPECT_NE(folderItem(QStringLiteral("beta")), nullptr);
  EXPECT_FALSE(form.isEnabled());
}

TEST_F(FolderChooserTest, WithoutAStoredFolderShowsTheProgramFolder) {
  open();
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/opt/kamerol"));
  EXPECT_EQ(pathBox()->text(), QStringLiteral("/opt/kamerol"));
}

TEST_F(FolderChooserTest, DoubleClickedFolderIsTheCalculationsFolderAtOnceButNotStored) {
  open();
  QTreeWidgetItem* beta = folderItem(QStringLiteral("beta"));
  ASSERT_NE(beta, nullptr);
  doubleClick(beta);
  EXPECT_EQ(chooser->folderListPath(), path("vol/beta"));
  EXPECT_EQ(pathBox()->text(), QDir::toNativeSeparators(path("vol/beta")));
  EXPECT_EQ(settings.calculationsFolder, QDir::toNativeSeparators(path("vol/beta")));
  EXPECT_NE(folderItem(QStringLiteral("inner")), nullptr);
  EXPECT_TRUE(store.writtenKeys().isEmpty());
  EXPECT_TRUE(chooser->isVisible());
}

TEST_F(FolderChooserTest, CancelAsTheCloseBoxKeepsAChosenFolderForThisRunOnly) {
  store.write(QStringLiteral("P"), QStringLiteral("/stored"));
  open();
  chooser->chooseFolder(path("vol/alpha"));
  auto* cancel = chooser->findChild<QPushButton*>(QStringLiteral("CancelButton"));
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), QStringLiteral("Отмена"));
  cancel->click();
  EXPECT_TRUE(QTest::qWaitFor([this] { return chooser.isNull(); }));
  EXPECT_EQ(settings.calculationsFolder, QDir::toNativeSeparators(path("vol/alpha")));
  EXPECT_EQ(store.writtenKeys(), QStringList{QStringLiteral("P")});  // only the test's own write
  EXPECT_EQ(readCalculationsFolder(store, QStringLiteral("/opt/kamerol")), QStringLiteral("/stored"));
  EXPECT_TRUE(form.isEnabled());
}

TEST_F(FolderChooserTest, OkWithAnEmptyPathBoxDoesNothing) {
  open();
  pathBox()->clear();
  okButton()->click();
  EXPECT_TRUE(chooser->isVisible());
  EXPECT_TRUE(store.writtenKeys().isEmpty());
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/opt/kamerol"));
  EXPECT_FALSE(form.isEnabled());
}

TEST_F(FolderChooserTest, OkStoresThePathBoxTextUnchecked) {
  open();
  const QString typed = QStringLiteral(" не/проверяется ");
  pathBox()->setText(typed);
  okButton()->click();
  EXPECT_EQ(store.read(QStringLiteral("P"), QString()), typed);
  EXPECT_EQ(settings.calculationsFolder, typed);
  EXPECT_TRUE(QTest::qWaitFor([this] { return chooser.isNull(); }));
  EXPECT_TRUE(form.isEnabled());
}

TEST_F(FolderChooserTest, ChoosingADrivePointsTheListsAtIt) {
  open();
  driveList()->setCurrentIndex(1);
  emit driveList()->activated(1);
  EXPECT_EQ(chooser->folderListPath(), path("other"));
  EXPECT_EQ(pathBox()->text(), QDir::toNativeSeparators(path("other")));
  EXPECT_EQ(settings.calculationsFolder, QDir::toNativeSeparators(path("other")));
  EXPECT_NE(folderItem(QStringLiteral("gamma")), nullptr);
  EXPECT_TRUE(store.writtenKeys().isEmpty());
}

TEST_F(FolderChooserTest, AnUnusableDriveIsReportedAndChangesNothing) {
  open();
  SeenMessage message;
  answerNextMessageBox(message);
  driveList()->setCurrentIndex(2);
  emit driveList()->activated(2);

  ASSERT_TRUE(message.seen);
  EXPECT_EQ(message.text, QStringLiteral("Этот диск не доступен"));
  EXPECT_EQ(message.title, QStringLiteral("Ошибка выбора диска"));
  EXPECT_EQ(message.icon, QMessageBox::Warning);
  EXPECT_EQ(message.buttons, QMessageBox::Ok);
  EXPECT_EQ(driveList()->currentIndex(), 0);
  EXPECT_EQ(chooser->folderListPath(), path("vol"));
  EXPECT_EQ(pathBox()->text(), QStringLiteral("/opt/kamerol"));
  EXPECT_EQ(settings.calculationsFolder, QStringLiteral("/opt/kamerol"));
}

TEST(VolumeIndexTest, TheLongestRootHoldingThePathWins) {
  const QList<Volume> volumes = {{"/", "/"}, {"/media/usb/", "usb"}, {"/media/usb2/", "usb2"}};
  EXPECT_EQ(volumeIndexForPath(volumes, "/home/user"), 0);
  EXPECT_EQ(volumeIndexForPath(volumes, "/media/usb"), 1);
  EXPECT_EQ(volumeIndexForPath(volumes, "/media/usb/calc"), 1);
  EXPECT_EQ(volumeIndexForPath(volumes, "/media/usb2/calc"), 2);
  EXPECT_EQ(volumeIndexForPath({{"/media/usb/", "usb"}}, "/home"), -1);
}

TEST(SystemVolumeSourceTest, ListsTheRootFirstAndItIsUsable) {
  const SystemVolumeSource source;
  const QList<Volume> volumes = source.volumes();
  ASSERT_FALSE(volumes.isEmpty());
#ifdef Q_OS_WIN
  // The drives in order: the system's drive C: first.
  const QString root = QStringLiteral("C:/");
  EXPECT_TRUE(volumes.front().displayName.startsWith(QStringLiteral("c:")));
#else
  const QString root = QStringLiteral("/");
#endif
  EXPECT_EQ(volumes.front().rootPath, root);
  EXPECT_TRUE(source.isUsable(root));
  EXPECT_FALSE(source.isUsable(root + QStringLiteral("no/such/volume/")));
}

}  // namespace
}  // namespace kamerol::shell
