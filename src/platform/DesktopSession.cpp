#include "platform/DesktopSession.h"

#include "platform/DisplayProbe.h"
#include "platform/Fonts.h"
#include "platform/ProcessSignals.h"
#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

QString NoDisplayMessage(const QStringList& arguments, const DisplayProbe& probe) {
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
    Q_UNUSED(arguments);
    Q_UNUSED(probe);
    return QString();
#else
    // The platform Qt will use: chosen on the command line or through QT_QPA_PLATFORM, else
    // Wayland or X, whichever answers.
    QString chosen = qEnvironmentVariable("QT_QPA_PLATFORM");
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (argument == QLatin1String("-platform") || argument == QLatin1String("--platform"))
            chosen = i + 1 < arguments.size() ? arguments.at(i + 1) : QStringLiteral("?");
    }
    bool tryX11 = chosen.isEmpty(), tryWayland = chosen.isEmpty();
    for (const QString& entry : chosen.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString name = entry.section(QLatin1Char(':'), 0, 0);
        if (name == QLatin1String("xcb"))
            tryX11 = true;
        else if (name.startsWith(QLatin1String("wayland")))
            tryWayland = true;
        else
            return QString(); // offscreen, vnc, a framebuffer...: nothing to ask beforehand
    }
    const QString x11 = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    if ((tryWayland && !wayland.isEmpty() && probe.wayland && probe.wayland(wayland)) ||
        (tryX11 && !x11.isEmpty() && probe.x11 && probe.x11(x11)))
        return QString();

    const QString program =
        arguments.isEmpty() ? QStringLiteral("zn") : QFileInfo(arguments.first()).fileName();
    if (x11.isEmpty() && wayland.isEmpty())
        return QStringLiteral("%1: no display to open the window on (neither DISPLAY nor "
                              "WAYLAND_DISPLAY is set); start ZN from a desktop session")
            .arg(program);
    // Only the displays Qt is going to try are named: a DISPLAY that works is beside the point
    // when Wayland was chosen.
    QStringList named;
    if (tryX11)
        named << (x11.isEmpty() ? QStringLiteral("DISPLAY is not set")
                                : QStringLiteral("DISPLAY=") + x11);
    if (tryWayland)
        named << (wayland.isEmpty() ? QStringLiteral("WAYLAND_DISPLAY is not set")
                                    : QStringLiteral("WAYLAND_DISPLAY=") + wayland);
    return QStringLiteral("%1: cannot connect to the display (%2); start ZN from a desktop session")
        .arg(program, named.join(QStringLiteral(", ")));
#endif
}

bool PrepareDesktopProgram(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (const QString problem = NoDisplayMessage(arguments, SystemDisplayProbe());
        !problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        return false;
    }
    IgnoreFileSizeSignal();
    return true;
}

void SetUpDesktopProgram() {
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopId));
    // Menus stay in the window, as the program was drawn. Asking the desktop for a global menu
    // bar costs a D-Bus round trip (or the start of a bus) before the first window appears.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    InstallJapaneseDialogs();
    InstallFontSubstitutions();
}
