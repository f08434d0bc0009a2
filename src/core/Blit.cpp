#include "core/Blit.h"

#include <algorithm>
#include <cstring>

void Blit(QImage& dst, int dx, int dy, const QImage& src, int sx, int sy, int w, int h, BlitOp op) {
    // Clip against the source, then the destination, moving both origins together.
    if (sx < 0) {
        w += sx;
        dx -= sx;
        sx = 0;
    }
    if (sy < 0) {
        h += sy;
        dy -= sy;
        sy = 0;
    }
    if (dx < 0) {
        w += dx;
        sx -= dx;
        dx = 0;
    }
    if (dy < 0) {
        h += dy;
        sy -= dy;
        dy = 0;
    }
    w = std::min({w, src.width() - sx, dst.width() - dx});
    h = std::min({h, src.height() - sy, dst.height() - dy});
    if (w <= 0 || h <= 0 || src.depth() != 32 || dst.depth() != 32) return;
    // Copying within one image: go bottom-up when rows would overwrite unread source rows.
    const bool same = src.constBits() == dst.constBits();
    const bool reverse = same && dy > sy;
    for (int k = 0; k < h; ++k) {
        const int row = reverse ? h - 1 - k : k;
        const auto* s = reinterpret_cast<const quint32*>(src.constScanLine(sy + row)) + sx;
        auto* d = reinterpret_cast<quint32*>(dst.scanLine(dy + row)) + dx;
        switch (op) {
        case BlitOp::Copy:
            std::memmove(d, s, size_t(w) * 4);
            for (int x = 0; x < w; ++x)
                d[x] |= 0xff000000u;
            break;
        case BlitOp::SourceAndNotDest:
            for (int x = 0; x < w; ++x)
                d[x] = (s[x] & ~d[x]) | 0xff000000u;
            break;
        case BlitOp::SourceXorDest:
            for (int x = 0; x < w; ++x)
                d[x] = (s[x] ^ d[x]) | 0xff000000u;
            break;
        }
    }
}
