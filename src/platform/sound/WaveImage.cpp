#include "platform/sound/WaveImage.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

struct WaveLayout {
    quint16 format = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint32 byteRate = 0;
    quint16 bits = 0;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0; // what the image really holds, at most the chunk's claim
};

quint32 le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

// Finds the format and the data chunk; false for anything that is not PCM with a format chunk
// before its data.
bool ParseWave(const QByteArray& wave, WaveLayout& out) {
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE") return false;
    const qint64 size = wave.size();
    const char* data = wave.constData();
    bool haveFormat = false;
    qint64 pos = 12;
    while (pos + 8 <= size) {
        const QByteArray id(data + pos, 4);
        const qint64 length = le32(data + pos + 4);
        const qint64 body = pos + 8;
        if (id == "fmt ") {
            if (length < 16 || body + 16 > size) return false;
            out.format = le16(data + body);
            out.channels = le16(data + body + 2);
            out.rate = le32(data + body + 4);
            out.byteRate = le32(data + body + 8);
            out.bits = le16(data + body + 14);
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat || out.format != 1 || out.byteRate == 0) return false;
            out.dataOffset = body;
            out.dataBytes = std::min(length, size - body);
            return out.dataBytes > 0;
        }
        pos = body + length + (length & 1); // chunks are padded to even sizes
    }
    return false;
}

// One output sample from -1 .. 1, clamped, in the output's sample format.
void PutSample(char* to, QAudioFormat::SampleFormat format, float v) {
    v = std::clamp(v, -1.0f, 1.0f);
    switch (format) {
    case QAudioFormat::UInt8:
        *reinterpret_cast<quint8*>(to) = quint8(std::clamp(std::lround(v * 128) + 128, 0L, 255L));
        break;
    case QAudioFormat::Int16:
        qToLittleEndian<qint16>(qint16(std::clamp(std::lround(v * 32768), -32768L, 32767L)), to);
        break;
    case QAudioFormat::Int32:
        qToLittleEndian<qint32>(
            qint32(std::clamp(std::llround(double(v) * 2147483648.0), -2147483648LL, 2147483647LL)),
            to);
        break;
    default:
        std::memcpy(to, &v, sizeof v);
        break;
    }
}

} // namespace

int WaveDurationMs(const QByteArray& wave) {
    WaveLayout layout;
    if (!ParseWave(wave, layout)) return -1;
    return static_cast<int>(layout.dataBytes * 1000 / layout.byteRate);
}

QByteArray ConvertWave(const QByteArray& wave, const QAudioFormat& format, int minFrames,
                       int maxMs) {
    WaveLayout in;
    if (!ParseWave(wave, in) || (in.bits != 8 && in.bits != 16) || in.channels == 0 || in.rate == 0)
        return {};
    const int outRate = format.sampleRate();
    const int outChannels = format.channelCount();
    const int sampleBytes = format.bytesPerSample();
    if (outRate <= 0 || outChannels <= 0 || sampleBytes <= 0) return {};

    // Decode to mono floats.
    const int inSampleBytes = in.bits / 8;
    const qint64 inFrameBytes = qint64(in.channels) * inSampleBytes;
    // Only what is played is decoded (one frame more to interpolate towards).
    const qint64 inFrames =
        std::min(in.dataBytes / inFrameBytes, qint64(maxMs) * in.rate / 1000 + 1);
    if (inFrames <= 0) return {};
    std::vector<float> mono(inFrames);
    const char* p = wave.constData() + in.dataOffset;
    for (qint64 i = 0; i < inFrames; ++i) {
        float sum = 0;
        for (int c = 0; c < in.channels; ++c, p += inSampleBytes)
            sum += in.bits == 8 ? (quint8(*p) - 128) / 128.0f
                                : qFromLittleEndian<qint16>(p) / 32768.0f;
        mono[i] = sum / in.channels;
    }

    qint64 outFrames = (inFrames * outRate + in.rate - 1) / in.rate;
    outFrames = std::min<qint64>(outFrames, qint64(maxMs) * outRate / 1000);
    const qint64 totalFrames = std::max<qint64>(outFrames, minFrames);
    const int frameBytes = sampleBytes * outChannels;
    QByteArray out(totalFrames * frameBytes, Qt::Uninitialized);
    char* to = out.data();
    const double step = double(in.rate) / outRate;
    for (qint64 j = 0; j < totalFrames; ++j) {
        float v = 0; // silence after the sound
        if (j < outFrames) {
            const double pos = j * step;
            const qint64 i = std::min<qint64>(qint64(pos), inFrames - 1);
            const float frac = float(pos - i);
            v = mono[i] + (mono[std::min(i + 1, inFrames - 1)] - mono[i]) * frac;
        }
        for (int c = 0; c < outChannels; ++c, to += sampleBytes)
            PutSample(to, format.sampleFormat(), v);
    }
    return out;
}
