#include "BenchMain.h"

#include "platform/Fonts.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int RunBenchmarks(int argc, char** argv, const std::function<void()>& afterwards) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (afterwards) afterwards();
    return 0;
}
