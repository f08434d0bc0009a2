#include "quiz/QuizLogic.h"
#include "quiz/Blit.h"

#include <QSet>

#include <gtest/gtest.h>

namespace {

QString Repeat(const QString& s, int n) {
    return s.repeated(n);
}

QVector<int> Lines(const QString& text, int limit, int maxLines, int* count = nullptr) {
    int n = 0;
    QVector<int> ends = BreakTextLines(text, limit, maxLines, &n);
    if (count) *count = n;
    return ends;
}

} // namespace

TEST(QuizLineBreaks, QuestionWidthsAndNoLineStartCharacters) {
    int n = 0;
    // 36 double-byte characters reach 72 bytes exactly at the end: one line.
    EXPECT_EQ(Lines(Repeat(QStringLiteral("あ"), 36), 71, 4, &n), (QVector<int>{36, 36, 36, 36}));
    EXPECT_EQ(n, 1);
    // One more character breaks after the 36th.
    EXPECT_EQ(Lines(Repeat(QStringLiteral("あ"), 37), 71, 4, &n), (QVector<int>{36, 37, 37, 37}));
    EXPECT_EQ(n, 2);
    // A comma that would start line 2 stays at the end of line 1.
    const QString comma = Repeat(QStringLiteral("あ"), 36) + QStringLiteral("、いう");
    EXPECT_EQ(Lines(comma, 71, 4, &n), (QVector<int>{37, 39, 39, 39}));
    EXPECT_EQ(n, 2);
    // Only the first of two such characters is pulled back.
    const QString two = Repeat(QStringLiteral("あ"), 36) + QStringLiteral("。」う");
    EXPECT_EQ(Lines(two, 71, 4), (QVector<int>{37, 39, 39, 39}));
    // ASCII blanks add no width: 36 wide characters with blanks between them still fit.
    QString spaced;
    for (int i = 0; i < 36; ++i)
        spaced += QStringLiteral("か ");
    spaced.chop(1);
    EXPECT_EQ(Lines(spaced, 71, 4, &n)[0], int(spaced.size()));
    EXPECT_EQ(n, 1);
    // Half-width text: the 72nd byte closes a line.
    EXPECT_EQ(Lines(Repeat(QStringLiteral("a"), 150), 71, 4, &n),
              (QVector<int>{72, 144, 150, 150}));
    EXPECT_EQ(n, 3);
    // A full 288-byte field of double-byte characters needs exactly four lines.
    EXPECT_EQ(Lines(Repeat(QStringLiteral("あ"), 144), 71, 4, &n),
              (QVector<int>{36, 72, 108, 144}));
    EXPECT_EQ(n, 4);
    EXPECT_EQ(Lines(QString(), 71, 4, &n), (QVector<int>{0, 0, 0, 0}));
    EXPECT_EQ(n, 1);
}

TEST(QuizLineBreaks, AnswerLinesAndOverflowStaysInTable) {
    int n = 0;
    EXPECT_EQ(Lines(Repeat(QStringLiteral("あ"), 30), 19, 3, &n), (QVector<int>{10, 20, 30}));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(Lines(QStringLiteral("東京"), 19, 3, &n), (QVector<int>{2, 2, 2}));
    EXPECT_EQ(n, 1);
    // Text too long for the table (never from a valid record) ends up on the last line.
    EXPECT_EQ(Lines(Repeat(QStringLiteral("あ"), 50), 19, 3, &n), (QVector<int>{10, 20, 50}));
    EXPECT_EQ(n, 3);
}

TEST(QuizLineBreaks, PlacementByLineCount) {
    const int top[] = {110, 94, 86, 82};
    const int spacing[] = {49, 40, 31, 22};
    for (int lines = 1; lines <= 4; ++lines) {
        EXPECT_EQ(QuestionTopFor(lines), top[lines - 1]);
        EXPECT_EQ(LineSpacingFor(lines), spacing[lines - 1]);
    }
}

