// Every reader fed random, truncated, blocking and huge input: each must answer sensibly, and the
// files it may write must keep what was there.

#include "DataFiles.h"

#include "data/QuestionFile.h"
#include "data/SettingsFile.h"

#include <QProcess>

TEST(RandomInput, QuestionFileReaders) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"r.znd"_qs), copy = dir.filePath(u"copy.znd"_qs);
    std::mt19937 rng(20261206);
    std::uniform_int_distribution<int> records(0, 6), extra(0, 400);
    for (int round = 0; round < 100; ++round) {
        // Whole files, and files cut short at a random point.
        const int size = records(rng) * 351 + (round % 3 == 0 ? extra(rng) : 0), n = size / 351;
        writeBytes(path, randomBytes(rng, size));
        SCOPED_TRACE(round);
        QuestionFile file;
        QuestionRecord r;
        ASSERT_TRUE(file.open(path) && file.recordCount() == n);
        for (int i = 1; i <= n; ++i) {
            ASSERT_TRUE(file.read(i, r));
            EXPECT_TRUE(SjisWidth(r.question, 0) <= 288 && SjisWidth(r.answer, 0) <= 60 &&
                        r.genre.size() == 1);
        }
        bool ok = false;
        const QStringList texts = ReadRecordTexts(path, n, &ok);
        ASSERT_TRUE(ok && texts.size() == n);
        ReadRecordTexts(path, n + 1, &ok);
        EXPECT_EQ(ok, size % 351 >= 349); // a last record without its line end still counts
        // Saving what was read always gives a file of whole records.
        ASSERT_TRUE(WriteRecordTexts(copy, texts));
        EXPECT_EQ(QFile(copy).size(), qint64(n) * 351);
    }
}

TEST(RandomInput, SettingsOperationsChangeOnlyTheirPart) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(u"ZN.INI"_qs);
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        const QByteArray before =
            randomBytes(rng, round < 40 ? round : std::uniform_int_distribution(0, 1500)(rng));
        SCOPED_TRACE(round);
        // Loading may rewrite only the record, and always leaves a usable one.
        writeBytes(ini, before);
        SettingsRecord record;
        const LoadSettingsResult r = LoadSettings(ini, record);
        ASSERT_TRUE(r.ok && r.hasBackgroundLine == (before.size() > 20));
        EXPECT_TRUE(record.speedLevel.at(0).isDigit() && record.readPressChars.at(0).isDigit());
        EXPECT_EQ(readBytes(ini), record.toBytes() + before.mid(20));

        // The dialog may only add a line end after line 0 (or start a short file anew), and a
        // second reading changes nothing more.
        writeBytes(ini, before);
        DialogSettings dialog, again;
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
        const QByteArray after = readBytes(ini);
        const qsizetype at = before.size() == 20 ? 20 : before.indexOf("\r\n") + 2;
        EXPECT_TRUE(before.size() < 20
                        ? after == SettingsRecord().toBytes() + "\r\n"
                        : after == before || after == before.left(at) + "\r\n" + before.mid(at));
        ASSERT_TRUE(ReadSettingsForDialog(ini, record, again));
        EXPECT_TRUE(readBytes(ini) == after && again.members == dialog.members);
    }
}

TEST(RandomInput, PipesAreRefusedAndHugeSettingsFilesKeptWhole) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(u"pipe"_qs), ini = dir.filePath(u"ZN.INI"_qs);
    SettingsRecord record;
    DialogSettings dialog;
    bool ok = true;
    if (QProcess::execute(u"mkfifo"_qs, {fifo}) == 0) {
        EXPECT_TRUE(ReadRecordTexts(fifo, 3, &ok).isEmpty());
        EXPECT_FALSE(ok || QuestionFile().open(fifo) || LoadSettings(fifo, record).ok ||
                     ReadSettingsForDialog(fifo, record, dialog));
    }
    // Far larger than anything the program writes: only its start is read, and a rewrite of
    // line 1 keeps every byte after it; a line break in the path never makes it two lines.
    QByteArray tail;
    while (tail.size() < 6 * 1024 * 1024)
        tail += "Member" + QByteArray::number(tail.size()) + "\r\n";
    writeBytes(ini, SettingsRecord().toBytes() + "C:\\old.bmp\r\n" + tail + "end");
    ASSERT_TRUE(ReadSettingsForDialog(ini, record, dialog));
    EXPECT_TRUE(dialog.backgroundPath == u"C:\\old.bmp"_qs && dialog.members.size() == MemberLimit);
    ASSERT_TRUE(RewriteBackgroundLine(ini, u"D:\\new\n.bmp"_qs));
    EXPECT_TRUE(readBytes(ini) == record.toBytes() + "D:\\new .bmp\r\n" + tail + "end");
}
