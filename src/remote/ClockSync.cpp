#include "remote/ClockSync.h"

#include <algorithm>
#include <cmath>
#include <utility>

void ClockSync::addSample(double sent, double phone, double received) {
    // A reply before its ping, or a reading that is no number, says nothing about the clock.
    if (!std::isfinite(sent) || !std::isfinite(phone) || !std::isfinite(received) ||
        received < sent)
        return;
    samples_.append({sent, phone, received});
    const double oldest = received - HistoryMs;
    samples_.erase(std::remove_if(samples_.begin(), samples_.end(),
                                  [oldest](const Sample& s) { return s.received < oldest; }),
                   samples_.end());
    if (samples_.size() > 400) samples_.remove(0, samples_.size() - 400);
    refit();
}

double ClockSync::bestRoundTrip() const {
    double best = -1;
    for (const Sample& s : samples_)
        if (best < 0 || s.roundTrip() < best) best = s.roundTrip();
    return best;
}

void ClockSync::refit() {
    // Exchanges cannot contradict each other unless the phone's clock jumped (a page loaded
    // afresh restarts it): those from before the jump are dropped, oldest first.
    while (!fitBounds())
        samples_.remove(0, (samples_.size() + 1) / 2);
}

bool ClockSync::fitBounds() {
    // For a slope b, the offsets at ref the exchanges leave: the highest lower bound and the
    // lowest upper bound. The room between them narrows as b moves away from the best slope
    // (it is concave in b), so the widest room is found by narrowing down on it.
    const double ref = samples_.last().received;
    auto bounds = [this, ref](double b) {
        double low = -INFINITY, high = INFINITY;
        for (const Sample& s : samples_) {
            const double drift = b * ((s.sent + s.received) / 2 - ref);
            low = std::max(low, s.phone - s.received - drift);
            high = std::min(high, s.phone - s.sent - drift);
        }
        return std::pair(low, high);
    };
    auto room = [&bounds](double b) {
        const auto [low, high] = bounds(b);
        return high - low;
    };
    double b = 0;
    if (ref - samples_.first().received >= MinSpanForDriftMs) {
        double lo = -MaxDrift, hi = MaxDrift;
        for (int i = 0; i < 60; ++i) {
            const double third = (hi - lo) / 3;
            if (room(lo + third) < room(hi - third))
                lo += third;
            else
                hi -= third;
        }
        b = (lo + hi) / 2;
    }
    const auto [low, high] = bounds(b);
    if (low > high) return false;
    a_ = (low + high) / 2;
    b_ = b;
    ref_ = ref;
    return true;
}

double ClockSync::offsetAt(double t) const {
    return a_ + b_ * (t - ref_);
}

double ClockSync::toZnClock(double phone) const {
    // t = phone - offset(t), solved for t.
    return (phone - a_ + b_ * ref_) / (1 + b_);
}
