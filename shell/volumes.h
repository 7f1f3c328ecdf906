#pragma once

#include <QList>
#include <QString>

namespace kamerol::shell {

// One entry of the folder chooser's drive list.
struct Volume {
  QString rootPath;     // with '/' separators, ending in '/' ("/", "/media/usb/", "C:/")
  QString displayName;  // what the list shows
};

// The drives (Windows) or mounted volumes (elsewhere) the folder chooser offers.
class VolumeSource {
 public:
  virtual ~VolumeSource() = default;

  virtual QList<Volume> volumes() const = 0;
  // Whether the volume can be browsed now: it has a medium, is ready and readable.
  virtual bool isUsable(const QString& rootPath) const = 0;
};

// Windows: every logical drive, ready or not. Elsewhere: the mounted volumes without the pseudo file systems,
// the root first.
class SystemVolumeSource final : public VolumeSource {
 public:
  QList<Volume> volumes() const override;
  bool isUsable(const QString& rootPath) const override;
};

// The index of the volume that holds `path` (the longest matching root), or -1.
int volumeIndexForPath(const QList<Volume>& volumes, const QString& path);

}  // namespace kamerol::shell
