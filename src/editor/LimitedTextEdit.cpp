#include "editor/LimitedTextEdit.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>

LimitedTextEdit::LimitedTextEdit(int maxLength, QWidget* parent)
    : QPlainTextEdit(parent), maxLength_(maxLength) {}

bool LimitedTextEdit::fits(const QString& text, int alsoRemoved) const {
    // The document holds committed text only; an input method's composition lives beside it.
    const qsizetype now = toPlainText().size();
    const qsizetype after = now - textCursor().selectedText().size() - alsoRemoved + text.size();
    // A box already past the limit (a record from elsewhere) may still be edited down.
    return after <= maxLength_ || after <= now;
}

int LimitedTextEdit::room(int alsoRemoved) const {
    const qsizetype kept = toPlainText().size() - textCursor().selectedText().size() - alsoRemoved;
    return int(qMax<qsizetype>(0, maxLength_ - kept));
}

void LimitedTextEdit::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    const bool typing =
        !text.isEmpty() && text.front().unicode() >= 0x20 && text.front().unicode() != 0x7F &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (typing && !fits(text)) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LimitedTextEdit::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (!commit.isEmpty() && !fits(commit, event->replacementLength())) {
        // Nothing of the commit is inserted; a composition begun in the same event stays.
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        QPlainTextEdit::inputMethodEvent(&withoutCommit);
        event->accept();
        emit refused(room(event->replacementLength()));
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void LimitedTextEdit::insertFromMimeData(const QMimeData* source) {
    if (source && source->hasText() && !fits(source->text())) {
        emit refused(room());
        return;
    }
    QPlainTextEdit::insertFromMimeData(source);
}
