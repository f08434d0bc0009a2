#include "convert/TableParser.h"

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
    return ReadCsv(text, separator, CsvQuotes::Spreadsheet);
}
