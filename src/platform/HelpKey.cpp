#include "platform/HelpKey.h"

#include "platform/Platform.h"

#include <QShortcut>
#include <QWidget>

void AddHelpKey(QWidget* window, std::function<QString()> helpFile) {
    auto* key = new QShortcut(QKeySequence(Qt::Key_F1), window);
    key->setContext(Qt::WindowShortcut);
    key->setAutoRepeat(false); // held, it opens the help once
    QObject::connect(key, &QShortcut::activated, window, [window, helpFile = std::move(helpFile)] {
        platform().showHelp(window, helpFile());
    });
}
