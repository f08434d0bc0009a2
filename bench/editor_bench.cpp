// Editor speed: loading and saving a full list of 1,000 records through the File menu, and a
// phrase search over all of them.
#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "editor/Edit.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

QByteArray FullList() {
    QByteArray bytes;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray q = SjisEncode(
            QStringLiteral("第%1問、日本で一番高い山は富士山ですが、二番目に高い山は何でしょう？")
                .arg(i + 1));
        const QByteArray a = SjisEncode(QStringLiteral("北岳%1").arg(i));
        bytes += q + QByteArray(288 - q.size(), ' ') + a + QByteArray(60 - a.size(), ' ') +
                 char('1' + i % 7) + "\r\n";
    }
    return bytes;
}

struct Fixture {
    FakePlatform fake;
    QTemporaryDir dir;
    QString file;
    Edit ed;
    Fixture() {
        file = dir.filePath(QStringLiteral("bench.znd"));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(FullList());
        f.close();
        G().AppFolder = dir.path() + QLatin1Char('/');
    }
    void load() {
        ed.SavedFlag = true; // lets the next load replace the list
        fake.dialogAnswers.enqueue(file);
        ed.menu1_Click(1);
    }
};

void BM_LoadThousand(benchmark::State& state) {
    Fixture fx;
    for (auto _ : state)
        fx.load();
    if (fx.ed.EntryNo != 1001) state.SkipWithError("the list was not loaded");
}
BENCHMARK(BM_LoadThousand)->Unit(benchmark::kMillisecond);

void BM_SaveThousand(benchmark::State& state) {
    Fixture fx;
    fx.load();
    for (auto _ : state)
        fx.ed.menu1_Click(3);
    if (!fx.ed.SavedFlag || QFile(fx.file).size() != 351 * 1000)
        state.SkipWithError("the list was not saved");
}
BENCHMARK(BM_SaveThousand)->Unit(benchmark::kMillisecond);

void BM_PhraseSearchThousand(benchmark::State& state) {
    Fixture fx;
    fx.load();
    for (auto _ : state) {
        // A phrase in no record: the whole list is scanned.
        fx.ed.Command1_Click(1);
        fx.ed.QA[0]->setPlainText(QStringLiteral("槍ヶ岳"));
        fx.ed.Command1_Click(2);
    }
    if (fx.ed.ModifyMode) state.SkipWithError("a phrase that is in no record was found");
}
BENCHMARK(BM_PhraseSearchThousand)->Unit(benchmark::kMicrosecond);

void BM_PhraseSearchOnly(benchmark::State& state) {
    Fixture fx;
    fx.load();
    fx.ed.QA[0]->setPlainText(QStringLiteral("槍ヶ岳"));
    for (auto _ : state) {
        fx.ed.ModifyMode = false;
        fx.ed.Command1_Click(2);
    }
}
BENCHMARK(BM_PhraseSearchOnly)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
