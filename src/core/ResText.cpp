#include "core/ResText.h"

#include "core/AppGlobals.h"
#include "core/StringTable.h"
#include "platform/Platform.h"

#include <QApplication>

QString LoadResString(int id) {
    const QString* text = StringTableText(id);
    // Every id the program names is in the table; a missing one is a programming error.
    Q_ASSERT_X(text, "LoadResString", qPrintable(QStringLiteral("no text %1").arg(id)));
    return text ? *text : QString();
}

QString ResText(int id, const QString& value) {
    QString text = LoadResString(id);
    text.replace(QLatin1Char('@'), value);
    return text;
}

QString ResJoin(int first, int second) {
    return LoadResString(first) + LoadResString(second);
}

int ResMsgBox(int kind, int titleId, int textId, int secondId) {
    return ResMsgBox(nullptr, kind, titleId, textId, secondId);
}

int ResMsgBox(QWidget* owner, int kind, int titleId, int textId, int secondId) {
    QString text = LoadResString(textId);
    if (secondId != 0) text += QStringLiteral("\r\n") + LoadResString(secondId);
    G().WorkText = text;
    if (!owner) owner = QApplication::activeWindow();
    return platform().messageBox(owner, kind, LoadResString(titleId), text);
}
