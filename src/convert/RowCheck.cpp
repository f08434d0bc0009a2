#include "convert/RowCheck.h"

#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QHash>

#include <algorithm>

bool CheckedRow::hasError() const {
    for (const RowIssue& issue : issues)
        if (issue.severity == Severity::Error) return true;
    return false;
}

bool CheckedRow::hasWarning() const {
    for (const RowIssue& issue : issues)
        if (issue.severity == Severity::Warning) return true;
    return false;
}

namespace {

// Genre names as the editor's list shows them; a wave dash typed on other systems (U+301C)
// stands for the full-width tilde of name 6.
const QStringList& genreNames() {
    static const QStringList names = [] {
        QStringList list;
        for (int d = 1; d <= 7; ++d)
            list << ResText(20 + d);
        return list;
    }();
    return names;
}

// The characters code page 932 cannot hold, each once.
QList<char32_t> unmappable(const QString& text) {
    QList<char32_t> found;
    if (SjisRepresentable(text)) return found;
    for (char32_t c : text.toUcs4()) {
        if (c < 0x80) continue;
        if (!SjisRepresentable(QString::fromUcs4(&c, 1)) && !found.contains(c)) found << c;
    }
    return found;
}

QString describeAll(const QList<char32_t>& chars) {
    QString text;
    for (qsizetype i = 0; i < qMin<qsizetype>(chars.size(), 5); ++i)
        text += DescribeChar(chars[i]);
    return text;
}

// Only text with a combining mark (decomposed kana, accents) changes when composed; the check
// spares every other cell the cost of normalising.
bool hasCombiningMark(const QString& text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        // The blocks of combining marks; the kana voicing marks are U+3099 and U+309A.
        if ((u >= 0x300 && u < 0x370) || (u >= 0x1AB0 && u < 0x1E00) ||
            (u >= 0x20D0 && u < 0x2100) || u == 0x3099 || u == 0x309A ||
            (u >= 0xFE20 && u < 0xFE30))
            return true;
    }
    return false;
}

bool hasOtherForm(char16_t u) {
    switch (u) {
    case 0x00A2:
    case 0x00A3:
    case 0x00A5:
    case 0x00AC:
    case 0x2014:
    case 0x2016:
    case 0x203E:
    case 0x2212:
    case 0x301C:
        return true;
    default:
        return false;
    }
}

// Names of the characters that show as nothing or as a blank.
QString invisibleName(char32_t c) {
    switch (c) {
    case 0x00:
        return QStringLiteral("NUL");
    case 0xA0:
        return QStringLiteral("ノーブレークスペース");
    case 0xAD:
        return QStringLiteral("ソフトハイフン");
    case 0x200B:
        return QStringLiteral("ゼロ幅スペース");
    case 0x200C:
        return QStringLiteral("ゼロ幅非接合子");
    case 0x200D:
        return QStringLiteral("ゼロ幅接合子");
    case 0x2060:
        return QStringLiteral("単語結合子");
    case 0xFEFF:
        return QStringLiteral("ゼロ幅ノーブレークスペース");
    case 0x202F:
        return QStringLiteral("狭いノーブレークスペース");
    case 0x2028:
        return QStringLiteral("行区切り");
    case 0x2029:
        return QStringLiteral("段落区切り");
    default:
        break;
    }
    switch (QChar::category(c)) {
    case QChar::Other_Control:
        return QStringLiteral("制御文字");
    case QChar::Other_Format:
        return QStringLiteral("書式制御文字");
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return QStringLiteral("空白文字");
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
        return QStringLiteral("結合文字");
    default:
        return QString();
    }
}

void checkText(CheckedRow& out, QString& text, const QString& what, int limit,
               const CheckOptions& options) {
    // A no-break space (copied from a web page) looks like a blank and is one to the reader.
    if (text.contains(QChar(0xA0))) {
        text.replace(QChar(0xA0), u' ');
        out.issues << RowIssue{
            Severity::Warning,
            QStringLiteral("%1の%2を半角の空白にしました").arg(what, DescribeChar(0xA0))};
    }
    bool brk = false;
    text = ToCp932Forms(CleanCell(text, &brk), options.yenHalfWidth);
    if (brk)
        out.issues << RowIssue{Severity::Warning,
                               QStringLiteral("%1の改行を取り除きました").arg(what)};
    if (text.isEmpty()) {
        out.issues << RowIssue{Severity::Error, QStringLiteral("%1が空です").arg(what)};
        return;
    }
    // A control character would show as a stray mark on the board. Tabs are let through: a
    // question file may hold them, and its exported list must convert back unchanged.
    QList<char32_t> controls;
    for (QChar c : text)
        if (((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) &&
            !controls.contains(c.unicode()))
            controls << c.unicode();
    if (!controls.isEmpty())
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("%1に制御文字があります%2").arg(what, describeAll(controls))};
    QList<char32_t> bad = unmappable(text);
    if (bad.removeAll(0xFFFD) > 0) {
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("%1に読めない文字があります（文字コードを確かめて下さい）").arg(what)};
    }
    if (!bad.isEmpty())
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("%1にShift-JISで書けない文字があります%2").arg(what, describeAll(bad))};
    const int width = SjisWidth(text, 0);
    if (width <= limit) return;
    if (options.cutLong) {
        text = SjisField(SjisBytes(text), limit, 0);
        out.issues << RowIssue{Severity::Warning,
                               QStringLiteral("%1を%2バイトに切り詰めました（%3バイト）")
                                   .arg(what)
                                   .arg(limit)
                                   .arg(width)};
    } else {
        out.issues << RowIssue{Severity::Error,
                               QStringLiteral("%1が%2バイトを超えています（%3バイト）")
                                   .arg(what)
                                   .arg(limit)
                                   .arg(width)};
    }
}

} // namespace

