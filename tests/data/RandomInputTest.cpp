// Every reader fed random and truncated bytes: each must answer sensibly, and the files it may
// write must keep what was there.

#include "core/Sjis.h"
#include "data/QuestionFile.h"
#include "data/SettingsFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

namespace {

// Bytes weighted towards the ones that matter: line ends, blanks, digits, lead and trail bytes,
// half-width katakana and bytes code page 932 does not use.
QByteArray randomBytes(std::mt19937& rng, int size) {
    static const QByteArray pool = QByteArray("\r\n\r\n  09ONFX:\\/a") +
                                   "\x81\x82\x88\x9f\xe0\xfc" + "\x40\x7e\x80\xa0\xb1\xdf\xfd\xff" +
                                   QByteArray(1, '\0');
    std::uniform_int_distribution<int> any(0, 255), pick(0, int(pool.size()) - 1), coin(0, 1);
    QByteArray out(size, '\0');
    for (int i = 0; i < size; ++i)
        out[i] = char(coin(rng) ? any(rng) : quint8(pool[pick(rng)]));
    return out;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QList<QByteArray> byteLines(const QByteArray& bytes) {
    QList<QByteArray> lines;
    qsizetype from = 0, at;
    while ((at = bytes.indexOf("\r\n", from)) >= 0) {
        lines.append(bytes.mid(from, at - from));
        from = at + 2;
    }
    lines.append(bytes.mid(from));
    return lines;
}

} // namespace

TEST(RandomInput, QuestionFileReaders) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("r.znd"));
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> records(0, 6), extra(0, 400);
    for (int round = 0; round < 100; ++round) {
        const int n = records(rng);
        // Whole files, and the same cut short by a random amount.
        const int size = n * 351 + (round % 3 == 0 ? extra(rng) : 0);
        writeFile(path, randomBytes(rng, size));
        SCOPED_TRACE(round);

        QuestionFile file;
        ASSERT_TRUE(file.open(path));
        ASSERT_EQ(file.recordCount(), size / 351);
        for (int i = 1; i <= file.recordCount(); ++i) {
            QuestionRecord r;
            ASSERT_TRUE(file.read(i, r));
            EXPECT_LE(SjisWidth(r.question, 0), 288);
            EXPECT_LE(SjisWidth(r.answer, 0), 60);
            EXPECT_EQ(r.genre.size(), 1);
        }
        QuestionRecord r;
        EXPECT_FALSE(file.read(file.recordCount() + 1, r));
        file.close();

        bool ok = false;
        QStringList texts = ReadRecordTexts(path, size / 351, &ok);
        EXPECT_TRUE(ok);
        ASSERT_EQ(texts.size(), size / 351);
        ReadRecordTexts(path, size / 351 + 1, &ok);
        EXPECT_EQ(ok, size % 351 >= 349);

        // Saving what was read always gives a file of whole records.
        const QString copy = dir.filePath(QStringLiteral("copy.znd"));
        QString error;
        ASSERT_TRUE(WriteRecordTexts(copy, texts, &error)) << error.toStdString();
        EXPECT_EQ(QFile(copy).size(), qint64(texts.size()) * 351);
    }
}

TEST(RandomInput, LoadSettingsAlwaysLeavesAUsableRecord) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("ZN.INI"));
    std::mt19937 rng(7);
    std::uniform_int_distribution<int> length(0, 300);
    for (int round = 0; round < 200; ++round) {
        const QByteArray before = randomBytes(rng, round < 40 ? round : length(rng));
        writeFile(ini, before);
        SCOPED_TRACE(round);
        SettingsRecord record;
        const LoadSettingsResult r = LoadSettings(ini, record);
        ASSERT_TRUE(r.ok);
        EXPECT_TRUE(record.speedLevel.at(0).isDigit());
        EXPECT_TRUE(record.readPressChars.at(0).isDigit());
        const QByteArray after = readFile(ini);
        ASSERT_GE(after.size(), 20);
        // Only the record may change; everything after it stays byte for byte.
        if (before.size() >= 20) {
            EXPECT_EQ(after.mid(20), before.mid(20));
        }
        EXPECT_EQ(after.left(20), record.toBytes());
        EXPECT_EQ(r.hasBackgroundLine, before.size() > 20);
    }
}

