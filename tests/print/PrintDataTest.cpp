#include "print/PrintData.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PrintData, CsvRecordsAndFields) {
    struct Case {
        const char* name;
        QString text;
        QList<QStringList> expected;
    };
    const QList<Case> cases{
        {"quoted fields, CR LF, no record after the last line end",
         QStringLiteral("\"a\",\"b\"\r\n\"c\",\"d\"\r\n"),
         {{"a", "b"}, {"c", "d"}}},
        {"commas and line ends inside quotes",
         QStringLiteral("\"x,y\",\"1\r\n2\"\n"),
         {{"x,y", "1\r\n2"}}},
        {"doubled quotes",
         QStringLiteral("\"say \"\"hi\"\"\",\"\"\"\"\r\n"),
         {{"say \"hi\"", "\""}}},
        {"a lone quote inside a quoted field is text",
         QStringLiteral("\"a\"b\",c"),
         {{"a\"b", "c"}}},
        {"unquoted and empty fields, LF and CR line ends, no final line end",
         QStringLiteral("a,,b\n\"\",x\ry"),
         {{"a", "", "b"}, {"", "x"}, {"y"}}},
        {"an empty line is a record of one empty field",
         QStringLiteral("a\r\n\r\nb"),
         {{"a"}, {""}, {"b"}}},
        {"an unclosed quote runs to the end", QStringLiteral("\"abc,d"), {{"abc,d"}}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseCsv(c.text), c.expected) << c.name;
}

TEST(PrintData, LogsAndQuestionFilesGiveTheirEntries) {
    QTemporaryDir dir;
    // The log as the quiz window writes it: the writer doubles quotes.
    const QString log = dir.filePath(QStringLiteral("run.csv"));
    const QList<LogLine> lines{
        {QStringLiteral("一番, \"高い\"山は？"), QStringLiteral("富士山"), QStringLiteral("Aki"),
         true, 3},
        {QStringLiteral("二問目"), QStringLiteral("答"), QStringLiteral("Ben"), false, 0},
        {QStringLiteral("三問目"), QStringLiteral("答3"), QString(), false, 0}};
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(BuildLog(QStringLiteral("ZE Zir Uduzedu"), true, false, 2, lines));
    f.close();

    QList<PrintEntry> got;
    PrintDataError error;
    ASSERT_TRUE(ReadPrintEntries(log, true, 1, 3, &got, &error));
    ASSERT_EQ(got.size(), 3);
    EXPECT_EQ(got[0].question, QStringLiteral("一番,// \"高い\"山は？"));
    EXPECT_EQ(got[0].answer, QStringLiteral("富士山"));
    EXPECT_EQ(got[0].answerer + got[0].verdict, QStringLiteral("Aki○"));
    ASSERT_TRUE(ReadPrintEntries(log, true, 2, 3, &got, &error));
    EXPECT_EQ(got[0].question, QStringLiteral("二問目//"));
    EXPECT_EQ(got[1].answerer + got[1].verdict, QStringLiteral("×"));

    // A record cut short, the file shortened or gone: refused with the record or file text.
    QByteArray bytes = SjisEncode(QStringLiteral(
        "\"h\",\"1P\",\"解答者\",\"正誤\"\r\n\"q\",\"a\",\"n\",\"○\"\r\n\"q2\",\"a2\"\r\n"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    ASSERT_TRUE(ReadPrintEntries(log, true, 1, 1, &got, &error));
    EXPECT_FALSE(ReadPrintEntries(log, true, 1, 2, &got, &error));
    EXPECT_EQ(error.textId, TextLogRecordShort);
    EXPECT_EQ(error.record, 2);
    EXPECT_TRUE(got.isEmpty());
    EXPECT_FALSE(ReadPrintEntries(log, true, 3, 3, &got, &error));
    EXPECT_EQ(error.textId, TextPrintDataNotRead);
    for (const QString& path : {dir.filePath(QStringLiteral("gone.csv")), dir.path()}) {
        EXPECT_FALSE(ReadPrintEntries(path, true, 1, 1, &got, &error));
        EXPECT_FALSE(ReadPrintEntries(path, false, 1, 1, &got, &error));
        EXPECT_EQ(error.textId, TextPrintDataNotRead);
    }

    const QString znd = dir.filePath(QStringLiteral("q.znd"));
    ASSERT_TRUE(WriteRecordTexts(
        znd, {ComposeRecordText(QStringLiteral(" 問一 "), QStringLiteral("答一"), u'1'),
              ComposeRecordText(QStringLiteral("問二"), QStringLiteral("答二"), u'2')}));
    ASSERT_TRUE(ReadPrintEntries(znd, false, 2, 2, &got, &error));
    EXPECT_EQ(got[0].question + got[0].answer, QStringLiteral("問二答二"));
    EXPECT_FALSE(ReadPrintEntries(znd, false, 2, 3, &got, &error)); // shortened since chosen
}
