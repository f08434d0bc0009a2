#pragma once

#include "platform/Controllers.h"

#include <QFileSystemWatcher>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class DeviceWake;
struct SdlLibrary;
struct _SDL_Joystick;

// Reads game controllers, joysticks and buzzer boxes through SDL's joystick subsystem (no SDL
// window, no video): every button of every device, devices plugged in and out at any time.
//
// Nothing runs while no device is attached: plugging one in is noticed through a watch on the
// device folders. A device with a node SDL reads (/dev/input/event*, /dev/hidraw*) wakes the
// reader when it has input; only a device without one (SDL's virtual joysticks, systems without
// device nodes) is polled, every PollMs, and only while it is attached.
class SdlControllers : public Controllers {
    Q_OBJECT
public:
    static constexpr int PollMs = 1;

    enum class Start { Now, Later };
    // With Start::Later nothing is read until start(): the program starts the reader once its
    // first window is up, as loading SDL and looking for devices takes a while.
    explicit SdlControllers(QObject* parent = nullptr, Start when = Start::Now);
    ~SdlControllers() override;

    // Loads SDL and starts its joystick subsystem; only the first call does anything.
    void start();
    // False when SDL is missing or its joystick subsystem could not start: then no pad is ever
    // seen.
    bool started() const { return started_; }
    QList<int> connectedPads() const override;
    // The device's name as it reports it; empty for a pad never seen.
    QString padName(int pad) const;

    // Reads what SDL has seen since the last time (devices and buttons) and reports it. Called by
    // the wake-ups, the poll and the hot-plug watch; tests call it after acting on a device.
    void pollNow();
    bool polling() const { return poll_.isActive(); }

    // Where to wait for a device's input, given the node SDL reads (empty when it reads none).
    // Tests and benchmarks put a FIFO in for SDL's virtual joysticks.
    std::function<QString(const QString& sdlPath)> wakeNodeFor;

private:
    struct Pad {
        QString guid, serial, path, name;
        _SDL_Joystick* joystick = nullptr; // nullptr while unplugged
        int instance = -1;
        std::unique_ptr<DeviceWake> wake;
    };

    void attach(int deviceIndex);
    void detach(int instance);
    int padOfInstance(int instance) const;
    int reusablePad(const QString& guid, const QString& serial, const QString& path) const;
    void watchWake(Pad& pad);
    void updatePolling();
    void watchDeviceFolders();
    void deviceFoldersChanged();

    const SdlLibrary* sdl_ = nullptr;
    bool tried_ = false;
    bool started_ = false;
    bool inPoll_ = false;
    bool pollAgain_ = false;
    std::vector<Pad> pads_;
    QTimer poll_;
    QFileSystemWatcher folders_;
    QTimer settle_; // follow-up looks after a device folder changed
    int settleStep_ = 0;
    QTimer detect_; // where no device folder can be watched: a slow look for new devices
};
