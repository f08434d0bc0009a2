#include "quiz/QuizLogic.h"

#include <gtest/gtest.h>

TEST(QuizLineBreaks, ByteWidthsPunctuationAndOverflow) {
    const QString a = QStringLiteral("あ");
    QString spaced = QStringLiteral("か ").repeated(36);
    spaced.chop(1);
    struct Case {
        QString text;
        int limit, maxLines;
        QVector<int> ends;
        int lines;
    } const cases[] = {
        {a.repeated(36), 71, 4, {36, 36, 36, 36}, 1}, // exactly 72 bytes
        {a.repeated(36) + QStringLiteral("、いう"), 71, 4, {37, 39, 39, 39}, 2},
        {a.repeated(36) + QStringLiteral("。」う"), 71, 4, {37, 39, 39, 39}, 2}, // only one pulled
        {spaced, 71, 4, {71, 71, 71, 71}, 1}, // ASCII blanks take no width
        {QStringLiteral("a").repeated(150), 71, 4, {72, 144, 150, 150}, 3},
        {QString(), 71, 4, {0, 0, 0, 0}, 1},
        {a.repeated(50), 19, 3, {10, 20, 50}, 3}, // too long: the rest stays on the last line
    };
    for (const Case& c : cases) {
        int n = 0;
        EXPECT_EQ(BreakTextLines(c.text, c.limit, c.maxLines, &n), c.ends) << c.text.toStdString();
        EXPECT_EQ(n, c.lines) << c.text.toStdString();
    }
}
