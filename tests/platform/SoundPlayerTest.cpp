#include "platform/SoundPlayer.h"
#include "platform/WaveImage.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

QByteArray le(quint32 v, int bytes) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b.left(bytes);
}

// PCM image with the given samples; `extra` is a chunk placed before the data.
QByteArray makePcm(int rate, int channels, int bits, const QByteArray& samples,
                   const QByteArray& extra = {}) {
    const int align = channels * bits / 8;
    const QByteArray body = "WAVEfmt " + le(16, 4) + le(1, 2) + le(channels, 2) + le(rate, 4) +
                            le(rate * align, 4) + le(align, 2) + le(bits, 2) + extra + "data" +
                            le(samples.size(), 4) + samples + QByteArray(samples.size() & 1, '\0');
    return "RIFF" + le(body.size(), 4) + body;
}

// 8-bit mono silence, as the program's own sounds are.
QByteArray makeWave(int rate, int samples, const QByteArray& extra = {}) {
    return makePcm(rate, 1, 8, QByteArray(samples, char(0x80)), extra);
}

QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat sample) {
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

QByteArray int16s(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values)
        b += le(quint16(v), 2);
    return b;
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

// Sounds of any rate, channel count and sample width come out mono-mixed, copied to every output
// channel, interpolated between samples (the last one held), padded with silence or cut.
TEST(ConvertWave, RatesChannelsSampleFormatsPaddingAndCuts) {
    using S = QAudioFormat;
    const QByteArray pair = makePcm(11025, 1, 8, QByteArray("\xC0\x40", 2)); // +0.5, -0.5
    const QByteArray loud = makePcm(8000, 1, 8, QByteArray("\xC0\xFF", 2));
    // left +0.5, right -0.25 (16-bit): mono +0.125
    const QByteArray stereo = makePcm(8000, 2, 16, le(16384, 2) + le(quint16(-8192), 2));
    const float eighth = 0.125f;
    const QByteArray second = makeWave(1000, 1000);
    struct Case {
        const char* what;
        QByteArray wave;
        QAudioFormat out;
        int minFrames, maxMs;
        QByteArray expected;
    } cases[] = {
        {"4x rate", pair, format(44100, 1, S::Int16), 0, 30000,
         int16s({16384, 8192, 0, -8192, -16384, -16384, -16384, -16384})},
        {"half rate, rounded up", makePcm(2000, 1, 8, QByteArray("\xC0\x80\x40", 3)),
         format(1000, 1, S::Int16), 0, 30000, int16s({16384, -16384})},
        {"full scale", loud, format(8000, 1, S::Int16), 0, 30000, int16s({16384, 32512})},
        {"stereo to float stereo", stereo, format(8000, 2, S::Float), 0, 30000,
         QByteArray(reinterpret_cast<const char*>(&eighth), 4).repeated(2)},
        {"32-bit", stereo, format(8000, 1, S::Int32), 0, 30000, le(268435456, 4)},
        {"padded", loud, format(8000, 1, S::UInt8), 5, 30000,
         QByteArray("\xC0\xFF\x80\x80\x80", 5)},
        {"cut", second, format(1000, 1, S::UInt8), 0, 100, QByteArray(100, char(0x80))},
        // a data chunk claiming more than the image holds plays what is there
        {"short data", second.left(second.size() - 400), format(1000, 1, S::UInt8), 0, 30000,
         QByteArray(600, char(0x80))},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ConvertWave(c.wave, c.out, c.minFrames, c.maxMs), c.expected) << c.what;
}

TEST(ConvertWave, UnplayableImagesAndFormatsGiveNothing) {
    const QAudioFormat out = format(44100, 1, QAudioFormat::Int16);
    QByteArray compressed = makeWave(11025, 100);
    qToLittleEndian<quint16>(2, compressed.data() + 20);
    const QByteArray odd24 = makePcm(8000, 1, 24, QByteArray(30, '\0'));
    const QByteArray noChannels = makePcm(8000, 0, 8, QByteArray(30, '\0'));
    const QByteArray partFrame = makePcm(8000, 2, 16, QByteArray(3, '\0')); // no whole frame
    for (const QByteArray& bad : {QByteArray(), compressed, odd24, noChannels, partFrame})
        EXPECT_TRUE(ConvertWave(bad, out).isEmpty());
    EXPECT_TRUE(ConvertWave(makeWave(11025, 100), QAudioFormat()).isEmpty());
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

// Only where a sound device exists: a synchronous sound returns when it has been heard, an
// asynchronous one at once, also when it interrupts the one still playing.
TEST(SoundPlayer, SynchronousWaitsForTheSoundAsynchronousDoesNot) {
    if (QMediaDevices::defaultAudioOutput().isNull()) GTEST_SKIP() << "no audio device";
    SoundPlayer player;
    const QByteArray third = makeWave(11025, 3675); // 1/3 s
    QElapsedTimer clock;
    clock.start();
    player.play(11, third, true);
    EXPECT_TRUE(player.lastPlayStarted());
    EXPECT_GE(clock.elapsed(), 330);
    EXPECT_LT(clock.elapsed(), 1300);
    clock.restart();
    player.play(12, third, false);
    player.play(14, third, false);
    EXPECT_TRUE(player.lastPlayStarted());
    EXPECT_LT(clock.elapsed(), 300);
}
