// Game-controller buttons: how long a button takes from the device to a registered buzz in the
// quiz window, and what the reader costs while nobody presses anything (CPU time over 10 s) with
// no device, with a device whose node wakes the reader, and with one it has to poll. The devices
// are SDL's virtual joysticks; a FIFO written with each change stands in for the device node
// the kernel makes readable.
#include "core/AppGlobals.h"
#include "data/QuestionFile.h"
#include "platform/SdlControllers.h"
#include "quiz/ZN.h"
#include "support/FakePlatform.h"
#include "support/VirtualPad.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "support/BenchMain.h"
#include "support/BenchQuiz.h"

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {

QTemporaryDir* gDir = nullptr;

enum Device { NoDevice, WokenDevice, PolledDevice };

// A reader installed as the program's controllers, with one virtual pad of the given kind.
struct Rig {
    explicit Rig(Device device) {
        previous = setControllers(&reader);
        if (device == NoDevice) return;
        if (device == WokenDevice) {
            fifo = gDir->filePath(QStringLiteral("event%1").arg(++fifoCount));
            mkfifo(QFile::encodeName(fifo).constData(), 0600);
            writer = ::open(QFile::encodeName(fifo).constData(), O_RDWR | O_NONBLOCK);
            reader.wakeNodeFor = [this](const QString&) { return fifo; };
        }
        pad = std::make_unique<VirtualPad>(4, 0x2222);
        reader.pollNow();
    }
    ~Rig() {
        pad.reset();
        if (writer >= 0) ::close(writer);
        setControllers(previous);
    }
    // What the kernel does when the device sends: its node becomes readable.
    void set(int button, bool down) {
        pad->setButton(button, down);
        if (writer >= 0 && ::write(writer, "e", 1) != 1) std::perror("fifo");
    }

    SdlControllers reader;
    Controllers* previous = nullptr;
    std::unique_ptr<VirtualPad> pad;
    QString fifo;
    int writer = -1;
    static inline int fifoCount = 0;
};

std::unique_ptr<ZN> MatchWindow(int padCode) {
    AppGlobals& g = G();
    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.IniPath = gDir->filePath(QStringLiteral("ZN.INI"));
    SettingsRecord r;
    r.soundOn = QStringLiteral("OFF");
    const QString path = WriteBenchQuiz(gDir->path(), r);
    g.Roster = {true, 1, {{{QStringLiteral("Pad"), padCode}, {QStringLiteral("Key"), 'B'}}}};

    auto zn = std::make_unique<ZN>();
    zn->useRealTimer = false;
    zn->endProgram = [] {};
    g.CurrentFile.clear();
    zn->Form_Load();
    g.CurrentFile = path;
    g.RecordCount = 1;
    zn->OpenQuestionFile();
    zn->st.running = true;
    zn->NextQuestion();
    zn->show();
    QApplication::setActiveWindow(zn.get());
    if (!QTest::qWaitForWindowActive(zn.get())) std::fprintf(stderr, "window not active\n");
    return zn;
}

// Release of a player's button to the buzz registered (real time per press); "reader_us" is the
// part until the reader reports the release, the rest is the quiz window's own handling.
void BM_ButtonToBuzz(benchmark::State& state) {
    Rig rig(Device(state.range(0)));
    if (rig.reader.connectedPads().isEmpty()) {
        state.SkipWithError("no virtual pad");
        return;
    }
    // Connected before the window is, so this runs before the window handles the button.
    int changes = 0;
    QElapsedTimer clock;
    qint64 reportedNs = 0;
    QObject::connect(&rig.reader, &Controllers::buttonChanged, [&](int, bool down) {
        ++changes;
        if (!down) reportedNs = clock.nsecsElapsed();
    });
    // The virtual pad comes after any real device.
    auto zn = MatchWindow(ControllerButtonCode(rig.reader.connectedPads().last(), 0));
    if (!zn->isActiveWindow()) {
        state.SkipWithError("the quiz window is not active");
        return;
    }
    double readerNs = 0;
    const auto waitFor = [](const auto& done) {
        while (!done())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    };
    for (auto _ : state) {
        zn->st.buzzCount = 0;
        zn->st.buzzKey = 0;
        zn->st.buzzed = false;
        zn->st.playerBuzzed.fill(false);
        zn->st.quizState = 2;
        const int before = changes;
        rig.set(0, true);
        waitFor([&] { return changes > before; });
        clock.start();
        rig.set(0, false);
        waitFor([&] { return zn->st.buzzCount > 0; });
        const qint64 total = clock.nsecsElapsed();
        state.SetIterationTime(double(total) / 1e9);
        readerNs += double(reportedNs);
    }
    state.counters["reader_us"] =
        benchmark::Counter(readerNs / 1000, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ButtonToBuzz)
    ->ArgName("device")
    ->Arg(WokenDevice)
    ->Arg(PolledDevice)
    ->UseManualTime()
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

// The whole process's CPU time while the event loop waits with the reader running.
void BM_IdleCpu(benchmark::State& state) {
    Rig rig(Device(state.range(0)));
    const int seconds = qEnvironmentVariableIntValue("ZN_IDLE_SECONDS") > 0
                            ? qEnvironmentVariableIntValue("ZN_IDLE_SECONDS")
                            : 10;
    for (auto _ : state) {
        QEventLoop loop;
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    state.counters["seconds"] = seconds;
    state.counters["polling"] = rig.reader.polling();
}
BENCHMARK(BM_IdleCpu)
    ->ArgName("device")
    ->Arg(NoDevice)
    ->Arg(WokenDevice)
    ->Arg(PolledDevice)
    ->Iterations(1)
    ->UseRealTime()
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    FakePlatform fake;
    QTemporaryDir dir;
    gDir = &dir;
    return RunBenchmarks(argc, argv);
}
