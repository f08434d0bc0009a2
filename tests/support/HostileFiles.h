#pragma once

#include <QString>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// While alive, a write that would make a file of this process larger than `bytes` fails with
// EFBIG, as a write onto a full disk fails. Test output written to a file is limited too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        active_ = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, handler_);
    }
    bool active() const { return active_; }

private:
    rlimit previous_{};
    void (*handler_)(int) = nullptr;
    bool active_ = false;
};

// A named pipe: opening it for reading blocks until a writer comes.
inline bool MakeFifo(const QString& path) {
    return ::mkfifo(path.toLocal8Bit().constData(), 0600) == 0;
}
