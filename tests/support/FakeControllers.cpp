#include "support/FakeControllers.h"

#include <algorithm>

FakeControllers::FakeControllers() {
    previous_ = setControllers(this);
}

FakeControllers::~FakeControllers() {
    setControllers(previous_);
}

void FakeControllers::plug(int pad) {
    if (pads_.contains(pad)) return;
    pads_.append(pad);
    std::sort(pads_.begin(), pads_.end());
    emit padConnected(pad);
}

void FakeControllers::unplug(int pad) {
    if (pads_.removeAll(pad)) emit padDisconnected(pad);
}