TEST(QuizOrder, FileOrderAndShuffledPermutation) {
    const QVector<int> plain = AskingOrder(5, false, 1);
    EXPECT_EQ(plain, (QVector<int>{0, 1, 2, 3, 4, 5}));

    for (quint32 seed : {0u, 1u, 12345u, 0xffffffffu}) {
        const QVector<int> order = AskingOrder(120, true, seed);
        ASSERT_EQ(order.size(), 121);
        QSet<int> seen;
        for (int i = 1; i <= 120; ++i) {
            ASSERT_GE(order[i], 1);
            ASSERT_LE(order[i], 120);
            seen.insert(order[i]);
        }
        EXPECT_EQ(seen.size(), 120);
    }
    // Same seed, same order; different seeds, different orders.
    EXPECT_EQ(AskingOrder(50, true, 7), AskingOrder(50, true, 7));
    EXPECT_NE(AskingOrder(50, true, 7), AskingOrder(50, true, 8));
    EXPECT_EQ(AskingOrder(0, true, 7).size(), 1);
    EXPECT_EQ(AskingOrder(1, true, 7), (QVector<int>{0, 1}));
}

TEST(QuizLag, SecondsAndMilliseconds) {
    EXPECT_EQ(FormatLag(0), QStringLiteral("00\"000"));
    EXPECT_EQ(FormatLag(1234), QStringLiteral("01\"234"));
    EXPECT_EQ(FormatLag(59999), QStringLiteral("59\"999"));
    EXPECT_EQ(FormatLag(7), QStringLiteral("00\"007"));
    EXPECT_EQ(FormatLag(123456), QStringLiteral("123\"456"));
}

TEST(QuizBlit, CopiesClipsAndCombinesOpaquely) {
    QImage dst(4, 4, QImage::Format_RGB32);
    dst.fill(qRgb(10, 20, 30));
    QImage src(4, 4, QImage::Format_RGB32);
    src.fill(qRgb(200, 100, 50));
    // Clipped at the far edge: only the overlapping 2 x 2 corner changes.
    Blit(dst, 2, 2, src, 0, 0, 4, 4);
    EXPECT_EQ(dst.pixel(3, 3), qRgb(200, 100, 50));
    EXPECT_EQ(dst.pixel(1, 1), qRgb(10, 20, 30));
    // Negative origins are clipped too.
    Blit(dst, -1, -1, src, 0, 0, 2, 2);
    EXPECT_EQ(dst.pixel(0, 0), qRgb(200, 100, 50));
    EXPECT_EQ(dst.pixel(1, 1), qRgb(10, 20, 30));

    // Mask (black figure on white) then figure (red on white) leaves the background outside
    // the figure and red inside it.
    QImage back(2, 1, QImage::Format_RGB32);
    back.setPixel(0, 0, qRgb(1, 2, 3));
    back.setPixel(1, 0, qRgb(90, 80, 70));
    QImage mask(2, 1, QImage::Format_RGB32);
    mask.setPixel(0, 0, qRgb(0, 0, 0));
    mask.setPixel(1, 0, qRgb(255, 255, 255));
    QImage figure(2, 1, QImage::Format_RGB32);
    figure.setPixel(0, 0, qRgb(255, 0, 0));
    figure.setPixel(1, 0, qRgb(255, 255, 255));
    Blit(back, 0, 0, mask, 0, 0, 2, 1, BlitOp::SourceAndNotDest);
    Blit(back, 0, 0, figure, 0, 0, 2, 1, BlitOp::SourceXorDest);
    EXPECT_EQ(back.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(back.pixel(1, 0), qRgb(90, 80, 70));
    EXPECT_EQ(qAlpha(back.pixel(1, 0)), 255);

    // Overlapping copy inside one image, downwards, keeps the source rows intact.
    QImage strip(1, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        strip.setPixel(0, y, qRgb(y, y, y));
    Blit(strip, 0, 1, strip, 0, 0, 1, 3);
    EXPECT_EQ(strip.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(strip.pixel(0, 2), qRgb(1, 1, 1));
    EXPECT_EQ(strip.pixel(0, 3), qRgb(2, 2, 2));
}
