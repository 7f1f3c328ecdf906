#include "shell/folder_chooser.h"

#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <utility>

#include "shell/dialog_buttons.h"
#include "shell/form_link.h"
#include "shell/program_files.h"

namespace kamerol::shell {
namespace {

constexpr int kPathRole = Qt::UserRole;

}  // namespace

FolderChooser::FolderChooser(SettingsStore& store, AppSettings& settings, QString defaultFolder, QWidget* form,
                             std::unique_ptr<VolumeSource> volumeSource)
    : store_(store),
      settings_(settings),
      volumeSource_(std::move(volumeSource)),
      volumes_(volumeSource_->volumes()),
      driveList_(new QComboBox),
      folderList_(new QTreeWidget),
      pathBox_(new QLineEdit) {
  setWindowTitle(QStringLiteral("Настройка пути к папке с расчетами"));
  new FormLink(this, form, FormLink::kDisableForm);

  driveList_->setObjectName(QStringLiteral("Drive1"));
  for (const Volume& volume : volumes_) driveList_->addItem(volume.displayName);
  connect(driveList_, &QComboBox::activated, this, &FolderChooser::chooseDrive);

  folderList_->setObjectName(QStringLiteral("Dir1"));
  folderList_->setHeaderHidden(true);
  folderList_->setRootIsDecorated(false);
  folderList_->setMinimumSize(360, 260);
  connect(folderList_, &QTreeWidget::itemActivated, this, &FolderChooser::onFolderActivated);

  pathBox_->setObjectName(QStringLiteral("Text1"));

  auto* buttons = acceptCancelButtonRow(this, QStringLiteral("OK"), QStringLiteral("Command1"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(driveList_);
  layout->addWidget(folderList_, 1);
  layout->addWidget(pathBox_);
  layout->addLayout(buttons);

  settings_.calculationsFolder = readCalculationsFolder(store_, defaultFolder);
  pathBox_->setText(settings_.calculationsFolder);
  showFolder(QDir::currentPath());
}

FolderChooser::~FolderChooser() = default;

FolderChooser* FolderChooser::open(SettingsStore& store, AppSettings& settings, QWidget* form) {
  auto* chooser = new FolderChooser(store, settings, defaultCalculationsFolder(), form);
  chooser->setAttribute(Qt::WA_DeleteOnClose);
  chooser->show();
  return chooser;
}

void FolderChooser::chooseDrive(int index) {
  if (index < 0 || index >= volumes_.size()) return;
  if (!volumeSource_->isUsable(volumes_[index].rootPath)) {
    showDrive(shownDrive_);
    QMessageBox::warning(this, QStringLiteral("Ошибка выбора диска"), QStringLiteral("Этот диск не доступен"));
    return;
  }
  chooseFolder(volumes_[index].rootPath);
}

void FolderChooser::chooseFolder(const QString& path) {
  showFolder(path);
  const QString shown = QDir::toNativeSeparators(folderListPath_);
  pathBox_->setText(shown);
  settings_.calculationsFolder = shown;
}

void FolderChooser::accept() {
  const QString path = pathBox_->text();
  if (path.isEmpty()) return;
  settings_.calculationsFolder = path;
  store_.write(QLatin1String(kCalculationsFolderKey), path);
  QDialog::accept();
}

// The list shows the way from the volume's root down to the folder, then the folder's subfolders.
void FolderChooser::showFolder(const QString& path) {
  QDir dir(QDir::cleanPath(QDir::fromNativeSeparators(path)));
  folderListPath_ = dir.absolutePath();

  QStringList chain{folderListPath_};
  while (dir.cdUp()) chain.prepend(dir.absolutePath());

  const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
  const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);

  folderList_->clear();
  QTreeWidgetItem* current = nullptr;
  for (const QString& folder : chain) {
    const QString name = current == nullptr ? QDir::toNativeSeparators(folder) : QDir(folder).dirName();
    auto* item = current == nullptr ? new QTreeWidgetItem(folderList_) : new QTreeWidgetItem(current);
    item->setText(0, name);
    item->setIcon(0, openIcon);
    item->setData(0, kPathRole, folder);
    item->setExpanded(true);
    current = item;
  }
  const QFileInfoList subfolders =
      QDir(folderListPath_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& subfolder : subfolders) {
    auto* item = new QTreeWidgetItem(current);
    item->setText(0, subfolder.fileName());
    item->setIcon(0, closedIcon);
    item->setData(0, kPathRole, subfolder.absoluteFilePath());
  }
  folderList_->setCurrentItem(current);
  folderList_->scrollToItem(current);

  showDrive(volumeIndexForPath(volumes_, folderListPath_));
}

void FolderChooser::showDrive(int index) {
  if (index < 0) return;
  shownDrive_ = index;
  const QSignalBlocker blocker(driveList_);
  driveList_->setCurrentIndex(index);
}

void FolderChooser::onFolderActivated(QTreeWidgetItem* item) {
  if (item != nullptr) chooseFolder(item->data(0, kPathRole).toString());
}

}  // namespace kamerol::shell
