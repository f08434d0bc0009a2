#include "convert/TableText.h"

#include "core/Sjis.h"
#include "platform/Cp932.h"

#include <QStringDecoder>

namespace {

bool hasUtf8Bom(const QByteArray& b) {
    return b.startsWith(QByteArrayView("\xEF\xBB\xBF", 3));
}
bool hasUtf16LeBom(const QByteArray& b) {
    return b.startsWith(QByteArrayView("\xFF\xFE", 2));
}
bool hasUtf16BeBom(const QByteArray& b) {
    return b.startsWith(QByteArrayView("\xFE\xFF", 2));
}

bool isAscii(const QByteArray& bytes) {
    for (char c : bytes)
        if (quint8(c) >= 0x80) return false;
    return true;
}

// Strict UTF-8: null when any sequence is malformed.
QString strictUtf8(const QByteArray& bytes, int* bad) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    *bad = 0;
    if (decoder.hasError())
        for (QChar c : text)
            *bad += c.unicode() == 0xFFFD;
    // A U+FFFD written in the file itself is not an error, but the decoder cannot tell; at least
    // one bad sequence was seen.
    if (decoder.hasError() && *bad == 0) *bad = 1;
    return text;
}

int replacements(const QString& text) {
    int n = 0;
    for (QChar c : text)
        n += c.unicode() == 0xFFFD;
    return n;
}

bool isHalfWidthKana(char16_t u) {
    return u >= 0xFF61 && u <= 0xFF9F;
}

// How much a reading looks like a Japanese question list: kana, kanji and Japanese punctuation
// count for it; characters that code page 932 cannot hold (which no question file can store)
// count against it, and so does a half-width katakana standing alone between other Japanese
// characters, which is what UTF-8 kanji look like when read as code page 932.
int japaneseScore(const QString& text) {
    int score = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80) continue;
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF)) {
            score += 1;
        } else if (isHalfWidthKana(u)) {
            auto wide = [&](qsizetype j) {
                return j >= 0 && j < text.size() && text[j].unicode() >= 0x80 &&
                       !isHalfWidthKana(text[j].unicode());
            };
            if (wide(i - 1) || wide(i + 1)) score -= 2;
        } else if (u == 0xFFFD || !SjisRepresentable(QString(text[i]))) {
            score -= 3;
        }
    }
    return score;
}

// The same for the bytes read as code page 932, judged by the rows of the code table: kana and
// the first level of kanji count for it; the rarer second level, the vendor rows and lone
// half-width katakana, which UTF-8 kanji turn into, count against it.
int sjisScore(const QByteArray& bytes) {
    int score = 0;
    bool lastWide = false;
    for (qsizetype i = 0; i < bytes.size();) {
        const quint8 b = quint8(bytes[i]);
        if (b < 0x80) {
            lastWide = false;
            ++i;
        } else if (b >= 0xA1 && b <= 0xDF) {
            const bool nextWide = i + 1 < bytes.size() && Cp932IsLeadByte(quint8(bytes[i + 1]));
            if (lastWide || nextWide) score -= 2;
            lastWide = false;
            ++i;
        } else if (!Cp932IsLeadByte(b)) {
            score -= 2; // no character starts with this byte
            lastWide = false;
            ++i;
        } else {
            if (b == 0x82 || b == 0x83 || (b >= 0x88 && b <= 0x97))
                score += 1;
            else if (b >= 0x84 && b <= 0x87)
                score -= 1;
            else if (b >= 0x98)
                score -= b >= 0xED ? 2 : 1;
            lastWide = true;
            i += 2;
        }
    }
    return score;
}

// Without a byte-order mark: ASCII characters put their NUL first in big-endian text.
bool bigEndianGuess(const QByteArray& bytes) {
    qsizetype even = 0, odd = 0;
    for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
        even += bytes[i] == 0;
        odd += bytes[i + 1] == 0;
    }
    return even > odd;
}

} // namespace

bool LooksLikeUtf16(const QByteArray& bytes) {
    // Every line of UTF-16 text ends in a NUL next to its line feed, all on one side of the
    // pairs; a stray NUL in UTF-8 or Shift-JIS text is next to nothing of the kind.
    qsizetype nuls[2] = {0, 0}, feeds = 0, feedsBesideNul = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0) ++nuls[i % 2];
        if (bytes[i] != '\n') continue;
        ++feeds;
        const qsizetype partner = i % 2 ? i - 1 : i + 1;
        feedsBesideNul += partner < bytes.size() && bytes[partner] == 0;
    }
    const qsizetype all = nuls[0] + nuls[1];
    if (all < 2) return false;
    if (feeds > 0) return feedsBesideNul * 2 >= feeds;
    return qMax(nuls[0], nuls[1]) * 10 >= all * 9;
}

