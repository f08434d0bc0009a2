#include "data/Csv.h"

namespace {

constexpr QChar Quote = u'"';

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

class CsvReader {
public:
    CsvReader(QStringView text, QChar separator, CsvQuotes quotes)
        : t_(text), n_(text.size()), sep_(separator), quotes_(quotes) {}

    QList<CsvRecord> read() {
        QList<CsvRecord> records;
        qsizetype i = 0;
        int row = 0;
        while (i < n_) {
            CsvRecord record;
            record.row = ++row;
            for (;;) {
                record.fields << field(i, &record.looseQuote);
                if (i >= n_) break;
                if (t_[i] == sep_) {
                    ++i;
                    continue;
                }
                i += (t_[i] == u'\r' && i + 1 < n_ && t_[i + 1] == u'\n') ? 2 : 1;
                break;
            }
            records << std::move(record);
        }
        return records;
    }

private:
    bool endsField(qsizetype i) const { return i >= n_ || t_[i] == sep_ || isLineEnd(t_[i]); }

    // The field at `i`; `i` moves to the separator or line end after it.
    QString field(qsizetype& i, bool* loose) {
        if (i < n_ && t_[i] == Quote) {
            QString text;
            if (enclosed(i, &text)) return text;
            if (quotes_ == CsvQuotes::Log) {
                const qsizetype close = looseClose(i);
                if (close > i) {
                    text = t_.mid(i + 1, close - i - 1).toString();
                    i = close + 1;
                    return text;
                }
            }
            *loose = true;
        }
        const qsizetype start = i;
        while (!endsField(i))
            ++i;
        return t_.mid(start, i - start).toString();
    }

    // A properly quoted field at `open`: true with the text and `open` moved past the closing
    // quote.
    bool enclosed(qsizetype& open, QString* text) const {
        qsizetype from = open + 1;
        for (;;) {
            const qsizetype q = t_.indexOf(Quote, from);
            if (q < 0) return false;
            text->append(t_.mid(from, q - from));
            if (q + 1 < n_ && t_[q + 1] == Quote) {
                text->append(Quote);
                from = q + 2;
                continue;
            }
            if (!endsField(q + 1)) return false;
            open = q + 1;
            return true;
        }
    }

    // The quote closing a log field whose inner quotes were not doubled, on the same line;
    // -1 when there is none.
    qsizetype looseClose(qsizetype open) const {
        qsizetype atSeparator = -1;
        for (qsizetype i = open + 1; i < n_ && !isLineEnd(t_[i]); ++i) {
            if (t_[i] != Quote) continue;
            if (i + 1 >= n_ || isLineEnd(t_[i + 1])) return i;
            if (t_[i + 1] != sep_) continue;
            if (i + 2 < n_ && t_[i + 2] == Quote) return i;
            if (atSeparator < 0) atSeparator = i;
        }
        return atSeparator;
    }

    QStringView t_;
    qsizetype n_;
    QChar sep_;
    CsvQuotes quotes_;
};

bool needsQuotes(const QString& field) {
    if (field.isEmpty()) return false;
    for (QChar c : field)
        if (c == u',' || c == Quote || isLineEnd(c) || c == u'\t') return true;
    return field.front() == u' ' || field.back() == u' ';
}

} // namespace

QList<CsvRecord> ReadCsv(QStringView text, QChar separator, CsvQuotes quotes) {
    return CsvReader(text, separator, quotes).read();
}

QString QuoteCsvField(const QString& text, CsvQuoting quoting) {
    if (quoting == CsvQuoting::WhenNeeded && !needsQuotes(text)) return text;
    QString quoted = text;
    quoted.replace(Quote, QStringLiteral("\"\""));
    return Quote + quoted + Quote;
}

QString CsvLine(const QStringList& fields, CsvQuoting quoting) {
    QString line;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0) line += u',';
        line += QuoteCsvField(fields[i], quoting);
    }
    return line + QStringLiteral("\r\n");
}
