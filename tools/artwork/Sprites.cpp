#include "Art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace {

const QRgb kPanelGrey = qRgb(192, 192, 192); // the version window's face colour

// Segment polygons of a slanted seven-segment digit in a 24 x 35 cell.
QPolygonF Segment(int index) {
    const double l = 5, r = 19, t = 3, m = 17.5, b = 32, w = 3.2, slant = 0.08;
    auto pt = [&](double x, double y) { return QPointF(x + (b - y) * slant, y); };
    auto horizontal = [&](double y) {
        return QPolygonF({pt(l + 1, y), pt(l + w / 2 + 1, y - w / 2), pt(r - w / 2 - 1, y - w / 2),
                          pt(r - 1, y), pt(r - w / 2 - 1, y + w / 2),
                          pt(l + w / 2 + 1, y + w / 2)});
    };
    auto vertical = [&](double x, double y0, double y1) {
        return QPolygonF({pt(x, y0 + 1), pt(x + w / 2, y0 + w / 2 + 1),
                          pt(x + w / 2, y1 - w / 2 - 1), pt(x, y1 - 1),
                          pt(x - w / 2, y1 - w / 2 - 1), pt(x - w / 2, y0 + w / 2 + 1)});
    };
    switch (index) {
    case 0:
        return horizontal(t);
    case 1:
        return vertical(r, t, m);
    case 2:
        return vertical(r, m, b);
    case 3:
        return horizontal(b);
    case 4:
        return vertical(l, m, b);
    case 5:
        return vertical(l, t, m);
    default:
        return horizontal(m);
    }
}

constexpr int kSegments[10] = {0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07, 0x7F, 0x6F};

void Separator(QImage& image, int left, int top, QColor lit) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(left, top, 7, 35);
    p.setPen(Qt::NoPen);
    p.setBrush(lit);
    p.drawEllipse(QPointF(left + 3.5, top + 12.5), 2, 2);
    p.drawEllipse(QPointF(left + 3.0, top + 29.5), 2, 2);
}

// The pressed exit-button frame: a sunken rim around an interior that the window fills at run
// time with the normal face moved 1 pixel to the right and down, so the interior stays black.
void PressedFrame(QImage& image, int left, int top) {
    const QColor shades[3] = {QColor(50, 0, 0), QColor(90, 4, 4), QColor(128, 18, 16)};
    for (int i = 0; i < 3; ++i) {
        for (int x = left + i; x < left + 54; ++x)
            image.setPixel(x, top + i, shades[i].rgb());
        for (int y = top + i; y < top + 32; ++y)
            image.setPixel(left + i, y, shades[i].rgb());
    }
    for (int x = left + 1; x < left + 54; ++x)
        image.setPixel(x, top + 31, qRgb(236, 120, 112));
    for (int y = top + 1; y < top + 32; ++y)
        image.setPixel(left + 53, y, qRgb(236, 120, 112));
}

