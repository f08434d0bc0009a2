#include "platform/DialogSupport.h"

#include <QRegularExpression>

MessageBoxStyle MessageBoxStyleFor(int kind) {
    switch (kind) {
    case MsgError:
        return {QMessageBox::Critical, QMessageBox::Ok, QMessageBox::Ok};
    case MsgYesNo:
        return {QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes};
    case MsgReplace:
        // Enter alone never replaces a file.
        return {QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case MsgWarning:
        return {QMessageBox::Warning, QMessageBox::Ok, QMessageBox::Ok};
    default:
        return {QMessageBox::NoIcon, QMessageBox::Ok, QMessageBox::Ok};
    }
}

int MessageAnswerFor(int kind, QMessageBox::StandardButton clicked) {
    if (kind != MsgYesNo && kind != MsgReplace) return AnswerOk;
    return clicked == QMessageBox::Yes ? AnswerYes : AnswerNo;
}

QStringList QtFilterList(const QList<FileFilter>& filters) {
    QStringList result;
    for (const FileFilter& f : filters) {
        if (f.description.trimmed().isEmpty() && f.pattern.trimmed().isEmpty())
            continue; // the empty pair a list ending in a separator leaves
        QStringList patterns;
        for (const QString& p : f.pattern.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QString trimmed = p.trimmed();
            // "*.*" means every file to Windows, but only names with a dot to Qt.
            if (trimmed == QLatin1String("*.*"))
                patterns.append(QStringLiteral("*"));
            else if (!trimmed.isEmpty())
                patterns.append(trimmed);
        }
        patterns.removeDuplicates();
        if (patterns.isEmpty()) patterns.append(QStringLiteral("*"));
        const QString joined = patterns.join(QLatin1Char(' '));
        QString description = f.description.trimmed();
        // Qt reads the last parenthesised part of a filter as its patterns; a description such
        // as "ZN問題ﾌｧｲﾙ (*.znd)" already has them, but in ";" form they must be rewritten.
        static const QRegularExpression trailingPatterns(
            QStringLiteral("\\s*\\([^()]*\\*[^()]*\\)$"));
        description.remove(trailingPatterns);
        if (description.isEmpty()) description = joined;
        result.append(QStringLiteral("%1 (%2)").arg(description, joined));
    }
    return result;
}

QString QtFilterString(const QList<FileFilter>& filters) {
    return QtFilterList(filters).join(QStringLiteral(";;"));
}

QString AcceptedDialogPath(const QString& path) {
    return path.size() > MaxDialogPathLength ? QString() : path;
}

QString DefaultSuffixFor(const QList<FileFilter>& filters) {
    for (const FileFilter& f : filters) {
        if (f.description.trimmed().isEmpty() && f.pattern.trimmed().isEmpty()) continue;
        const QString first = f.pattern.split(QLatin1Char(';')).value(0).trimmed();
        static const QRegularExpression plain(QStringLiteral("^\\*\\.([A-Za-z0-9_]+)$"));
        const QRegularExpressionMatch m = plain.match(first);
        return m.hasMatch() ? m.captured(1) : QString();
    }
    return QString();
}
