#include "platform/InstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>

InstanceLock::InstanceLock(QString path) : path_(std::move(path)) {}

InstanceLock::~InstanceLock() = default; // QLockFile removes the file when it goes

bool InstanceLock::acquire() {
    if (held_) return true;
    if (!lock_) {
        lock_ = std::make_unique<QLockFile>(path_);
        // By default a lock older than 30 s counts as stale; where the file cannot also carry a
        // native lock (some network folders) that would let a second copy in while the first
        // still runs. Only a dead owner may make this lock stale.
        lock_->setStaleLockTime(0);
    }
    held_ = lock_->tryLock(0);
    if (held_) return true;
    // A lock file that cannot be written at all (read-only or missing folder) says nothing about
    // other copies; refusing to start then would lock the user out for good.
    return lock_->error() != QLockFile::LockFailedError;
}

QString InstanceLock::defaultPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    return QDir(folder).filePath(QStringLiteral("zn.lock"));
}
