#include "print/PrintData.h"
#include "support/TestKit.h"

using namespace Qt::StringLiterals;

// Older logs wrote quotes inside a field as they were; such a log still prints.
TEST(PrintData, ALogWithUndoubledQuotesReadsAsText) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"old.csv"_s);
    writeBytes(path, SjisEncode(u"\"ZE Log File\",\"1P\",\"解答者\",\"正誤\"\r\n"
                                u"\"「\"引用\"」とは//\",\"\"答\"\",\"Ben\",\"○\"\r\n"
                                u"\"次//\",\"答\",\"Ben\",\"×\"\r\n"_s));
    QList<PrintEntry> entries;
    PrintDataError error;
    ASSERT_TRUE(ReadPrintEntries(path, true, 1, 2, &entries, &error)) << error.textId;
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ((QStringList{entries[0].question, entries[0].answer, entries[0].verdict,
                           entries[1].answer}),
              (QStringList{u"「\"引用\"」とは//"_s, u"\"答\""_s, u"○"_s, u"答"_s}));
}
