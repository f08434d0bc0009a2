#include "convert/Conversion.h"

#include "core/SafeFile.h"
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
    out = ParseTable(bytes, encoding);
    out.path = path;
    if (out.rows.isEmpty()) return fail(QStringLiteral("問題の行がありません"));
    return true;
}

CheckedTable CheckTable(const QList<TableRow>& rows, const CheckOptions& options,
                        const Progress& progress) {
    CheckedTable out;
    qsizetype first = 0;
    // A heading names its columns; a first row whose genre is a number (say 8) is a question
    // with a mistyped genre and is reported as one.
    const QString firstGenre =
        rows.isEmpty() ? QString() : CleanCell(rows[0].fields.value(2), nullptr);
    bool numeric = false;
    firstGenre.normalized(QString::NormalizationForm_KC).toInt(&numeric);
    if (!rows.isEmpty() && GenreOf(firstGenre) == 0 && !numeric && !rows[0].looseQuote) {
        out.heading = rows[0];
        first = 1;
    }
    const int total = int(rows.size() - first);
    out.rows.reserve(total);
    for (qsizetype i = first; i < rows.size(); ++i) {
        CheckedRow row = CheckRow(rows[i], options);
        if (row.hasError())
            ++out.errorRows;
        else if (row.hasWarning())
            ++out.warningRows;
        out.rows << std::move(row);
        if (progress && out.rows.size() % 500 == 0) progress(int(out.rows.size()), total);
    }
    if (out.rows.size() > QuestionFormat::EditorLimit)
        out.fileIssues << RowIssue{
            Severity::Warning,
            QStringLiteral(
                "%1問あります。ZN Editerで開けるのは1,000問までです（出題と印刷はできます）")
                .arg(GroupedNumber(out.rows.size()))};
    if (progress) progress(total, total);
    return out;
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
    QStringList texts;
    texts.reserve(table.rows.size());
    for (const CheckedRow& row : table.rows)
        if (!row.hasError())
            texts << ComposeRecordText(row.question, row.answer, QChar(u'0' + row.genre));
    if (texts.isEmpty()) {
        if (error) *error = QStringLiteral("書き込める問題がありません");
        return WriteResult::NothingToWrite;
    }
    if (QFileInfo(path).exists() && !QFileInfo(path).isFile()) {
        if (error) *error = QStringLiteral("普通のﾌｧｲﾙではないため書き込めません");
        return WriteResult::WriteFailed;
    }
    QString why;
    if (!WriteRecordTexts(path, texts, &why)) {
        if (error) *error = QStringLiteral("書き込めませんでした（%1）").arg(why);
        return WriteResult::WriteFailed;
    }
    if (written) *written = int(texts.size());
    return WriteResult::Written;
}

QByteArray TableBytes(const QList<QuestionRecord>& records) {
    QString text = QStringLiteral("問題,解答,ジャンル\r\n");
    for (const QuestionRecord& r : records)
        text += CsvLine({r.question, r.answer, r.genre}, CsvQuoting::WhenNeeded);
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
