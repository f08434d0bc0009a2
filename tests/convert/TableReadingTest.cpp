#include "convert/Conversion.h"
#include "support/TestKit.h"

namespace {

QByteArray utf16(const QString& text, bool big) {
    QStringEncoder e(big ? QStringEncoder::Utf16BE : QStringEncoder::Utf16LE);
    return QByteArray(big ? "\xFE\xFF" : "\xFF\xFE") + QByteArray(e.encode(text));
}

const QString Sample = QStringLiteral("問題,解答,ジャンル\r\n日本の首都は？,東京,2\r\n");

} // namespace

TEST(TableText, RecognisesEncodingsFromRealBytes) {
    // Half-width katakana in Shift-JIS that happen to be valid UTF-8 (C8 BA, C5 BD, ...).
    const QByteArray accidental = SjisEncode(QStringLiteral("ﾈｺ,ﾅｽ,5\r\nﾆｼ,ﾐｿ,1\r\n"));
    ASSERT_FALSE(QString::fromUtf8(accidental).contains(QChar(0xFFFD)));
    struct Case {
        const char* name;
        QByteArray bytes;
        TableEncoding expected;
        QString text;
    } cases[] = {
        {"UTF-8 with BOM", "\xEF\xBB\xBF" + Sample.toUtf8(), TableEncoding::Utf8, Sample},
        {"UTF-8 without BOM", Sample.toUtf8(), TableEncoding::Utf8, Sample},
        {"UTF-16 LE", utf16(Sample, false), TableEncoding::Utf16, Sample},
        {"UTF-16 BE", utf16(Sample, true), TableEncoding::Utf16, Sample},
        {"UTF-16 BE without BOM", utf16(Sample, true).mid(2), TableEncoding::Utf16, Sample},
        {"Shift-JIS", SjisEncode(Sample + QStringLiteral("～－①,ｶﾀｶﾅ,6\r\n")), TableEncoding::Cp932,
         Sample + QStringLiteral("～－①,ｶﾀｶﾅ,6\r\n")},
        {"Shift-JIS valid as UTF-8", accidental, TableEncoding::Cp932,
         QStringLiteral("ﾈｺ,ﾅｽ,5\r\nﾆｼ,ﾐｿ,1\r\n")},
        {"UTF-8 half-width katakana", QStringLiteral("ﾃｽﾄ,ｺﾀｴ,1\r\n").toUtf8(), TableEncoding::Utf8,
         QStringLiteral("ﾃｽﾄ,ｺﾀｴ,1\r\n")},
    };
    for (const Case& c : cases) {
        const DecodedTable d = DecodeTable(c.bytes, TableEncoding::Auto);
        EXPECT_EQ(d.encoding, c.expected) << c.name;
        EXPECT_EQ(d.text, c.text) << c.name;
        EXPECT_EQ(d.badBytes, 0) << c.name;
    }
    // An explicit choice wins; reading UTF-8 as Shift-JIS shows up as bad bytes.
    const DecodedTable forced = DecodeTable(Sample.toUtf8(), TableEncoding::Cp932);
    EXPECT_EQ(forced.encoding, TableEncoding::Cp932);
    EXPECT_GT(forced.badBytes, 0);
    EXPECT_EQ(DecodeTable(accidental, TableEncoding::Utf8).encoding, TableEncoding::Utf8);
}

TEST(TableText, RecognisesTheSeparator) {
    EXPECT_EQ(DetectSeparator(u"問題,解答,1\n次,答,2\n"), u',');
    EXPECT_EQ(DetectSeparator(u"問題\t解答\t1\n次\t答\t2\n"), u'\t');
    // Commas inside the questions of a tab-separated list do not fool it.
    EXPECT_EQ(DetectSeparator(u"1, 2, 3の次は?\t4\t3\nA, B\tC\t1\n"), u'\t');
    EXPECT_EQ(DetectSeparator(u"\"a\tb\",c,1\n"), u',');
}

TEST(TableText, KanjiOnlyUtf8AndTiesReadAsUtf8) {
    // Short lists of kanji only: their code page 932 reading is clean as well.
    for (const char16_t* text :
         {u"山,鳥水,1\n", u"会火,先月,1\n", u"算英,問東,1\n首理,会生,2\n", u"漢字,読み,1\n"}) {
        const QByteArray bytes = QString::fromUtf16(text).toUtf8();
        EXPECT_EQ(DetectEncoding(bytes), TableEncoding::Utf8)
            << QString::fromUtf16(text).toStdString();
    }
    // "漢" reads as a second-level kanji and a half-width bracket in code page 932: both readings
    // are clean and score alike, and the tie goes to UTF-8.
    const QByteArray tie = QStringLiteral("漢,1\n").toUtf8();
    ASSERT_FALSE(SjisDecode(tie).contains(QChar(0xFFFD)));
    EXPECT_EQ(DetectEncoding(tie), TableEncoding::Utf8);
    // UTF-16 without a byte-order mark whose lines are long and all kanji is still UTF-16.
    QStringEncoder le(QStringEncoder::Utf16LE);
    const QString longRows = QString(140, QChar(u'問')) + QStringLiteral(",答,1\r\n");
    EXPECT_EQ(DetectEncoding(le.encode(longRows.repeated(3))), TableEncoding::Utf16);
    EXPECT_FALSE(LooksLikeUtf16(QByteArray("a,b,1\nc\0d,e,2\nf,g,3\n", 20)));
}
