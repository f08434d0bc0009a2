#include "remote/ClockSync.h"

#include <algorithm>
#include <cmath>

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
    // The fastest exchanges say most: a sample's error is at most half its round trip, and
    // among the near-fastest, delays one way and the other even out. Those within a small
    // margin of the best are kept; the margin grows with how jittery the link is.
    QVector<double> trips;
    for (const Sample& s : samples_)
        trips.append(s.roundTrip());
    std::sort(trips.begin(), trips.end());
    const double best = trips.first();
    const double median = trips[trips.size() / 2];
    const double margin = std::max(1.0, 0.25 * (median - best));
    QVector<Sample> points;
    for (const Sample& s : samples_)
        if (s.roundTrip() <= best + margin) points.append(s);

    double mt = 0, mo = 0;
    for (const Sample& s : points) {
        mt += (s.sent + s.received) / 2;
        mo += s.offset();
    }
    mt /= points.size();
    mo /= points.size();
    a_ = mo;
    b_ = 0;
    ref_ = mt;
    // A slope needs points spread over some time; before that a clock's drift is too small to
    // matter and the noise would dominate.
    const auto [first, last] =
        std::minmax_element(points.begin(), points.end(), [](const Sample& x, const Sample& y) {
            return x.received < y.received;
        });
    if (points.size() < MinPointsForDrift || last->received - first->received < MinSpanForDriftMs)
        return;
    double stt = 0, sto = 0;
    for (const Sample& s : points) {
        const double dt = (s.sent + s.received) / 2 - mt;
        stt += dt * dt;
        sto += dt * (s.offset() - mo);
    }
    if (stt > 0) b_ = std::clamp(sto / stt, -MaxDrift, MaxDrift);
}

double ClockSync::offsetAt(double t) const {
    return a_ + b_ * (t - ref_);
}

double ClockSync::toZnClock(double phone) const {
    // t = phone - offset(t), solved for t.
    return (phone - a_ + b_ * ref_) / (1 + b_);
}
