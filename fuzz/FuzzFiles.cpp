#include "FuzzFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

QString FuzzFolder() {
    static QTemporaryDir* dir = [] {
        const QString shm = QStringLiteral("/dev/shm");
        auto* d = QDir(shm).exists() ? new QTemporaryDir(shm + QStringLiteral("/zn-fuzz-XXXXXX"))
                                     : new QTemporaryDir();
        if (!d->isValid()) std::abort();
        return d;
    }();
    return dir->path();
}

QString WriteFuzzFile(const char* name, const uint8_t* data, size_t size) {
    const QString path = FuzzFolder() + QLatin1Char('/') + QLatin1String(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
        std::abort();
    return path;
}
