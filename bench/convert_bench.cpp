#include "convert/Conversion.h"
#include "core/Sjis.h"
#include "pomvex/Henkan.h"
#include "pomvex/RowModel.h"

#include <QApplication>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include "support/BenchMain.h"

#include <benchmark/benchmark.h>

namespace {

// A 10,000-row list as a spreadsheet saves it: heading, quoted fields with commas and quotes,
// a genre name now and then.
QString sampleList(int rows) {
    QString text = QStringLiteral("問題,解答,ジャンル\r\n");
    for (int i = 0; i < rows; ++i)
        text += QStringLiteral(
                    "\"問題%1：日本で一番長い川は、どこから\"\"どこ\"\"へ流れているでしょう？\","
                    "信濃川%1,%2\r\n")
                    .arg(i)
                    .arg(i % 5 ? QString::number(i % 7 + 1) : QStringLiteral("スポーツ"));
    return text;
}

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

// Reading, checking and writing a 10,000-row list, in Shift-JIS and in UTF-8.
void ConvertTenThousandRows(benchmark::State& state) {
    const QString list = sampleList(10000);
    const QByteArray bytes = state.range(0) ? SjisEncode(list) : list.toUtf8();
    const QString out = folder().filePath(QStringLiteral("out.znd"));
    for (auto _ : state) {
        const TableFile table = ParseTable(bytes, TableEncoding::Auto);
        const CheckedTable checked = CheckTable(table.rows, CheckOptions{});
        int written = 0;
        if (WriteQuestions(checked, out, false, &written, nullptr) != WriteResult::Written ||
            written != 10000) {
            state.SkipWithError("conversion failed");
            return;
        }
    }
    state.SetLabel(state.range(0) ? "Shift-JIS" : "UTF-8");
}
BENCHMARK(ConvertTenThousandRows)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Checking alone (what changing an option in the window repeats).
void CheckTenThousandRows(benchmark::State& state) {
    const TableFile table = ParseTable(sampleList(10000).toUtf8(), TableEncoding::Auto);
    for (auto _ : state)
        benchmark::DoNotOptimize(CheckTable(table.rows, CheckOptions{true, true, {}}).rows.size());
}
BENCHMARK(CheckTenThousandRows)->Unit(benchmark::kMillisecond);

// Opening a 10,000-row list in the window until its preview has painted.
void OpenPreviewTenThousandRows(benchmark::State& state) {
    const QString path = folder().filePath(QStringLiteral("list.csv"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(sampleList(10000).toUtf8()) < 0) {
        state.SkipWithError("could not write the list");
        return;
    }
    file.close();
    Henkan window;
    window.show();
    for (auto _ : state) {
        window.LoadTable(path);
        window.preview->viewport()->repaint();
    }
}
BENCHMARK(OpenPreviewTenThousandRows)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
