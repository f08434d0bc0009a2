#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

// A raised or sunken 3-D border of the given thickness just inside rect.
void Bevel(QPainter& p, const QRect& r, int thickness, QColor light, QColor dark) {
    for (int i = 0; i < thickness; ++i) {
        const QRect q = r.adjusted(i, i, -i, -i);
        p.setPen(light);
        p.drawLine(q.left(), q.top(), q.right() - 1, q.top());
        p.drawLine(q.left(), q.top(), q.left(), q.bottom() - 1);
        p.setPen(dark);
        p.drawLine(q.left(), q.bottom(), q.right(), q.bottom());
        p.drawLine(q.right(), q.top(), q.right(), q.bottom());
    }
}

// Adds a little per-pixel grain inside rect: chalk dust, wood fibres, brushed metal.
void Grain(QImage& image, const QRect& rect, int amount, std::uint32_t seed) {
    Rng rng(seed);
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const int d = int(rng.next() % unsigned(2 * amount + 1)) - amount;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + d, 255), qBound(0, qGreen(c) + d, 255),
                           qBound(0, qBlue(c) + d, 255));
        }
    }
}

void MetalPlate(QPainter& p, const QRect& r, QColor top, QColor bottom, int radius) {
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(0.5, top.darker(108));
    g.setColorAt(1, bottom);
    p.setPen(QPen(QColor(40, 36, 30), 1));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    p.setPen(QPen(QColor(255, 255, 255, 150), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1.5, 1.5, -1.5, -1.5), radius - 1, radius - 1);
}

