#include "remote/ClockSync.h"

#include <algorithm>
#include <cmath>
#include <map>

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
    // The best exchange of each bucket; a bucket whose best is much slower than the best of all
    // saw only congested exchanges and would pull the line off.
    std::map<long long, Sample> bests;
    for (const Sample& s : samples_) {
        const auto key = static_cast<long long>(std::floor(s.received / BucketMs));
        auto it = bests.find(key);
        if (it == bests.end() || s.roundTrip() < it->second.roundTrip()) bests[key] = s;
    }
    const double best = bestRoundTrip();
    QVector<Sample> points;
    for (const auto& [key, s] : bests)
        if (s.roundTrip() <= 2 * best + 2) points.append(s);

    const auto bestSample = std::min_element(
        samples_.begin(), samples_.end(),
        [](const Sample& x, const Sample& y) { return x.roundTrip() < y.roundTrip(); });
    // With few points or a short span a slope is mostly noise: the newest of the fastest
    // exchanges then stands alone. Among equally fast ones the newest is nearest in drift.
    Sample anchor = *bestSample;
    for (const Sample& s : samples_)
        if (s.roundTrip() <= anchor.roundTrip() + 0.5 && s.received > anchor.received) anchor = s;
    a_ = anchor.offset();
    b_ = 0;
    ref_ = (anchor.sent + anchor.received) / 2;
    if (points.size() < 3) return;
    const double span = points.last().received - points.first().received;
    if (span < 2.5 * BucketMs) return;

    double mt = 0, mo = 0;
    for (const Sample& s : points) {
        mt += (s.sent + s.received) / 2;
        mo += s.offset();
    }
    mt /= points.size();
    mo /= points.size();
    double stt = 0, sto = 0;
    for (const Sample& s : points) {
        const double dt = (s.sent + s.received) / 2 - mt;
        stt += dt * dt;
        sto += dt * (s.offset() - mo);
    }
    if (stt <= 0) return;
    b_ = std::clamp(sto / stt, -MaxDrift, MaxDrift);
    a_ = mo;
    ref_ = mt;
}

double ClockSync::offsetAt(double t) const { return a_ + b_ * (t - ref_); }

double ClockSync::toZnClock(double phone) const {
    // t = phone - offset(t), solved for t.
    return (phone - a_ + b_ * ref_) / (1 + b_);
}
