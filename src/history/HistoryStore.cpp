#include "history/HistoryStore.h"

#include "core/SafeFile.h"

#include <QAtomicInt>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {

QAtomicInt gConnectionCount;

// SQLite's primary result codes that mean something to the user.
enum : int {
    SqlitePerm = 3,
    SqliteBusy = 5,
    SqliteLocked = 6,
    SqliteReadOnly = 8,
    SqliteIoErr = 10,
    SqliteCorrupt = 11,
    SqliteFull = 13,
    SqliteCantOpen = 14,
    SqliteConstraint = 19,
    SqliteNotADb = 26,
};

// Each step takes the schema from version i to i + 1; a file is migrated through every step it
// has not had yet, in one transaction, so a half-migrated file never exists.
const QList<QStringList>& Migrations() {
    static const QList<QStringList> steps = {
        {
            QStringLiteral("CREATE TABLE question_files(id INTEGER PRIMARY KEY,"
                           " path TEXT NOT NULL, file_hash BLOB NOT NULL,"
                           " UNIQUE(path, file_hash))"),
            QStringLiteral("CREATE TABLE players(id INTEGER PRIMARY KEY,"
                           " name TEXT NOT NULL UNIQUE)"),
            QStringLiteral("CREATE TABLE answers(id INTEGER PRIMARY KEY,"
                           " answered_at INTEGER NOT NULL,"
                           " file_id INTEGER NOT NULL REFERENCES question_files(id),"
                           " record_no INTEGER NOT NULL, record_hash INTEGER NOT NULL,"
                           " genre INTEGER NOT NULL CHECK(genre BETWEEN 1 AND 7),"
                           " player_id INTEGER NOT NULL REFERENCES players(id),"
                           " verdict INTEGER NOT NULL CHECK(verdict IN (0, 1, 2)),"
                           " chars_shown INTEGER NOT NULL, question_length INTEGER NOT NULL,"
                           " thinking_ms INTEGER NOT NULL, answer_ms INTEGER NOT NULL,"
                           " buzz_rank INTEGER NOT NULL, buzz_lag_ms INTEGER NOT NULL)"),
        },
        {
            // The statistics filter by player and time; the review groups by question.
            QStringLiteral("CREATE INDEX answers_by_player ON answers(player_id, answered_at)"),
            QStringLiteral("CREATE INDEX answers_by_question ON answers(record_hash, answered_at)"),
            QStringLiteral("CREATE INDEX answers_by_file ON answers(file_id)"),
        },
    };
    return steps;
}

QString FileKey(const QString& path, const QByteArray& hash) {
    return path + QChar(0) + QString::fromLatin1(hash.toHex());
}

} // namespace

