// Speed of the quiz window's timer work: one tick of each kind, applying the settings with the
// artwork composition, how late a held-back key release acts, and how evenly a real 50 ms timer
// drives the reveal.
#include "core/AppGlobals.h"
#include "data/QuestionFile.h"
#include "quiz/ZN.h"
#include "quiz/ZnBoard.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include "support/BenchMain.h"
#include "support/BenchQuiz.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QTemporaryDir* gDir = nullptr;

void Prepare(bool sounds) {
    AppGlobals& g = G();
    g.AppFolder = gDir->path() + QLatin1Char('/');
    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.IniPath = gDir->filePath(QStringLiteral("ZN.INI"));
    g.ToolPath = gDir->filePath(QStringLiteral("Pomvex"));
    SettingsRecord r;
    r.speedLevel = QStringLiteral("1");
    r.readPressOn = QStringLiteral("OFF");
    r.randomOrder = QStringLiteral("OFF");
    r.soundOn = sounds ? QStringLiteral("ON ") : QStringLiteral("OFF");
    const QString path = WriteBenchQuiz(gDir->path(), r);
    g.CurrentFile = path;
    g.RecordCount = 1;
}

std::unique_ptr<ZN> LoadedWindow(bool realTimer) {
    auto zn = std::make_unique<ZN>();
    zn->useRealTimer = realTimer;
    zn->endProgram = [] {};
    G().CurrentFile.clear();
    zn->Form_Load();
    G().CurrentFile = gDir->filePath(QStringLiteral("bench.znd"));
    zn->OpenQuestionFile();
    return zn;
}

void Restart(ZN& zn) {
    zn.st.questionNo = 0;
    zn.st.running = true;
    zn.NextQuestion();
}

void BM_RevealTick(benchmark::State& state) {
    Prepare(false);
    auto zn = LoadedWindow(false);
    Restart(*zn);
    for (auto _ : state) {
        if (zn->st.tick >= 140) {
            state.PauseTiming();
            Restart(*zn);
            state.ResumeTiming();
        }
        zn->Tim_Timer();
    }
}
BENCHMARK(BM_RevealTick)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ThinkingTick(benchmark::State& state) {
    Prepare(false);
    auto zn = LoadedWindow(false);
    Restart(*zn);
    while (zn->st.timerMode == 0)
        zn->Tim_Timer();
    for (auto _ : state) {
        if (zn->st.countSeconds >= 9) {
            state.PauseTiming();
            zn->st.countSeconds = 0;
            zn->st.digitRow = 0;
            state.ResumeTiming();
        }
        zn->Tim_Timer();
    }
}
BENCHMARK(BM_ThinkingTick)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_AnswerCountTick(benchmark::State& state) {
    Prepare(false);
    auto zn = LoadedWindow(false);
    Restart(*zn);
    zn->Tim_Timer();
    zn->Form_KeyUp('A');
    zn->Tim_Timer();
    for (auto _ : state) {
        if (zn->st.tick >= 5) zn->st.tick = 0;
        zn->Tim_Timer();
    }
}
BENCHMARK(BM_AnswerCountTick)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ApplySettings(benchmark::State& state) {
    Prepare(false);
    auto zn = LoadedWindow(false);
    for (auto _ : state)
        zn->ApplySettings();
}
BENCHMARK(BM_ApplySettings)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// How late a key release reaches the quiz: a release carrying a time stamp is held back to the
// next turn of the event loop, in case a press of the same key with the same time shows it was
// auto-repeat. Timed from handing the release to the window until the buzz is registered.
void BM_HeldBackReleaseDelay(benchmark::State& state) {
    Prepare(false);
    auto zn = LoadedWindow(false);
    Restart(*zn);
    zn->Tim_Timer();
    quint64 time = 1000;
    QElapsedTimer clock;
    for (auto _ : state) {
        zn->st.buzzKey = 0;
        zn->st.buzzed = false;
        for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
            QKeyEvent event(type, Qt::Key_A, Qt::NoModifier, 38, 0, 0, QString());
            event.setTimestamp(time += 50);
            if (type == QEvent::KeyRelease) clock.start();
            QCoreApplication::sendEvent(zn->board(), &event);
        }
        while (zn->st.buzzKey == 0 && clock.elapsed() < 1000)
            QCoreApplication::processEvents();
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (zn->st.buzzKey == 0) state.SkipWithError("the release never acted");
    }
}
BENCHMARK(BM_HeldBackReleaseDelay)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// A real run at the fastest speed: how far each reveal/count interval strays from 50 ms.
void MeasureRealTimer() {
    Prepare(false);
    auto zn = LoadedWindow(true);
    std::vector<qint64> stamps;
    QElapsedTimer clock;
    clock.start();
    QObject::connect(&zn->Tim, &QTimer::timeout, [&] { stamps.push_back(clock.nsecsElapsed()); });
    Restart(*zn);
    while (stamps.size() < 201 && clock.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    zn->Tim.stop();
    std::vector<double> errors;
    for (size_t i = 1; i < stamps.size(); ++i)
        errors.push_back(std::fabs((stamps[i] - stamps[i - 1]) / 1e6 - 50.0));
    if (errors.empty()) {
        std::printf("real timer: no ticks measured\n");
        return;
    }
    double sum = 0;
    for (double e : errors)
        sum += e;
    std::sort(errors.begin(), errors.end());
    const double p95 = errors[std::min(errors.size() - 1, size_t(errors.size() * 0.95))];
    std::printf("real timer at 50 ms over %zu ticks: mean error %.3f ms, 95th percentile %.3f ms, "
                "max %.3f ms\n",
                errors.size(), sum / errors.size(), p95, errors.back());
}

} // namespace

int main(int argc, char** argv) {
    FakePlatform fake;
    QTemporaryDir dir;
    gDir = &dir;
    return RunBenchmarks(argc, argv, MeasureRealTimer);
}
