#include "history/HistoryRecorder.h"

namespace {
HistoryRecorder* gRecorder = nullptr;
}

HistoryRecorder* historyRecorder() {
    return gRecorder;
}

HistoryRecorder* setHistoryRecorder(HistoryRecorder* recorder) {
    HistoryRecorder* previous = gRecorder;
    gRecorder = recorder;
    return previous;
}
