#include "HistoryTestSupport.h"
#include "history/HistorySetup.h"
#include "history/HistoryTexts.h"
#include "history/SqliteRecorder.h"

#include <QSqlDatabase>
#include <QSqlError>

#include <unistd.h>

namespace {

class HistoryStoreTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("history.sqlite")); }
    void fill(int n) {
        HistoryStore store;
        ASSERT_EQ(store.open(path()), StoreStatus::Ok);
        QList<AnswerRecord> answers;
        for (int i = 0; i < n; ++i)
            answers << Answer(i + 1, Verdict::Right, TestEpochMs + i);
        ASSERT_EQ(store.insert(answers), StoreStatus::Ok);
    }
    qint64 countIn(const QString& file) {
        HistoryStore store;
        HistoryStore::Options options;
        options.readOnly = true;
        return store.open(file, options) == StoreStatus::Ok ? AnswerCount(store) : -1;
    }
    QTemporaryDir dir;
    FakePlatform fake;
};

// A raw connection of the test's own, as another program would hold one.
struct RawConnection {
    explicit RawConnection(const QString& path) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        db.open();
    }
    ~RawConnection() {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    bool exec(const QString& sql) {
        QSqlQuery q(QSqlDatabase::database(name, false));
        return q.exec(sql);
    }
    QString name = QStringLiteral("raw-test-connection");
};

} // namespace

TEST_F(HistoryStoreTest, NewFileHasTheSchemaAndKeepsEveryField) {
    HistoryStore store;
    ASSERT_EQ(store.open(path()), StoreStatus::Ok);
    for (const auto& [pragma, value] :
         {std::pair("user_version", QString::number(HistoryStore::SchemaVersion)),
          {"journal_mode", "wal"},
          {"foreign_keys", "1"}})
        EXPECT_EQ(Scalar(store, QStringLiteral("PRAGMA ") + pragma).toString(), value);

    AnswerRecord a = Answer(-42, Verdict::TimeOver, TestEpochMs + 5, QStringLiteral("花子"),
                            QStringLiteral("/q/b.znd"), 17, 6);
    a.charsShown = 33;
    a.questionLength = 50;
    a.thinkingMs = 4321;
    a.answerMs = 0;
    a.buzzRank = 2;
    a.buzzLagMs = 250;
    ASSERT_EQ(store.insert({a, a}), StoreStatus::Ok);
    QSqlQuery q(store.database());
    ASSERT_TRUE(q.exec(QStringLiteral(
        "SELECT answered_at, f.path, f.file_hash, record_no, record_hash, genre, p.name, verdict,"
        " chars_shown, question_length, thinking_ms, answer_ms, buzz_rank, buzz_lag_ms"
        " FROM answers JOIN question_files f ON f.id = file_id JOIN players p ON p.id = "
        "player_id")));
    ASSERT_TRUE(q.next());
    const QVariantList expected = {a.whenMs, a.filePath, a.fileHash, 17,   -42, 6, a.player,
                                   2,        33,         50,         4321, 0,   2, 250};
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(q.value(i).toString(), expected[i].toString()) << "column " << i;
    // The file and the player are stored once, whatever the number of answers.
    for (const char* table : {"question_files", "players"})
        EXPECT_EQ(Scalar(store, QStringLiteral("SELECT COUNT(*) FROM ") + table).toInt(), 1);
    // A match question nobody answered, from a file that could not be hashed.
    EXPECT_EQ(store.insert({AnswerRecord{}}), StoreStatus::Ok);
    // The foreign keys hold: an answer of an unknown player is refused.
    EXPECT_FALSE(q.exec(QStringLiteral(
        "INSERT INTO answers VALUES(NULL, 1, 1, 1, 1, 1, 999, 0, 1, 1, 1, 1, 1, 0)")));
}

