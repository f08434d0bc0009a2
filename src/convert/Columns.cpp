#include "convert/Columns.h"

#include "convert/RowCheck.h"

#include <QHash>
#include <QStringList>

namespace {

QString headingKey(const QString& cell) {
    QString key = CleanCell(cell, nullptr).normalized(QString::NormalizationForm_KC).toLower();
    while (key.endsWith(u':'))
        key.chop(1);
    return key.trimmed();
}

const QHash<QString, char>& headingWords() {
    static const QHash<QString, char> words = [] {
        QHash<QString, char> h;
        auto add = [&h](char role, std::initializer_list<const char16_t*> list) {
            for (const char16_t* w : list)
                h.insert(headingKey(QString::fromUtf16(w)), role);
        };
        // No single letters: "q,a,8" is more likely a first question with a mistyped genre.
        add('q', {u"問題", u"問題文", u"設問", u"質問", u"問", u"問い", u"出題", u"question"});
        add('a', {u"解答", u"答え", u"答", u"正解", u"こたえ", u"回答", u"解", u"answer"});
        add('g', {u"ジャンル", u"分野", u"種別", u"分類", u"カテゴリ", u"カテゴリー", u"genre",
                  u"category"});
        add('x',
            {u"No.", u"No", u"番号", u"問題番号", u"通し番号", u"連番", u"#", u"ID", u"出典",
             u"備考", u"メモ", u"注", u"難易度", u"source", u"note", u"notes", u"memo", u"number"});
        return h;
    }();
    return words;
}

// A cell that reads like a question or an answer rather than a column name.
bool questionLike(const QString& cell) {
    static const QString marks = QStringLiteral("？?。、！!");
    const QString text = CleanCell(cell, nullptr);
    if (text.size() > 12) return true;
    for (QChar c : text)
        if (marks.contains(c)) return true;
    return false;
}

} // namespace

char HeadingRole(const QString& cell) {
    return headingWords().value(headingKey(cell), 0);
}

bool LooksLikeHeading(const TableRow& row) {
    if (row.looseQuote) return false;
    bool named = false;
    for (const QString& cell : row.fields) {
        if (CleanCell(cell, nullptr).isEmpty()) continue;
        if (HeadingRole(cell) != 0) {
            named = true;
            continue;
        }
        if (GenreOf(cell) != 0 || questionLike(cell)) return false;
    }
    return named;
}

ColumnMap ColumnsFromHeading(const TableRow& heading) {
    ColumnMap map{-1, -1, -1, ColumnMap::ByHeading};
    QList<bool> named(heading.fields.size(), false);
    for (int i = 0; i < heading.fields.size(); ++i) {
        const char role = HeadingRole(heading.fields[i]);
        named[i] = role != 0;
        int* slot = role == 'q'   ? &map.question
                    : role == 'a' ? &map.answer
                    : role == 'g' ? &map.genre
                                  : nullptr;
        if (slot && *slot < 0) *slot = i;
    }
    int next = 0;
    for (int* slot : {&map.question, &map.answer, &map.genre}) {
        if (*slot >= 0) continue;
        while (next < named.size() && named[next])
            ++next;
        *slot = next++; // past the heading's last cell when it named all it has
    }
    return map;
}

bool ParseColumns(const QString& list, ColumnMap* out) {
    ColumnMap map{-1, -1, -1, ColumnMap::Given};
    const QStringList letters = list.split(u',');
    for (int i = 0; i < letters.size(); ++i) {
        const QString l = letters[i].trimmed().toLower();
        int* slot = l == u"q"   ? &map.question
                    : l == u"a" ? &map.answer
                    : l == u"g" ? &map.genre
                                : nullptr;
        if (!slot) continue;
        if (*slot >= 0) return false;
        *slot = i;
    }
    if (map.question < 0 || map.answer < 0 || map.genre < 0) return false;
    *out = map;
    return true;
}

QString ColumnLetter(int column) {
    QString name;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'A' + (n - 1) % 26));
    return name;
}
