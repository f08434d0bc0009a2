#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QStringList sampleTexts(int count) {
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts.append(ComposeRecordText(
            QStringLiteral("問題%1：日本で一番長い川は、どこからどこへ流れているでしょう？").arg(i),
            QStringLiteral("信濃川%1").arg(i), QChar(u'1' + i % 7)));
    return texts;
}

// Reads records by number from a 10,000-record file, in a scattered order as a shuffled run does.
void ReadOneRecord(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.znd"));
    if (!WriteRecordTexts(path, sampleTexts(10000))) {
        state.SkipWithError("could not write the sample file");
        return;
    }
    QuestionFile file;
    file.open(path);
    QuestionRecord record;
    int n = 1;
    for (auto _ : state) {
        n = (n * 7919) % 10000 + 1;
        benchmark::DoNotOptimize(file.read(n, record));
    }
}
BENCHMARK(ReadOneRecord)->Repetitions(5)->ReportAggregatesOnly(true);

// Writes a whole 1,000-record file through a temporary file and rename.
void WriteThousandRecords(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.znd"));
    const QStringList texts = sampleTexts(1000);
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteRecordTexts(path, texts));
}
BENCHMARK(WriteThousandRecords)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// Sequential reading of the same 1,000 records, as the editor loads a file.
void ReadThousandRecordTexts(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.znd"));
    WriteRecordTexts(path, sampleTexts(1000));
    bool ok = false;
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadRecordTexts(path, 1000, &ok));
}
BENCHMARK(ReadThousandRecordTexts)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
