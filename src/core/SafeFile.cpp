#include "core/SafeFile.h"

#include <QFileInfo>
#include <QSaveFile>

class AtomicFileWriter::Target : public QSaveFile {
public:
    using QSaveFile::QSaveFile;
};

bool IsRegularFile(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool IsReplaceableFile(const QString& path) {
    if (path.isEmpty()) return false;
    const QFileInfo info(path);
    // A dangling symbolic link does not "exist", yet renaming over it would drop the link. A
    // read-only file is kept: renaming over it would replace what its owner meant to protect.
    if (info.isSymLink() || info.exists()) return info.isFile() && info.isWritable();
    return true;
}

AtomicFileWriter::AtomicFileWriter(const QString& path) : file_(std::make_unique<Target>(path)) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (open_) file().cancelWriting();
}

bool AtomicFileWriter::fail(const QString& why) {
    failed_ = true;
    if (error_.isEmpty()) error_ = why.isEmpty() ? QStringLiteral("write failed") : why;
    if (open_) {
        file().cancelWriting();
        // QSaveFile deletes its temporary file on destruction or a failed commit; committing a
        // cancelled file does exactly that now, so no stray file is left behind.
        file().commit();
        open_ = false;
    }
    return false;
}

bool AtomicFileWriter::open() {
    if (open_ || failed_) return !failed_;
    if (!IsReplaceableFile(file().fileName()))
        return fail(QStringLiteral("%1 is not a regular file").arg(file().fileName()));
    if (!file().open(QIODevice::WriteOnly)) return fail(file().errorString());
    open_ = true;
    return true;
}

bool AtomicFileWriter::write(const QByteArray& bytes) {
    if (!open_ || failed_) return false;
    if (file().write(bytes) != bytes.size()) return fail(file().errorString());
    return true;
}

bool AtomicFileWriter::commit() {
    if (!open_ || failed_) return false;
    if (!file().flush() || file().error() != QFileDevice::NoError)
        return fail(file().errorString());
    open_ = false;
    if (!file().commit()) {
        failed_ = true;
        error_ = file().errorString();
        return false;
    }
    return true;
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    AtomicFileWriter writer(path);
    if (writer.open() && writer.write(bytes) && writer.commit()) return true;
    if (error) *error = writer.errorString();
    return false;
}
