#include "platform/Platform.h"

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
