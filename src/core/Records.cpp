#include "core/Records.h"

namespace {
// Pads with blanks or cuts a field to its fixed width (the fields hold ASCII only).
QByteArray fixed(const QString& text, int width) {
    QByteArray bytes = text.toLatin1().left(width);
    bytes.append(QByteArray(width - bytes.size(), ' '));
    return bytes;
}
} // namespace

QByteArray SettingsRecord::toBytes() const {
    QByteArray out;
    out += fixed(soundOn, 3);
    out += fixed(speedLevel, 1);
    out += fixed(readPressOn, 3);
    out += fixed(readPressChars, 1);
    out += fixed(gothicFont, 3);
    out += fixed(randomOrder, 3);
    out += fixed(revealOn, 3);
    out += fixed(timeOverMark, 1);
    out += fixed(lineEnd, 2);
    return out;
}

SettingsRecord SettingsRecord::fromBytes(const QByteArray& bytes) {
    QByteArray b = bytes.left(Size);
    b.append(QByteArray(Size - b.size(), ' '));
    auto field = [&b](int offset, int width) { return QString::fromLatin1(b.mid(offset, width)); };
    SettingsRecord r;
    r.soundOn = field(0, 3);
    r.speedLevel = field(3, 1);
    r.readPressOn = field(4, 3);
    r.readPressChars = field(7, 1);
    r.gothicFont = field(8, 3);
    r.randomOrder = field(11, 3);
    r.revealOn = field(14, 3);
    r.timeOverMark = field(17, 1);
    r.lineEnd = field(18, 2);
    return r;
}
