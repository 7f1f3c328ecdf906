#include "shell/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>

namespace kamerol::shell {
namespace {

QString withTrailingSlash(QString path) {
  if (!path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
  return path;
}

QString describe(const QString& rootPath, const QString& label) {
  QString text = QDir::toNativeSeparators(rootPath);
#ifdef Q_OS_WIN
  text.chop(1);  // "C:" rather than "C:\"
  text = text.toLower();
#endif
  if (!label.isEmpty()) text += QStringLiteral(" [%1]").arg(label);
  return text;
}

constexpr Qt::CaseSensitivity kPathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

}  // namespace

QList<Volume> SystemVolumeSource::volumes() const {
  QList<Volume> result;
#ifdef Q_OS_WIN
  // QDir::drives lists the drives without media too, as a drive list should; asking for their labels would
  // wait on them, so only ready drives show one.
  for (const QFileInfo& drive : QDir::drives()) {
    const QString root = withTrailingSlash(drive.absoluteFilePath());
    const QStorageInfo storage(root);
    result.append({root, describe(root, storage.isReady() ? storage.name() : QString())});
  }
#else
  for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
    const QString root = withTrailingSlash(storage.rootPath());
    result.append({root, describe(root, storage.name())});
  }
  const auto isRoot = [](const Volume& volume) { return volume.rootPath == QLatin1String("/"); };
  std::sort(result.begin(), result.end(), [&isRoot](const Volume& a, const Volume& b) {
    if (isRoot(a) != isRoot(b)) return isRoot(a);
    return a.rootPath < b.rootPath;
  });
#endif
  return result;
}

bool SystemVolumeSource::isUsable(const QString& rootPath) const {
  const QStorageInfo storage(rootPath);
  const QFileInfo root(rootPath);
  if (!storage.isValid() || !storage.isReady() || !root.isDir() || !root.isReadable()) return false;
#ifndef Q_OS_WIN
  if (!root.isExecutable()) return false;  // A folder without search permission cannot be listed.
#endif
  return true;
}

int volumeIndexForPath(const QList<Volume>& volumes, const QString& path) {
  const QString wanted = withTrailingSlash(QDir::fromNativeSeparators(path));
  int best = -1;
  for (int i = 0; i < volumes.size(); ++i) {
    const QString& root = volumes[i].rootPath;
    if (wanted.startsWith(root, kPathCase) && (best < 0 || root.size() > volumes[best].rootPath.size())) best = i;
  }
  return best;
}

}  // namespace kamerol::shell
