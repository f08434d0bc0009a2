#include "core/Sjis.h"
#include "platform/Cp932.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {
QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}
const QString Bad(QChar(0xFFFD));
} // namespace

TEST(Cp932, CodePageMappingsBothWays) {
    // Wave dash, full-width minus and circled digits are where a plain Shift-JIS codec differs.
    const std::pair<QString, const char*> pairs[] = {
        {QStringLiteral("～"), "8160"},        {QStringLiteral("－"), "817c"},
        {QStringLiteral("①"), "8740"},         {QStringLiteral("ﾌｧｲﾙ｡ﾟ"), "cca7b2d9a1df"},
        {QStringLiteral("A\\~ "), "415c7e20"},
    };
    for (const auto& [text, hex] : pairs) {
        EXPECT_EQ(Cp932Encode(text), Hex(hex)) << hex;
        EXPECT_EQ(Cp932Decode(Hex(hex)), text) << hex;
    }
    const QString genre6 = QStringLiteral("～語で「……」");
    EXPECT_EQ(Cp932Decode(Cp932Encode(genre6)), genre6);
}

TEST(Cp932, UnmappableAndInvalidInput) {
    EXPECT_EQ(Cp932Encode(QStringLiteral("aéb한")), QByteArray("a?b?"));
    EXPECT_FALSE(Cp932Representable(QStringLiteral("日本é")));
    EXPECT_TRUE(Cp932Representable(QStringLiteral("日本ﾃｽﾄ～①")));
    // Outside the BMP: one substitute per UTF-16 unit, so per-character widths add up.
    const QString emoji = QString::fromUcs4(U"x\U0001F600y");
    EXPECT_EQ(Cp932Encode(emoji), QByteArray("x??y"));
    EXPECT_EQ(SjisWidth(emoji, 0), 4);

    EXPECT_EQ(Cp932Decode(Hex("80a0ff")), Bad + Bad + Bad);
    // A lead byte at the end or before a byte that cannot follow it; the next byte survives.
    EXPECT_EQ(Cp932Decode(Hex("4193")), QStringLiteral("A") + Bad);
    EXPECT_EQ(Cp932Decode(Hex("930a41")), Bad + QStringLiteral("\nA"));
    EXPECT_EQ(Cp932Decode(Hex("8540")), Bad + Bad); // unassigned pair
}

TEST(Sjis, Widths) {
    const std::pair<QString, int> whole[] = {
        {QStringLiteral("ABC"), 3}, {QStringLiteral("日本"), 4}, {QStringLiteral("ｱｲ"), 2},
        {QStringLiteral("A  "), 1}, {QStringLiteral("  A"), 3},  {QString(), 0},
        {QStringLiteral("　"), 2},  {QStringLiteral("日 "), 2},
    };
    for (const auto& [text, width] : whole)
        EXPECT_EQ(SjisWidth(text, 0), width) << text.toStdString();

    EXPECT_EQ(SjisWidth(QStringLiteral("A B"), 2), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("日A"), 1), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("日A"), 2), 1);
    EXPECT_EQ(SjisWidth(QStringLiteral("AB"), 5), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("AB"), -1), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("a　é"), 2), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("a　é"), 3), 1);

    EXPECT_EQ(SjisBytes(QStringLiteral(" A　  ")), Hex("20418140"));
    const QString mixed = QStringLiteral("日本の首都は？　ﾌｧｲﾙ ABC ～①－éà한字\\~  ");
    EXPECT_EQ(SjisWidth(mixed, 0), SjisBytes(mixed).size());
    int sum = 0;
    for (int i = 1; i <= mixed.size(); ++i)
        sum += mixed.at(i - 1) == QLatin1Char(' ') ? 1 : SjisWidth(mixed, i);
    EXPECT_EQ(sum, Cp932Encode(mixed).size());
}

TEST(Sjis, FieldsNeverSplitACharacterAndTrimOnlyAsciiBlanks) {
    const QByteArray nihongo = SjisBytes(QStringLiteral("日本語"));
    EXPECT_EQ(SjisField(nihongo, 3, 0), QStringLiteral("日"));
    EXPECT_EQ(SjisField(nihongo, 3, 3), QStringLiteral("本"));
    EXPECT_EQ(SjisField(nihongo, 1, 1), QString());
    const QByteArray mixed = SjisBytes(QStringLiteral("Aｱ日本B語"));
    for (int n = 0; n <= mixed.size(); ++n)
        EXPECT_LE(SjisWidth(SjisField(mixed, n, 0), 0), n) << n;

    EXPECT_EQ(SjisField(SjisEncode(QStringLiteral("  A B  ")), 1, 7), QStringLiteral("A B"));
    EXPECT_EQ(SjisField(SjisEncode(QStringLiteral(" 　A ")), 10, 0), QStringLiteral("　A"));

    // A stored record: question, answer and genre fields; ranges past the end give what exists.
    const QByteArray record = SjisBytes(QStringLiteral("日本")) + QByteArray(284, ' ') + "ABC" +
                              QByteArray(57, ' ') + "3\r\n";
    ASSERT_EQ(record.size(), 351);
    EXPECT_EQ(SjisField(record, 288, 0), QStringLiteral("日本"));
    EXPECT_EQ(SjisField(record, 289, 60), QStringLiteral("ABC"));
    EXPECT_EQ(SjisField(record, 349, 0).right(1), QStringLiteral("3"));
    EXPECT_EQ(SjisField(record, 350, 10), QStringLiteral("\r\n"));
    EXPECT_EQ(SjisField(record, 352, 10), QString());
}

TEST(Sjis, GarbledBytesNeverCrash) {
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(rng.bounded(0, 400)), '\0');
        for (char& b : bytes)
            b = char(rng.bounded(256));
        const QString decoded = Cp932Decode(bytes);
        EXPECT_LE(decoded.size(), bytes.size());
        const int start = int(rng.bounded(-2, 420)), count = int(rng.bounded(-2, 420));
        EXPECT_LE(SjisField(bytes, start, count).size(), qMax(0, count == 0 ? start : count));
        EXPECT_EQ(SjisWidth(decoded, 0), SjisBytes(decoded).size());
    }
}

TEST(Sjis, EveryDoubleByteCodeRoundTripsOrIsReplaced) {
    int assigned = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!Cp932IsLeadByte(uchar(lead)) || !Cp932IsTrailByte(uchar(trail))) continue;
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            const QString s = Cp932Decode(pair);
            if (s == Bad + Bad) continue;
            ++assigned;
            ASSERT_EQ(s.size(), 1);
            ASSERT_EQ(Cp932CharWidth(s.at(0)), 2) << lead << " " << trail;
        }
    EXPECT_GT(assigned, 7000); // JIS X 0208 plus the vendor rows
}
