#include "print/PrintData.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/LogFile.h"
#include "data/QuestionFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(PrintData, CsvRecordsAndFields) {
    const struct {
        QString text;
        QList<QStringList> expected;
    } cases[] = {
        {u"\"a\",\"b\"\r\n\"c\",\"d\"\r\n"_s, {{"a", "b"}, {"c", "d"}}},
        {u"\"x,y\",\"1\r\n2\"\n"_s, {{"x,y", "1\r\n2"}}},
        {u"\"say \"\"hi\"\"\",\"\"\"\""_s, {{"say \"hi\"", "\""}}},
        {u"\"a\"b\",c"_s, {{"a\"b", "c"}}}, // a quote the writer did not double
        {u"a,,b\n\"\",x\ry\r\n\r\nz"_s, {{"a", "", "b"}, {"", "x"}, {"y"}, {""}, {"z"}}},
        {u"\"abc,d"_s, {{"abc,d"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseCsv(c.text), c.expected) << c.text.toStdString();
}

TEST(PrintData, EntriesOfLogsAndQuestionFiles) {
    QTemporaryDir dir;
    const QString log = dir.filePath(u"run.csv"_s);
    const QList<LogLine> lines{{u"一番, \"高い\"山は？"_s, u"富士山"_s, u"Aki"_s, true, 3},
                               {u"二問目"_s, u"答"_s, QString(), false, 0}};
    ASSERT_TRUE(WriteFileAtomically(log, BuildLog(u"ZE Zir Uduzedu"_s, true, false, 2, lines)));
    QList<PrintEntry> got;
    PrintDataError error;
    ASSERT_TRUE(ReadPrintEntries(log, true, 1, 2, &got, &error));
    EXPECT_EQ(got[0].question + u'|' + got[0].answer + u'|' + got[0].answerer + got[0].verdict,
              u"一番,// \"高い\"山は？|富士山|Aki○"_s);
    EXPECT_EQ(got[1].answerer + got[1].verdict, u"×"_s);

    // A record short of fields, a file shorter than chosen, gone, or a folder: refused.
    ASSERT_TRUE(WriteFileAtomically(
        log, "\"h\",\"1P\",\"a\",\"b\"\r\n\"q\",\"a\",\"n\",\"x\"\r\n\"q2\",\"a2\"\r\n"));
    EXPECT_FALSE(ReadPrintEntries(log, true, 1, 2, &got, &error));
    EXPECT_EQ(error.textId * 10 + error.record, TextLogRecordShort * 10 + 2);
    EXPECT_TRUE(got.isEmpty());
    const QString znd = dir.filePath(u"q.znd"_s);
    ASSERT_TRUE(WriteRecordTexts(znd, {ComposeRecordText(u"問一"_s, u"答一"_s, u'1')}));
    const struct {
        QString path;
        bool log;
        int from, to;
    } refused[] = {{log, true, 3, 3},
                   {znd, false, 1, 2},
                   {dir.filePath(u"gone"_s), false, 1, 1},
                   {dir.path(), true, 1, 1}};
    for (const auto& r : refused) {
        EXPECT_FALSE(ReadPrintEntries(r.path, r.log, r.from, r.to, &got, &error))
            << r.path.toStdString();
        EXPECT_EQ(error.textId, TextPrintDataNotRead);
    }
    ASSERT_TRUE(ReadPrintEntries(znd, false, 1, 1, &got, &error));
    EXPECT_EQ(got[0].question + got[0].answer, u"問一答一"_s);
}