void Label(QPainter& p, const QString& text, double x, double y, double h, QColor colour,
           double pen) {
    p.setPen(QPen(colour, pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(StrokeText(text, x, y, h));
}

void StudioBackdrop(QImage& image, QPainter& p) {
    QLinearGradient sky(0, 0, 0, 240);
    sky.setColorAt(0, QColor(12, 14, 52));
    sky.setColorAt(1, QColor(46, 22, 78));
    p.fillRect(0, 0, 632, 240, sky);
    // Spotlight beams falling from the lighting truss.
    for (int i = 0; i < 5; ++i) {
        const double cx = 60 + i * 128;
        QPainterPath beam;
        beam.moveTo(cx - 8, 6);
        beam.lineTo(cx + 8, 6);
        beam.lineTo(cx + 70 - i * 20, 434);
        beam.lineTo(cx - 50 - i * 12, 434);
        beam.closeSubpath();
        QLinearGradient g(0, 6, 0, 434);
        g.setColorAt(0, QColor(255, 240, 200, 60));
        g.setColorAt(1, QColor(255, 240, 200, 0));
        p.fillPath(beam, g);
    }
    // The stage: a glossy floor under a desk front.
    QLinearGradient floor(0, 226, 0, 434);
    floor.setColorAt(0, QColor(28, 20, 58));
    floor.setColorAt(1, QColor(8, 8, 24));
    p.fillRect(0, 226, 632, 208, floor);
    p.setPen(QPen(QColor(90, 70, 150, 90), 1));
    for (int x = -400; x < 1032; x += 48)
        p.drawLine(QPointF(316 + (x - 316) * 0.35, 226), QPointF(x, 434));
    for (int y = 240, step = 10; y < 434; y += step, step += 4)
        p.drawLine(0, y, 632, y);
    Grain(image, QRect(0, 0, 632, 434), 2, 7);
}

void LightingTruss(QPainter& p) {
    MetalPlate(p, QRect(-4, 0, 640, 9), QColor(150, 150, 160), QColor(70, 70, 80), 2);
    for (int i = 0; i < 16; ++i) {
        const double cx = 14 + i * 40;
        QRadialGradient g(cx, 4, 5);
        g.setColorAt(0, QColor(255, 250, 220));
        g.setColorAt(0.6, i % 2 ? QColor(255, 190, 60) : QColor(120, 200, 255));
        g.setColorAt(1, QColor(60, 40, 20));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(QPointF(cx, 4), 3.5, 3.5);
    }
}

void TitleMark(QPainter& p) {
    // A small "ZN" in the top-left corner, in the logo's green.
    p.setPen(QPen(QColor(10, 60, 20), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(StrokeText("ZN", 22, 17, 22, -0.3));
    p.setPen(QPen(QColor(90, 220, 90), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(StrokeText("ZN", 21, 16, 22, -0.3));
    p.setPen(QPen(QColor(220, 255, 200), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(StrokeText("ZN", 20.5, 15.5, 22, -0.3));
}

void Chalkboard(QImage& image, QPainter& p) {
    // Wooden frame.
    const QRect frame(8, 46, 616, 162);
    QLinearGradient wood(0, 46, 0, 208);
    wood.setColorAt(0, QColor(150, 96, 50));
    wood.setColorAt(1, QColor(104, 62, 30));
    p.fillRect(frame, wood);
    p.setRenderHint(QPainter::Antialiasing, false);
    Bevel(p, frame, 2, QColor(200, 150, 96), QColor(60, 34, 14));
    Rng rng(11);
    p.setPen(QPen(QColor(90, 52, 22, 120), 1));
    for (int i = 0; i < 40; ++i) {
        const int y = 48 + int(rng.next() % 158);
        const int x = 10 + int(rng.next() % 560);
        p.drawLine(x, y, x + 20 + int(rng.next() % 60), y);
    }
    // The slate itself.
    const QRect slate(15, 53, 602, 146);
    QLinearGradient g(0, 53, 0, 199);
    g.setColorAt(0, QColor(30, 74, 50));
    g.setColorAt(1, QColor(20, 56, 38));
    p.fillRect(slate, g);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Faint marks of earlier, wiped-off questions.
    for (int i = 0; i < 9; ++i) {
        const QPointF c(40 + rng.unit() * 550, 70 + rng.unit() * 110);
        QRadialGradient smudge(c, 30 + rng.unit() * 40);
        smudge.setColorAt(0, QColor(255, 255, 255, 14));
        smudge.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(smudge);
        p.drawEllipse(c, 80.0, 26.0);
    }
    Grain(image, slate, 3, 13);
    p.setRenderHint(QPainter::Antialiasing, false);
    Bevel(p, slate.adjusted(-1, -1, 1, 1), 1, QColor(50, 28, 10), QColor(210, 160, 110));
    // Chalk tray with two sticks at the right end, clear of the writing.
    p.fillRect(QRect(12, 200, 608, 6), QColor(128, 80, 40));
    p.setPen(QColor(190, 140, 90));
    p.drawLine(12, 200, 619, 200);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(245, 245, 235));
    p.drawRoundedRect(QRectF(560, 196.5, 22, 4), 1.5, 1.5);
    p.setBrush(QColor(250, 170, 190));
    p.drawRoundedRect(QRectF(588, 196.5, 16, 4), 1.5, 1.5);
}

void NumberPlate(QPainter& p) {
    // Behind the three-digit question number at (551, 17).
    MetalPlate(p, QRect(532, 10, 82, 32), QColor(232, 228, 214), QColor(170, 164, 148), 6);
    p.setPen(Qt::NoPen);
    for (const int x : {539, 606}) {
        QRadialGradient g(x, 26, 3);
        g.setColorAt(0, QColor(255, 255, 255));
        g.setColorAt(1, QColor(120, 116, 104));
        p.setBrush(g);
        p.drawEllipse(QPointF(x, 26), 2.5, 2.5);
    }
}

void AnswerBoard(QPainter& p) {
    MetalPlate(p, QRect(12, 262, 216, 126), QColor(200, 200, 210), QColor(110, 110, 124), 5);
    // The board proper: exactly (20, 270), 200 x 110, dark so that white answers read well.
    QLinearGradient g(0, 270, 0, 380);
    g.setColorAt(0, QColor(22, 30, 58));
    g.setColorAt(1, QColor(10, 14, 30));
    p.fillRect(QRect(20, 270, 200, 110), g);
    p.setPen(QPen(QColor(60, 80, 130), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(20.5, 270.5, 199, 109));
    // Name tab above it.
    MetalPlate(p, QRect(24, 240, 98, 20), QColor(250, 200, 70), QColor(190, 120, 20), 4);
    Label(p, "ANSWER", 35.5, 245.5, 10, QColor(70, 30, 0), 1.8);
}

void BuzzerPodium(QPainter& p) {
    // A red podium whose lamp is the indicator (307, 295), 32 x 32.
    QPainterPath body;
    body.moveTo(276, 372);
    body.lineTo(290, 318);
    body.lineTo(356, 318);
    body.lineTo(370, 372);
    body.closeSubpath();
    QLinearGradient red(276, 0, 370, 0);
    red.setColorAt(0, QColor(120, 10, 20));
    red.setColorAt(0.45, QColor(220, 40, 50));
    red.setColorAt(1, QColor(110, 8, 18));
    p.setPen(QPen(QColor(60, 0, 6), 1));
    p.setBrush(red);
    p.drawPath(body);
    p.setPen(QPen(QColor(255, 210, 90), 2));
    p.drawLine(QPointF(285, 340), QPointF(361, 340));
    p.drawLine(QPointF(281, 356), QPointF(365, 356));
    // Gold bezel around the lamp.
    QRadialGradient gold(QPointF(318, 305), 30);
    gold.setColorAt(0, QColor(255, 240, 160));
    gold.setColorAt(0.7, QColor(210, 150, 40));
    gold.setColorAt(1, QColor(120, 70, 10));
    p.setPen(QPen(QColor(80, 40, 0), 1));
    p.setBrush(gold);
    p.drawEllipse(QPointF(323, 311), 25, 25);
    // The lamp face fills the indicator square so that the frames drawn on it sit centred.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(70, 40, 10));
    p.drawEllipse(QPointF(323, 311), 19.5, 19.5);
    QRadialGradient glass(QPointF(319, 306), 22);
    glass.setColorAt(0, QColor(52, 56, 70));
    glass.setColorAt(1, QColor(8, 10, 16));
    p.setBrush(glass);
    p.drawEllipse(QPointF(323, 311), 17.5, 17.5);
    p.setBrush(QColor(255, 255, 255, 40));
    p.drawEllipse(QPointF(316, 302), 6, 3.5);
}

void ExitButton(QPainter& p) {
    // A dark base plate, then the button face at (296, 378), 54 x 32, with "END" on it.
    MetalPlate(p, QRect(288, 373, 70, 42), QColor(80, 80, 92), QColor(30, 30, 40), 5);
    const QRect face(296, 378, 54, 32);
    QLinearGradient g(0, 378, 0, 410);
    g.setColorAt(0, QColor(236, 64, 56));
    g.setColorAt(1, QColor(150, 14, 14));
    p.fillRect(face, g);
    p.setRenderHint(QPainter::Antialiasing, false);
    Bevel(p, face, 2, QColor(255, 170, 160), QColor(90, 0, 0));
    p.setRenderHint(QPainter::Antialiasing, true);
    const double w = StrokeTextWidth("END", 14);
    Label(p, "END", 323 - w / 2 + 1, 388, 14, QColor(90, 0, 0), 2.6);
    Label(p, "END", 323 - w / 2, 387, 14, QColor(255, 248, 235), 2.2);
}

void GenrePlate(QPainter& p) {
    // Calm, light plate behind the embossed genre name at (430, 254).
    MetalPlate(p, QRect(418, 246, 196, 32), QColor(226, 222, 206), QColor(176, 170, 152), 6);
}

void TimeWindow(QPainter& p) {
    // Bezel of the time display (432, 346), 107 x 35; the display itself is dark.
    MetalPlate(p, QRect(424, 320, 123, 72), QColor(170, 170, 184), QColor(60, 60, 72), 6);
    const double w = StrokeTextWidth("TIME", 10);
    Label(p, "TIME", 485.5 - w / 2, 328, 10, QColor(30, 30, 44), 1.8);
    p.fillRect(QRect(432, 346, 107, 35), QColor(0, 0, 0));
    p.setPen(QPen(QColor(30, 30, 36), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(430.5, 344.5, 110, 38));
}

} // namespace

QImage DrawBackground() {
    QImage image(632, 434, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing, true);
        StudioBackdrop(image, p);
        LightingTruss(p);
        TitleMark(p);
        Chalkboard(image, p);
        NumberPlate(p);
        AnswerBoard(p);
        BuzzerPodium(p);
        GenrePlate(p);
        TimeWindow(p);
        ExitButton(p);
    }
    return image;
}

QImage DrawMark() {
    // Shapes are drawn without smoothing so that each mask pixel is exactly black or white and
    // the picture has the shape's colours on exactly those pixels.
    QImage image(220, 220, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainterPath circle;
    circle.addEllipse(QPointF(55, 55), 47, 47);
    QPainterPath hole;
    hole.addEllipse(QPointF(55, 55), 32, 32);
    circle = circle.subtracted(hole);
    QPainterPath cross;
    {
        QPainterPath bar;
        bar.addRect(-48, -8.5, 96, 17);
        cross.addPath(QTransform().translate(165, 55).rotate(45).map(bar));
        cross.addPath(QTransform().translate(165, 55).rotate(-45).map(bar));
        cross.setFillRule(Qt::WindingFill);
        cross = cross.simplified();
    }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (const auto& [shape, left] : {std::pair{circle, 0}, std::pair{cross, 110}}) {
        QLinearGradient g(left, 0, left + 110, 110);
        g.setColorAt(0, QColor(255, 70, 70));
        g.setColorAt(0.5, QColor(226, 16, 24));
        g.setColorAt(1, QColor(160, 0, 12));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawPath(shape);
        // A darker rim inside the shape gives it some body.
        p.save();
        p.setClipPath(shape);
        p.setPen(QPen(QColor(130, 0, 8), 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
        p.restore();
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(QTransform().translate(0, 110).map(shape));
    }
    p.end();
    // The rim may have touched the white around the shape: keep the picture and the mask exact.
    for (int y = 0; y < 110; ++y)
        for (int x = 0; x < 220; ++x)
            if (image.pixel(x, y + 110) != qRgb(0, 0, 0)) image.setPixel(x, y, qRgb(255, 255, 255));
    return image;
}

QImage DrawLogo() {
    QImage image(260, 128, QImage::Format_RGB32);
    image.fill(Qt::black);
    // The green texture: diagonal fibres over a vertical gradient, from a fixed seed.
    QImage texture(260, 128, QImage::Format_RGB32);
    Rng rng(2024);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 260; ++x) {
            const double t = y / 127.0;
            const double fibre =
                0.5 + 0.5 * std::sin((x + y * 0.6) * 0.55 + std::sin(y * 0.2) * 2.0);
            const int n = int(rng.next() % 30);
            texture.setPixel(x, y,
                             qRgb(qBound(0, int(30 + 60 * (1 - t) + 30 * fibre) + n / 2, 255),
                                  qBound(0, int(230 - 110 * t + 25 * fibre) + n, 255),
                                  qBound(0, int(50 + 30 * (1 - t) + 10 * fibre) + n / 3, 255)));
        }
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPainterPath letters = StrokeText("ZN", 44, 16, 84, -0.32);
    QPainterPathStroker stroker;
    stroker.setWidth(19);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    const QPainterPath body = stroker.createStroke(letters).simplified();
    // A swash under the letters, the way a signature ends.
    QPainterPath swash;
    swash.moveTo(18, 116);
    swash.cubicTo(80, 100, 170, 124, 246, 98);
    QPainterPathStroker thin;
    thin.setWidth(5);
    thin.setCapStyle(Qt::RoundCap);
    const QPainterPath tail = thin.createStroke(swash);
    p.fillPath(body.translated(3, 3), QColor(0, 48, 10));
    p.fillPath(tail.translated(2, 2), QColor(0, 48, 10));
    p.fillPath(body, QBrush(texture));
    p.fillPath(tail, QBrush(texture));
    p.setPen(QPen(QColor(200, 255, 170), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body);
    p.setPen(QPen(QColor(255, 255, 255, 160), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(letters.translated(-3, -3));
    return image;
}
