#include "platform/SdlControllers.h"

#include "platform/DeviceWake.h"
#include "platform/SdlLibrary.h"

#include <QDir>

#include <array>
#include <utility>

namespace {

// After a node appears, udev still sets its permissions and only then tells SDL: look again a
// few times before going back to sleep.
constexpr std::array<int, 4> SettleDelaysMs = {100, 400, 1000, 3000};
constexpr int DetectMs = 2000;

QString guidText(const SdlLibrary& sdl, SDL_Joystick* joystick) {
    char text[33] = {};
    sdl.JoystickGetGUIDString(sdl.JoystickGetGUID(joystick), text, sizeof text);
    return QString::fromLatin1(text);
}

QString utf8(const char* text) {
    return text ? QString::fromUtf8(text) : QString();
}

} // namespace

SdlControllers::SdlControllers(QObject* parent, Start when) : Controllers(parent) {
    poll_.setTimerType(Qt::PreciseTimer);
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &SdlControllers::pollNow);
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, [this] {
        pollNow();
        if (++settleStep_ < int(SettleDelaysMs.size())) settle_.start(SettleDelaysMs[settleStep_]);
    });
    connect(&folders_, &QFileSystemWatcher::directoryChanged, this,
            &SdlControllers::deviceFoldersChanged);
    connect(&detect_, &QTimer::timeout, this, &SdlControllers::pollNow);
    if (when == Start::Now) start();
}

void SdlControllers::start() {
    if (std::exchange(tried_, true)) return;
    sdl_ = LoadSdlLibrary();
    if (!sdl_) return;
    // The program has its own signal handling; SDL must not turn Ctrl+C into an SDL_QUIT that
    // nobody reads.
    sdl_->SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    started_ = sdl_->InitSubSystem(SDL_INIT_JOYSTICK) == 0;
    if (!started_) return;
    // Only buttons count: sticks, hats and balls would fill SDL's queue with motion.
    for (Uint32 type : {SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION})
        sdl_->EventState(type, SDL_IGNORE);
    watchDeviceFolders();
    // Devices present at start are announced by SDL like new ones.
    QTimer::singleShot(0, this, &SdlControllers::pollNow);
}

SdlControllers::~SdlControllers() {
    if (!started_) return;
    for (Pad& pad : pads_) {
        pad.wake.reset();
        if (pad.joystick) sdl_->JoystickClose(pad.joystick);
    }
    sdl_->QuitSubSystem(SDL_INIT_JOYSTICK);
}

QList<int> SdlControllers::connectedPads() const {
    QList<int> pads;
    for (int i = 0; i < int(pads_.size()); ++i)
        if (pads_[i].joystick) pads.append(i);
    return pads;
}

QString SdlControllers::padName(int pad) const {
    return pad >= 0 && pad < int(pads_.size()) ? pads_[pad].name : QString();
}

void SdlControllers::pollNow() {
    if (!started_) return;
    // A handler of a button may process events (a sound starting); a poll from in there would
    // report later events before earlier ones, so it waits for this one to finish.
    if (inPoll_) {
        pollAgain_ = true;
        return;
    }
    inPoll_ = true;
    do {
        pollAgain_ = false;
        sdl_->JoystickUpdate();
        SDL_Event event;
        while (sdl_->PeepEvents(&event, 1, SDL_GETEVENT, SDL_JOYAXISMOTION, SDL_JOYDEVICEREMOVED) >
               0) {
            switch (event.type) {
            case SDL_JOYDEVICEADDED:
                attach(event.jdevice.which);
                break;
            case SDL_JOYDEVICEREMOVED:
                detach(event.jdevice.which);
                break;
            case SDL_JOYBUTTONDOWN:
            case SDL_JOYBUTTONUP: {
                const int pad = padOfInstance(event.jbutton.which);
                if (pad >= 0 && event.jbutton.button < BuzzerCode::MaxButtons)
                    emit buttonChanged(ControllerButtonCode(pad, event.jbutton.button),
                                       event.type == SDL_JOYBUTTONDOWN);
                break;
            }
            default:
                break;
            }
        }
        // Nothing else is read from SDL's queue: whatever else lands there is thrown away so
        // that it cannot grow.
        sdl_->FlushEvents(SDL_FIRSTEVENT, SDL_JOYAXISMOTION - 1);
        sdl_->FlushEvents(SDL_JOYDEVICEREMOVED + 1, SDL_LASTEVENT);
    } while (pollAgain_);
    inPoll_ = false;
    updatePolling();
}

