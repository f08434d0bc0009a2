// The study history: recording one answer (what the quiz waits for, and what the writing thread
// spends), opening the 成績 window over 100,000 answers up to its first chart, and building a
// review file from that history. Also how evenly a real 50 ms timer ticks while every tick
// records an answer.
#include "data/QuestionFile.h"
#include "history/HistoryStats.h"
#include "history/HistoryStore.h"
#include "history/ReviewList.h"
#include "history/SqliteRecorder.h"
#include "stats/Seiseki.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QChartView>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int Questions = 1000;
constexpr int Answers = 100000;
constexpr qint64 NowMs = 1796558400000; // the fake platform's clock, 2026-12-06 12:00 UTC

QTemporaryDir* gDir = nullptr;
QString gHistory, gSource;
QList<qint64> gHashes;

AnswerRecord Sample(int i) {
    AnswerRecord a;
    const int n = i % Questions + 1;
    a.whenMs = NowMs - qint64(Answers - i) * 20000; // 100,000 answers over about 23 days
    a.filePath = gSource;
    a.fileHash = QByteArray(32, 'h');
    a.recordNo = n;
    a.recordHash = gHashes.value(n - 1, i);
    a.genre = n % 7 + 1;
    a.player = (i % 3 == 0) ? QStringLiteral("花子") : QStringLiteral("太郎");
    a.verdict = (i * 7919 % 10 < 6) ? Verdict::Right : (i % 2 ? Verdict::Wrong : Verdict::TimeOver);
    a.questionLength = 40;
    a.charsShown = 4 + (i * 31) % 37;
    a.thinkingMs = 2000;
    a.answerMs = 900;
    a.buzzRank = 1;
    return a;
}

// A question file of 1,000 questions and a history of 100,000 answers to them.
void MakeHistory() {
    if (!gHashes.isEmpty()) return;
    gSource = gDir->filePath(QStringLiteral("set.znd"));
    gHistory = gDir->filePath(QStringLiteral("history.sqlite"));
    QStringList texts;
    for (int n = 1; n <= Questions; ++n)
        texts << ComposeRecordText(QStringLiteral("第%1問、これは何でしょう？").arg(n),
                                   QStringLiteral("答え%1").arg(n), QLatin1Char(char('1' + n % 7)));
    WriteRecordTexts(gSource, texts);
    QuestionFile file;
    file.open(gSource);
    for (int n = 1; n <= Questions; ++n) {
        QuestionRecord r;
        file.read(n, r);
        gHashes << RecordHash(r);
    }
    HistoryStore store;
    store.open(gHistory);
    QList<AnswerRecord> all;
    for (int i = 0; i < Answers; ++i)
        all << Sample(i);
    store.insert(all);
}

void BM_RecordOneAnswer_Quiz(benchmark::State& state) {
    SqliteRecorder recorder(gDir->filePath(QStringLiteral("record.sqlite")));
    int i = 0;
    for (auto _ : state)
        recorder.record(Sample(i++));
    recorder.flush(); // outside the measurement: the loop has ended
}
// A fixed count: the writer needs about a millisecond per answer, and a benchmark loop of
// millions would queue far more than a run ever does.
BENCHMARK(BM_RecordOneAnswer_Quiz)->Unit(benchmark::kMicrosecond)->Iterations(2000);

void BM_RecordOneAnswer_Writer(benchmark::State& state) {
    HistoryStore store;
    store.open(gDir->filePath(QStringLiteral("insert.sqlite")));
    int i = 0;
    for (auto _ : state)
        store.insert({Sample(i++)});
}
BENCHMARK(BM_RecordOneAnswer_Writer)->Unit(benchmark::kMicrosecond)->Iterations(1000);

void BM_OpenStatsToFirstChart(benchmark::State& state) {
    MakeHistory();
    for (auto _ : state) {
        Seiseki window(gHistory);
        window.resize(860, 620);
        window.Form_Load();
        const QPixmap first = window.charts[0]->grab();
        benchmark::DoNotOptimize(first.cacheKey());
    }
}
BENCHMARK(BM_OpenStatsToFirstChart)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_StatsQueries(benchmark::State& state) {
    MakeHistory();
    HistoryStore store;
    store.open(gHistory);
    const StatsFilter all;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Summarize(store.database(), all, NowMs, 28, 0).days.size());
    }
}
BENCHMARK(BM_StatsQueries)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_BuildReviewFile(benchmark::State& state) {
    MakeHistory();
    HistoryStore store;
    store.open(gHistory);
    ReviewOptions options;
    options.filter.allPlayers = false;
    options.filter.player = QStringLiteral("太郎");
    const QString out = gDir->filePath(QStringLiteral("review.znd"));
    int written = 0;
    for (auto _ : state) {
        const QList<ReviewItem> items = MissedQuestions(store.database(), options);
        written = WriteReviewFile(items, out).written;
    }
    state.counters["questions"] = written;
}
BENCHMARK(BM_BuildReviewFile)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_BuildSpacedReviewFile(benchmark::State& state) {
    MakeHistory();
    HistoryStore store;
    store.open(gHistory);
    ReviewOptions options;
    const QString out = gDir->filePath(QStringLiteral("spaced.znd"));
    int written = 0;
    for (auto _ : state) {
        const QList<ReviewItem> items = DueQuestions(store.database(), options, NowMs);
        written = WriteReviewFile(items, out).written;
    }
    state.counters["questions"] = written;
}
BENCHMARK(BM_BuildSpacedReviewFile)->Unit(benchmark::kMillisecond)->Iterations(10);

// Lateness of a 50 ms precise timer on the quiz's thread, with and without an answer recorded
// on every tick (far more often than once per question).
void MeasureTicks(bool recording) {
    SqliteRecorder recorder(gDir->filePath(QStringLiteral("ticks.sqlite")));
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(50);
    std::vector<qint64> stamps;
    QElapsedTimer clock;
    clock.start();
    int i = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        stamps.push_back(clock.nsecsElapsed());
        if (recording) recorder.record(Sample(i++));
    });
    timer.start();
    while (stamps.size() < 101 && clock.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    timer.stop();
    std::vector<double> late;
    for (size_t k = 1; k < stamps.size(); ++k)
        late.push_back(std::fabs((stamps[k] - stamps[k - 1]) / 1e6 - 50.0));
    std::sort(late.begin(), late.end());
    if (late.empty()) return;
    std::printf("50 ms timer %s: %zu ticks, 95th percentile error %.3f ms, max %.3f ms\n",
                recording ? "recording an answer every tick" : "without recording", late.size(),
                late[size_t(late.size() * 0.95)], late.back());
}

} // namespace

int main(int argc, char** argv) {
    FakePlatform fake;
    QTemporaryDir dir;
    gDir = &dir;
    return RunBenchmarks(argc, argv, [] {
        MeasureTicks(false);
        MeasureTicks(true);
    });
}
