#include "core/Resources.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

struct Wave {
    QString error;
    int format = 0, channels = 0, rate = 0, byteRate = 0, blockAlign = 0, bits = 0;
    QByteArray data;
};

quint32 U32(const QByteArray& b, int at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}
quint16 U16(const QByteArray& b, int at) {
    return qFromLittleEndian<quint16>(b.constData() + at);
}

// Walks the RIFF chunks the way a strict player does.
Wave Parse(const QByteArray& b) {
    Wave w;
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE")
        return w.error = "not RIFF WAVE", w;
    if (U32(b, 4) != quint32(b.size() - 8))
        return w.error = "RIFF size does not match the image", w;
    bool haveFormat = false;
    for (int at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const quint32 size = U32(b, at + 4);
        if (at + 8 + qint64(size) > b.size()) return w.error = "chunk runs past the end", w;
        if (id == "fmt ") {
            if (size < 16) return w.error = "short fmt chunk", w;
            w.format = U16(b, at + 8), w.channels = U16(b, at + 10), w.rate = int(U32(b, at + 12));
            w.byteRate = int(U32(b, at + 16)), w.blockAlign = U16(b, at + 20),
            w.bits = U16(b, at + 22);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat) return w.error = "data before fmt", w;
            w.data = b.mid(at + 8, int(size));
        }
        at += 8 + int(size) + int(size & 1);
    }
    if (w.data.isEmpty()) w.error = "no data";
    return w;
}

} // namespace

TEST(Sounds, AreEightBitMonoPcmOfTheirRateAndLength) {
    const struct {
        int id, rate;
        double seconds;
    } sounds[] = {{11, 11025, 0.37},
                  {12, 11025, 0.28},
                  {13, 11025, 0.43},
                  {14, 11025, 0.43},
                  {15, 22050, 0.04}};
    for (const auto& s : sounds) {
        const Wave w = Parse(LoadSound(s.id));
        ASSERT_TRUE(w.error.isEmpty()) << s.id << ": " << w.error.toStdString();
        EXPECT_EQ(w.format, 1) << s.id;
        EXPECT_EQ(w.channels, 1) << s.id;
        EXPECT_EQ(w.bits, 8) << s.id;
        EXPECT_EQ(w.rate, s.rate) << s.id;
        EXPECT_EQ(w.byteRate, s.rate) << s.id;
        EXPECT_EQ(w.blockAlign, 1) << s.id;
        const double seconds = double(w.data.size()) / w.rate;
        EXPECT_NEAR(seconds, s.seconds, s.seconds * 0.15) << s.id;

        // Audible, not clipped flat, centred on 128, and ending quietly (no click at the end).
        int lo = 255, hi = 0;
        double mean = 0;
        for (char c : w.data) {
            const int v = quint8(c);
            lo = std::min(lo, v), hi = std::max(hi, v), mean += v;
        }
        mean /= w.data.size();
        EXPECT_GT(hi - lo, 60) << s.id << " is nearly silent";
        EXPECT_NEAR(mean, 128, 12) << s.id;
        EXPECT_NEAR(quint8(w.data.back()), 128, 4) << s.id;
    }
}

TEST(Sounds, StateSoundsDifferAndUnknownIdsAreEmpty) {
    for (int a = 11; a <= 15; ++a)
        for (int b = a + 1; b <= 15; ++b)
            EXPECT_NE(LoadSound(a), LoadSound(b));
    EXPECT_TRUE(LoadSound(10).isEmpty());
    EXPECT_TRUE(LoadSound(16).isEmpty());
}
