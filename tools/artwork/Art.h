#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <QStringList>

#include <cstdint>

// A small, fixed pseudo-random generator: the artwork must come out the same on every run and
// every machine, so nothing here may depend on the C library's rand().
struct Rng {
    std::uint32_t state;
    explicit Rng(std::uint32_t seed) : state(seed) {}
    std::uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    // Uniform in [0, 1).
    double unit() { return double(next() & 0xFFFFFF) / double(0x1000000); }
};

// Lettering drawn from strokes, so that no output depends on the fonts installed.
// (x, y) is the top-left of the capital height; height is the capital height in pixels;
// shear slants the letters (negative leans right, like script).
QPainterPath StrokeText(const QString& text, double x, double y, double height, double shear = 0.0);
double StrokeTextWidth(const QString& text, double height);

// Pictures of the main window and the opening screen.
QImage DrawBackground();
QImage DrawSpriteSheet();
QImage DrawMark();
QImage DrawLogo();
QImage DrawSeal(int size, QRgb paper);
// Cursors (32 x 32 with alpha) and icons.
QImage DrawHandCursor(bool link);
QImage DrawProgramIcon(int size);
QImage DrawEditorIcon(int size);
// The desktop icons: the program icon under the program's desktop id and the question-sheet
// icon under the question file type, at every size of the icon theme.
inline constexpr int DesktopIconSizes[] = {16, 32, 48, 64, 128, 256};
inline const QString DesktopId = QStringLiteral("org.example.zn_quiz");
inline const QString QuestionFileIcon = QStringLiteral("application-x-zn-questions");

// Sprite pieces shared by the sheet and by tests of their shapes.
void DrawSevenSegmentDigit(QImage& image, int left, int top, int digit, QColor lit, QColor unlit);

// A complete RIFF WAVE image: PCM, mono, 8 bits, from samples in -1..1.
QByteArray WaveImage(const std::vector<double>& samples, int rate);
QByteArray SynthesiseSound(int id);

// Question file from the tab-separated sample text: genre, question, answer per line.
// Returns an empty string on success, else what is wrong (with the line number).
QString WriteQuestionFile(const QString& textPath, const QString& zndPath);