struct HistoryStore::Statements {
    explicit Statements(const QSqlDatabase& db)
        : addFile(db), findFile(db), addPlayer(db), findPlayer(db), addAnswer(db) {
        addFile.prepare(
            QStringLiteral("INSERT OR IGNORE INTO question_files(path, file_hash) VALUES(?, ?)"));
        findFile.prepare(
            QStringLiteral("SELECT id FROM question_files WHERE path = ? AND file_hash = ?"));
        addPlayer.prepare(QStringLiteral("INSERT OR IGNORE INTO players(name) VALUES(?)"));
        findPlayer.prepare(QStringLiteral("SELECT id FROM players WHERE name = ?"));
        addAnswer.prepare(QStringLiteral(
            "INSERT INTO answers(answered_at, file_id, record_no, record_hash, genre, player_id,"
            " verdict, chars_shown, question_length, thinking_ms, answer_ms, buzz_rank,"
            " buzz_lag_ms) VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    }
    QSqlQuery addFile, findFile, addPlayer, findPlayer, addAnswer;
};

StoreStatus StatusOf(const QSqlError& error) {
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    if (!ok) return StoreStatus::Failed;
    switch (code) {
    case SqliteBusy:
    case SqliteLocked:
        return StoreStatus::Locked;
    case SqliteCorrupt:
    case SqliteNotADb:
        return StoreStatus::Corrupt;
    case SqliteFull:
        return StoreStatus::Full;
    case SqliteReadOnly:
        return StoreStatus::ReadOnly;
    case SqlitePerm:
    case SqliteCantOpen:
        return StoreStatus::Unreadable;
    case SqliteIoErr:
        return StoreStatus::Failed;
    default:
        return StoreStatus::Failed;
    }
}

HistoryStore::HistoryStore()
    : connection_(QStringLiteral("zn-history-%1").arg(gConnectionCount.fetchAndAddRelaxed(1))) {}

HistoryStore::~HistoryStore() {
    close();
}

QSqlDatabase HistoryStore::database() const {
    return QSqlDatabase::database(connection_, false);
}

void HistoryStore::close() {
    statements_.reset();
    fileIds_.clear();
    playerIds_.clear();
    if (QSqlDatabase::contains(connection_)) {
        {
            QSqlDatabase db = QSqlDatabase::database(connection_, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(connection_);
    }
    open_ = false;
}

StoreStatus HistoryStore::fail(const QSqlError& error) {
    lastError_ = error.text();
    lastStatus_ = StatusOf(error);
    return lastStatus_;
}

bool HistoryStore::exec(const QString& sql) {
    QSqlQuery query(database());
    if (query.exec(sql)) return true;
    fail(query.lastError());
    return false;
}

StoreStatus HistoryStore::open(const QString& path, const Options& options) {
    close();
    path_ = path;
    lastError_.clear();
    const QFileInfo info(path);
    const bool exists = info.exists() || info.isSymLink();
    if (exists && !IsRegularFile(path)) return StoreStatus::Unreadable;
    if (exists && !info.isReadable()) return StoreStatus::Unreadable;
    if (!options.readOnly) {
        // The write-ahead log and its index are files beside the database, so the folder
        // must be writable too, not only the file.
        const QString folder = info.absolutePath();
        if (!QDir().mkpath(folder)) return StoreStatus::ReadOnly;
        if (!QFileInfo(folder).isWritable() || (exists && !info.isWritable()))
            return StoreStatus::ReadOnly;
    } else if (!exists) {
        return StoreStatus::Unreadable;
    }

    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection_);
        db.setDatabaseName(path);
        QString connectOptions =
            QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(options.busyTimeoutMs);
        if (options.readOnly) connectOptions += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(connectOptions);
        if (!db.open()) {
            const StoreStatus status = fail(db.lastError());
            close();
            return status == StoreStatus::Failed ? StoreStatus::Unreadable : status;
        }
    }
    open_ = true;

    auto failOpen = [this] {
        const StoreStatus status = lastStatus_;
        close();
        return status;
    };
    // A file of garbage opens fine; the first statement that reads it fails with "not a
    // database".
    {
        QSqlQuery query(database());
        if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            fail(query.lastError());
            return failOpen();
        }
        foundVersion_ = query.value(0).toInt();
    }
    if (!options.readOnly && !exec(QStringLiteral("PRAGMA journal_mode=WAL"))) return failOpen();
    // The history is not worth an fsync per answer: with WAL a crash loses at most the last
    // answers, never the file.
    if (!exec(QStringLiteral("PRAGMA synchronous=NORMAL")) ||
        !exec(QStringLiteral("PRAGMA foreign_keys=ON")))
        return failOpen();
    if (options.checkPages) {
        QSqlQuery query(database());
        if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()) {
            fail(query.lastError());
            return failOpen();
        }
        if (query.value(0).toString() != QStringLiteral("ok")) {
            lastError_ = query.value(0).toString();
            lastStatus_ = StoreStatus::Corrupt;
            return failOpen();
        }
    }
    if (foundVersion_ > SchemaVersion) {
        close();
        return StoreStatus::TooNew;
    }
    if (foundVersion_ < SchemaVersion) {
        if (options.readOnly) {
            close();
            return StoreStatus::ReadOnly;
        }
        const StoreStatus migrated = migrate();
        if (migrated != StoreStatus::Ok) {
            close();
            return migrated;
        }
    }
    statements_ = std::make_unique<Statements>(database());
    return StoreStatus::Ok;
}

StoreStatus HistoryStore::migrate() {
    // IMMEDIATE takes the write lock at once, so two programs opening a new file one after the
    // other do not both create the tables.
    if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return lastStatus_;
    QSqlQuery query(database());
    int version = 0;
    if (query.exec(QStringLiteral("PRAGMA user_version")) && query.next())
        version = query.value(0).toInt();
    const QList<QStringList>& steps = Migrations();
    for (; version < SchemaVersion; ++version) {
        for (const QString& sql : steps[version]) {
            if (!exec(sql)) {
                exec(QStringLiteral("ROLLBACK"));
                return lastStatus_ == StoreStatus::Ok ? StoreStatus::Failed : lastStatus_;
            }
        }
    }
    if (!exec(QStringLiteral("PRAGMA user_version=%1").arg(SchemaVersion)) ||
        !exec(QStringLiteral("COMMIT"))) {
        const StoreStatus status = lastStatus_;
        exec(QStringLiteral("ROLLBACK"));
        return status;
    }
    return StoreStatus::Ok;
}

qint64 HistoryStore::fileId(const QString& path, const QByteArray& hash) {
    const QString key = FileKey(path, hash);
    if (const auto it = fileIds_.constFind(key); it != fileIds_.constEnd()) return *it;
    QSqlQuery& add = statements_->addFile;
    add.bindValue(0, path);
    add.bindValue(1, hash);
    if (!add.exec()) {
        fail(add.lastError());
        return -1;
    }
    QSqlQuery& find = statements_->findFile;
    find.bindValue(0, path);
    find.bindValue(1, hash);
    if (!find.exec() || !find.next()) {
        fail(find.lastError());
        return -1;
    }
    const qint64 id = find.value(0).toLongLong();
    find.finish();
    fileIds_.insert(key, id);
    return id;
}

qint64 HistoryStore::playerId(const QString& name) {
    if (const auto it = playerIds_.constFind(name); it != playerIds_.constEnd()) return *it;
    QSqlQuery& add = statements_->addPlayer;
    add.bindValue(0, name);
    if (!add.exec()) {
        fail(add.lastError());
        return -1;
    }
    QSqlQuery& find = statements_->findPlayer;
    find.bindValue(0, name);
    if (!find.exec() || !find.next()) {
        fail(find.lastError());
        return -1;
    }
    const qint64 id = find.value(0).toLongLong();
    find.finish();
    playerIds_.insert(name, id);
    return id;
}

StoreStatus HistoryStore::insertOne(const AnswerRecord& a) {
    // A null text or hash would bind as SQL NULL, which the columns refuse: nobody answering a
    // match question, or a file that could not be hashed, is stored as empty instead.
    const auto notNull = [](const auto& value) {
        return value.isNull() ? std::decay_t<decltype(value)>("") : value;
    };
    const qint64 file = fileId(notNull(a.filePath), notNull(a.fileHash));
    if (file < 0) return lastStatus_;
    const qint64 player = playerId(notNull(a.player));
    if (player < 0) return lastStatus_;
    QSqlQuery& q = statements_->addAnswer;
    const QVariantList values = {
        a.whenMs,   file,           a.recordNo,   a.recordHash,     qBound(1, a.genre, 7),
        player,     int(a.verdict), a.charsShown, a.questionLength, a.thinkingMs,
        a.answerMs, a.buzzRank,     a.buzzLagMs};
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec()) return fail(q.lastError());
    return StoreStatus::Ok;
}