void EndPicture(QImage& image, int left, int top) {
    QPainter p(&image);
    const QRect r(left, top, 27, 20);
    p.fillRect(r, QColor(212, 208, 200));
    p.setPen(QColor(255, 255, 255));
    p.drawLine(left, top, left + 25, top);
    p.drawLine(left, top, left, top + 18);
    p.setPen(QColor(128, 128, 128));
    p.drawLine(left + 1, top + 18, left + 25, top + 18);
    p.drawLine(left + 25, top + 1, left + 25, top + 18);
    p.setPen(QColor(64, 64, 64));
    p.drawLine(left, top + 19, left + 26, top + 19);
    p.drawLine(left + 26, top, left + 26, top + 19);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(r.adjusted(1, 1, -2, -2));
    p.setPen(QPen(QColor(150, 0, 0), 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const double w = StrokeTextWidth("End", 10);
    p.drawPath(StrokeText("End", left + 13.5 - w / 2, top + 4.5, 10));
}

// The slider knob: a thumb pointing down at the scale's ticks.
QPolygon KnobShape(int left, int top) {
    return QPolygon({QPoint(left, top), QPoint(left + 8, top), QPoint(left + 8, top + 12),
                     QPoint(left + 4, top + 16), QPoint(left, top + 12)});
}

// Picture and mask for "mask SRCERASE, then picture SRCINVERT": white around the knob in both, so
// the background survives; the mask black on the knob, so the picture's colours replace it there.
void Knob(QImage& image, int pictureLeft, int maskLeft, int top) {
    QImage shape(9, 17, QImage::Format_RGB32);
    shape.fill(Qt::white);
    {
        QPainter p(&shape);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(Qt::black);
        p.setBrush(Qt::black);
        p.drawPolygon(KnobShape(0, 0));
    }
    auto on = [&](int x, int y) {
        return x >= 0 && x < 9 && y >= 0 && y < 17 && shape.pixel(x, y) == qRgb(0, 0, 0);
    };
    for (int y = 0; y < 17; ++y)
        for (int x = 0; x < 9; ++x) {
            image.setPixel(maskLeft + x, top + y, on(x, y) ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
            QRgb c = qRgb(255, 255, 255);
            if (on(x, y)) {
                // Dark outline, a light edge at the top left, a blue face with a grip line.
                const bool edge = !on(x - 1, y) || !on(x + 1, y) || !on(x, y - 1) || !on(x, y + 1);
                const bool lit = !on(x - 2, y) || !on(x, y - 2);
                if (edge)
                    c = qRgb(24, 32, 72);
                else if (lit)
                    c = qRgb(220, 232, 255);
                else if (x == 4 && y >= 3 && y <= 9)
                    c = qRgb(40, 60, 130);
                else
                    c = qRgb(110, 140, 210 - 4 * y);
            }
            image.setPixel(pictureLeft + x, top + y, c);
        }
}

// One frame of the waiting indicator: a circular arrow turned by 20 degrees per frame.
void ArrowFrame(QPainter& p, const QPointF& centre, int frame) {
    const double angle = frame * 20.0;
    const double r = 9.5;
    QPainterPath arc;
    arc.arcMoveTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -angle);
    arc.arcTo(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -angle, -270);
    p.setPen(QPen(QColor(255, 200, 40), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(QPen(QColor(255, 250, 190), 1.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(arc);
    // The head at the arc's end, pointing on around the circle (clockwise on screen).
    const double end = (angle + 270.0) * M_PI / 180.0;
    const QPointF tip = centre + QPointF(std::cos(end) * r, std::sin(end) * r);
    const QPointF along(-std::sin(end), std::cos(end));
    const QPointF out(std::cos(end), std::sin(end));
    QPolygonF head(
        {tip + along * 5.5, tip - along * 1.5 + out * 5.0, tip - along * 1.5 - out * 5.0});
    p.setPen(QPen(QColor(160, 90, 0), 0.8));
    p.setBrush(QColor(255, 220, 70));
    p.drawPolygon(head);
}

void CountDigit(QPainter& p, double left, double top, QChar digit) {
    const double h = 22;
    const double w = StrokeTextWidth(QString(digit), h);
    const QPainterPath path = StrokeText(QString(digit), left + 7.5 - w / 2, top, h);
    p.setPen(QPen(QColor(150, 20, 10), 4.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 110, 70), 3.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setPen(QPen(QColor(255, 235, 200), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

// The tile of the editor's background, 106 x 106 and seamless: soft paper fibres from noise that
// is blurred with wrap-around, so the right edge continues into the left one.
void EditorTile(QImage& image, int left, int top) {
    constexpr int n = 106;
    std::vector<double> v(n * n);
    Rng rng(106);
    for (double& d : v)
        d = rng.unit();
    for (int pass = 0; pass < 3; ++pass) {
        std::vector<double> h(n * n), out(n * n);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                double s = 0;
                for (int k = -3; k <= 3; ++k)
                    s += v[y * n + (x + k + n) % n];
                h[y * n + x] = s / 7;
            }
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                double s = 0;
                for (int k = -1; k <= 1; ++k)
                    s += h[((y + k + n) % n) * n + x];
                out[y * n + x] = s / 3;
            }
        v = out;
    }
    double lo = 1, hi = 0;
    for (double d : v) {
        lo = std::min(lo, d);
        hi = std::max(hi, d);
    }
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            const double t = (v[y * n + x] - lo) / (hi - lo);
            image.setPixel(left + x, top + y,
                           qRgb(int(214 + 22 * t), int(222 + 20 * t), int(232 + 18 * t)));
        }
}

void Lettering(QImage& image, int left, int top, int shade) {
    const QColor inks[4] = {QColor(0, 40, 120), QColor(30, 80, 170), QColor(70, 120, 210),
                            QColor(120, 160, 235)};
    QPainter p(&image);
    p.fillRect(left, top, 65, 13, QColor::fromRgb(kPanelGrey));
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(left, top, 65, 13);
    const QPainterPath text = StrokeText("Quiz ZN", left + 6, top + 2, 8.5, -0.35);
    p.setPen(QPen(QColor(255, 255, 255, 140), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text.translated(0.7, 0.7));
    p.setPen(QPen(inks[shade], 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(text);
    QPainterPath swash;
    swash.moveTo(left + 4, top + 12);
    swash.cubicTo(left + 20, top + 9.5, left + 40, top + 13, left + 62, top + 10);
    p.setPen(QPen(inks[shade], 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(swash);
}

} // namespace

void DrawSevenSegmentDigit(QImage& image, int left, int top, int digit, QColor lit, QColor unlit) {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setClipRect(left, top, 24, 35);
    p.translate(left, top);
    p.setPen(Qt::NoPen);
    for (int s = 0; s < 7; ++s) {
        const bool on = kSegments[digit] & (1 << s);
        p.setBrush(on ? lit : unlit);
        p.drawPolygon(Segment(s));
    }
}

QImage DrawSpriteSheet() {
    QImage sheet(353, 193, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    struct Row {
        int top;
        QColor lit, unlit;
        int digits;
    };
    const Row rows[3] = {{0, QColor(255, 150, 20), QColor(48, 24, 4), 10},
                         {35, QColor(255, 40, 32), QColor(48, 8, 8), 10},
                         {70, QColor(60, 255, 80), QColor(8, 44, 12), 2}};
    for (const Row& row : rows) {
        for (int d = 0; d < row.digits; ++d)
            DrawSevenSegmentDigit(sheet, 24 * d, row.top, d, row.lit, row.unlit);
        Separator(sheet, 240, row.top, row.lit);
    }
    EditorTile(sheet, 247, 0);
    {
        const QImage seal = DrawSeal(32, kPanelGrey);
        QPainter p(&sheet);
        p.drawImage(48, 70, seal);
    }
    PressedFrame(sheet, 134, 70);
    EndPicture(sheet, 188, 70);
    Knob(sheet, 215, 224, 70);
    {
        QPainter p(&sheet);
        p.setRenderHint(QPainter::Antialiasing, true);
        for (int k = 0; k < 18; ++k) {
            // Row 1 lands 94 rows lower when composed, row 2 (frames 9-17) 66 rows lower: drawing
            // row 2 three rows higher in its band puts every frame at the same place on the lamp.
            const int cellLeft = 32 * (k % 9);
            const int cellTop = k < 9 ? 106 : 134;
            p.save();
            p.setClipRect(QRect(cellLeft + 2, cellTop + 3, 26, 26));
            ArrowFrame(p, QPointF(cellLeft + 15, cellTop + 16), k);
            p.restore();
        }
        for (int k = 0; k < 5; ++k) {
            p.save();
            p.setClipRect(QRect(32 * k + 8, 166, 16, 27));
            CountDigit(p, 32 * k + 8, 169, QChar('5' - k));
            p.restore();
        }
    }
    for (int shade = 0; shade < 4; ++shade)
        Lettering(sheet, 288, 110 + 13 * shade, shade);
    return sheet;
}
