#include "platform/Controllers.h"

namespace {

class NoControllers : public Controllers {
public:
    QList<int> connectedPads() const override { return {}; }
};

Controllers* current = nullptr;

} // namespace

Controllers& controllers() {
    static NoControllers none;
    return current ? *current : none;
}

Controllers* setControllers(Controllers* replacement) {
    Controllers* previous = current;
    current = replacement;
    return previous;
}
