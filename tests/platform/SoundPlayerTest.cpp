#include "platform/sound/SoundPlayer.h"
#include "platform/sound/WaveImage.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QTest>
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

// A short silence with the (low) two bytes of one header field zeroed.
QByteArray zeroed(int offset) {
    return makeWave(8000, 30).replace(offset, 2, QByteArray(2, '\0'));
}

QAudioFormat format(int rate, int channels, QAudioFormat::SampleFormat sample) {
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}

} // namespace

// A bad image is silent: no length, no samples, and never a read past its end or a division by
// a zero field. Images that parse but cannot be mixed (24 bits, no channel, no rate, no whole
// frame) still have a length but give no sound.
TEST(WaveImage, LengthsAndImagesThatCannotBePlayed) {
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 4080)), 370);
    // Unknown chunks (odd-sized ones are padded) before the data are skipped.
    EXPECT_EQ(WaveDurationMs(makeWave(11025, 11025, "LIST" + le(3, 4) + QByteArray("abc\0", 4))),
              1000);
    // The first four cannot be read: empty, cut header, format tag 0 (not PCM), byte rate 0;
    // then no channel, no rate, 24 bits, part of a frame.
    QList<QByteArray> bad = {QByteArray(), "RIFF"};
    for (int field : {20, 28, 22, 24})
        bad << zeroed(field);
    bad << makePcm(8000, 1, 24, QByteArray(30, '\0')) << makePcm(8000, 2, 16, QByteArray(3, '\0'));
    const QAudioFormat out = format(44100, 1, QAudioFormat::Int16);
    for (int i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(WaveDurationMs(bad[i]) == -1, i < 4) << i;
        EXPECT_TRUE(ConvertWave(bad[i], out).isEmpty()) << i;
    }
    EXPECT_TRUE(ConvertWave(makeWave(11025, 100), QAudioFormat()).isEmpty());
    // Every cut of an image with a huge bogus chunk before its data.
    const QByteArray junk = makeWave(11025, 300, "junk" + le(0xFFFFFFF0u, 4));
    for (int n = 0; n < junk.size(); ++n) {
        EXPECT_EQ(WaveDurationMs(junk.left(n)), -1);
        EXPECT_TRUE(ConvertWave(junk.left(n), out).isEmpty());
    }
}

// Sounds of any rate, channel count and sample width come out mono-mixed, copied to every output
// channel, interpolated between samples (the last one held), padded with silence or cut.
TEST(ConvertWave, RatesChannelsSampleFormatsPaddingAndCuts) {
    using S = QAudioFormat;
    const QByteArray pair = makePcm(11025, 1, 8, QByteArray("\xC0\x40", 2)); // +0.5, -0.5
    // left +0.5, right -0.25 (16-bit): mono +0.125
    const QByteArray stereo = makePcm(8000, 2, 16, le(16384, 2) + le(quint16(-8192), 2));
    const float eighth = 0.125f;
    const QByteArray second = makeWave(1000, 1000);
    // What, image, output format, frames at least, milliseconds at most, samples.
    const std::tuple<const char*, QByteArray, QAudioFormat, int, int, QByteArray> cases[] = {
        {"4x rate", pair, format(44100, 1, S::UInt8), 0, 30000,
         QByteArray("\xC0\xA0\x80\x60\x40\x40\x40\x40", 8)},
        {"half rate, rounded up", makePcm(2000, 1, 8, QByteArray("\xC0\x80\x40", 3)),
         format(1000, 1, S::UInt8), 0, 30000, QByteArray("\xC0\x40", 2)},
        {"16-bit", stereo, format(8000, 1, S::Int16), 0, 30000, le(4096, 2)},
        {"stereo to float stereo", stereo, format(8000, 2, S::Float), 0, 30000,
         QByteArray(reinterpret_cast<const char*>(&eighth), 4).repeated(2)},
        {"32-bit", stereo, format(8000, 1, S::Int32), 0, 30000, le(268435456, 4)},
        {"padded", makePcm(8000, 1, 8, QByteArray("\xC0\xFF", 2)), format(8000, 1, S::UInt8), 5,
         30000, QByteArray("\xC0\xFF\x80\x80\x80", 5)},
        {"cut", second, format(1000, 1, S::UInt8), 0, 100, QByteArray(100, char(0x80))},
        // a data chunk claiming more than the image holds plays what is there
        {"short data", second.left(second.size() - 400), format(1000, 1, S::UInt8), 0, 30000,
         QByteArray(600, char(0x80))},
    };
    for (const auto& [what, wave, out, minFrames, maxMs, expected] : cases)
        EXPECT_EQ(ConvertWave(wave, out, minFrames, maxMs), expected) << what;
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

    // Left alone, the outputs close once the sound is over; the next sound opens them again.
    player.setIdleCloseMs(100);
    player.play(12, third, false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !player.outputsOpen(); }, 3000));
    EXPECT_GE(clock.elapsed(), 330 + 100);
    player.play(11, third, false);
    EXPECT_TRUE(player.lastPlayStarted());
    EXPECT_TRUE(player.outputsOpen());
}
