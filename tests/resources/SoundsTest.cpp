#include "support/TestKit.h"

TEST(Sounds, AreAudibleEightBitMonoPcmOfTheirRateAndLength) {
    const double lengths[] = {0.37, 0.28, 0.43, 0.43, 0.04}; // seconds, sounds 11-15
    for (int id = 11; id <= 15; ++id) {
        const int rate = id == 15 ? 22050 : 11025;
        const double seconds = lengths[id - 11];
        const QByteArray wave = LoadSound(id), data = wave.mid(44);
        // The plain header every player reads: PCM, one channel, the rate twice (samples and
        // bytes a second), 1-byte blocks, 8 bits, and chunk sizes that match the file.
        EXPECT_EQ(wave.left(44), "RIFF" + LittleEndian(wave.size() - 8) + "WAVEfmt " +
                                     LittleEndian(16) + QByteArray("\1\0\1\0", 4) +
                                     LittleEndian(rate) + LittleEndian(rate) +
                                     QByteArray("\1\0\10\0data", 8) + LittleEndian(data.size()))
            << id;
        EXPECT_NEAR(double(data.size()) / rate, seconds, seconds * 0.15) << id;
        // Audible, and ending near the 128 centre line (no click at the end).
        const auto [lo, hi] = std::minmax_element(
            data.begin(), data.end(), [](char a, char b) { return quint8(a) < quint8(b); });
        EXPECT_FALSE(data.isEmpty()) << id;
        EXPECT_GT(quint8(*hi) - quint8(*lo), 60) << id;
        EXPECT_LE(std::abs(quint8(data.back()) - 128), 4) << id;
    }
    EXPECT_TRUE(LoadSound(10).isEmpty());
    EXPECT_TRUE(LoadSound(16).isEmpty());
}
