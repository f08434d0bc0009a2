#pragma once

#include <QImage>

// Block copies between Format_RGB32 surfaces, with the three combinations the artwork uses.
// Rectangles are clipped to both images; results stay opaque.
enum class BlitOp {
    Copy,             // source
    SourceAndNotDest, // source AND NOT destination (erases the figure of a mask)
    SourceXorDest,    // source XOR destination (paints the figure into the erased place)
};

void Blit(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int w, int h,
          BlitOp op = BlitOp::Copy);
