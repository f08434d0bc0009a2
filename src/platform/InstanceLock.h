#pragma once

#include <QString>

#include <memory>

class QLockFile;

// A lock file that marks the one running copy of the program. It is held until the object goes
// (normally at program end); a lock left behind by a copy that died is taken over.
class InstanceLock {
public:
    explicit InstanceLock(QString path);
    ~InstanceLock();

    // False only when another living copy holds the lock; never waits. True when this object
    // holds it, or when no lock file can be written at all (nothing is known of other copies).
    bool acquire();
    bool held() const { return held_; }
    const QString& path() const { return path_; }

    // "zn.lock" in the user's runtime folder, else in the temporary folder.
    static QString defaultPath();

private:
    QString path_;
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};
