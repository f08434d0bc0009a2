#include "platform/SoundPlayer.h"

#include <QElapsedTimer>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}
QByteArray le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// 8-bit mono PCM, as the program's own sounds are.
QByteArray makeWave(int rate, int samples, const QByteArray& extraChunk = {}) {
    QByteArray fmt =
        "fmt " + le32(16) + le16(1) + le16(1) + le32(rate) + le32(rate) + le16(1) + le16(8);
    QByteArray data = "data" + le32(samples) + QByteArray(samples, char(0x80));
    if (samples & 1) data.append('\0');
    const QByteArray body = "WAVE" + fmt + extraChunk + data;
    return "RIFF" + le32(body.size()) + body;
}

} // namespace

TEST(WaveDuration, ReadsPcmLengthAndRejectsBadImages) {
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 4080)), 370);
    EXPECT_EQ(WaveDurationMs(makeWave(22050, 882)), 40);
    // Unknown chunks (odd-sized ones are padded) before the data are skipped.
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 11025, "LIST" + le32(3) + QByteArray("abc\0", 4))),
              1000);

    EXPECT_EQ(WaveDurationMs({}), -1);
    EXPECT_EQ(WaveDurationMs("RIFF"), -1);
    EXPECT_EQ(WaveDurationMs(QByteArray(100, 'x')), -1);
    QByteArray compressed = makeWave(11025, 100);
    qToLittleEndian<quint16>(2, compressed.data() + 20); // format tag: not PCM
    EXPECT_EQ(WaveDurationMs(compressed), -1);
    QByteArray noRate = makeWave(11025, 100);
    qToLittleEndian<quint32>(0, noRate.data() + 28); // byte rate 0
    EXPECT_EQ(WaveDurationMs(noRate), -1);

    // A data chunk claiming more than is there counts only what is there.
    const QByteArray full = makeWave(1000, 1000);
    EXPECT_EQ(WaveDurationMs(full.left(full.size() - 500)), 500);
    EXPECT_EQ(WaveDurationMs(full.left(44)), -1) << "header only";
    // Every cut of an image with a huge bogus chunk must end cleanly (no read past the end).
    const QByteArray junk = makeWave(11025, 300, "junk" + le32(0xFFFFFFF0u));
    for (int n = 0; n < junk.size(); ++n)
        EXPECT_GE(WaveDurationMs(junk.left(n)), -1);
}

// Whether or not this machine has an audio device, playing must neither hang nor outlast the
// sound by much, and a broken image must be silent.
TEST(SoundPlayer, SynchronousPlayEndsAndBadImagesAreSilent) {
    SoundPlayer player;
    QElapsedTimer clock;
    clock.start();
    player.play(11, makeWave(11025, 3300), true); // 0.3 s
    EXPECT_LT(clock.elapsed(), 300 + 1000 + 500);

    player.play(13, QByteArray("not a wave"), true);
    EXPECT_FALSE(player.lastPlayStarted());
    player.play(13, QByteArray(), false);
    EXPECT_FALSE(player.lastPlayStarted());

    clock.restart();
    for (int i = 0; i < 20; ++i)
        player.play(15, makeWave(22050, 882), false); // the tick sound, each stops the last
    player.play(12, makeWave(11025, 3000), false);
    player.stop();
    EXPECT_LT(clock.elapsed(), 2000);
}