QString NotTextReason(const QByteArray& bytes, TableEncoding choice) {
    const QString saveAs =
        QStringLiteral("表計算ｿﾌﾄで「CSV」か「ﾀﾌﾞ区切りﾃｷｽﾄ」の形式で保存し直して下さい");
    if (bytes.startsWith(QByteArrayView("PK\x03\x04", 4)))
        return QStringLiteral("表計算ｿﾌﾄのﾌﾞｯｸ（.xlsx、.odsなど）のようです。") + saveAs;
    if (bytes.startsWith(QByteArrayView("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8)))
        return QStringLiteral("Excelのﾌﾞｯｸ（.xls）のようです。") + saveAs;
    if (choice == TableEncoding::Utf16 || hasUtf16LeBom(bytes) || hasUtf16BeBom(bytes) ||
        (choice == TableEncoding::Auto && LooksLikeUtf16(bytes)))
        return QString();
    // Text holds tabs and line ends, and perhaps a stray control character; pictures and other
    // binary data are full of them.
    const QByteArray head = bytes.left(65536);
    qsizetype controls = 0;
    for (char c : head) {
        const quint8 b = quint8(c);
        controls += b < 0x20 && b != '\t' && b != '\n' && b != '\r';
    }
    if (controls >= 4 && controls * 100 > head.size())
        return QStringLiteral("ﾃｷｽﾄのﾌｧｲﾙではないようです。") + saveAs;
    return QString();
}

QString EncodingName(TableEncoding encoding) {
    switch (encoding) {
    case TableEncoding::Utf16:
        return QStringLiteral("UTF-16");
    case TableEncoding::Cp932:
        return QStringLiteral("Shift-JIS");
    case TableEncoding::Auto:
        return QStringLiteral("自動判定");
    default:
        return QStringLiteral("UTF-8");
    }
}

TableEncoding DetectEncoding(const QByteArray& bytes) {
    if (hasUtf8Bom(bytes)) return TableEncoding::Utf8;
    if (hasUtf16LeBom(bytes) || hasUtf16BeBom(bytes)) return TableEncoding::Utf16;
    if (LooksLikeUtf16(bytes)) return TableEncoding::Utf16;
    if (isAscii(bytes)) return TableEncoding::Utf8;
    int badUtf8 = 0;
    const QString utf8 = strictUtf8(bytes, &badUtf8);
    const QString sjis = SjisDecode(bytes);
    const int badSjis = replacements(sjis);
    if (badUtf8 > 0) return badSjis <= badUtf8 ? TableEncoding::Cp932 : TableEncoding::Utf8;
    if (badSjis > 0) return TableEncoding::Utf8;
    // Both readings are clean: the one that reads more like Japanese wins, UTF-8 on a tie.
    return sjisScore(bytes) > japaneseScore(utf8) ? TableEncoding::Cp932 : TableEncoding::Utf8;
}

DecodedTable DecodeTable(const QByteArray& bytes, TableEncoding choice) {
    DecodedTable out;
    out.encoding = choice == TableEncoding::Auto ? DetectEncoding(bytes) : choice;
    switch (out.encoding) {
    case TableEncoding::Utf16: {
        const bool big = hasUtf16BeBom(bytes) || (!hasUtf16LeBom(bytes) && bigEndianGuess(bytes));
        out.bom = hasUtf16BeBom(bytes) || hasUtf16LeBom(bytes);
        QStringDecoder decoder(big ? QStringDecoder::Utf16BE : QStringDecoder::Utf16LE,
                               QStringDecoder::Flag::Stateless);
        out.text = decoder.decode(out.bom ? bytes.mid(2) : bytes);
        out.badBytes = decoder.hasError() ? qMax(1, replacements(out.text)) : 0;
        break;
    }
    case TableEncoding::Cp932:
        out.text = SjisDecode(bytes);
        out.badBytes = replacements(out.text);
        break;
    default:
        out.bom = hasUtf8Bom(bytes);
        out.text = strictUtf8(out.bom ? bytes.mid(3) : bytes, &out.badBytes);
        break;
    }
    return out;
}
