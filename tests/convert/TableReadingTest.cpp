#include "convert/Conversion.h"
#include "core/Sjis.h"

#include <QStringEncoder>

#include <gtest/gtest.h>

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
        EXPECT_TRUE(d.encoding == c.expected && d.text == c.text && d.badBytes == 0) << c.name;
    }
    // An explicit choice wins; reading UTF-8 as Shift-JIS shows up as bad bytes.
    const DecodedTable forced = DecodeTable(Sample.toUtf8(), TableEncoding::Cp932);
    EXPECT_TRUE(forced.encoding == TableEncoding::Cp932 && forced.badBytes > 0);
    EXPECT_EQ(DecodeTable(accidental, TableEncoding::Utf8).encoding, TableEncoding::Utf8);
}

TEST(TableText, RecognisesTheSeparator) {
    EXPECT_EQ(DetectSeparator(u"問題,解答,1\n次,答,2\n"), u',');
    EXPECT_EQ(DetectSeparator(u"問題\t解答\t1\n次\t答\t2\n"), u'\t');
    // Commas inside the questions of a tab-separated list do not fool it.
    EXPECT_EQ(DetectSeparator(u"1, 2, 3の次は?\t4\t3\nA, B\tC\t1\n"), u'\t');
    EXPECT_EQ(DetectSeparator(u"\"a\tb\",c,1\n"), u',');
}
