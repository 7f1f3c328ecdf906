#pragma once

#include <QDialog>
#include <QList>

#include <memory>

#include "shell/settings_store.h"
#include "shell/volumes.h"

class QComboBox;
class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace kamerol::shell {

// "Настройка пути к папке с расчетами": picks the calculations folder, in which the open and save dialogs
// start. A folder picked in the lists is the calculations folder for the rest of the run at once; "Ok" also
// stores the path box's text, the close box stores nothing. One chooser serves one opening; the form is
// disabled while it is open.
class FolderChooser : public QDialog {
  Q_OBJECT

 public:
  // `store` and `settings` must outlive the chooser; `defaultFolder` is the default calculations folder;
  // `form` is the calculation form (may be null).
  FolderChooser(SettingsStore& store, AppSettings& settings, QString defaultFolder, QWidget* form,
                std::unique_ptr<VolumeSource> volumeSource = std::make_unique<SystemVolumeSource>());
  ~FolderChooser() override;

  // Creates the chooser, shows it without waiting and deletes it when it closes.
  static FolderChooser* open(SettingsStore& store, AppSettings& settings, QWidget* form);

  // The folder the folder list is pointed at, with '/' separators.
  const QString& folderListPath() const { return folderListPath_; }

 public slots:
  // Picks the drive at `index` of the drive list. A drive that cannot be used is reported and changes nothing.
  void chooseDrive(int index);
  // Points the folder list at `path`, shows it in the path box and makes it the calculations folder.
  void chooseFolder(const QString& path);
  // "Ok": stores the path box's text, unless it is empty, and closes.
  void accept() override;

 private:
  void showFolder(const QString& path);
  void showDrive(int index);
  void onFolderActivated(QTreeWidgetItem* item);

  SettingsStore& store_;
  AppSettings& settings_;
  std::unique_ptr<VolumeSource> volumeSource_;
  QList<Volume> volumes_;
  QString folderListPath_;
  int shownDrive_ = -1;
  QComboBox* driveList_;
  QTreeWidget* folderList_;
  QLineEdit* pathBox_;
};

}  // namespace kamerol::shell