TEST_F(HistoryStoreTest, OlderSchemasAreMigratedAndNewerOnesLeftAlone) {
    {
        // A file as the first version wrote it: tables and one answer, no indexes.
        RawConnection raw(path());
        for (const char* sql :
             {"CREATE TABLE question_files(id INTEGER PRIMARY KEY, path TEXT NOT NULL,"
              " file_hash BLOB NOT NULL, UNIQUE(path, file_hash))",
              "CREATE TABLE players(id INTEGER PRIMARY KEY, name TEXT NOT NULL UNIQUE)",
              "CREATE TABLE answers(id INTEGER PRIMARY KEY, answered_at INTEGER NOT NULL,"
              " file_id INTEGER NOT NULL REFERENCES question_files(id), record_no INTEGER NOT NULL,"
              " record_hash INTEGER NOT NULL, genre INTEGER NOT NULL, player_id INTEGER NOT NULL"
              " REFERENCES players(id), verdict INTEGER NOT NULL, chars_shown INTEGER NOT NULL,"
              " question_length INTEGER NOT NULL, thinking_ms INTEGER NOT NULL,"
              " answer_ms INTEGER NOT NULL, buzz_rank INTEGER NOT NULL,"
              " buzz_lag_ms INTEGER NOT NULL)",
              "INSERT INTO question_files VALUES(1, '/q/a.znd', x'00')",
              "INSERT INTO players VALUES(1, 'x')",
              "INSERT INTO answers VALUES(1, 5, 1, 1, 7, 1, 1, 1, 1, 1, 1, 1, 1, 0)",
              "PRAGMA user_version=1"})
            ASSERT_TRUE(raw.exec(QString::fromUtf8(sql))) << sql;
    }
    {
        HistoryStore store;
        ASSERT_EQ(store.open(path()), StoreStatus::Ok);
        EXPECT_EQ(store.foundVersion(), 1);
        EXPECT_EQ(Scalar(store, QStringLiteral("PRAGMA user_version")).toInt(), 2);
        EXPECT_EQ(AnswerCount(store), 1);
        EXPECT_EQ(Scalar(store, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE"
                                               " type = 'index' AND name LIKE 'answers_by_%'"))
                      .toInt(),
                  3);
    }
    // A later program's file is neither written nor migrated.
    {
        RawConnection raw(path());
        ASSERT_TRUE(raw.exec(QStringLiteral("PRAGMA user_version=99")));
    }
    HistoryStore store;
    EXPECT_EQ(store.open(path()), StoreStatus::TooNew);
    RawConnection raw(path());
    QSqlQuery q(QSqlDatabase::database(raw.name, false));
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA user_version")) && q.next());
    EXPECT_EQ(q.value(0).toInt(), 99);
}

TEST_F(HistoryStoreTest, GarbageIsMovedAsideOnlyWhenTheUserAgrees) {
    QByteArray garbage(8192, '\0');
    for (int i = 0; i < garbage.size(); ++i)
        garbage[i] = char((i * 7919) >> 3);
    writeBytes(path(), garbage);
    {
        HistoryStore store;
        EXPECT_EQ(store.open(path()), StoreStatus::Corrupt);
    }
    // "No": the file stays as it was and nothing is recorded in this session.
    fake.messageAnswers.enqueue(AnswerNo);
    EXPECT_EQ(StartRecording(nullptr, path()), nullptr);
    EXPECT_EQ(readBytes(path()), garbage);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, MsgYesNo);
    EXPECT_TRUE(fake.messages[0].text.contains("history.sqlite.broken-20261206"));

    // "Yes": moved aside under the date, a new history starts and records.
    fake.messageAnswers.enqueue(AnswerYes);
    auto recorder = StartRecording(nullptr, path());
    ASSERT_NE(recorder, nullptr);
    EXPECT_EQ(readBytes(path() + QStringLiteral(".broken-20261206")), garbage);
    recorder->record(Answer(1, Verdict::Wrong, TestEpochMs));
    EXPECT_TRUE(recorder->flush());
    EXPECT_EQ(countIn(path()), 1);
    EXPECT_EQ(fake.messages.size(), 2);

    // A second broken file the same day does not overwrite the first one.
    recorder.reset();
    writeBytes(path(), "not a database either");
    EXPECT_EQ(MoveAsideBroken(path(), QDate(2026, 12, 6)),
              path() + QStringLiteral(".broken-20261206-2"));
    EXPECT_EQ(readBytes(path() + QStringLiteral(".broken-20261206")), garbage);
}

