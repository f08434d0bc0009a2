#include "platform/DesktopSession.h"

QString NoDisplayMessage(const QStringList& arguments) {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    Q_UNUSED(arguments);
    return QString();
#else
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (!qEnvironmentVariableIsEmpty(name)) return QString();
    for (const QString& argument : arguments)
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            return QString();
    return QStringLiteral("zn: no display to open the window on (neither DISPLAY nor "
                          "WAYLAND_DISPLAY is set); start ZN from a desktop session");
#endif
}
