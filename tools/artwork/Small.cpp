#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

QImage DrawSeal(int size, QRgb paper) {
    // A square seal stamp with the character 早 ("early", as in pressing early) cut from bars.
    // Two colours only, no smoothing: the opening screen masks it by "not white".
    QImage image(size, size, QImage::Format_RGB32);
    image.fill(paper);
    const double k = size / 64.0;
    auto bar = [&](double x, double y, double w, double h) {
        return QRect(int(std::lround(x * k)), int(std::lround(y * k)),
                     std::max(1, int(std::lround(w * k))), std::max(1, int(std::lround(h * k))));
    };
    const QColor red(214, 0, 0);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Border, with two small notches like a worn stone seal.
    for (const QRect& r :
         {bar(3, 3, 58, 5), bar(3, 56, 58, 5), bar(3, 3, 5, 58), bar(56, 3, 5, 58)})
        p.fillRect(r, red);
    p.fillRect(bar(22, 3, 4, 2), QColor::fromRgb(paper));
    p.fillRect(bar(59, 40, 2, 5), QColor::fromRgb(paper));
    // 日 on top.
    for (const QRect& r : {bar(19, 12, 26, 4), bar(19, 21, 26, 4), bar(19, 30, 26, 4),
                           bar(19, 12, 4, 22), bar(41, 12, 4, 22)})
        p.fillRect(r, red);
    // 十 below.
    p.fillRect(bar(12, 39, 40, 4), red);
    p.fillRect(bar(30, 34, 4, 19), red);
    return image;
}

namespace {

QPainterPath HandPath() {
    // A pointing hand; the fingertip is at (11, 1), where the hot spot lies.
    QPainterPath hand;
    hand.setFillRule(Qt::WindingFill);
    hand.addRoundedRect(QRectF(8.5, 0.5, 6, 17), 3, 3);      // index finger
    hand.addRoundedRect(QRectF(13.5, 9.5, 5, 10), 2.5, 2.5); // folded fingers
    hand.addRoundedRect(QRectF(17.5, 10.5, 5, 10), 2.5, 2.5);
    hand.addRoundedRect(QRectF(21.5, 11.5, 4.5, 10), 2.2, 2.2);
    hand.addRoundedRect(QRectF(8.5, 14.5, 17.5, 12), 4, 4); // palm
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-3, -2.5, 11, 5), 2.5, 2.5);
    hand.addPath(QTransform().translate(6.5, 17.5).rotate(40).map(thumb));
    return hand.simplified();
}

} // namespace

QImage DrawHandCursor(bool link) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath hand = HandPath();
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawPath(hand);
    // Creases between the folded fingers.
    p.setPen(QPen(QColor(90, 90, 90), 0.9));
    p.drawLine(QPointF(14, 15), QPointF(14, 18.5));
    p.drawLine(QPointF(18, 15.5), QPointF(18, 19.5));
    p.drawLine(QPointF(22, 16.5), QPointF(22, 20.5));
    // Cuff: red for the exit button and close mark, blue with a chain link for web links.
    const QColor cuff = link ? QColor(40, 90, 220) : QColor(210, 30, 30);
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(cuff);
    p.drawRoundedRect(QRectF(9.5, 26, 16, 5), 1.5, 1.5);
    if (link) {
        p.setPen(QPen(QColor(40, 90, 220), 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(19.5, 2.5, 7, 4), 2, 2);
        p.drawRoundedRect(QRectF(24, 5.5, 7, 4), 2, 2);
    }
    return image;
}

QImage DrawProgramIcon(int size) {
    // A red buzzer button seen from above on a dark blue tile.
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    QLinearGradient tile(0, 0, 0, 32);
    tile.setColorAt(0, QColor(40, 50, 130));
    tile.setColorAt(1, QColor(14, 16, 60));
    p.setPen(QPen(QColor(6, 8, 30), 1));
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(0.5, 0.5, 31, 31), 5, 5);
    QRadialGradient base(16, 17, 13);
    base.setColorAt(0, QColor(230, 230, 236));
    base.setColorAt(1, QColor(100, 100, 112));
    p.setPen(Qt::NoPen);
    p.setBrush(base);
    p.drawEllipse(QPointF(16, 17), 12.5, 12.5);
    QRadialGradient dome(13, 13, 11);
    dome.setColorAt(0, QColor(255, 150, 140));
    dome.setColorAt(0.45, QColor(236, 30, 30));
    dome.setColorAt(1, QColor(120, 0, 0));
    p.setBrush(dome);
    p.drawEllipse(QPointF(16, 16), 9.5, 9.5);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(12.5, 11.5), 3, 2);
    return image;
}

QImage DrawEditorIcon(int size) {
    // A question sheet with ruled lines and a pencil across it.
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(QColor(250, 250, 244));
    p.drawRect(QRectF(4.5, 2.5, 20, 27));
    p.setPen(QPen(QColor(30, 74, 50), 1.4));
    p.drawLine(QPointF(8, 8), QPointF(14, 8));
    p.setPen(QPen(QColor(120, 150, 220), 1));
    for (int y = 12; y <= 26; y += 3)
        p.drawLine(QPointF(8, y), QPointF(21, y));
    p.setPen(QPen(QColor(214, 0, 0), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(19, 7.5), 2.6, 2.6);
    QPolygonF pencil({QPointF(27, 9), QPointF(30.5, 12.5), QPointF(16, 27), QPointF(11.5, 29),
                      QPointF(12.5, 24.5)});
    p.setPen(QPen(QColor(60, 40, 0), 0.8));
    p.setBrush(QColor(250, 190, 40));
    p.drawPolygon(pencil);
    p.setBrush(QColor(240, 200, 160));
    p.drawPolygon(QPolygonF(
        {QPointF(13.8, 25.8), QPointF(15.2, 27.5), QPointF(11.5, 29), QPointF(12.5, 24.5)}));
    p.setBrush(QColor(230, 120, 140));
    p.drawPolygon(
        QPolygonF({QPointF(27, 9), QPointF(30.5, 12.5), QPointF(29, 14), QPointF(25.5, 10.5)}));
    return image;
}
