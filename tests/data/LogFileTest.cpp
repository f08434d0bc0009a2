#include "DataFiles.h"

#include "data/LogFile.h"

TEST(LogFile, QuestionSplitAndFieldQuoting) {
    const QString q = u"あいうえおかきくけこさ"_qs, whole = q + u"//"_qs;
    // No buzz during the reveal, or one after it: logged whole. With read-and-press, at most the
    // characters that were still left are read on.
    const std::tuple<int, bool, QString> cases[] = {{0, true, whole},
                                                    {11, false, whole},
                                                    {40, true, whole},
                                                    {-3, true, whole},
                                                    {5, false, u"あいうえお//かきくけこさ"_qs},
                                                    {5, true, u"あいうえお/かき/くけこさ"_qs},
                                                    {10, true, u"あいうえおかきくけこ/さ/"_qs}};
    for (const auto& [buzz, readPress, expected] : cases)
        EXPECT_EQ(SplitLoggedQuestion(q, buzz, readPress, 2), expected) << buzz;
    // A line break inside a field would make the readers count one more log line.
    EXPECT_EQ(CsvField(u"「\"a\"」\r\nb\nc\rd"_qs), u"\"「\"\"a\"\"」 b c d\""_qs);
}
