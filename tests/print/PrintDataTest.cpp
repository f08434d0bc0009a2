#include "print/PrintData.h"
#include "core/Sjis.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

// Older logs wrote quotes inside a field as they were; such a log still prints.
TEST(PrintData, ALogWithUndoubledQuotesReadsAsText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.csv"_s);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(SjisEncode(u"\"ZE Log File\",\"1P\",\"解答者\",\"正誤\"\r\n"
                          u"\"「\"引用\"」とは//\",\"\"答\"\",\"Ben\",\"○\"\r\n"
                          u"\"次//\",\"答\",\"Ben\",\"×\"\r\n"_s));
    file.close();
    QList<PrintEntry> entries;
    PrintDataError error;
    ASSERT_TRUE(ReadPrintEntries(path, true, 1, 2, &entries, &error)) << error.textId;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[0].question, u"「\"引用\"」とは//"_s);
    EXPECT_EQ(entries[0].answer, u"\"答\""_s);
    EXPECT_EQ(entries[0].verdict, u"○"_s);
    EXPECT_EQ(entries[1].answer, u"答"_s);
}
