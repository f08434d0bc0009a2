#include "core/Paths.h"

#include "core/AppGlobals.h"

namespace {
bool isSeparator(QChar c) {
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}
} // namespace

int PathKind(const QString& path) {
    if (path.size() >= 3 && path.at(1) == QLatin1Char(':') && isSeparator(path.at(2))) return 1;
    // An absolute POSIX path counts as a drive path; two separators start a network path.
    if (!path.isEmpty() && path.at(0) == QLatin1Char('/') &&
        (path.size() == 1 || !isSeparator(path.at(1))))
        return 1;
    if (path.size() >= 2 && isSeparator(path.at(0)) && isSeparator(path.at(1))) return 2;
    if (!path.isEmpty() && isSeparator(path.back())) return 3;
    return 0;
}

QString TrimBlanks(const QString& text) {
    qsizetype begin = 0, end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char(' '))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char(' '))
        --end;
    return begin == 0 && end == text.size() ? text : text.mid(begin, end - begin);
}

QString TrimNul(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(0));
    const qsizetype kept = nul < 0 ? text.size() : nul;
    G().WorkNumber = kept;
    return TrimBlanks(text.left(kept));
}
