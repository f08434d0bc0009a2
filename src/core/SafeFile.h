#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// True when `path` names a regular file (symbolic links followed). A named pipe, a device, a
// socket or a folder is not one: opening a pipe blocks until a writer appears, and a device may
// never end, so every path from the user or from ZN.INI passes this test before it is opened.
bool IsRegularFile(const QString& path);

// True when `path` may be replaced by a new file: it does not exist yet, or it is a writable
// regular file.
bool IsReplaceableFile(const QString& path);

// Replaces a file through a temporary file and an atomic rename. Every write and the final flush
// are checked: a small file only meets a full disk when its buffer is flushed, and committing then
// would rename a cut or empty file over the old one. On any failure the temporary file is
// discarded and the old file stays exactly as it was.
class AtomicFileWriter {
public:
    explicit AtomicFileWriter(const QString& path);
    ~AtomicFileWriter(); // discards the temporary file unless commit() succeeded

    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // False when the target is no regular file or the temporary file cannot be created.
    bool open();
    // False once any write has failed; later writes are not attempted.
    bool write(const QByteArray& bytes);
    // Flushes, checks and renames; false (old file untouched) on any failure.
    bool commit();
    QString errorString() const { return error_; }

private:
    bool fail(const QString& why);

    class Target; // the temporary file that becomes the target on commit
    Target& file() const { return *file_; }
    std::unique_ptr<Target> file_;
    bool open_ = false;
    bool failed_ = false;
    QString error_;
};

// The whole file at once through AtomicFileWriter; false with `error` set on failure.
bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);
