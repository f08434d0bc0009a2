#include "platform/SoundPlayer.h"

#include <QElapsedTimer>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray le(quint32 v, int bytes) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b.left(bytes);
}

// 8-bit mono PCM, as the program's own sounds are; `extra` is a chunk placed before the data.
QByteArray makeWave(int rate, int samples, const QByteArray& extra = {}) {
    const QByteArray body = "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) +
                            le(rate, 4) + le(1, 2) + le(8, 2) + extra + "data" + le(samples, 4) +
                            QByteArray(samples + (samples & 1), char(0x80));
    return "RIFF" + le(body.size(), 4) + body;
}

} // namespace

TEST(WaveDuration, PcmLengthAndBadOrCutImages) {
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 4080)), 370);
    // Unknown chunks (odd-sized ones are padded) before the data are skipped.
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 11025, "LIST" + le(3, 4) + QByteArray("abc\0", 4))),
              1000);
    QByteArray compressed = makeWave(11025, 100), noRate = compressed;
    qToLittleEndian<quint16>(2, compressed.data() + 20); // format tag: not PCM
    qToLittleEndian<quint32>(0, noRate.data() + 28);     // byte rate 0
    for (const QByteArray& bad : {QByteArray(), QByteArray("RIFF"), compressed, noRate})
        EXPECT_EQ(WaveDurationMs(bad), -1);
    // A data chunk claiming more than is there counts only what is there.
    const QByteArray full = makeWave(1000, 1000);
    EXPECT_EQ(WaveDurationMs(full.left(full.size() - 500)), 500);
    // Every cut of an image with a huge bogus chunk must end cleanly (no read past the end).
    const QByteArray junk = makeWave(11025, 300, "junk" + le(0xFFFFFFF0u, 4));
    for (int n = 0; n < junk.size(); ++n)
        EXPECT_GE(WaveDurationMs(junk.left(n)), -1);
}

// With or without an audio device, playing must neither hang nor outlast the sound by much.
TEST(SoundPlayer, PlayingNeverHangsAndBadImagesAreSilent) {
    SoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    player.play(11, makeWave(11025, 3300), true); // 0.3 s
    player.play(15, makeWave(22050, 882), false); // stops the last
    player.stop();
    EXPECT_LT(clock.elapsed(), 2500);
    player.play(13, QByteArray("not a wave"), true);
    EXPECT_FALSE(player.lastPlayStarted());
}
