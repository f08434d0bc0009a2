#include "core/Resources.h"

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// The "fmt " and "data" chunks, walked the way a strict player does; both empty on any fault.
std::pair<QByteArray, QByteArray> Chunks(const QByteArray& b) {
    const auto u32 = [&](qint64 at) {
        return qint64(qFromLittleEndian<quint32>(b.constData() + at));
    };
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE" || u32(4) != b.size() - 8)
        return {};
    QByteArray fmt, data, other;
    for (qint64 at = 12; at + 8 <= b.size(); at += 8 + u32(at + 4) + (u32(at + 4) & 1)) {
        if (at + 8 + u32(at + 4) > b.size()) return {};
        const QByteArray id = b.mid(at, 4);
        (id == "fmt "                     ? fmt
         : id == "data" && !fmt.isEmpty() ? data
                                          : other) = b.mid(at + 8, u32(at + 4));
    }
    return {fmt, data};
}

} // namespace

TEST(Sounds, AreAudibleEightBitMonoPcmOfTheirRateAndLength) {
    const double lengths[] = {0.37, 0.28, 0.43, 0.43, 0.04}; // seconds, sounds 11-15
    for (int id = 11; id <= 15; ++id) {
        const int rate = id == 15 ? 22050 : 11025;
        const double seconds = lengths[id - 11];
        const auto [fmt, data] = Chunks(LoadSound(id));
        ASSERT_FALSE(data.isEmpty()) << id;
        // PCM, one channel, the rate twice (samples and bytes a second), 1-byte blocks, 8 bits.
        QByteArray perSecond(4, 0);
        qToLittleEndian<quint32>(rate, perSecond.data());
        EXPECT_EQ(fmt.left(16),
                  QByteArray("\1\0\1\0", 4) + perSecond + perSecond + QByteArray("\1\0\10\0", 4));
        EXPECT_NEAR(double(data.size()) / rate, seconds, seconds * 0.15) << id;
        // Audible, and ending near the 128 centre line (no click at the end).
        const auto [lo, hi] = std::minmax_element(
            data.begin(), data.end(), [](char a, char b) { return quint8(a) < quint8(b); });
        EXPECT_TRUE(quint8(*hi) - quint8(*lo) > 60 && std::abs(quint8(data.back()) - 128) <= 4)
            << id;
    }
    EXPECT_TRUE(LoadSound(10).isEmpty() && LoadSound(16).isEmpty());
}
