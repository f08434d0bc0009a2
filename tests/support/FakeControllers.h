#pragma once

#include "platform/Controllers.h"

// Controllers for tests: pads are plugged in, pressed and unplugged by hand. Installs itself on
// construction and puts the previous reader back on destruction.
class FakeControllers : public Controllers {
public:
    FakeControllers();
    ~FakeControllers() override;

    QList<int> connectedPads() const override { return pads_; }

    void plug(int pad);
    void unplug(int pad);
    void press(int pad, int button) { emit buttonChanged(ControllerButtonCode(pad, button), true); }
    void release(int pad, int button) {
        emit buttonChanged(ControllerButtonCode(pad, button), false);
    }
    void click(int pad, int button) {
        press(pad, button);
        release(pad, button);
    }

private:
    QList<int> pads_;
    Controllers* previous_ = nullptr;
};
