#include "platform/DesktopSession.h"

#include "platform/Fonts.h"
#include "platform/ProcessSignals.h"
#include "platform/QtTranslations.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

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
    const QString program =
        arguments.isEmpty() ? QStringLiteral("zn") : QFileInfo(arguments.first()).fileName();
    return QStringLiteral("%1: no display to open the window on (neither DISPLAY nor "
                          "WAYLAND_DISPLAY is set); start ZN from a desktop session")
        .arg(program);
#endif
}

bool PrepareDesktopProgram(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString problem = NoDisplayMessage(arguments); !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return false;
    }
    IgnoreFileSizeSignal();
    return true;
}

void SetUpDesktopProgram() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    InstallJapaneseDialogs();
    InstallFontSubstitutions();
}
