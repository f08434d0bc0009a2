#include "core/SafeFile.h"

#include <QFileInfo>

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

AtomicFileWriter::AtomicFileWriter(const QString& path) : file_(path) {}

AtomicFileWriter::~AtomicFileWriter() {
    if (open_) file_.cancelWriting();
}

bool AtomicFileWriter::fail(const QString& why) {
    failed_ = true;
    if (error_.isEmpty()) error_ = why.isEmpty() ? QStringLiteral("write failed") : why;
    if (open_) {
        file_.cancelWriting();
        // QSaveFile deletes its temporary file on destruction or a failed commit; committing a
        // cancelled file does exactly that now, so no stray file is left behind.
        file_.commit();
        open_ = false;
    }
    return false;
}

bool AtomicFileWriter::open() {
    if (open_ || failed_) return !failed_;
    if (!IsReplaceableFile(file_.fileName()))
        return fail(QStringLiteral("%1 is not a regular file").arg(file_.fileName()));
    if (!file_.open(QIODevice::WriteOnly)) return fail(file_.errorString());
    open_ = true;
    return true;
}

bool AtomicFileWriter::write(const QByteArray& bytes) {
    if (!open_ || failed_) return false;
    if (file_.write(bytes) != bytes.size()) return fail(file_.errorString());
    return true;
}

bool AtomicFileWriter::commit() {
    if (!open_ || failed_) return false;
    if (!file_.flush() || file_.error() != QFileDevice::NoError) return fail(file_.errorString());
    open_ = false;
    if (!file_.commit()) {
        failed_ = true;
        error_ = file_.errorString();
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
