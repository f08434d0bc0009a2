#pragma once

#include "platform/Controllers.h"

// Controllers for tests whose buttons are pressed by hand. Installs itself on construction and
// puts the previous reader back on destruction.
class FakeControllers : public Controllers {
public:
    FakeControllers() : previous_(setControllers(this)) {}
    ~FakeControllers() override { setControllers(previous_); }

    QList<int> connectedPads() const override { return {}; }
    void press(int pad, int button) { emit buttonChanged(ControllerButtonCode(pad, button), true); }
    void click(int pad, int button) {
        press(pad, button);
        emit buttonChanged(ControllerButtonCode(pad, button), false);
    }

private:
    Controllers* previous_;
};
