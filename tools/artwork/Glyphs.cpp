#include "Art.h"

#include <QMap>
#include <QPointF>
#include <QTransform>

#include <cmath>
#include <vector>

namespace {

using Stroke = std::vector<QPointF>;

struct Glyph {
    double width = 0.6;
    std::vector<Stroke> strokes;
};

// An open or closed elliptic arc as a polyline, angles in degrees (0 = right, 90 = down).
Stroke Arc(double cx, double cy, double rx, double ry, double from, double to, int steps = 24) {
    Stroke s;
    for (int i = 0; i <= steps; ++i) {
        const double a = (from + (to - from) * i / steps) * M_PI / 180.0;
        s.emplace_back(cx + rx * std::cos(a), cy + ry * std::sin(a));
    }
    return s;
}

// The letters in a unit box: capital height 1, baseline at y = 1, x-height 0.5.
const QMap<QChar, Glyph>& Glyphs() {
    static const QMap<QChar, Glyph> glyphs = [] {
        QMap<QChar, Glyph> g;
        g['A'] = {0.62, {{{0, 1}, {0.31, 0}, {0.62, 1}}, {{0.12, 0.64}, {0.5, 0.64}}}};
        g['D'] = {0.6,
                  {{{0, 0},
                    {0.28, 0},
                    {0.48, 0.1},
                    {0.6, 0.32},
                    {0.6, 0.68},
                    {0.48, 0.9},
                    {0.28, 1},
                    {0, 1},
                    {0, 0}}}};
        g['E'] = {0.52, {{{0.52, 0}, {0, 0}, {0, 1}, {0.52, 1}}, {{0, 0.5}, {0.42, 0.5}}}};
        g['I'] = {0.0, {{{0, 0}, {0, 1}}}};
        g['M'] = {0.7, {{{0, 1}, {0, 0}, {0.35, 0.62}, {0.7, 0}, {0.7, 1}}}};
        g['N'] = {0.6, {{{0, 1}, {0, 0}, {0.6, 1}, {0.6, 0}}}};
        g['R'] = {0.56,
                  {{{0, 1},
                    {0, 0},
                    {0.36, 0},
                    {0.52, 0.08},
                    {0.56, 0.25},
                    {0.52, 0.42},
                    {0.36, 0.5},
                    {0, 0.5}},
                   {{0.3, 0.5}, {0.58, 1}}}};
        g['S'] = {0.56,
                  {{{0.54, 0.12},
                    {0.4, 0.01},
                    {0.18, 0.01},
                    {0.04, 0.12},
                    {0.04, 0.34},
                    {0.18, 0.45},
                    {0.4, 0.54},
                    {0.56, 0.66},
                    {0.56, 0.88},
                    {0.4, 0.99},
                    {0.16, 0.99},
                    {0.02, 0.88}}}};
        g['T'] = {0.6, {{{0, 0}, {0.6, 0}}, {{0.3, 0}, {0.3, 1}}}};
        g['W'] = {0.8, {{{0, 0}, {0.18, 1}, {0.4, 0.3}, {0.62, 1}, {0.8, 0}}}};
        g['Z'] = {0.6, {{{0, 0}, {0.6, 0}, {0, 1}, {0.6, 1}}}};
        g['Q'] = {0.68, {Arc(0.33, 0.5, 0.33, 0.5, 0, 360, 40), {{0.4, 0.7}, {0.7, 1.06}}}};
        g['d'] = {0.46, {{{0.46, 0}, {0.46, 1}}, Arc(0.23, 0.75, 0.23, 0.25, 0, 360)}};
        g['i'] = {0.0, {{{0, 0.5}, {0, 1}}, {{0, 0.26}, {0, 0.3}}}};
        g['n'] = {0.46,
                  {{{0, 0.5}, {0, 1}},
                   {{0, 0.68}, {0.1, 0.54}, {0.23, 0.5}, {0.37, 0.54}, {0.46, 0.68}, {0.46, 1}}}};
        g['u'] = {0.46,
                  {{{0, 0.5}, {0, 0.82}, {0.09, 0.96}, {0.23, 1}, {0.37, 0.96}, {0.46, 0.82}},
                   {{0.46, 0.5}, {0.46, 1}}}};
        g['z'] = {0.44, {{{0, 0.5}, {0.44, 0.5}, {0, 1}, {0.44, 1}}}};
        g['1'] = {0.5, {{{0.08, 0.2}, {0.32, 0}, {0.32, 1}}}};
        g['2'] = {0.6,
                  {{{0.04, 0.22},
                    {0.14, 0.06},
                    {0.3, 0},
                    {0.46, 0.06},
                    {0.56, 0.22},
                    {0.5, 0.42},
                    {0, 1},
                    {0.6, 1}}}};
        g['3'] = {0.6,
                  {{{0.04, 0.1},
                    {0.2, 0},
                    {0.4, 0},
                    {0.55, 0.1},
                    {0.55, 0.34},
                    {0.4, 0.46},
                    {0.22, 0.46}},
                   {{0.4, 0.46}, {0.58, 0.58}, {0.58, 0.88}, {0.42, 1}, {0.18, 1}, {0.02, 0.9}}}};
        g['4'] = {0.62, {{{0.46, 1}, {0.46, 0}, {0, 0.7}, {0.62, 0.7}}}};
        g['5'] = {0.6,
                  {{{0.56, 0},
                    {0.1, 0},
                    {0.05, 0.45},
                    {0.25, 0.4},
                    {0.45, 0.43},
                    {0.58, 0.58},
                    {0.58, 0.85},
                    {0.42, 1},
                    {0.18, 1},
                    {0.02, 0.9}}}};
        g[' '] = {0.3, {}};
        return g;
    }();
    return glyphs;
}

constexpr double kSpacing = 0.26;

} // namespace

double StrokeTextWidth(const QString& text, double height) {
    double w = 0;
    for (int i = 0; i < text.size(); ++i) {
        w += Glyphs().value(text[i]).width;
        if (i + 1 < text.size()) w += kSpacing;
    }
    return w * height;
}

QPainterPath StrokeText(const QString& text, double x, double y, double height, double shear) {
    QPainterPath path;
    double pen = 0;
    for (const QChar c : text) {
        const Glyph glyph = Glyphs().value(c);
        for (const Stroke& stroke : glyph.strokes) {
            for (size_t i = 0; i < stroke.size(); ++i) {
                const QPointF p = stroke[i];
                // Shear about the baseline so that the letters keep their place on the line.
                const QPointF q(x + (pen + p.x()) * height + shear * (p.y() - 1.0) * height,
                                y + p.y() * height);
                if (i == 0)
                    path.moveTo(q);
                else
                    path.lineTo(q);
            }
        }
        pen += glyph.width + kSpacing;
    }
    return path;
}
