#include "print/PrintRender.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryFile>

#include <filesystem>

namespace PG = PrintGeometry;

namespace {

QFont printerFont(const QString& fontName) {
    QFont font(fontName);
    font.setPointSize(10);
    return font;
}

// A PDF is complete when the writer got as far as its end-of-file marker.
bool pdfComplete(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 16) return false;
    file.seek(file.size() - qMin<qint64>(file.size(), 64));
    return file.readAll().contains("%%EOF");
}

} // namespace

double PrintColumnWidth(QPrinter& printer, const QString& fontName) {
    const QFontMetricsF metrics(printerFont(fontName), &printer);
    // Whole pixels, as printer font metrics come; a font whose average is a full-width
    // character (some CJK fonts say so) counts half of one, so the columns still fit a page.
    const double halfWide = metrics.horizontalAdvance(QChar(0x3000)) / 2;
    double width = metrics.averageCharWidth();
    if (halfWide > 0 && width > halfWide * 1.2) width = halfWide;
    return qMax(1, qRound(width));
}

namespace {

bool renderTo(QPrinter& printer, const QList<PageOp>& ops, const QString& fontName) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    const QFont font = printerFont(fontName);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 5));
    painter.translate(PG::LeftMargin, PG::TopMargin);
    const double column = PrintColumnWidth(printer, fontName);
    const double ascent = QFontMetricsF(font, &printer).ascent();

    bool ok = true;
    for (const PageOp& op : ops) {
        switch (op.kind) {
        case PageOp::Text:
            painter.drawText(QPointF((op.column - 1) * column, op.line * PG::LinePixels + ascent),
                             op.text);
            break;
        case PageOp::Rule:
            painter.drawLine(QPointF(PG::RuleX, 0), QPointF(PG::RuleX, op.length));
            break;
        case PageOp::NewPage:
            ok = printer.newPage() && ok;
            break;
        }
    }
    ok = painter.end() && ok;
    return ok && printer.printerState() != QPrinter::Error &&
           printer.printerState() != QPrinter::Aborted;
}

} // namespace

bool RenderPages(QPrinter& printer, const QList<PageOp>& ops, const QString& fontName) {
    if (printer.outputFormat() != QPrinter::PdfFormat) return renderTo(printer, ops, fontName);

    // The PDF is written beside its final name and renamed over it only when complete, so a
    // failure (full disk, printer error) never leaves a half-written file or spoils an old one.
    const QString path = printer.outputFileName();
    const QFileInfo target(path);
    // Never write into a pipe, device or folder that happens to carry the chosen name.
    if (target.exists() && !target.isFile()) return false;
    QTemporaryFile part(target.absolutePath() + QStringLiteral("/.zn-print-XXXXXX.pdf"));
    if (!part.open()) return false;
    part.close();
    part.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    printer.setOutputFileName(part.fileName());
    bool ok = renderTo(printer, ops, fontName) && pdfComplete(part.fileName());
    printer.setOutputFileName(path);
    if (ok) {
        std::error_code error;
        std::filesystem::rename(part.fileName().toStdU16String(), path.toStdU16String(), error);
        ok = !error;
    }
    return ok; // the temporary file removes itself unless it was renamed
}
