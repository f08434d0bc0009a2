#include "platform/SoundPlayer.h"
#include "platform/WaveImage.h"

#include <QElapsedTimer>
#include <QMediaDevices>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstring>

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

std::vector<qint16> int16s(const QByteArray& b) {
    std::vector<qint16> v(b.size() / 2);
    for (size_t i = 0; i < v.size(); ++i)
        v[i] = qFromLittleEndian<qint16>(b.constData() + 2 * i);
    return v;
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

// 11,025 Hz 8-bit sounds become 16-bit at four times the rate, interpolated between samples,
// and the last sample is held to the end.
TEST(ConvertWave, RateChangeInterpolates) {
    const QByteArray wave = makePcm(11025, 1, 8, QByteArray("\xC0\x40", 2)); // +0.5, -0.5
    const auto out = int16s(ConvertWave(wave, format(44100, 1, QAudioFormat::Int16)));
    EXPECT_EQ(out, (std::vector<qint16>{16384, 8192, 0, -8192, -16384, -16384, -16384, -16384}));
    // Down to a lower rate: every other sample, the length rounded up.
    const auto half = int16s(ConvertWave(makePcm(2000, 1, 8, QByteArray("\xC0\x80\x40", 3)),
                                         format(1000, 1, QAudioFormat::Int16)));
    EXPECT_EQ(half, (std::vector<qint16>{16384, -16384}));
}

// Stereo and 16-bit input is mixed to mono and copied to every output channel, in each sample
// format an output may ask for; short sounds get silence, long ones are cut.
TEST(ConvertWave, ChannelsSampleFormatsPaddingAndCut) {
    // left +0.5, right -0.25 (16-bit): mono +0.125
    const QByteArray stereo = makePcm(8000, 2, 16, le(16384, 2) + le(quint16(-8192), 2));
    const QByteArray f = ConvertWave(stereo, format(8000, 2, QAudioFormat::Float));
    ASSERT_EQ(f.size(), 8);
    float l = 0, r = 0;
    std::memcpy(&l, f.constData(), 4);
    std::memcpy(&r, f.constData() + 4, 4);
    EXPECT_FLOAT_EQ(l, 0.125f);
    EXPECT_FLOAT_EQ(r, 0.125f);
    EXPECT_EQ(qFromLittleEndian<qint32>(
                  ConvertWave(stereo, format(8000, 1, QAudioFormat::Int32)).constData()),
              268435456);

    const QByteArray loud = makePcm(8000, 1, 8, QByteArray("\xC0\xFF", 2));
    EXPECT_EQ(ConvertWave(loud, format(8000, 1, QAudioFormat::UInt8), 5),
              QByteArray("\xC0\xFF\x80\x80\x80", 5));
    EXPECT_EQ(int16s(ConvertWave(loud, format(8000, 1, QAudioFormat::Int16))),
              (std::vector<qint16>{16384, 32512}));

    const QByteArray second = makeWave(1000, 1000);
    EXPECT_EQ(ConvertWave(second, format(1000, 1, QAudioFormat::UInt8), 0, 100).size(), 100);
    // A data chunk claiming more than the image holds plays what is there.
    EXPECT_EQ(
        ConvertWave(second.left(second.size() - 400), format(1000, 1, QAudioFormat::UInt8)).size(),
        600);
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