TEST(RandomInput, DialogReadingOnlyEverInsertsALineEnd) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("ZN.INI"));
    std::mt19937 rng(11);
    std::uniform_int_distribution<int> length(0, 3000);
    for (int round = 0; round < 200; ++round) {
        const QByteArray before = randomBytes(rng, round < 30 ? round : length(rng));
        writeFile(ini, before);
        SCOPED_TRACE(round);
        SettingsRecord record;
        DialogSettings dialog;
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
        EXPECT_LE(dialog.members.size(), MemberLimit);
        for (const QString& name : dialog.members)
            EXPECT_LE(SjisWidth(name, 0), NameBytes);
        const QByteArray after = readFile(ini);
        if (before.size() < 20) {
            EXPECT_EQ(after, SettingsRecord().toBytes() + "\r\n");
        } else if (before.size() == 20) {
            EXPECT_EQ(after, before + "\r\n");
        } else if (after != before) {
            const qsizetype end0 = before.indexOf("\r\n") + 2;
            ASSERT_GE(end0, 2);
            EXPECT_EQ(after, before.left(end0) + "\r\n" + before.mid(end0));
        }
        // Whatever the dialog changed, reading again changes nothing more.
        DialogSettings again;
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, again));
        EXPECT_EQ(readFile(ini), after);
        EXPECT_EQ(again.members, dialog.members);
    }
}

TEST(RandomInput, RewrittenBackgroundLineIsTheOnlyChange) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("ZN.INI"));
    const QString path = QStringLiteral("C:\\背景\\bg.bmp");
    std::mt19937 rng(13);
    std::uniform_int_distribution<int> length(0, 600);
    for (int round = 0; round < 200; ++round) {
        const QByteArray before = randomBytes(rng, length(rng));
        writeFile(ini, before);
        SCOPED_TRACE(round);
        ASSERT_TRUE(RewriteBackgroundLine(ini, path));
        const QList<QByteArray> old = byteLines(before), now = byteLines(readFile(ini));
        ASSERT_GE(now.size(), 3);
        EXPECT_EQ(now[0], old[0]);
        EXPECT_EQ(now[1], SjisEncode(path));
        if (old.size() >= 3) {
            EXPECT_EQ(now.mid(2), old.mid(2));
        } else {
            EXPECT_EQ(now.mid(2), QList<QByteArray>({QByteArray()}));
        }
    }
}

TEST(RandomInput, PipesAreRefusedInsteadOfBlocking) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.znd"));
    if (QProcess::execute(QStringLiteral("mkfifo"), {fifo}) != 0)
        GTEST_SKIP() << "mkfifo is not available";
    QuestionFile file;
    EXPECT_FALSE(file.open(fifo));
    bool ok = true;
    EXPECT_TRUE(ReadRecordTexts(fifo, 3, &ok).isEmpty());
    EXPECT_FALSE(ok);
    SettingsRecord record;
    EXPECT_FALSE(LoadSettings(fifo, record).ok);
    DialogSettings dialog;
    EXPECT_FALSE(ReadSettingsForDialog(fifo, record, dialog));
}

TEST(RandomInput, HugeSettingsFileIsKeptWhole) {
    // Far larger than anything the program writes: only its start is read, and a rewrite of
    // line 1 keeps every byte after it.
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("ZN.INI"));
    QByteArray bytes = SettingsRecord().toBytes() + "C:\\old.bmp\r\n";
    while (bytes.size() < 6 * 1024 * 1024)
        bytes += "Member" + QByteArray::number(bytes.size()) + "\r\n";
    bytes += "tail";
    writeFile(ini, bytes);

    SettingsRecord record;
    DialogSettings dialog;
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_EQ(dialog.backgroundPath, QStringLiteral("C:\\old.bmp"));
    EXPECT_EQ(dialog.members.size(), MemberLimit);
    EXPECT_EQ(LoadSettings(ini, record).backgroundPath, QStringLiteral("C:\\old.bmp"));

    ASSERT_TRUE(RewriteBackgroundLine(ini, QStringLiteral("D:\\new.bmp")));
    const QByteArray after = readFile(ini);
    const qsizetype cut = bytes.indexOf("Member");
    EXPECT_EQ(after.left(20), bytes.left(20));
    EXPECT_EQ(after.mid(20, 12), "D:\\new.bmp\r\n");
    EXPECT_TRUE(after.mid(32) == bytes.mid(cut));
}