int GenreOf(const QString& cell) {
    const QString text = TrimBlanks(cell).trimmed();
    if (text.size() == 1) {
        const char16_t c = text[0].unicode();
        if (c >= u'1' && c <= u'7') return c - u'0';
        if (c >= 0xFF11 && c <= 0xFF17) return c - 0xFF10; // full-width digits
        return 0;
    }
    QString name = text;
    name.replace(QChar(0x301C), QChar(0xFF5E));
    const qsizetype i = genreNames().indexOf(name);
    return i < 0 ? 0 : int(i) + 1;
}

QString CleanCell(const QString& cell, bool* hadBreak) {
    QString text = hasCombiningMark(cell) ? cell.normalized(QString::NormalizationForm_C) : cell;
    const qsizetype before = text.size();
    text.remove(u'\r');
    text.remove(u'\n');
    if (hadBreak) *hadBreak = text.size() != before;
    return TrimBlanks(text);
}

int GenreByteOf(const QString& cell) {
    const QString text = TrimBlanks(cell).trimmed();
    if (text.size() != 4 || !text.startsWith(u"0x")) return -1;
    bool ok = false;
    const int byte = text.mid(2).toInt(&ok, 16);
    return ok && text[2] != u'+' && text[2] != u'-' ? byte : -1;
}

QString ToCp932Forms(const QString& text, bool yenHalfWidth) {
    static const QHash<char16_t, char16_t> forms = {
        {0x301C, 0xFF5E}, {0x2212, 0xFF0D}, {0x2016, 0x2225}, {0x00A2, 0xFFE0},
        {0x00A3, 0xFFE1}, {0x00AC, 0xFFE2}, {0x2014, 0x2015}};
    if (std::none_of(text.begin(), text.end(), [](QChar c) { return hasOtherForm(c.unicode()); }))
        return text;
    QString out = text;
    for (QChar& c : out) {
        const char16_t u = c.unicode();
        if (u == 0x00A5)
            c = yenHalfWidth ? u'\\' : QChar(0xFFE5);
        else if (u == 0x203E)
            c = yenHalfWidth ? u'~' : QChar(0xFFE3);
        else if (const auto it = forms.constFind(u); it != forms.constEnd())
            c = QChar(*it);
    }
    return out;
}

QString DescribeChar(char32_t c) {
    const QString code = QStringLiteral("U+%1").arg(uint(c), 4, 16, QLatin1Char('0')).toUpper();
    const QString name = invisibleName(c);
    if (!name.isEmpty()) return QStringLiteral("「%1 (%2)」").arg(code, name);
    return QStringLiteral("「%1」(%2)").arg(QString::fromUcs4(&c, 1), code);
}

CheckedRow CheckRow(const TableRow& row, const CheckOptions& options, const ColumnMap& columns) {
    CheckedRow out;
    out.row = row.row;
    out.question = row.fields.value(columns.question);
    out.answer = row.fields.value(columns.answer);
    if (row.looseQuote)
        out.issues << RowIssue{
            Severity::Note,
            QStringLiteral("「\"」で始まる欄を、引用符も含めて文字として読みました")};
    checkText(out, out.question, QStringLiteral("問題"), QuestionFormat::QuestionBytes, options);
    checkText(out, out.answer, QStringLiteral("解答"), QuestionFormat::AnswerBytes, options);
    bool brk = false;
    out.genreText = CleanCell(row.fields.value(columns.genre), &brk);
    out.genre = GenreOf(out.genreText);
    const int byte = GenreByteOf(out.genreText);
    if (byte >= u'1' && byte <= u'7') {
        out.genre = byte - u'0';
    } else if (byte >= 0) {
        // Written by the export for a question file whose genre byte is no genre: kept as it
        // was, so the file converts back unchanged.
        out.genreByte = byte;
        out.issues << RowIssue{
            Severity::Warning,
            QStringLiteral("ジャンル「%1」は1～7ではありませんが、そのまま書き込みます")
                .arg(out.genreText)};
    }
    if (out.genreText.isEmpty())
        out.issues << RowIssue{Severity::Error, QStringLiteral("ジャンルがありません")};
    else if (out.genre == 0 && out.genreByte < 0)
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("ジャンル「%1」は1～7の数字でもジャンル名でもありません")
                .arg(out.genreText)};
    return out;
}
