#include "core/Sjis.h"
#include "platform/Cp932.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace {

QByteArray Hex(const char* hex) {
    return QByteArray::fromHex(hex);
}

} // namespace

TEST(Cp932, CharactersThatPlainShiftJisGetsWrong) {
    // Wave dash, full-width minus and circled digits are the code page's own mappings.
    EXPECT_EQ(Cp932Encode(QStringLiteral("～")), Hex("8160"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("－")), Hex("817C"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("①")), Hex("8740"));
    EXPECT_EQ(Cp932Decode(Hex("8160")), QString(QChar(0xFF5E)));
    EXPECT_EQ(Cp932Decode(Hex("817C")), QString(QChar(0xFF0D)));
    EXPECT_EQ(Cp932Decode(Hex("8740")), QStringLiteral("①"));
    // Genre name 6 survives a round trip.
    const QString genre = QStringLiteral("～語で「……」");
    EXPECT_EQ(Cp932Decode(Cp932Encode(genre)), genre);
}

TEST(Cp932, HalfWidthKatakanaAndAscii) {
    EXPECT_EQ(Cp932Encode(QStringLiteral("ﾌｧｲﾙ")), Hex("CCA7B2D9"));
    EXPECT_EQ(Cp932Decode(Hex("A1DF")), QStringLiteral("｡ﾟ"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("A\\~")), QByteArray("A\\~"));
    EXPECT_EQ(Cp932Decode(QByteArray("A\\~")), QStringLiteral("A\\~"));
}

TEST(Cp932, UnmappableCharactersBecomeOneSubstituteEach) {
    EXPECT_EQ(Cp932Encode(QStringLiteral("aéb")), QByteArray("a?b"));
    EXPECT_EQ(Cp932Encode(QStringLiteral("한")), QByteArray("?"));
    EXPECT_FALSE(Cp932Representable(QStringLiteral("日本é")));
    EXPECT_TRUE(Cp932Representable(QStringLiteral("日本ﾃｽﾄ～①")));
    // A character outside the BMP is two UTF-16 units and two substitutes, so per-character
    // widths still add up to the byte length.
    const QString emoji = QString::fromUcs4(U"x\U0001F600y");
    EXPECT_EQ(Cp932Encode(emoji), QByteArray("x??y"));
    EXPECT_EQ(SjisWidth(emoji, 0), 4);
}

TEST(Cp932, InvalidBytesDecodeToReplacementWithoutLosingNeighbours) {
    const QString r(QChar(0xFFFD));
    EXPECT_EQ(Cp932Decode(Hex("80")), r);
    EXPECT_EQ(Cp932Decode(Hex("A0")), r);
    EXPECT_EQ(Cp932Decode(Hex("FF")), r);
    // A lead byte at the end, or before a byte that cannot follow it.
    EXPECT_EQ(Cp932Decode(Hex("4193")), QStringLiteral("A") + r);
    EXPECT_EQ(Cp932Decode(Hex("930A41")), r + QStringLiteral("\nA"));
    // A well-formed but unassigned pair: one replacement per byte.
    EXPECT_EQ(Cp932Decode(Hex("8540")), r + r);
}

TEST(Sjis, WidthOfWholeText) {
    EXPECT_EQ(SjisWidth(QStringLiteral("ABC"), 0), 3);
    EXPECT_EQ(SjisWidth(QStringLiteral("日本"), 0), 4);
    EXPECT_EQ(SjisWidth(QStringLiteral("ｱｲ"), 0), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("A  "), 0), 1);
    EXPECT_EQ(SjisWidth(QStringLiteral("  A"), 0), 3);
    EXPECT_EQ(SjisWidth(QString(), 0), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("　"), 0), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("日 "), 0), 2);
}

TEST(Sjis, WidthOfOneCharacter) {
    EXPECT_EQ(SjisWidth(QStringLiteral("A B"), 2), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("日A"), 1), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("日A"), 2), 1);
    EXPECT_EQ(SjisWidth(QStringLiteral("AB"), 5), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("AB"), -1), 0);
    EXPECT_EQ(SjisWidth(QStringLiteral("a　b"), 2), 2);
    EXPECT_EQ(SjisWidth(QStringLiteral("é"), 1), 1);
}

TEST(Sjis, WidthAgreesWithBytesOnMixedText) {
    const QString samples[] = {
        QStringLiteral("日本の首都はどこでしょう？　東京"),
        QStringLiteral("ﾌｧｲﾙ ABC ～①－"),
        QStringLiteral("  lead and trail  "),
        QStringLiteral("éà한字\\~"),
        QString::fromUcs4(U"\U0001F600 x"),
    };
    for (const QString& s : samples) {
        EXPECT_EQ(SjisWidth(s, 0), SjisBytes(s).size()) << s.toStdString();
        int sum = 0;
        for (int i = 1; i <= s.size(); ++i)
            sum += s.at(i - 1) == QLatin1Char(' ') ? 1 : SjisWidth(s, i);
        // Per-character widths (blanks counted as their one byte) add up to the encoded text.
        EXPECT_EQ(sum, Cp932Encode(s).size()) << s.toStdString();
    }
}

