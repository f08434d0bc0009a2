// Opening screen and version window: the load step, one opening tick of the block effects and
// one corner-animation tick.
#include "about/Jyou.h"
#include "about/OpeningScene.h"
#include "about/op.h"
#include "core/AppGlobals.h"
#include "core/Resources.h"
#include "quiz/ZN.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QTemporaryDir>

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

void SetUpGlobals(const QTemporaryDir& dir) {
    AppGlobals& g = G();
    g.AppFolder = dir.path() + QLatin1Char('/');
    g.IniPath = dir.filePath(QStringLiteral("ZN.INI"));
    g.ToolPath = dir.filePath(QStringLiteral("Pomvex"));
    g.AppTitle = QStringLiteral("ZE Zir Uduzedu");
    g.VersionText = QStringLiteral(" Version 4.0 Level 32");
    g.CurrentFile.clear();
}

// The whole load step of the opening, the hidden main window's load included.
void BM_OpeningLoad(benchmark::State& state) {
    FakePlatform fake;
    QTemporaryDir dir;
    SetUpGlobals(dir);
    for (auto _ : state) {
        std::unique_ptr<ZN> main;
        op opening;
        opening.useRealTimer = false;
        opening.loadMain = [&] {
            main = std::make_unique<ZN>();
            main->useRealTimer = false;
            main->Form_Load();
        };
        opening.Form_Load();
        benchmark::DoNotOptimize(opening.scene.CardImage.constBits());
        state.PauseTiming();
        opening.Form_Unload();
        opening.hide();
        main.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpeningLoad)->Unit(benchmark::kMillisecond);

// One stage-1 tick of effect 6 or 7 (1,352 blocks), the band copies and the seal included.
void BM_OpeningBlockTick(benchmark::State& state) {
    QTemporaryDir dir;
    SetUpGlobals(dir);
    OpeningScene scene;
    scene.Prepare(0, 99);
    scene.EffectNo = quint8(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        scene.Stage = 1;
        scene.Tick = 1 + (scene.Tick % 31);
        state.ResumeTiming();
        scene.TT_Timer();
    }
}
BENCHMARK(BM_OpeningBlockTick)->Arg(6)->Arg(7)->Unit(benchmark::kMicrosecond);

void BM_VersionAnimationTick(benchmark::State& state) {
    FakePlatform fake;
    QTemporaryDir dir;
    SetUpGlobals(dir);
    G().SkinDC = LoadPicture(QStringLiteral("sprites")).copy(0, 0, 640, 480);
    Jyou window;
    window.useRealTimer = false;
    window.Form_Load();
    for (auto _ : state)
        window.Tim_Timer();
    benchmark::DoNotOptimize(window.frame.constBits());
}
BENCHMARK(BM_VersionAnimationTick)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
