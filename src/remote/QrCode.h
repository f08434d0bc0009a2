#pragma once

#include <QByteArray>
#include <QVector>

// The modules of a QR code (libqrencode, error correction M), row by row; size 0 when the text
// does not fit. Drawn by whoever shows it, at a whole number of pixels per module.
struct QrMatrix {
    int size = 0;
    QVector<bool> dark;
    bool at(int x, int y) const { return dark[y * size + x]; }
};

QrMatrix EncodeQr(const QByteArray& text);
