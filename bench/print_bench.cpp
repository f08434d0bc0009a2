// Printing speed: laying out 1,000 long questions, and printing them (reading the file, layout,
// PDF with embedded font subsets) through the print dialog. Reports the PDF's size and pages.
#include "core/AppGlobals.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"
#include "platform/Fonts.h"
#include "print/PriPri.h"
#include "print/PrintLayout.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

// Questions of about 200 bytes with varied kanji, so the fonts carry many glyphs.
QList<PrintEntry> Entries() {
    QList<PrintEntry> entries;
    for (int i = 0; i < 1000; ++i) {
        QString q;
        for (int k = 0; q.size() < 100; ++k) {
            // Level-1 kanji: lead bytes 89-97, trail bytes 40-7B.
            const int n = i * 37 + k * 11;
            const char pair[2] = {char(0x89 + n % 15), char(0x40 + n / 15 % 0x3C)};
            q += SjisDecode(QByteArray(pair, 2));
        }
        entries.append({q + QStringLiteral("、何でしょう？"), QStringLiteral("答え%1").arg(i),
                        QString(), QString()});
    }
    return entries;
}

void BM_LayOutThousand(benchmark::State& state) {
    const QList<PrintEntry> entries = Entries();
    int pages = 0;
    for (auto _ : state) {
        PrintLayout layout(true, false);
        layout.PrintRecords(1, entries);
        pages = layout.PageCount + 1;
        benchmark::DoNotOptimize(layout.finish());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_LayOutThousand)->Unit(benchmark::kMillisecond);

void BM_PrintThousandToPdf(benchmark::State& state) {
    FakePlatform fake;
    QTemporaryDir dir;
    QStringList texts;
    for (const PrintEntry& e : Entries())
        texts.append(ComposeRecordText(e.question, e.answer, u'1'));
    G().CurrentFile = dir.filePath(QStringLiteral("bench.znd"));
    WriteRecordTexts(G().CurrentFile, texts);
    G().RecordCount = 1000;
    G().LogFileFlag = false;
    fake.printerPdfPath = dir.filePath(QStringLiteral("bench.pdf"));
    for (auto _ : state) {
        PriPri dialog;
        dialog.Command1_Click(0);
    }
    state.counters["pdf_kB"] = QFileInfo(fake.printerPdfPath).size() / 1024.0;
}
BENCHMARK(BM_PrintThousandToPdf)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
