#include "platform/SoundPlayer.h"

#include <QAudioDevice>
#include <QDir>
#include <QEventLoop>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>
#include <QtEndian>

#include <algorithm>

namespace {

quint32 le32(const char* p) {
    return qFromLittleEndian<quint32>(p);
}
quint16 le16(const char* p) {
    return qFromLittleEndian<quint16>(p);
}

} // namespace

int WaveDurationMs(const QByteArray& wave) {
    if (wave.size() < 12 || !wave.startsWith("RIFF") || wave.mid(8, 4) != "WAVE") return -1;
    const qint64 size = wave.size();
    const char* data = wave.constData();
    quint32 byteRate = 0;
    quint16 format = 0;
    qint64 pos = 12;
    while (pos + 8 <= size) {
        const QByteArray id(data + pos, 4);
        const qint64 length = le32(data + pos + 4);
        const qint64 body = pos + 8;
        if (id == "fmt ") {
            if (length < 16 || body + 16 > size) return -1;
            format = le16(data + body);
            byteRate = le32(data + body + 8);
        } else if (id == "data") {
            if (format != 1 || byteRate == 0)
                return -1; // only PCM, and the format chunk must come first
            // A data chunk claiming more than the image holds plays what is there.
            const qint64 available = std::min(length, size - body);
            if (available <= 0) return -1;
            return static_cast<int>(available * 1000 / byteRate);
        }
        pos = body + length + (length & 1); // chunks are padded to even sizes
    }
    return -1;
}

struct SoundPlayer::Entry {
    QByteArray wave;
    int durationMs = 0;
    std::unique_ptr<QTemporaryFile> file;
    std::unique_ptr<QSoundEffect> effect; // declared last: released before its file
};

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer() = default;

SoundPlayer::Entry* SoundPlayer::prepare(int id, const QByteArray& wave) {
    auto it = entries_.find(id);
    if (it != entries_.end() && it->second->wave == wave) return it->second.get();
    if (it != entries_.end()) {
        if (current_ == it->second->effect.get()) current_ = nullptr;
        entries_.erase(it);
    }

    const int duration = WaveDurationMs(wave);
    if (duration < 0) return nullptr;
    auto entry = std::make_unique<Entry>();
    entry->wave = wave;
    entry->durationMs = duration;
    entry->file =
        std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/zn-sound-XXXXXX.wav"));
    if (!entry->file->open() || entry->file->write(wave) != wave.size()) return nullptr;
    entry->file->close(); // the name stays reserved until the entry goes
    entry->effect = std::make_unique<QSoundEffect>();
    entry->effect->setSource(QUrl::fromLocalFile(entry->file->fileName()));
    Entry* raw = entry.get();
    entries_[id] = std::move(entry);
    return raw;
}

void SoundPlayer::stop() {
    if (current_) current_->stop();
    current_ = nullptr;
}

void SoundPlayer::play(int id, const QByteArray& wave, bool synchronous) {
    lastStarted_ = false;
    stop();
    if (QMediaDevices::defaultAudioOutput().isNull()) return;
    Entry* entry = prepare(id, wave);
    if (!entry || entry->effect->status() == QSoundEffect::Error) return;

    QSoundEffect* effect = entry->effect.get();
    current_ = effect;
    effect->play();
    lastStarted_ = effect->isPlaying();
    if (!synchronous || !effect->isPlaying()) return;

    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    connect(effect, &QSoundEffect::playingChanged, &loop, [&loop, effect] {
        if (!effect->isPlaying()) loop.quit();
    });
    connect(effect, &QSoundEffect::statusChanged, &loop, [&loop, effect] {
        if (effect->status() == QSoundEffect::Error) loop.quit();
    });
    limit.start(entry->durationMs + 1000);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}
