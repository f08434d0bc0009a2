#include "quiz/HeldKeys.h"

#include "platform/Keys.h"

namespace {
// Keys that drive menus and dialogs: pressed there, they were a command of theirs.
bool isMenuKey(int key) {
    return key == VK::Escape || key == VK::Return || key == VK::Alt ||
           (key >= VK::F1 && key <= VK::F24);
}
} // namespace

void HeldKeys::press(const Stroke& stroke, Owner owner) {
    if (stroke.autoRepeat) return;
    if (pending_ && stroke.time != 0 && pending_->stroke.physical == stroke.physical &&
        pending_->stroke.time == stroke.time) {
        // Auto-repeat: the key was never let go.
        pending_.reset();
        return;
    }
    settle(); // an earlier release acts before this press
    // Pressed again without a release in between: a repeat the system did not mark. The key
    // keeps the owner of its first press.
    if (held_.contains(stroke.physical)) return;
    held_.insert(stroke.physical, {stroke.key, owner});
    if (owner == Owner::Quiz && keyDown) keyDown(stroke.key);
}

bool HeldKeys::release(const Stroke& stroke, Owner owner) {
    if (stroke.autoRepeat) return false;
    settle();
    pending_ = Release{stroke, owner};
    if (stroke.time != 0) return true;
    settle();
    return false;
}

void HeldKeys::settle() {
    if (!pending_) return;
    const Release release = *pending_;
    pending_.reset();
    const auto it = held_.constFind(release.stroke.physical);
    if (it == held_.cend()) return; // pressed before this program had the keyboard
    const Held held = it.value();
    held_.erase(it);
    if (acts(held, release.owner) && keyUp) keyUp(held.key);
}

bool HeldKeys::acts(const Held& held, Owner releasedIn) const {
    if (releasedIn == Owner::Other) return false;
    if (held.pressedIn == Owner::Quiz) return true;
    return !isMenuKey(held.key) && isPlayerKey && isPlayerKey(held.key);
}

void HeldKeys::forgetAll() {
    held_.clear();
    pending_.reset();
}
