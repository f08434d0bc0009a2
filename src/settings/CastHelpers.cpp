#include "settings/CastHelpers.h"

#include "core/Sjis.h"
#include "data/SettingsFile.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

#include <cmath>

QColor ButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}

int LeadingNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t.at(i) == u'-' || t.at(i) == u'+')) negative = t.at(i++) == u'-';
    int value = 0;
    while (i < t.size() && t.at(i).isDigit() && t.at(i).unicode() < 128 && value < 100000)
        value = value * 10 + (t.at(i++).unicode() - '0');
    return negative ? -value : value;
}

bool RoundedNumber(const QString& text, int* value) {
    bool ok = false;
    const double number = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(number) || std::fabs(number) > 1e6) return false;
    *value = static_cast<int>(std::floor(number + 0.5));
    return true;
}

QString StoredName(QString typed) {
    // A pasted line break would split the name over two lines of ZN.INI.
    for (QChar& ch : typed)
        if (ch.unicode() < 0x20) ch = u' ';
    return SjisField(SjisBytes(typed), NameBytes, 0);
}

bool IsWithin(const QWidget* w, const QWidget* control) {
    return control && (w == control || control->isAncestorOf(w));
}
