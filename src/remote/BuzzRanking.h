#pragma once

#include <QVector>

// The order of the buzzes of one question by the moment each was touched, on ZN's clock.
// A phone's buzz arrives later than it was touched, by its network delay: buzzes arriving up
// to `windowMs` after the first registered one are placed by their moments; later arrivals
// can no longer pass anyone and are appended. The first arrival is registered at once, so
// its sound never waits for the window.
class BuzzRanking {
public:
    struct Entry {
        int slot;
        int keyCode;
        double moment;
    };
    static constexpr double DefaultWindowMs = 100;

    explicit BuzzRanking(double windowMs = DefaultWindowMs) : windowMs_(windowMs) {}

    void clear() { entries_.clear(); }
    // Places a buzz touched at `moment` that arrived at `arrival`; returns its 0-based place.
    int add(int slot, int keyCode, double moment, double arrival);
    const QVector<Entry>& entries() const { return entries_; }
    bool isEmpty() const { return entries_.isEmpty(); }
    // Milliseconds behind the first, rounded; never negative.
    long long lagMs(int place) const;

private:
    double windowMs_;
    double windowEnd_ = 0;
    QVector<Entry> entries_;
};
