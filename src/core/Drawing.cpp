#include "core/Drawing.h"

#include "core/AppGlobals.h"

#include <QFontMetrics>
#include <QPainter>

#include <cmath>

namespace {

// The classic Windows scheme for the system colours the program's windows use (a value with the
// high bit set names a system colour by index).
QColor SystemColor(int index) {
    switch (index) {
    case 5:  // window
    case 14: // highlighted text
    case 20: // 3-D highlight
        return QColor(255, 255, 255);
    case 4:  // menu
    case 15: // button face
    case 22: // 3-D light
    case 0:  // scroll bar
        return QColor(192, 192, 192);
    case 12: // application workspace
    case 16: // button shadow
    case 17: // grey text
        return QColor(128, 128, 128);
    case 21: // 3-D dark shadow
        return QColor(64, 64, 64);
    case 13: // highlight
        return QColor(0, 0, 128);
    case 1: // desktop
        return QColor(0, 128, 128);
    case 24: // tool-tip background
        return QColor(255, 255, 225);
    default: // texts and frames
        return QColor(0, 0, 0);
    }
}

const QColor Highlight3D(255, 255, 255);
const QColor Light3D(192, 192, 192);
const QColor Shadow3D(128, 128, 128);
const QColor DarkShadow3D(64, 64, 64);

void HLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
    if (x2 >= x1) p.fillRect(x1, y, x2 - x1 + 1, 1, c);
}

void VLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
    if (y2 >= y1) p.fillRect(x, y1, 1, y2 - y1 + 1, c);
}

// One ring of an edge inside [l, r) x [t, b): top and left in one colour, then bottom and right
// in the other, which therefore own the bottom-left and top-right corners.
void Ring(QPainter& p, int l, int t, int r, int b, const QColor& topLeft,
          const QColor& bottomRight) {
    if (r <= l || b <= t) return;
    HLine(p, l, r - 1, t, topLeft);
    VLine(p, l, t, b - 1, topLeft);
    HLine(p, l, r - 1, b - 1, bottomRight);
    VLine(p, r - 1, t, b - 1, bottomRight);
}

} // namespace

QColor WinColor(quint32 bgr) {
    if (bgr & 0x80000000u) return SystemColor(int(bgr & 0xFF));
    return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

QFont AppFont(const QString& name, int pointSize, bool bold) {
    QFont font(name);
    font.setPixelSize(qMax(1, int(std::lround(pointSize * 96.0 / 72.0))));
    font.setBold(bold);
    return font;
}

void DrawEmbossedText(QPainter& painter, const QString& text, int x, int y, bool emboss) {
    // Trailing blanks are never drawn (inner and leading ones are).
    qsizetype n = text.size();
    while (n > 0 && text.at(n - 1) == QLatin1Char(' '))
        --n;
    const QString shown = text.left(n);
    const int ascent = QFontMetrics(painter.font()).ascent();

    auto drawAt = [&](int px, int py) {
        if (!shown.isEmpty()) painter.drawText(px, py + ascent, shown);
    };
    auto setColor = [&](const QColor& c) {
        QPen pen = painter.pen();
        pen.setColor(c);
        painter.setPen(pen);
    };

    if (emboss) {
        setColor(WinColor(0x80000010u)); // button shadow
        drawAt(x - 1, y - 1);
        setColor(WinColor(0x80000014u)); // 3-D highlight
        drawAt(x + 1, y + 1);
        setColor(QColor(0, 0, 0));
    }
    drawAt(x, y);
}

void DrawEdgeBar(QPainter& painter, int left, int right, int top, int style) {
    style = qMax(0, style);
    const QRect rect(left, top, right - left, 2 + style / 2);
    G().EdgeRect = rect;
    G().WorkNumber = style;

    const int l = left, t = top, r = right, b = top + 2 + style / 2;
    switch (style) {
    case 0: // sunken outer: a groove line
        Ring(painter, l, t, r, b, Shadow3D, Highlight3D);
        break;
    case 1: // raised inner: a ridge line
        Ring(painter, l, t, r, b, Highlight3D, Shadow3D);
        break;
    case 2: // sunken: outer then inner ring
        Ring(painter, l, t, r, b, Shadow3D, Highlight3D);
        Ring(painter, l + 1, t + 1, r - 1, b - 1, DarkShadow3D, Light3D);
        break;
    default: // raised
        Ring(painter, l, t, r, b, Light3D, DarkShadow3D);
        Ring(painter, l + 1, t + 1, r - 1, b - 1, Highlight3D, Shadow3D);
        break;
    }
}
