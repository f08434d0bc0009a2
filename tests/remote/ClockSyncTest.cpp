#include "remote/ClockSync.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

// A phone whose clock reads offset + (1 + drift) * t at ZN time t, behind a link that takes
// `up` ms (ZN to phone) and `down` ms (back), each with uniform jitter.
struct SimulatedPhone {
    double offset;
    double drift;
    double up, down, jitter;
    std::mt19937 random{7};

    double clock(double t) const { return offset + (1 + drift) * t; }
    double delay(double base) {
        return base + std::uniform_real_distribution<double>(0, jitter)(random);
    }
    // Pings as the server sends them: quickly at first, then every two seconds.
    void exchange(ClockSync& sync, double from, double to) {
        for (double t = from; t < to; t += sync.sampleCount() < 10 ? 150 : 250) {
            const double there = t + delay(up);
            sync.addSample(t, clock(there), there + delay(down));
        }
    }
};

struct SyncCase {
    const char* what;
    double offset, drift, up, down, jitter;
    double bound; // worst error of a converted touch, ms
};

class ClockSyncTest : public ::testing::TestWithParam<SyncCase> {};

TEST_P(ClockSyncTest, TouchesLandWithinTheLinkAsymmetry) {
    const SyncCase& c = GetParam();
    SimulatedPhone phone{c.offset, c.drift, c.up, c.down, c.jitter};
    ClockSync sync;
    phone.exchange(sync, 1000, 90000);
    double worst = 0;
    for (double t = 60000; t < 90000; t += 777)
        worst = std::max(worst, std::fabs(sync.toZnClock(phone.clock(t)) - t));
    EXPECT_LE(worst, c.bound) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Links, ClockSyncTest,
    ::testing::Values(
        SyncCase{"fast symmetric link", 123456.7, 0, 3, 3, 2, 0.2},
        SyncCase{"slow jittery link", -5000, 0, 50, 50, 60, 2.0},
        // One way longer than the other cannot be seen; the error is half the difference.
        SyncCase{"asymmetric link", 777, 0, 5, 45, 3, 20.5},
        // 300 ppm fast: 27 ms off after 90 s unless the drift is followed.
        SyncCase{"drifting clock", 42, 300e-6, 10, 10, 20, 1.0},
        SyncCase{"drifting slow clock on a jittery link", 0, -250e-6, 40, 40, 60, 2.0}));

TEST(ClockSync, RefusesNonsenseKeepsTheBestRoundTripAndFollowsAJump) {
    ClockSync sync;
    sync.addSample(100, 5, 90); // received before sent
    sync.addSample(100, NAN, 110);
    EXPECT_FALSE(sync.ready());
    sync.addSample(100, 1020, 140);
    sync.addSample(200, 1102, 204);
    sync.addSample(300, 1230, 380);
    EXPECT_EQ(sync.bestRoundTrip(), 4);
    EXPECT_EQ(sync.lastRoundTrip(), 80);
    EXPECT_DOUBLE_EQ(sync.toZnClock(1102), 202); // the 4 ms exchange bounds it closest
    // The page was loaded afresh: its clock starts again from nought. The exchanges before
    // contradict the new ones and are dropped.
    sync.addSample(5000, 10, 5020);
    sync.addSample(5300, 310, 5304);
    EXPECT_DOUBLE_EQ(sync.toZnClock(310), 5302);
}

} // namespace
