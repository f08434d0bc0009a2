#include "core/Sjis.h"
#include "platform/Cp932.h"

#include <QString>

#include <benchmark/benchmark.h>

namespace {

// A question of exactly 288 code page 932 bytes: mostly full-width text with some ASCII,
// half-width katakana and punctuation, as real questions are.
QString Question288() {
    const QString piece =
        QStringLiteral("日本で一番高い山は富士山ですが、ｶﾀｶﾅ ABC 123 二番目に高い山は何？");
    QString q;
    while (SjisWidth(q + piece, 0) <= 288)
        q += piece;
    for (const QChar c : piece) {
        if (SjisWidth(q + c, 0) > 288) break;
        q += c;
    }
    while (SjisWidth(q, 0) < 288)
        q += QLatin1Char('x');
    return q;
}

// The question display measures every character on its own while breaking lines.
void BM_SjisWidthPerCharacter(benchmark::State& state) {
    const QString q = Question288();
    int total = 0;
    for (auto _ : state) {
        total = 0;
        for (int i = 1; i <= q.size(); ++i)
            total += SjisWidth(q, i);
        benchmark::DoNotOptimize(total);
    }
    state.counters["bytes"] = SjisWidth(q, 0);
    state.counters["chars"] = double(q.size());
}
BENCHMARK(BM_SjisWidthPerCharacter)->Unit(benchmark::kMicrosecond);

void BM_SjisWidthWholeText(benchmark::State& state) {
    const QString q = Question288();
    for (auto _ : state)
        benchmark::DoNotOptimize(SjisWidth(q, 0));
}
BENCHMARK(BM_SjisWidthWholeText)->Unit(benchmark::kMicrosecond);

// Reading one record's fields back: encode, then cut question and answer.
void BM_RecordRoundTrip(benchmark::State& state) {
    const QString q = Question288();
    for (auto _ : state) {
        const QByteArray bytes = SjisBytes(q) + QByteArray(60, ' ') + "3";
        benchmark::DoNotOptimize(SjisField(bytes, 288, 0));
        benchmark::DoNotOptimize(SjisField(bytes, 289, 60));
    }
}
BENCHMARK(BM_RecordRoundTrip)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
