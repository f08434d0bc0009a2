#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "platform/Platform.h"
#include "settings/CastHelpers.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

// Keys and focus in the settings dialog: F1 is the help, Enter moves to the next control, and
// entering or leaving a box shows or checks what belongs to it. The dialog watches each of its
// own controls rather than every event of the program.

void Cast::watchControls(QWidget* top) {
    // Installing again only moves the filter to the front, so a control is never seen twice.
    top->installEventFilter(this);
    const QList<QWidget*> children = top->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
}

bool Cast::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this) return false;

    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F1) {
            // The window's context help, as in the main window.
            if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
                platform().showHelp(this, G().HelpPath);
            return true;
        }
        if (key != Qt::Key_Return && key != Qt::Key_Enter) break;
        // Enter moves on to the next control, as Tab does.
        if (QWidget* focused = QApplication::focusWidget(); focused && focused->window() == this)
            focusNextPrevChild(true);
        return true;
    }
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) break;
        bool playerBox = IsWithin(w, Nin);
        for (int j = 0; j < 10 && !playerBox; ++j)
            playerBox = IsWithin(w, NameK[j]) || IsWithin(w, UKey[j]);
        if (playerBox) ShowPendingMessage();
        if (w == F_Path) F_Path->selectAll();
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (w == Nin && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Nin_LostFocus();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            warnUnmappableName(w);
        break;
    }
    default:
        break;
    }
    return false;
}
