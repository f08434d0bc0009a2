#include "platform/sound/SoundPlayer.h"

#include "platform/sound/WaveImage.h"

#include <QAudioSink>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>

namespace {

// Asked of the sound server: the output queue it keeps ahead of the speaker, which is also how
// much must be written before it starts playing.
constexpr qint64 BufferUs = 10000;

// An open output keeps the sound server and this thread's audio timers running; a minute is
// longer than any reveal or count between two sounds of a run.
constexpr int IdleCloseMs = 60000;

// Mono 16-bit at the device's own rate: nothing for the server to convert but the channels.
QAudioFormat ChooseFormat(const QAudioDevice& device) {
    const QAudioFormat preferred = device.preferredFormat();
    QAudioFormat mono = preferred;
    mono.setChannelCount(1);
    mono.setSampleFormat(QAudioFormat::Int16);
    return device.isFormatSupported(mono) ? mono : preferred;
}

} // namespace

struct SoundPlayer::Output {
    std::unique_ptr<QAudioSink> sink;
    QIODevice* io = nullptr; // the sink's, while it is open
    QByteArray pending;      // samples the device could not take yet
    qint64 endsAt = 0;       // clock time at which the last sound written has been heard
};

SoundPlayer::SoundPlayer(QObject* parent)
    : QObject(parent), feeder_(new QTimer(this)), idle_(new QTimer(this)) {
    clock_.start();
    feeder_->setTimerType(Qt::PreciseTimer);
    feeder_->setInterval(5);
    connect(feeder_, &QTimer::timeout, this, &SoundPlayer::feed);
    idle_->setSingleShot(true);
    idle_->setInterval(IdleCloseMs);
    connect(idle_, &QTimer::timeout, this, &SoundPlayer::closeIdleOutputs);
}

SoundPlayer::~SoundPlayer() = default;

bool SoundPlayer::ensureOutputs() {
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || device != device_) {
        // No device, or another one: the outputs and the samples made for them go.
        current_ = nullptr;
        for (auto& output : outputs_) {
            // A closing sink may run the event loop: not inside this call.
            if (output) output->sink.release()->deleteLater();
            output.reset();
        }
        sounds_.clear();
        device_ = device;
        ++generation_;
        if (device.isNull()) return false;
        format_ = ChooseFormat(device);
        if (!format_.isValid()) return false;
        for (auto& output : outputs_) {
            output = std::make_unique<Output>();
            output->sink = std::make_unique<QAudioSink>(device, format_);
            output->sink->setBufferSize(format_.bytesForDuration(BufferUs));
        }
    }
    if (!format_.isValid()) return false;
    bool any = false;
    for (auto& output : outputs_) {
        // Opened once and kept; opened again after an error closed it.
        if (!output->io || output->sink->state() == QAudio::StoppedState) restart(*output);
        any = any || output->io;
    }
    return any;
}

bool SoundPlayer::restart(Output& output) {
    output.pending.clear();
    output.endsAt = 0;
    output.io = nullptr;
    output.sink->stop(); // drops what the server still holds
    output.io = output.sink->start();
    return output.io != nullptr;
}

bool SoundPlayer::busy(const Output& output) const {
    return !output.pending.isEmpty() || clock_.elapsed() < output.endsAt;
}

void SoundPlayer::feed() {
    bool more = false;
    for (auto& output : outputs_) {
        if (!output || output->pending.isEmpty()) continue;
        const qint64 taken = output->io ? output->io->write(output->pending) : -1;
        if (taken < 0)
            output->pending.clear();
        else
            output->pending.remove(0, taken);
        more = more || !output->pending.isEmpty();
    }
    if (!more) feeder_->stop();
}

bool SoundPlayer::outputsOpen() const {
    return std::any_of(outputs_.begin(), outputs_.end(),
                       [](const auto& output) { return output && output->io; });
}

void SoundPlayer::setIdleCloseMs(int ms) {
    idle_->setInterval(ms);
}

void SoundPlayer::closeIdleOutputs() {
    for (auto& output : outputs_) {
        if (output && busy(*output)) {
            idle_->start(); // still playing: look again later
            return;
        }
    }
    for (auto& output : outputs_) {
        if (!output || !output->io) continue;
        output->sink->stop();
        output->io = nullptr;
    }
    current_ = nullptr;
}

void SoundPlayer::stop() {
    if (current_ && busy(*current_)) restart(*current_);
}

void SoundPlayer::play(int id, const QByteArray& wave, bool synchronous) {
    lastStarted_ = false;
    if (!ensureOutputs()) return;

    auto& [image, samples] = sounds_[id];
    if (image != wave || samples.isEmpty()) {
        image = wave;
        samples = ConvertWave(wave, format_);
    }
    if (samples.isEmpty()) {
        stop();
        return;
    }

    // The idle output takes the sound; the one still playing is closed after it, so the new
    // sound does not wait for that.
    Output* other = outputs_[0].get() == current_ ? outputs_[1].get() : outputs_[0].get();
    Output* target = nullptr;
    if (other->io && !busy(*other))
        target = other;
    else if (current_ && current_->io && !busy(*current_))
        target = current_;
    else if (restart(*other))
        target = other;
    if (!target) {
        stop();
        return;
    }

    // The server starts a stream only once its buffer is full: a shorter sound gets silence.
    QByteArray data = samples;
    const qint64 minBytes =
        std::max<qint64>(target->sink->bufferSize(), format_.bytesForDuration(BufferUs));
    if (data.size() < minBytes)
        data.append(minBytes - data.size(),
                    format_.sampleFormat() == QAudioFormat::UInt8 ? char(0x80) : char(0));
    const qint64 taken = target->io->write(data);
    if (taken <= 0) {
        restart(*target);
        stop();
        return;
    }
    target->pending = data.mid(taken);
    if (!target->pending.isEmpty()) feeder_->start();
    const qint64 lengthMs = format_.durationForBytes(data.size()) / 1000;
    const qint64 now = clock_.elapsed();
    target->endsAt = now + lengthMs + BufferUs / 1000;
    if (current_ && current_ != target && busy(*current_)) restart(*current_);
    current_ = target;
    lastStarted_ = true;
    idle_->start();

    if (synchronous) waitForEnd(*target, now + lengthMs + 1000);
}

void SoundPlayer::waitForEnd(Output& output, qint64 limit) {
    const int generation = generation_;
    Output* const waited = &output;
    // Ends early when another sound took over (a timer may play one meanwhile).
    while (generation == generation_ && current_ == waited && busy(output)) {
        const qint64 now = clock_.elapsed();
        if (now >= limit) break;
        qint64 wait = std::min(output.endsAt, limit) - now;
        if (!output.pending.isEmpty()) wait = std::min<qint64>(wait, 10);
        QEventLoop loop;
        QTimer::singleShot(int(std::max<qint64>(wait, 1)), Qt::PreciseTimer, &loop,
                           &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
}
