#include "platform/DisplayProbe.h"

#include <QDir>
#include <QFile>
#include <QLibraryInfo>

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#ifdef ZN_HAVE_XCB
#include <xcb/xcb.h>
#endif
#endif

namespace {

#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
bool ConnectsToSocket(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    sockaddr_un address{};
    if (name.isEmpty() || size_t(name.size()) >= sizeof(address.sun_path)) return false;
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool connected =
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::close(fd);
    return connected;
}

bool X11Answers(const QString& display) {
    if (display.isEmpty()) return false;
#ifdef ZN_HAVE_XCB
    // The library speaks the whole handshake (authorisation included), exactly as Qt will.
    xcb_connection_t* connection = xcb_connect(display.toLocal8Bit().constData(), nullptr);
    const bool ok = connection && xcb_connection_has_error(connection) == 0;
    if (connection) xcb_disconnect(connection);
    return ok;
#else
    // A local display ":N" listens on a socket named after its number; others are trusted.
    if (!display.startsWith(QLatin1Char(':'))) return true;
    const QString number = display.mid(1).section(QLatin1Char('.'), 0, 0);
    return ConnectsToSocket(QStringLiteral("/tmp/.X11-unix/X") + number);
#endif
}

bool WaylandAnswers(const QString& display) {
    if (display.isEmpty()) return false;
    QString socket = display;
    if (!QDir::isAbsolutePath(socket)) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty()) return false;
        socket = runtime + QLatin1Char('/') + display;
    }
    if (!ConnectsToSocket(socket)) return false;
    // Without Qt's Wayland plugin the compositor is of no use to this program.
    const QDir plugins(QLibraryInfo::path(QLibraryInfo::PluginsPath) +
                       QStringLiteral("/platforms"));
    return !plugins.entryList({QStringLiteral("*qwayland*")}, QDir::Files).isEmpty();
}
#endif

} // namespace

DisplayProbe SystemDisplayProbe() {
#if !defined(Q_OS_WIN) && !defined(Q_OS_DARWIN)
    return {X11Answers, WaylandAnswers};
#else
    return {[](const QString&) { return true; }, [](const QString&) { return true; }};
#endif
}
