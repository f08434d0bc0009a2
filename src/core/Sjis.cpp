#include "core/Sjis.h"

#include "platform/Cp932.h"

namespace {

// Length of `text` without its trailing ASCII blanks (U+3000 is an ordinary character).
qsizetype lengthWithoutTrailingBlanks(const QString& text) {
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    return n;
}

// Removes ASCII blanks at both ends only; QString::trimmed would also take U+3000 and tabs.
QString trimBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

QByteArray SjisBytes(const QString& text) {
    return Cp932Encode(text.left(lengthWithoutTrailingBlanks(text)));
}

int SjisWidth(const QString& text, int pos) {
    if (pos != 0) {
        if (pos < 0 || pos > text.size()) return 0;
        const QChar c = text.at(pos - 1);
        if (c == QLatin1Char(' ')) return 0;
        return Cp932CharWidth(c);
    }
    const qsizetype n = lengthWithoutTrailingBlanks(text);
    int width = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        width += c < 0x80 ? 1 : Cp932CharWidth(QChar(c));
    }
    return width;
}

QString SjisField(const QByteArray& bytes, int start, int count) {
    if (count < 0) return QString();
    // The selected range, 0-based and half-open, clipped to the bytes that exist.
    qsizetype from, to;
    if (count == 0) {
        from = 0;
        to = start;
    } else {
        from = qsizetype(start) - 1;
        to = from + count;
    }
    from = qMax<qsizetype>(from, 0);
    to = qMin<qsizetype>(to, bytes.size());
    if (to <= from) return QString();

    // Walk the selection character by character; a lead byte left without its second byte at
    // the end is dropped, so the text never needs more bytes than were selected.
    qsizetype i = from;
    while (i < to) {
        const unsigned char b = quint8(bytes[i]);
        if (Cp932IsLeadByte(b) && i + 1 < to && Cp932IsTrailByte(quint8(bytes[i + 1])))
            i += 2;
        else if (Cp932IsLeadByte(b) && i + 1 == to)
            break;
        else
            ++i;
    }
    return trimBlanks(Cp932Decode(bytes.mid(from, i - from)));
}

QByteArray SjisEncode(const QString& text) {
    return Cp932Encode(text);
}

QString SjisDecode(const QByteArray& bytes) {
    return Cp932Decode(bytes);
}

bool SjisRepresentable(const QString& text) {
    return Cp932Representable(text);
}
