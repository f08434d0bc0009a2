#include "remote/BuzzRanking.h"

#include <algorithm>
#include <cmath>

int BuzzRanking::add(int slot, int keyCode, double moment, double arrival) {
    if (entries_.isEmpty()) windowEnd_ = arrival + windowMs_;
    int place = int(entries_.size());
    if (arrival <= windowEnd_) {
        // Equal moments keep their arrival order.
        while (place > 0 && entries_[place - 1].moment > moment)
            --place;
    }
    entries_.insert(place, Entry{slot, keyCode, moment});
    return place;
}

long long BuzzRanking::lagMs(int place) const {
    if (place <= 0 || place >= entries_.size()) return 0;
    return std::max(0LL, std::llround(entries_[place].moment - entries_[0].moment));
}
