#pragma once

#include <QString>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// While alive, a write that would make any file of this process larger than `bytes` fails with
// EFBIG, exactly as a write onto a full disk fails, instead of raising SIGXFSZ. Keep the scope
// short: test output written to a file meanwhile is limited too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        active_ = getrlimit(RLIMIT_FSIZE, &previous_) == 0;
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = active_ && setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        if (active_) setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
    bool active_ = false;
};

// A named pipe at `path`; opening it for reading blocks until a writer comes.
inline bool MakeFifo(const QString& path) {
    return ::mkfifo(path.toLocal8Bit().constData(), 0600) == 0;
}

// True when permission bits bind this process (they do not for root).
inline bool PermissionsBind() {
    return ::geteuid() != 0;
}
