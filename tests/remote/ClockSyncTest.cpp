#include "remote/BuzzRanking.h"
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
        for (double t = from; t < to; t += sync.sampleCount() < 10 ? 150 : 1000) {
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
        SyncCase{"fast symmetric link", 123456.7, 0, 3, 3, 2, 1.0},
        SyncCase{"slow jittery link", -5000, 0, 50, 50, 60, 4.0},
        // One way longer than the other cannot be seen; the error is half the difference.
        SyncCase{"asymmetric link", 777, 0, 5, 45, 3, 21.5},
        // 300 ppm fast: 27 ms off after 90 s unless the drift is followed.
        SyncCase{"drifting clock", 42, 300e-6, 10, 10, 20, 3.0},
        SyncCase{"drifting slow clock on a jittery link", 0, -250e-6, 40, 40, 60, 6.0}));

TEST(ClockSync, RefusesNonsenseAndKeepsTheBestRoundTrip) {
    ClockSync sync;
    sync.addSample(100, 5, 90); // received before sent
    sync.addSample(100, NAN, 110);
    EXPECT_FALSE(sync.ready());
    sync.addSample(100, 1000, 140);
    sync.addSample(200, 1102, 204);
    sync.addSample(300, 1300, 380);
    EXPECT_EQ(sync.bestRoundTrip(), 4);
    EXPECT_EQ(sync.lastRoundTrip(), 80);
    EXPECT_DOUBLE_EQ(sync.toZnClock(1102), 202); // from the 4 ms exchange
}

struct RankCase {
    const char* what;
    struct Buzz {
        int slot;
        double moment, arrival;
    };
    std::vector<Buzz> buzzes;
    std::vector<int> order;  // slots, first to last
    std::vector<int> places; // what add() answered
    std::vector<long long> lags;
};

TEST(BuzzRanking, PlacesBuzzesArrivingWithinTheWindowByTheirTouch) {
    const RankCase cases[] = {
        {"arrival order when touches agree", {{1, 10, 12}, {2, 20, 25}, {3, 30, 31}},
         {1, 2, 3}, {0, 1, 2}, {0, 10, 20}},
        {"a slow phone that touched first moves ahead",
         {{1, 50, 52}, {2, 45, 130}, {3, 47, 140}}, {2, 3, 1}, {0, 0, 1}, {0, 2, 5}},
        {"after the window nobody is passed",
         {{1, 50, 52}, {2, 45, 152.5}, {3, 40, 160}}, {1, 2, 3}, {0, 1, 2}, {0, 0, 0}},
        {"the window's last instant still counts", {{1, 50, 52}, {2, 49, 152}}, {2, 1},
         {0, 0}, {0, 1}},
        {"equal touches keep arrival order", {{4, 7, 9}, {5, 7, 8.5}}, {4, 5}, {0, 1}, {0, 0}},
    };
    for (const RankCase& c : cases) {
        BuzzRanking ranking;
        std::vector<int> places;
        for (const auto& b : c.buzzes)
            places.push_back(ranking.add(b.slot, 0x20000 + b.slot, b.moment, b.arrival));
        std::vector<int> order;
        std::vector<long long> lags;
        for (int i = 0; i < ranking.entries().size(); ++i) {
            order.push_back(ranking.entries()[i].slot);
            lags.push_back(ranking.lagMs(i));
        }
        EXPECT_EQ(order, c.order) << c.what;
        EXPECT_EQ(places, c.places) << c.what;
        EXPECT_EQ(lags, c.lags) << c.what;
    }
}

} // namespace