TEST_F(HistoryStoreTest, ReadOnlyOrUnreadablePlacesAreToldOnceAndLoseNothing) {
    fill(3);
    // Permission bits do not stop root; a folder in /proc stops everybody.
    const bool root = ::geteuid() == 0;
    const QString readOnly =
        root ? QStringLiteral("/proc/zn-no-such-folder/history.sqlite") : path();
    if (!root) QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const struct {
        QString path;
        StoreStatus status;
    } cases[] = {
        {readOnly, StoreStatus::ReadOnly},
        {dir.path(), StoreStatus::Unreadable}, // a folder where the file should be
    };
    for (const auto& c : cases) {
        fake.clear();
        {
            HistoryStore store;
            EXPECT_EQ(store.open(c.path), c.status) << c.path.toStdString();
        }
        EXPECT_EQ(StartRecording(nullptr, c.path), nullptr);
        ASSERT_EQ(fake.messages.size(), 1);
        EXPECT_EQ(fake.messages[0].text, HistoryNoticeText(c.status));
        // A recorder that meets the problem later tells it once, however many answers fail.
        SqliteRecorder recorder(c.path);
        for (int i = 0; i < 3; ++i) {
            recorder.record(Answer(9, Verdict::Wrong, TestEpochMs));
            EXPECT_FALSE(recorder.flush());
            EXPECT_EQ(recorder.takeNotice(), i == 0 ? HistoryNoticeText(c.status) : QString());
        }
    }
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(countIn(path()), 3);
}

TEST_F(HistoryStoreTest, FullDiskKeepsWhatWasRecorded) {
    fill(3);
    HistoryStore store;
    ASSERT_EQ(store.open(path()), StoreStatus::Ok);
    QList<AnswerRecord> many;
    for (int i = 0; i < 3000; ++i)
        many << Answer(100 + i, Verdict::Wrong, TestEpochMs + i);
    StoreStatus status;
    {
        FileSizeLimit limit(64 * 1024);
        ASSERT_TRUE(limit.active());
        status = store.insert(many);
    }
    EXPECT_TRUE(status == StoreStatus::Full || status == StoreStatus::Failed)
        << int(status) << " " << store.lastError().toStdString();
    store.close();
    HistoryStore again;
    HistoryStore::Options options;
    options.checkPages = true;
    ASSERT_EQ(again.open(path(), options), StoreStatus::Ok);
    EXPECT_EQ(AnswerCount(again), 3);
    // With room again the same answers go in.
    EXPECT_EQ(again.insert(many), StoreStatus::Ok);
    EXPECT_EQ(AnswerCount(again), 3003);
}

TEST_F(HistoryStoreTest, AWriteLockOfAnotherProgramDelaysButLosesNothing) {
    fill(1);
    RawConnection other(path());
    ASSERT_TRUE(other.exec(QStringLiteral("BEGIN IMMEDIATE")));
    SqliteRecorder recorder(path(), 100);
    recorder.record(Answer(2, Verdict::Wrong, TestEpochMs));
    EXPECT_FALSE(recorder.flush());
    EXPECT_EQ(recorder.lastStatus(), StoreStatus::Locked);
    EXPECT_EQ(recorder.takeNotice(), ResText(TextHistoryLocked));
    ASSERT_TRUE(other.exec(QStringLiteral("COMMIT")));
    recorder.record(Answer(3, Verdict::Right, TestEpochMs));
    EXPECT_TRUE(recorder.flush());
    EXPECT_EQ(recorder.takeNotice(), QString());
    EXPECT_EQ(countIn(path()), 3);
}

TEST_F(HistoryStoreTest, ClearingAsksFirstAndEmptiesTheFile) {
    fill(5);
    fake.messageAnswers.enqueue(AnswerNo);
    EXPECT_FALSE(ClearHistory(nullptr, path()));
    EXPECT_EQ(countIn(path()), 5);
    EXPECT_TRUE(ClearHistory(nullptr, path()));
    EXPECT_EQ(countIn(path()), 0); // the question itself: CastHistoryTest
    // A recorder that remembered ids from before the clearing still records.
    SqliteRecorder recorder(path());
    recorder.record(Answer(1, Verdict::Wrong, TestEpochMs));
    ASSERT_TRUE(recorder.flush());
    fake.messageAnswers.enqueue(AnswerYes);
    ASSERT_TRUE(ClearHistory(nullptr, path()));
    recorder.record(Answer(2, Verdict::Wrong, TestEpochMs));
    EXPECT_TRUE(recorder.flush());
    EXPECT_EQ(countIn(path()), 1);
}