TEST(Sjis, BytesDropTrailingAsciiBlanksOnly) {
    EXPECT_EQ(SjisBytes(QStringLiteral(" A  ")), QByteArray(" A"));
    EXPECT_EQ(SjisBytes(QStringLiteral("A　")), Hex("418140"));
    EXPECT_EQ(SjisBytes(QStringLiteral("   ")), QByteArray());
}

TEST(Sjis, FieldNeverSplitsADoubleByteCharacter) {
    const QByteArray nihongo = SjisBytes(QStringLiteral("日本語"));
    EXPECT_EQ(SjisField(nihongo, 3, 0), QStringLiteral("日"));
    EXPECT_EQ(SjisField(nihongo, 4, 0), QStringLiteral("日本"));
    EXPECT_EQ(SjisField(nihongo, 3, 3), QStringLiteral("本"));
    EXPECT_EQ(SjisField(nihongo, 1, 1), QString());
    // The kept text never needs more bytes than were selected.
    const QByteArray mixed = SjisBytes(QStringLiteral("Aｱ日本B語"));
    for (int n = 0; n <= mixed.size(); ++n)
        EXPECT_LE(SjisWidth(SjisField(mixed, n, 0), 0), n) << n;
}

TEST(Sjis, FieldOfARecord) {
    QByteArray record = SjisBytes(QStringLiteral("日本"));
    record += QByteArray(284, ' ');
    record += "ABC" + QByteArray(57, ' ') + "3\r\n";
    ASSERT_EQ(record.size(), 351);
    EXPECT_EQ(SjisField(record, 288, 0), QStringLiteral("日本"));
    EXPECT_EQ(SjisField(record, 289, 60), QStringLiteral("ABC"));
    EXPECT_EQ(SjisField(record, 349, 1), QStringLiteral("3"));
    EXPECT_EQ(SjisField(record, 349, 0).right(1), QStringLiteral("3"));
    // Ranges past the end give what exists.
    EXPECT_EQ(SjisField(record, 350, 10), QStringLiteral("\r\n"));
    EXPECT_EQ(SjisField(record, 352, 10), QString());
    EXPECT_EQ(SjisField(record, 5000, 0), SjisField(record, 351, 0));
    EXPECT_TRUE(SjisField(record, 5000, 0).endsWith(QStringLiteral(" 3\r\n")));
}

TEST(Sjis, FieldTrimsAsciiBlanksButKeepsFullWidthSpace) {
    EXPECT_EQ(SjisField(SjisEncode(QStringLiteral("  A B  ")), 1, 7), QStringLiteral("A B"));
    EXPECT_EQ(SjisField(SjisEncode(QStringLiteral("　A ")), 1, 4), QStringLiteral("　A"));
    EXPECT_EQ(SjisField(SjisEncode(QStringLiteral(" 　A")), 10, 0), QStringLiteral("　A"));
}

TEST(Sjis, GarbledBytesNeverCrash) {
    QRandomGenerator rng(20261206);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes(int(rng.bounded(0, 400)), '\0');
        for (char& b : bytes)
            b = char(rng.bounded(256));
        const QString decoded = Cp932Decode(bytes);
        EXPECT_LE(decoded.size(), bytes.size());
        const int start = int(rng.bounded(-2, 420));
        const int count = int(rng.bounded(-2, 420));
        const QString field = SjisField(bytes, start, count);
        EXPECT_LE(field.size(), qMax(0, count == 0 ? start : count));
        // Whatever was decoded can be measured and encoded again.
        EXPECT_EQ(SjisWidth(decoded, 0), SjisBytes(decoded).size());
    }
}

TEST(Sjis, EveryDoubleByteCodeRoundTripsOrIsReplaced) {
    // Every assigned pair decodes to one character whose encoding is two bytes again.
    int assigned = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!Cp932IsLeadByte(uchar(lead))) continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (!Cp932IsTrailByte(uchar(trail))) continue;
            QByteArray pair;
            pair.append(char(lead)).append(char(trail));
            const QString s = Cp932Decode(pair);
            if (s.size() == 1 && s.at(0) != QChar(0xFFFD)) {
                ++assigned;
                ASSERT_EQ(Cp932CharWidth(s.at(0)), 2) << lead << " " << trail;
                ASSERT_EQ(Cp932Encode(s).size(), 2);
            } else {
                ASSERT_EQ(s, QString(2, QChar(0xFFFD)));
            }
        }
    }
    EXPECT_GT(assigned, 7000); // JIS X 0208 plus the vendor rows
}
