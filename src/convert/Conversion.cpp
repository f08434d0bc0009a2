#include "convert/Conversion.h"

#include "core/SafeFile.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>

namespace {

bool isBlankRow(const TableRow& row) {
    for (const QString& field : row.fields)
        if (!CleanCell(field, nullptr).isEmpty()) return false;
    return true;
}

// A genre byte that is no genre digit as "0x" and its hex digits, so it converts back.
QString exportedGenre(const QString& genre) {
    const char16_t byte = genre.isEmpty() ? 0 : genre[0].unicode();
    if (byte >= u'1' && byte <= u'7') return genre;
    return QStringLiteral("0x") + QString::number(uint(byte), 16).rightJustified(2, u'0').toUpper();
}

} // namespace

TableFile ParseTable(const QByteArray& bytes, TableEncoding encoding) {
    TableFile out;
    const DecodedTable decoded = DecodeTable(bytes, encoding);
    out.encoding = decoded.encoding;
    out.badBytes = decoded.badBytes;
    out.separator = DetectSeparator(decoded.text);
    const QList<TableRow> rows = SplitTable(decoded.text, out.separator);
    out.rows.reserve(rows.size());
    for (const TableRow& row : rows)
        if (!isBlankRow(row) || row.looseQuote) out.rows << row;
    return out;
}

bool ReadTableFile(const QString& path, TableEncoding encoding, TableFile& out, QString* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists()) return fail(QStringLiteral("ﾌｧｲﾙがありません"));
    // A pipe or device could block the read or never end.
    if (!info.isFile()) return fail(QStringLiteral("普通のﾌｧｲﾙではありません"));
    if (info.size() > MaxTableBytes)
        return fail(QStringLiteral("ﾌｧｲﾙが大きすぎます（%1MBまで）").arg(MaxTableBytes >> 20));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return fail(QStringLiteral("ﾌｧｲﾙを読めません"));
    const QByteArray bytes = file.read(MaxTableBytes + 1);
    if (file.error() != QFileDevice::NoError) return fail(QStringLiteral("ﾌｧｲﾙを読めません"));
    if (bytes.size() > MaxTableBytes)
        return fail(QStringLiteral("ﾌｧｲﾙが大きすぎます（%1MBまで）").arg(MaxTableBytes >> 20));
    if (const QString why = NotTextReason(bytes, encoding); !why.isEmpty()) return fail(why);
    out = ParseTable(bytes, encoding);
    out.path = path;
    if (out.rows.isEmpty()) return fail(QStringLiteral("問題の行がありません"));
    return true;
}

namespace {

// Read by position, a list whose answers are longer than its questions in most rows has
// probably been laid out answer first.
void checkSwapped(CheckedTable& table) {
    if (table.columns.source != ColumnMap::ByPosition || table.rows.isEmpty()) return;
    // Characters outside ASCII and half-width katakana are two bytes wide in a question file.
    auto width = [](const QString& text) {
        qsizetype w = 0;
        for (QChar c : text)
            w += c.unicode() < 0x80 || (c.unicode() >= 0xFF61 && c.unicode() <= 0xFF9F) ? 1 : 2;
        return w;
    };
    qsizetype longer = 0;
    for (const CheckedRow& row : table.rows)
        longer += width(row.answer) > width(row.question);
    if (longer * 2 <= table.rows.size()) return;
    table.fileIssues << RowIssue{
        Severity::Warning,
        QStringLiteral("%1行中%2行で解答が問題より長く、問題と解答の列が入れ替わっているかも"
                       "しれません。1行目に見出し（問題,解答,ジャンル）を付けるか、列を指定して"
                       "下さい")
            .arg(GroupedNumber(table.rows.size()), GroupedNumber(longer))};
}

} // namespace

CheckedTable CheckTable(const QList<TableRow>& rows, const CheckOptions& options,
                        const Progress& progress) {
    CheckedTable out;
    qsizetype first = 0;
    if (!rows.isEmpty() && LooksLikeHeading(rows[0])) {
        out.heading = rows[0];
        out.columns = ColumnsFromHeading(rows[0]);
        first = 1;
    }
    if (options.columns) out.columns = *options.columns;
    const int total = int(rows.size() - first);
    out.rows.reserve(total);
    for (qsizetype i = first; i < rows.size(); ++i) {
        CheckedRow row = CheckRow(rows[i], options, out.columns);
        if (row.hasError())
            ++out.errorRows;
        else if (row.hasWarning())
            ++out.warningRows;
        out.rows << std::move(row);
        if (progress && out.rows.size() % 500 == 0) progress(int(out.rows.size()), total);
    }
    checkSwapped(out);
    if (out.rows.size() > QuestionFormat::EditorLimit)
        out.fileIssues << RowIssue{
            Severity::Warning,
            QStringLiteral(
                "%1問あります。ZN Editerで開けるのは1,000問までです（出題と印刷はできます）")
                .arg(GroupedNumber(out.rows.size()))};
    if (out.heading && out.rows.isEmpty())
        out.fileIssues << RowIssue{
            Severity::Note,
            QStringLiteral("見出しだけで問題がありません（空の問題ﾌｧｲﾙになります）")};
    if (progress) progress(total, total);
    return out;
}

