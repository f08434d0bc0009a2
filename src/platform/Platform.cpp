#include "platform/Platform.h"

#include <QElapsedTimer>

#include <cassert>

namespace {
Platform* current = nullptr;
}

Platform& platform() {
    assert(current && "no platform installed");
    return *current;
}

Platform* setPlatform(Platform* replacement) {
    Platform* previous = current;
    current = replacement;
    return previous;
}

double Platform::monotonicMs() {
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return double(clock.nsecsElapsed()) / 1e6;
}
