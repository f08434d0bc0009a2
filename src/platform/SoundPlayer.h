#pragma once

#include <QByteArray>
#include <QObject>

#include <map>
#include <memory>

class QSoundEffect;
class QTemporaryFile;

// Length in milliseconds of the sound in a RIFF WAVE image (PCM), or -1 when the image is not
// a WAVE file that can be played (bad header, no data, truncated chunks).
int WaveDurationMs(const QByteArray& wave);

// Plays WAVE images held in memory. Each sound id keeps its own effect, loaded once from a
// temporary file, so a sound repeated every timer tick starts without delay. Starting a sound
// stops the one still playing. Without an audio device every call is silent.
class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // synchronous: returns when the sound has ended, or at the latest one second after its
    // length, so a device that never reports the end cannot hang the program. Keyboard and
    // mouse input waits meanwhile, as it would behind a blocking system call.
    void play(int id, const QByteArray& wave, bool synchronous);
    void stop();

    // Whether the last play() call handed its sound to an audio device.
    bool lastPlayStarted() const { return lastStarted_; }

private:
    struct Entry;
    Entry* prepare(int id, const QByteArray& wave);

    std::map<int, std::unique_ptr<Entry>> entries_;
    QSoundEffect* current_ = nullptr;
    bool lastStarted_ = false;
};
