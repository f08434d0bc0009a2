#include "platform/DeviceWake.h"

#include <QFile>
#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

DeviceWake::DeviceWake(QObject* parent) : QObject(parent) {}

DeviceWake::~DeviceWake() {
    close();
}

bool DeviceWake::open(const QString& path) {
    close();
#ifdef Q_OS_UNIX
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return false;
    struct stat info {};
    // Anything but a device (a regular file is always "readable") would wake the reader forever.
    if (fstat(fd, &info) != 0 || !(S_ISCHR(info.st_mode) || S_ISFIFO(info.st_mode))) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &DeviceWake::drain);
    return true;
#else
    Q_UNUSED(path);
    return false;
#endif
}

void DeviceWake::drain() {
#ifdef Q_OS_UNIX
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, sizeof buffer);
        if (n > 0) continue;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) break;
        // End of file or an error such as ENODEV: an unplugged node stays "readable" for ever,
        // so it is closed before it can spin the event loop.
        // Still inside the notifier's own signal: it goes once that has returned.
        notifier_->setEnabled(false);
        notifier_.release()->deleteLater();
        close();
        emit lost();
        return;
    }
#endif
    emit readable();
}

void DeviceWake::close() {
    notifier_.reset();
#ifdef Q_OS_UNIX
    if (fd_ >= 0) ::close(fd_);
#endif
    fd_ = -1;
}
