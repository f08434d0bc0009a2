#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "remote/BuzzerFeed.h"

#include <algorithm>

void ZN::PlayerBuzz(int keyCode, double momentMs) {
    // Only the operator moves on to the next question; a phone touch between questions is lost.
    if (keyCode <= 0 || dropKeys_ || !st.running || st.quizState == 1) return;
    buzzerReleased(keyCode, momentMs);
}

void ZN::reorderFirstBuzz(int previousFirstKey, double moment) {
    const int key = ranking_.entries().first().keyCode;
    // The earlier touch answers: it takes over the first buzz's key and where it came.
    if (st.buzzKey == previousFirstKey) st.buzzKey = key;
    if (questionInRange()) {
        const int position = positionAt(moment);
        if (st.buzzPositions[st.questionNo] != 0 || position != 0)
            st.buzzPositions[st.questionNo] = position;
    }
}

int ZN::positionAt(double moment) const {
    if (revealEndedAt_ >= 0) {
        if (moment >= revealEndedAt_) return 0;
        return int(std::count_if(tickMoments_.begin(), tickMoments_.end(),
                                 [moment](double t) { return t <= moment; }));
    }
    // Still revealing: the characters shown, less those put up after the touch.
    const auto later = std::count_if(tickMoments_.begin(), tickMoments_.end(),
                                     [moment](double t) { return t > moment; });
    return std::max(0, int(st.tick - later));
}

void ZN::redrawBuzzPanel() {
    Blit(Kazu, 0, 0, G().SkinDC, 0, 300, 200, 110);
    const auto& entries = ranking_.entries();
    for (int i = 0; i < entries.size(); ++i)
        AddBuzzLine(i + 1, G().Roster.players[entries[i].slot].name, ranking_.lagMs(i));
}

void ZN::feedRanks() {
    if (!buzzerFeed) return;
    QVector<BuzzerFeed::Ranked> order;
    for (int i = 0; i < ranking_.entries().size(); ++i)
        order.append({ranking_.entries()[i].keyCode, ranking_.lagMs(i)});
    buzzerFeed->buzzesRanked(order, st.buzzCount >= 3);
}

void ZN::feedAnswer() {
    if (!buzzerFeed || !questionInRange()) return;
    buzzerFeed->answerShown(st.buzzKey, st.verdicts[st.questionNo]);
}
