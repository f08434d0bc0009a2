#pragma once

#include "history/AnswerRecord.h"

#include <QDate>
#include <QHash>
#include <QList>
#include <QSqlDatabase>
#include <QString>

#include <memory>

class QSqlError;

// What went wrong with the history file, as far as the user needs to know.
enum class StoreStatus {
    Ok,
    Corrupt,    // not a database, or its pages fail the check
    Unreadable, // no regular file, or no permission to read it
    ReadOnly,   // the file or its folder cannot be written
    Locked,     // another program held the write lock longer than the busy timeout
    Full,       // the disk (or the process's file size limit) is full
    TooNew,     // written by a later version of the program with a schema this one does not know
    Failed,     // anything else
};

// The SQLite history file. One object is one connection and belongs to the thread that
// opened it. The schema carries its version in user_version and is migrated on opening.
class HistoryStore {
public:
    static constexpr int SchemaVersion = 2;
    static constexpr int DefaultBusyTimeoutMs = 5000;

    struct Options {
        bool readOnly = false;   // the statistics window only reads
        bool checkPages = false; // run SQLite's quick check (start-up)
        int busyTimeoutMs = DefaultBusyTimeoutMs;
    };

    HistoryStore();
    ~HistoryStore();
    HistoryStore(const HistoryStore&) = delete;
    HistoryStore& operator=(const HistoryStore&) = delete;

    StoreStatus open(const QString& path, const Options& options);
    StoreStatus open(const QString& path) { return open(path, Options{}); }
    void close();
    bool isOpen() const { return open_; }
    QString path() const { return path_; }
    // The schema version found in the file (before migrating it).
    int foundVersion() const { return foundVersion_; }

    // Adds the answers in one transaction; on failure nothing of them is kept.
    StoreStatus insert(const QList<AnswerRecord>& answers);
    // Deletes every answer, player and file, and lets SQLite give the space back.
    StoreStatus clear();

    QSqlDatabase database() const;
    QString lastError() const { return lastError_; }

private:
    StoreStatus fail(const QSqlError& error);
    StoreStatus migrate();
    bool exec(const QString& sql);
    StoreStatus insertOne(const AnswerRecord& answer);
    qint64 fileId(const QString& path, const QByteArray& hash);
    qint64 playerId(const QString& name);

    struct Statements;
    QString connection_;
    QString path_;
    bool open_ = false;
    int foundVersion_ = 0;
    QString lastError_;
    StoreStatus lastStatus_ = StoreStatus::Ok;
    std::unique_ptr<Statements> statements_;
    // Ids already looked up in this connection; forgotten whenever a transaction is undone.
    QHash<QString, qint64> fileIds_;
    QHash<QString, qint64> playerIds_;
};

// The status an SQLite error stands for.
StoreStatus StatusOf(const QSqlError& error);

// Moves a broken history file (and its write-ahead log) aside as "<path>.broken-YYYYMMDD",
// adding "-2", "-3" ... when that name is taken. Returns the new name, empty on failure.
QString MoveAsideBroken(const QString& path, const QDate& date);
