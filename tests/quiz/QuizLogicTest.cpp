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

// Each position in turn is exchanged with position int(r * count + 1).
TEST(QuizAskingOrder, PartnerIsDrawnFromOneToCount) {
    struct Case {
        double r;
        QVector<int> order; // 1-based, element 0 unused
    } const cases[] = {
        {0.0, {0, 4, 1, 2, 3}},   // always the first
        {0.5, {0, 3, 1, 4, 2}},   // always the third
        {0.999, {0, 4, 1, 2, 3}}, // always the last, which ends where the first does
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShuffledOrder(4, [&] { return c.r; }), c.order) << c.r;
    EXPECT_EQ(AskingOrder(3, false, 7), (QVector<int>{0, 1, 2, 3}));
}

TEST(QuizBuzzLag, KeepsItsLeadingZeros) {
    const std::pair<long long, const char*> cases[] = {
        {0, "00\"000"}, {7, "00\"007"}, {1234, "01\"234"}, {61234, "61\"234"}, {-5, "00\"000"}};
    for (const auto& [ms, text] : cases)
        EXPECT_EQ(FormatLag(ms), QString::fromLatin1(text)) << ms;
}
