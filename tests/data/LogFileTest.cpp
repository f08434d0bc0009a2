#include "DataFiles.h"

#include "data/LogFile.h"

TEST(LogFile, QuestionSplitAndFieldQuoting) {
    const QString q = u"あいうえおかきくけこさ"_qs, whole = q + u"//"_qs;
    // A buzz after the reveal or out of range is logged whole; read-and-press reads on at most
    // the characters that were still left.
    const std::tuple<int, bool, QString> cases[] = {{11, false, whole},
                                                    {40, true, whole},
                                                    {-3, true, whole},
                                                    {10, true, u"あいうえおかきくけこ/さ/"_qs}};
    for (const auto& [buzz, readPress, expected] : cases)
        EXPECT_EQ(SplitLoggedQuestion(q, buzz, readPress, 2), expected) << buzz;
    // A line break inside a field would make the readers count one more log line.
    EXPECT_EQ(CsvField(u"「\"a\"」\r\nb\nc\rd"_qs), u"\"「\"\"a\"\"」 b c d\""_qs);
}
