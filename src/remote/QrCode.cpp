#include "remote/QrCode.h"

#include <qrencode.h>

#include <memory>

QrMatrix EncodeQr(const QByteArray& text) {
    QrMatrix m;
    if (text.isEmpty()) return m;
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!code) return m;
    m.size = code->width;
    m.dark.resize(m.size * m.size);
    for (int i = 0; i < m.size * m.size; ++i)
        m.dark[i] = code->data[i] & 1;
    return m;
}