QString ColumnsText(const ColumnMap& columns) {
    auto name = [](int c) { return c < 0 ? QStringLiteral("なし") : ColumnLetter(c) + u'列'; };
    return QStringLiteral("問題=%1、解答=%2、ジャンル=%3")
        .arg(name(columns.question), name(columns.answer), name(columns.genre));
}

QString GroupedNumber(qsizetype n) {
    return QLocale(QLocale::English).toString(qint64(n));
}

QString SummaryText(const CheckedTable& table) {
    QString text = QStringLiteral("%1行中 %2行にエラー")
                       .arg(GroupedNumber(table.rows.size()), GroupedNumber(table.errorRows));
    if (table.warningRows > 0)
        text += QStringLiteral("、%1行に注意").arg(GroupedNumber(table.warningRows));
    return text;
}

WriteResult WriteQuestions(const CheckedTable& table, const QString& path, bool goodRowsOnly,
                           int* written, QString* error) {
    if (written) *written = 0;
    if (table.errorRows > 0 && !goodRowsOnly) {
        if (error)
            *error = QStringLiteral("%1行にエラーがあるため書き込みませんでした")
                         .arg(GroupedNumber(table.errorRows));
        return WriteResult::RowErrors;
    }
    QByteArray bytes;
    bytes.reserve(table.rows.size() * QuestionFormat::RecordLength);
    int count = 0;
    for (const CheckedRow& row : table.rows) {
        if (row.hasError()) continue;
        QByteArray record = SjisEncode(ComposeRecordText(
            row.question, row.answer, QChar(char16_t(u'0' + qMax(row.genre, 1)))));
        if (record.size() != QuestionFormat::BodyLength) {
            if (error) *error = QStringLiteral("%1行目を問題ﾌｧｲﾙの形にできません").arg(row.row);
            return WriteResult::WriteFailed;
        }
        if (row.genre == 0) record.back() = char(row.genreByte);
        bytes += record;
        bytes += "\r\n";
        ++count;
    }
    // Only a heading is a list of nothing (an empty question file exported); anything else
    // without a question to write is a mistake.
    if (count == 0 && (!table.heading || !table.rows.isEmpty())) {
        if (error) *error = QStringLiteral("書き込める問題がありません");
        return WriteResult::NothingToWrite;
    }
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("普通のﾌｧｲﾙではないため書き込めません");
        return WriteResult::WriteFailed;
    }
    QString why;
    if (!WriteFileAtomically(path, bytes, &why)) {
        if (error) *error = QStringLiteral("書き込めませんでした（%1）").arg(why);
        return WriteResult::WriteFailed;
    }
    if (written) *written = count;
    return WriteResult::Written;
}

QByteArray TableBytes(const QList<QuestionRecord>& records) {
    QString text = QStringLiteral("問題,解答,ジャンル\r\n");
    for (const QuestionRecord& r : records)
        text += CsvLine({r.question, r.answer, exportedGenre(r.genre)}, CsvQuoting::WhenNeeded);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool ExportQuestionFile(const QString& questionFile, const QString& tablePath, int* records,
                        QString* error) {
    auto fail = [&](const QString& reason) {
        if (error) *error = reason;
        return false;
    };
    if (records) *records = 0;
    const QFileInfo info(questionFile);
    if (!info.isFile()) return fail(QStringLiteral("問題ﾌｧｲﾙがありません"));
    if (!IsQuestionFileLength(info.size()))
        return fail(
            QStringLiteral("問題ﾌｧｲﾙではありません（長さが351バイトの倍数ではありません）"));
    QuestionFile file;
    if (!file.open(questionFile)) return fail(QStringLiteral("問題ﾌｧｲﾙを読めません"));
    QList<QuestionRecord> list;
    list.reserve(file.recordCount());
    for (int n = 1; n <= file.recordCount(); ++n) {
        QuestionRecord record;
        if (!file.read(n, record)) return fail(QStringLiteral("問題ﾌｧｲﾙを読めません"));
        list << record;
    }
    file.close();
    const QByteArray bytes = TableBytes(list);
    if (QFileInfo(tablePath).exists() && !QFileInfo(tablePath).isFile())
        return fail(QStringLiteral("普通のﾌｧｲﾙではないため書き込めません"));
    if (QString why; !WriteFileAtomically(tablePath, bytes, &why))
        return fail(QStringLiteral("書き込めませんでした（%1）").arg(why));
    if (records) *records = int(list.size());
    return true;
}
