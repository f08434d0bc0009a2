#include "Art.h"

#include <QtEndian>

#include <cmath>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;

void PutTag(QByteArray& out, const char* tag) {
    out.append(tag, 4);
}
void Put32(QByteArray& out, quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}
void Put16(QByteArray& out, quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

int Samples(double seconds, int rate) {
    return int(std::lround(seconds * rate)) & ~1;
}

// A bell-like note: a sine with a quieter inharmonic partial, struck at start and decaying.
void AddBell(std::vector<double>& s, int rate, double start, double frequency, double decay,
             double level) {
    const int first = int(start * rate);
    for (int i = first; i < int(s.size()); ++i) {
        const double t = double(i - first) / rate;
        const double envelope = std::exp(-t / decay) * std::min(1.0, t / 0.004);
        s[i] += level * envelope *
                (std::sin(kTwoPi * frequency * t) + 0.3 * std::sin(kTwoPi * frequency * 2.0 * t) +
                 0.12 * std::sin(kTwoPi * frequency * 3.01 * t));
    }
}

// Softens the last few milliseconds so that no sound ends with a click.
void FadeOut(std::vector<double>& s, int rate, double seconds) {
    const int n = std::min(int(s.size()), int(seconds * rate));
    for (int i = 0; i < n; ++i)
        s[s.size() - 1 - i] *= double(i) / n;
}

std::vector<double> NextQuestionChime() {
    // Two quick rising bell notes, the "here comes the next one" call.
    const int rate = 11025;
    std::vector<double> s(Samples(0.37, rate));
    AddBell(s, rate, 0.0, 987.8, 0.09, 0.38);   // B5
    AddBell(s, rate, 0.09, 1318.5, 0.12, 0.42); // E6
    FadeOut(s, rate, 0.03);
    return s;
}

std::vector<double> Buzzer() {
    // A bright, hard electronic buzz with a fast upward blip at its start.
    const int rate = 11025;
    std::vector<double> s(Samples(0.28, rate));
    double phase = 0, phase2 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double f = 740 + 400 * std::exp(-t / 0.02);
        phase += f / rate;
        phase2 += f * 1.5 / rate;
        const double square = std::fmod(phase, 1.0) < 0.5 ? 1.0 : -1.0;
        const double saw = 2.0 * std::fmod(phase2, 1.0) - 1.0;
        const double envelope =
            std::min(1.0, t / 0.003) * (t > 0.22 ? std::exp(-(t - 0.22) / 0.03) : 1.0);
        s[i] = envelope * (0.5 * square + 0.25 * saw);
    }
    FadeOut(s, rate, 0.01);
    return s;
}

std::vector<double> WrongTone() {
    // Two low, rough blasts: the "no, time is up" sound.
    const int rate = 11025;
    std::vector<double> s(Samples(0.43, rate));
    double a = 0, b = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        a += 146.8 / rate;
        b += 155.6 / rate;
        const bool on = t < 0.18 || (t > 0.21 && t < 0.42);
        const double local = t < 0.19 ? t : t - 0.21;
        const double envelope =
            on ? std::min(1.0, local / 0.006) * (1.0 - 0.3 * local / 0.21) : 0.0;
        const double pulse =
            (std::fmod(a, 1.0) < 0.35 ? 1.0 : -1.0) + (std::fmod(b, 1.0) < 0.5 ? 0.6 : -0.6);
        s[i] = 0.38 * envelope * pulse;
    }
    FadeOut(s, rate, 0.015);
    return s;
}

std::vector<double> CorrectDing() {
    // A high note and a lower, longer one: the bright "that is right" ding-dong.
    const int rate = 11025;
    std::vector<double> s(Samples(0.43, rate));
    AddBell(s, rate, 0.0, 1568.0, 0.07, 0.4);   // G6
    AddBell(s, rate, 0.12, 1244.5, 0.16, 0.45); // D#6
    FadeOut(s, rate, 0.03);
    return s;
}

std::vector<double> Tick() {
    // A short, soft wooden tick for every step of the thinking count.
    const int rate = 22050;
    std::vector<double> s(Samples(0.04, rate));
    Rng rng(15);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double noise = rng.unit() * 2.0 - 1.0;
        s[i] = std::exp(-t / 0.006) * (0.45 * std::sin(kTwoPi * 1800 * t) + 0.15 * noise);
    }
    FadeOut(s, rate, 0.005);
    return s;
}

} // namespace

QByteArray WaveImage(const std::vector<double>& samples, int rate) {
    const quint32 n = quint32(samples.size());
    QByteArray out;
    PutTag(out, "RIFF");
    Put32(out, 36 + n + (n & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, 1); // PCM
    Put16(out, 1); // mono
    Put32(out, quint32(rate));
    Put32(out, quint32(rate)); // bytes per second
    Put16(out, 1);             // bytes per sample frame
    Put16(out, 8);             // bits per sample
    PutTag(out, "data");
    Put32(out, n);
    for (double v : samples)
        out.append(char(quint8(qBound(0L, std::lround(128.0 + 127.0 * v), 255L))));
    if (n & 1) out.append('\x80');
    return out;
}

QByteArray SynthesiseSound(int id) {
    switch (id) {
    case 11:
        return WaveImage(NextQuestionChime(), 11025);
    case 12:
        return WaveImage(Buzzer(), 11025);
    case 13:
        return WaveImage(WrongTone(), 11025);
    case 14:
        return WaveImage(CorrectDing(), 11025);
    case 15:
        return WaveImage(Tick(), 22050);
    default:
        return {};
    }
}
