#include "convert/RowCheck.h"

#include "core/Paths.h"
#include "core/ResText.h"
#include "core/Sjis.h"
#include "data/QuestionFile.h"

#include <QSet>

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

// The characters code page 932 cannot hold, each once (a pair of surrogates is one character).
QStringList unmappable(const QString& text) {
    QStringList found;
    if (SjisRepresentable(text)) return found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.unicode() < 0x80) continue;
        QString one(c);
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            one += text[++i];
        if (!SjisRepresentable(one) && !found.contains(one)) found << one;
    }
    return found;
}

void checkText(CheckedRow& out, QString& text, const QString& what, int limit,
               const CheckOptions& options) {
    bool brk = false;
    text = CleanCell(text, &brk);
    if (brk)
        out.issues << RowIssue{Severity::Warning,
                               QStringLiteral("%1の改行を取り除きました").arg(what)};
    if (text.isEmpty()) {
        out.issues << RowIssue{Severity::Error, QStringLiteral("%1が空です").arg(what)};
        return;
    }
    // A control character would show as a stray mark on the board. Tabs are let through: a
    // question file may hold them, and its exported list must convert back unchanged.
    for (QChar c : text)
        if ((c.unicode() < 0x20 && c != u'\t') || c.unicode() == 0x7F) {
            out.issues << RowIssue{Severity::Error,
                                   QStringLiteral("%1に制御文字があります").arg(what)};
            break;
        }
    const QStringList bad = unmappable(text);
    if (bad.contains(QString(QChar(0xFFFD)))) {
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("%1に読めない文字があります（文字コードを確かめて下さい）").arg(what)};
    }
    QStringList shown;
    for (const QString& c : bad)
        if (c != QString(QChar(0xFFFD)) && shown.size() < 5)
            shown << QStringLiteral("「%1」").arg(c);
    if (!shown.isEmpty())
        out.issues << RowIssue{Severity::Error,
                               QStringLiteral("%1にShift-JISで書けない文字があります%2")
                                   .arg(what, shown.join(QString()))};
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
    QString text = cell;
    const qsizetype before = text.size();
    text.remove(u'\r');
    text.remove(u'\n');
    if (hadBreak) *hadBreak = text.size() != before;
    return TrimBlanks(text);
}

CheckedRow CheckRow(const TableRow& row, const CheckOptions& options) {
    CheckedRow out;
    out.row = row.row;
    out.question = row.fields.value(0);
    out.answer = row.fields.value(1);
    if (row.looseQuote)
        out.issues << RowIssue{Severity::Note,
                               QStringLiteral("「\"」で始まる欄を、引用符も含めて文字として読みました")};
    checkText(out, out.question, QStringLiteral("問題"), QuestionFormat::QuestionBytes, options);
    checkText(out, out.answer, QStringLiteral("解答"), QuestionFormat::AnswerBytes, options);
    bool brk = false;
    out.genreText = CleanCell(row.fields.value(2), &brk);
    out.genre = GenreOf(out.genreText);
    if (out.genreText.isEmpty())
        out.issues << RowIssue{Severity::Error, QStringLiteral("ジャンルがありません")};
    else if (out.genre == 0)
        out.issues << RowIssue{
            Severity::Error,
            QStringLiteral("ジャンル「%1」は1～7の数字でもジャンル名でもありません")
                .arg(out.genreText)};
    return out;
}
