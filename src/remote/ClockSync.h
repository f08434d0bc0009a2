#pragma once

#include <QVector>

// Estimates how a phone's clock (performance.now(), ms) relates to ZN's clock from ping
// exchanges: ZN sends at `sent`, the phone answers with its reading, ZN receives at `received`.
// The phone read its clock somewhere between the two, so each exchange bounds the offset
// (phone - ZN) from both sides. The line through the middle of the room all exchanges leave
// (its slope a clock that runs fast or slow) is the estimate: the bound from below comes from
// whichever exchange had the quickest way back, the one from above from the quickest way there,
// which pins the offset down far closer than the fastest single exchange.
class ClockSync {
public:
    struct Sample {
        double sent;     // ZN clock
        double phone;    // phone clock
        double received; // ZN clock
        double roundTrip() const { return received - sent; }
    };

    // Exchanges older than this are forgotten.
    static constexpr double HistoryMs = 30000;
    // A slope is fitted only through exchanges spread over this long: over less it is mostly
    // noise, which extrapolation would magnify.
    static constexpr double MinSpanForDriftMs = 15000;
    // Drift beyond 1000 ppm is no clock but a fault or a lie; the fit is clamped there.
    static constexpr double MaxDrift = 1e-3;

    void addSample(double sent, double phone, double received);
    void clear() { samples_.clear(); }
    bool ready() const { return !samples_.isEmpty(); }
    int sampleCount() const { return int(samples_.size()); }

    // The phone's clock reading `phone` on ZN's clock.
    double toZnClock(double phone) const;
    // Offset (phone - ZN) at ZN time `t`.
    double offsetAt(double t) const;
    // The smallest round trip among the kept exchanges (ms); -1 before the first one.
    double bestRoundTrip() const;
    // Round trip of the latest exchange, the phone's delay as the operator sees it now.
    double lastRoundTrip() const { return samples_.isEmpty() ? -1 : samples_.last().roundTrip(); }

private:
    void refit();
    // Fits the line for the kept exchanges; false when they contradict each other.
    bool fitBounds();

    QVector<Sample> samples_;
    // offset(t) = a + b * (t - ref)
    double a_ = 0, b_ = 0, ref_ = 0;
};
