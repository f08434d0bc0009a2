#include "data/LogFile.h"

#include "core/Sjis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(LogFile, QuestionSplitAtTheBuzz) {
    const QString q = QStringLiteral("あいうえおかきくけこさ"); // 11 characters
    // No buzz during the reveal, or a buzz after the whole question: logged whole.
    EXPECT_EQ(SplitLoggedQuestion(q, 0, true, 2), q + QStringLiteral("//"));
    EXPECT_EQ(SplitLoggedQuestion(q, 11, false, 2), q + QStringLiteral("//"));
    EXPECT_EQ(SplitLoggedQuestion(q, 40, true, 2), q + QStringLiteral("//"));
    EXPECT_EQ(SplitLoggedQuestion(q, -3, true, 2), q + QStringLiteral("//"));
    // Read-and-press off: what was heard, nothing, the rest.
    EXPECT_EQ(SplitLoggedQuestion(q, 5, false, 2), QStringLiteral("あいうえお//かきくけこさ"));
    // Read-and-press on with room for all k characters.
    EXPECT_EQ(SplitLoggedQuestion(q, 5, true, 2), QStringLiteral("あいうえお/かき/くけこさ"));
    // Buzz after 10 of 11 with k = 2: only one character was left to read.
    EXPECT_EQ(SplitLoggedQuestion(q, 10, true, 2), QStringLiteral("あいうえおかきくけこ/さ/"));
    EXPECT_EQ(SplitLoggedQuestion(q, 9, true, 2), QStringLiteral("あいうえおかきくけ/こさ/"));
    EXPECT_EQ(SplitLoggedQuestion(QString(), 0, true, 2), QStringLiteral("//"));
}

TEST(LogFile, CsvFieldQuotingIsSafe) {
    EXPECT_EQ(CsvField(QStringLiteral("「\"引用\"」")), QStringLiteral("\"「\"\"引用\"\"」\""));
    // A line break would make the readers count one more log line.
    EXPECT_EQ(CsvField(QStringLiteral("a\r\nb\nc")), QStringLiteral("\"a b c\""));
}

TEST(LogFile, SinglePlayerRunOfThreeQuestions) {
    QList<LogLine> lines;
    lines.append({QStringLiteral("一二三四五六七八"), QStringLiteral("八"), QStringLiteral("Owner"),
                  true, 0});
    lines.append({QStringLiteral("日本で一番高い山は？"), QStringLiteral("富士山"),
                  QStringLiteral("Owner"), false, 5});
    lines.append(
        {QStringLiteral("Say \"hi\""), QStringLiteral("hi"), QStringLiteral("Owner"), true, 3});
    const QByteArray bytes = BuildLog(QStringLiteral("ZE Zir Uduzedu"), false, false, 2, lines);
    const QString text = SjisDecode(bytes);
    const QStringList rows = text.split(QStringLiteral("\r\n"));
    ASSERT_EQ(rows.size(), 5); // four lines, each ended by CR LF
    EXPECT_TRUE(rows[4].isEmpty());
    EXPECT_EQ(rows[0], QStringLiteral("\"ZE Zir Uduzedu Log File\",\"1P\",\"解答者\",\"正誤\""));
    EXPECT_EQ(rows[1], QStringLiteral("\"一二三四五六七八//\",\"八\",\"Owner\",\"○\""));
    EXPECT_EQ(rows[2], QStringLiteral("\"日本で一番//高い山は？\",\"富士山\",\"Owner\",\"×\""));
    EXPECT_EQ(rows[3], QStringLiteral("\"Say// \"\"hi\"\"\",\"hi\",\"Owner\",\"○\""));
    // Code page 932 on disk: "○" is 81 9B, "×" is 81 7E.
    EXPECT_TRUE(bytes.contains("\"\x81\x9b\"\r\n"));
    EXPECT_TRUE(bytes.contains("\"\x81\x7e\"\r\n"));
    // The print dialog recognises a log by the marker and counts its lines by CR LF.
    EXPECT_EQ(bytes.count("\r\n") - 1, 3);
}

TEST(LogFile, MatchHeaderAndEmptyAnswerer) {
    QList<LogLine> lines;
    lines.append({QStringLiteral("Q"), QStringLiteral("A"), QString(), false, 0});
    const QString text = SjisDecode(BuildLog(QStringLiteral("Title"), true, true, 2, lines));
    EXPECT_TRUE(text.startsWith(QStringLiteral("\"Title Log File\",\"VS\",")));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\"Q//\",\"A\",\"\",\"×\"\r\n")));
}

TEST(LogFile, AtomicWriteReplacesOrKeeps) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("results.csv"));
    QString error;
    ASSERT_TRUE(WriteFileAtomically(path, "first\r\n", &error));
    ASSERT_TRUE(WriteFileAtomically(path, "second\r\n", &error));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "second\r\n");
    f.close();

    // A path that cannot be created fails with a reason and leaves the old file as it was.
    EXPECT_FALSE(WriteFileAtomically(path + QStringLiteral("/x.csv"), "third", &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(WriteFileAtomically(QString(), "x"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "second\r\n");
    // No temporary files left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}
