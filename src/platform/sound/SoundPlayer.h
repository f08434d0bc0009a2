#pragma once

#include <QAudioDevice>
#include <QAudioFormat>
#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>

#include "platform/SoundOutput.h"

#include <array>
#include <map>
#include <memory>

class QTimer;

// Plays WAVE images held in memory, heard as soon as the sound server mixes again: two audio
// outputs with a short buffer stay open between sounds on the default device, each sound is
// converted once to their format and written whole, so it plays on while this thread is busy.
// Starting a sound stops the one still playing: the new sound goes to the idle output and the
// busy one is closed and opened again. After a minute without a sound the outputs are closed, so
// an idle program keeps neither the sound server nor itself awake; the next sound opens them
// again. Without an audio device every call is silent and returns at once.
class SoundPlayer : public QObject, public SoundOutput {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // synchronous: returns when the sound has ended, or at the latest one second after its
    // length, so a device that never takes the sound cannot hang the program. Keyboard and
    // mouse input waits meanwhile, as it would behind a blocking system call.
    void play(int id, const QByteArray& wave, bool synchronous) override;
    void stop();

    // Whether the last play() call handed its sound to an audio device.
    bool lastPlayStarted() const { return lastStarted_; }
    // Whether an output is open (primed for the next sound).
    bool outputsOpen() const;
    // How long the outputs stay open after the last sound.
    void setIdleCloseMs(int ms);

private:
    struct Output;
    bool ensureOutputs();
    bool restart(Output& output);
    bool busy(const Output& output) const;
    void feed();
    void waitForEnd(Output& output, qint64 limit);
    void closeIdleOutputs();

    QAudioDevice device_;
    QAudioFormat format_;
    std::array<std::unique_ptr<Output>, 2> outputs_;
    Output* current_ = nullptr;                               // the last sound's output
    std::map<int, std::pair<QByteArray, QByteArray>> sounds_; // id: image, converted samples
    QElapsedTimer clock_;
    QTimer* feeder_ = nullptr;
    QTimer* idle_ = nullptr; // closes the outputs after a while without a sound
    int generation_ = 0;     // counts output sets, so a wait notices the device changed under it
    bool lastStarted_ = false;
};