StoreStatus HistoryStore::insert(const QList<AnswerRecord>& answers) {
    if (!open_ || !statements_) return StoreStatus::Failed;
    if (answers.isEmpty()) return StoreStatus::Ok;
    // Twice at most: ids remembered from before another connection cleared the history fail
    // their foreign key once and are looked up again.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return lastStatus_;
        StoreStatus status = StoreStatus::Ok;
        for (const AnswerRecord& a : answers) {
            status = insertOne(a);
            if (status != StoreStatus::Ok) break;
        }
        if (status == StoreStatus::Ok && exec(QStringLiteral("COMMIT"))) return StoreStatus::Ok;
        const bool constraint = (statements_->addAnswer.lastError().nativeErrorCode().toInt() &
                                 0xff) == SqliteConstraint;
        const StoreStatus failed = status != StoreStatus::Ok ? status : lastStatus_;
        const QString why = lastError_;
        exec(QStringLiteral("ROLLBACK"));
        fileIds_.clear();
        playerIds_.clear();
        lastError_ = why;
        lastStatus_ = failed;
        if (!constraint) return failed;
    }
    return lastStatus_;
}

StoreStatus HistoryStore::clear() {
    if (!open_) return StoreStatus::Failed;
    if (!exec(QStringLiteral("BEGIN IMMEDIATE"))) return lastStatus_;
    for (const char* table : {"answers", "players", "question_files"}) {
        if (!exec(QStringLiteral("DELETE FROM %1").arg(QLatin1String(table)))) {
            const StoreStatus status = lastStatus_;
            exec(QStringLiteral("ROLLBACK"));
            return status;
        }
    }
    if (!exec(QStringLiteral("COMMIT"))) {
        const StoreStatus status = lastStatus_;
        exec(QStringLiteral("ROLLBACK"));
        return status;
    }
    fileIds_.clear();
    playerIds_.clear();
    // The deleted rows should not linger in free pages or in the log.
    exec(QStringLiteral("VACUUM"));
    exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    return StoreStatus::Ok;
}

QString MoveAsideBroken(const QString& path, const QDate& date) {
    const QString base =
        path + QStringLiteral(".broken-") + date.toString(QStringLiteral("yyyyMMdd"));
    QString target = base;
    for (int n = 2; QFileInfo::exists(target) || QFileInfo(target).isSymLink(); ++n)
        target = base + QStringLiteral("-%1").arg(n);
    if (!QFile::rename(path, target)) return {};
    // The log may hold the newest answers: it travels with the file. The index is rebuilt.
    const QString wal = path + QStringLiteral("-wal");
    if (QFileInfo::exists(wal)) QFile::rename(wal, target + QStringLiteral("-wal"));
    QFile::remove(path + QStringLiteral("-shm"));
    return target;
}
