#include "convert/TableText.h"

#include "core/Sjis.h"

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

// How much a reading looks like a Japanese question list: kana and Japanese punctuation count
// for it, characters that code page 932 cannot hold (which no question file can store) against.
int japaneseScore(const QString& text) {
    int score = 0;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x80) continue;
        if ((u >= 0x3000 && u <= 0x30FF))
            score += 1;
        else if (u == 0xFFFD || !SjisRepresentable(QString(c)))
            score -= 3;
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
    // No UTF-8 or Shift-JIS text holds a NUL byte; UTF-16 text with ASCII in it is full of them.
    if (bytes.contains('\0')) return TableEncoding::Utf16;
    if (isAscii(bytes)) return TableEncoding::Utf8;
    int badUtf8 = 0;
    const QString utf8 = strictUtf8(bytes, &badUtf8);
    const QString sjis = SjisDecode(bytes);
    const int badSjis = replacements(sjis);
    if (badUtf8 > 0) return badSjis <= badUtf8 ? TableEncoding::Cp932 : TableEncoding::Utf8;
    if (badSjis > 0) return TableEncoding::Utf8;
    // Both readings are clean: the one that reads more like Japanese wins, UTF-8 on a tie.
    return japaneseScore(sjis) > japaneseScore(utf8) ? TableEncoding::Cp932 : TableEncoding::Utf8;
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
