#include "convert/TableParser.h"

namespace {

constexpr QChar Quote = u'"';

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

// Index just past the line end at `i` (CR LF counts as one).
qsizetype skipLineEnd(QStringView text, qsizetype i) {
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') return i + 2;
    return i + 1;
}

} // namespace

QChar DetectSeparator(QStringView text) {
    const QList<TableRow> commaRows = SplitTable(text.left(16384), u',');
    const QList<TableRow> tabRows = SplitTable(text.left(16384), u'\t');
    auto score = [](const QList<TableRow>& rows, qsizetype* fields) {
        int full = 0;
        *fields = 0;
        for (qsizetype i = 0; i < qMin<qsizetype>(rows.size(), 50); ++i) {
            full += rows[i].fields.size() >= 3;
            *fields += rows[i].fields.size();
        }
        return full;
    };
    qsizetype commaFields = 0, tabFields = 0;
    const int commaFull = score(commaRows, &commaFields);
    const int tabFull = score(tabRows, &tabFields);
    if (tabFull != commaFull) return tabFull > commaFull ? u'\t' : u',';
    return tabFields > commaFields ? u'\t' : u',';
}

QList<TableRow> SplitTable(QStringView text, QChar separator) {
    QList<TableRow> rows;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int rowNumber = 0;
    while (i < n) {
        TableRow row;
        row.row = ++rowNumber;
        QString field;
        bool rowDone = false;
        while (!rowDone) {
            field.clear();
            if (i < n && text[i] == Quote) {
                const qsizetype open = i++;
                bool closed = false;
                while (i < n) {
                    if (text[i] == Quote) {
                        if (i + 1 < n && text[i + 1] == Quote) {
                            field += Quote;
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    field += text[i++];
                }
                // A well-formed field ends at its closing quote. Text right after a quote that
                // closed a field spanning lines means the quote that opened it was a stray one.
                const bool strayClose = closed && i < n && text[i] != separator &&
                                        !isLineEnd(text[i]) &&
                                        (field.contains(u'\n') || field.contains(u'\r'));
                if (!closed || strayClose) {
                    // Read it again as plain text up to the end of its own line.
                    row.unclosedQuote = true;
                    i = open + 1;
                    field.clear();
                    while (i < n && !isLineEnd(text[i]) && text[i] != separator)
                        field += text[i++];
                }
                // Text after the closing quote (a spreadsheet never writes it) is kept as is.
                while (i < n && text[i] != separator && !isLineEnd(text[i]))
                    field += text[i++];
            } else {
                const qsizetype start = i;
                while (i < n && text[i] != separator && !isLineEnd(text[i]))
                    ++i;
                field = text.mid(start, i - start).toString();
            }
            row.fields << field;
            if (i >= n) {
                rowDone = true;
            } else if (text[i] == separator) {
                ++i;
            } else {
                i = skipLineEnd(text, i);
                rowDone = true;
            }
        }
        rows << row;
    }
    return rows;
}