void SdlControllers::attach(int deviceIndex) {
    const SDL_JoystickID instance = sdl_->JoystickGetDeviceInstanceID(deviceIndex);
    if (instance < 0 || padOfInstance(instance) >= 0) return;
    SDL_Joystick* joystick = sdl_->JoystickOpen(deviceIndex);
    if (!joystick) return;
    const QString guid = guidText(*sdl_, joystick);
    const QString serial = utf8(sdl_->JoystickGetSerial(joystick));
    const QString path = utf8(sdl_->JoystickPath(joystick));

    int number = reusablePad(guid, serial, path);
    if (number < 0) {
        if (int(pads_.size()) >= BuzzerCode::MaxPads) {
            sdl_->JoystickClose(joystick);
            return;
        }
        pads_.emplace_back();
        number = int(pads_.size()) - 1;
    }
    Pad& pad = pads_[number];
    pad.guid = guid;
    pad.serial = serial;
    pad.path = path;
    pad.name = utf8(sdl_->JoystickName(joystick));
    pad.joystick = joystick;
    pad.instance = instance;
    watchWake(pad);
    emit padConnected(number);
}

void SdlControllers::detach(int instance) {
    const int number = padOfInstance(instance);
    if (number < 0) return;
    Pad& pad = pads_[number];
    // The wake-up may be what is running now.
    if (pad.wake) pad.wake.release()->deleteLater();
    sdl_->JoystickClose(pad.joystick);
    pad.joystick = nullptr;
    pad.instance = -1;
    emit padDisconnected(number);
}

int SdlControllers::padOfInstance(int instance) const {
    for (int i = 0; i < int(pads_.size()); ++i)
        if (pads_[i].joystick && pads_[i].instance == instance) return i;
    return -1;
}

int SdlControllers::reusablePad(const QString& guid, const QString& serial,
                                const QString& path) const {
    // A device coming back takes its old number: the same kind with the same serial number, else
    // at the same node, else the first unplugged pad of its kind. Two identical boxes without
    // serial numbers may swap numbers when both are unplugged at once.
    int best = -1;
    int bestScore = 0;
    for (int i = 0; i < int(pads_.size()); ++i) {
        const Pad& pad = pads_[i];
        if (pad.joystick || pad.guid != guid) continue;
        const int score = !serial.isEmpty() && pad.serial == serial ? 3
                          : !path.isEmpty() && pad.path == path     ? 2
                                                                    : 1;
        if (score > bestScore) {
            best = i;
            bestScore = score;
        }
    }
    return best;
}

void SdlControllers::watchWake(Pad& pad) {
    pad.wake.reset();
    const QString node = wakeNodeFor ? wakeNodeFor(pad.path) : pad.path;
    if (node.isEmpty()) return;
    auto wake = std::make_unique<DeviceWake>();
    if (!wake->open(node)) return;
    connect(wake.get(), &DeviceWake::readable, this, &SdlControllers::pollNow);
    // SDL sees the unplugging itself; the poll takes over if the device is still there.
    connect(wake.get(), &DeviceWake::lost, this, &SdlControllers::pollNow);
    pad.wake = std::move(wake);
}

void SdlControllers::updatePolling() {
    bool needed = false;
    for (const Pad& pad : pads_)
        needed = needed || (pad.joystick && !(pad.wake && pad.wake->isOpen()));
    if (needed && !poll_.isActive())
        poll_.start();
    else if (!needed && poll_.isActive())
        poll_.stop();
}

void SdlControllers::watchDeviceFolders() {
#ifdef Q_OS_LINUX
    // /dev itself shows /dev/input appearing and the hidraw nodes SDL may read.
    for (const QString& folder : {QStringLiteral("/dev"), QStringLiteral("/dev/input")})
        if (QDir(folder).exists() && !folders_.directories().contains(folder))
            folders_.addPath(folder);
#endif
    if (folders_.directories().isEmpty() && !detect_.isActive()) detect_.start(DetectMs);
}

void SdlControllers::deviceFoldersChanged() {
    watchDeviceFolders();
    pollNow();
    settleStep_ = 0;
    settle_.start(SettleDelaysMs[0]);
}
