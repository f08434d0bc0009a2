#include "quiz/QuizLogic.h"

#include "core/ResText.h"
#include "core/Sjis.h"

#include <algorithm>
#include <random>

QString NoLineStartSet() {
    static const QString set = LoadResString(TextNoLineStart);
    return set;
}

QVector<int> BreakTextLines(const QString& text, int limit, int maxLines, int* lineCount) {
    const int length = int(text.size());
    QVector<int> ends(std::max(maxLines, 1), length);
    const QString& noStart = NoLineStartSet();
    int width = 0;
    int line = 0; // 0-based index of the line being filled
    for (int i = 1; i <= length; ++i) {
        width += SjisWidth(text, i);
        if (width <= limit) continue;
        // A character past the end is "nothing", which is not a member of the set.
        if (i < length && noStart.contains(text.at(i))) ++i;
        if (i >= length) break;
        // The last line takes whatever is left rather than spilling past the table.
        if (line + 1 >= ends.size()) break;
        ends[line] = i;
        ++line;
        width = 0;
    }
    if (lineCount) *lineCount = line + 1;
    return ends;
}

int QuestionTopFor(int lines) {
    lines = std::clamp(lines, 1, 4);
    return (1 << (4 - lines)) * 4 + 78;
}

int LineSpacingFor(int lines) {
    lines = std::clamp(lines, 1, 4);
    return 58 - 9 * lines;
}

QVector<int> AskingOrder(int count, bool shuffle, quint32 seed) {
    if (!shuffle) return ShuffledOrder(count, nullptr);
    std::mt19937 generator(seed);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    return ShuffledOrder(count, [&] { return uniform(generator); });
}

QVector<int> ShuffledOrder(int count, const std::function<double()>& random) {
    count = std::max(count, 0);
    QVector<int> order(count + 1, 0);
    for (int i = 1; i <= count; ++i)
        order[i] = i;
    if (!random) return order;
    for (int i = 1; i <= count; ++i) {
        const double r = random();
        // r * count + 1 may round up to count + 1 for r just below 1; keep it in range.
        const int j = std::clamp(int(r * count + 1.0), 1, count);
        std::swap(order[i], order[j]);
    }
    return order;
}

QString FormatLag(long long ms) {
    if (ms < 0) ms = 0;
    const QString digits = QString::number(ms).rightJustified(5, QLatin1Char('0'));
    return digits.left(digits.size() - 3) + QLatin1Char('"') + digits.right(3);
}
