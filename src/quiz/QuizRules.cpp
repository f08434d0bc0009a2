#include "quiz/QuizRules.h"

#include "core/ResText.h"
#include "platform/Keys.h"

#include <QDateTime>

#include <algorithm>

namespace {

constexpr qint64 MinuteMs = 60000;

// The old panel's "ms within the minute" of a moment.
long long WithinMinute(qint64 momentMs) {
    return ((momentMs % MinuteMs) + MinuteMs) % MinuteMs;
}

} // namespace

QuizRules::QuizRules(QuizView& view)
    : clock([] { return QDateTime::currentMSecsSinceEpoch(); }), view_(view),
      pauseSet_(LoadResString(129)) {}

void QuizRules::addObserver(QuizObserver* observer) {
    if (observer && !observers_.contains(observer)) observers_.append(observer);
}

void QuizRules::removeObserver(QuizObserver* observer) {
    observers_.removeAll(observer);
}

qint64 QuizRules::momentOrNow(qint64 momentMs) const {
    return momentMs == Now ? clock() : momentMs;
}

bool QuizRules::questionInRange() const {
    return st.fileOpen && st.questionNo >= 1 && st.questionNo <= st.questionTotal &&
           st.questionNo < st.verdicts.size();
}

void QuizRules::playerBuzz(int key, qint64 momentMs) {
    if (key <= 0) return;
    if (key == VK::Escape) {
        view_.quitProgram();
        return;
    }
    if (dropKeys) return;
    if (key == VK::F1 || key == VK::F2) {
        if (st.timerMode == TimerMode::JudgeWait) judge(key == VK::F1);
        return;
    }
    if (!st.running) return;

    if (roster && roster->matchOn && st.buzzCount < 3 && st.quizState != QuizStage::Idle) {
        // A buzz made before the one that led takes over the answer; it is no press of its own.
        if (registerMatchBuzz(key, momentMs) == BuzzResult::TookTheLead) return;
        // Until a player has buzzed, keys that belong to nobody do nothing in a match.
        if (st.buzzCount == 0) return;
    }

    switch (st.quizState) {
    case QuizStage::Idle:
        view_.askNextQuestion();
        break;
    case QuizStage::Reading:
        if (st.buzzKey == 0) {
            st.buzzKey = key;
            st.buzzed = true;
            // Recorded before the sound: a second press handled inside it shows the answer and
            // resets the tick count, which must not erase where the buzz came.
            if (questionInRange()) st.buzzPositions[st.questionNo] = int(st.tick);
            st.revealEnd = st.tick + st.extraChars;
            if (!observers_.isEmpty())
                buzzAtMs_ = buzzes_.isEmpty() ? momentOrNow(momentMs) : buzzes_[0].momentMs;
            view_.playStateSound();
        } else if (key == st.buzzKey) {
            st.quizState = QuizStage::Answering;
            endStage(false);
        }
        break;
    case QuizStage::Wrong:
    case QuizStage::Answering:
        if (key == st.buzzKey) {
            endStage(false);
        } else if (!st.buzzed) {
            st.buzzKey = key;
            st.quizState = QuizStage::Reading;
            st.buzzed = true;
            if (!observers_.isEmpty())
                buzzAtMs_ = buzzes_.isEmpty() ? momentOrNow(momentMs) : buzzes_[0].momentMs;
            view_.playStateSound();
            // Unless a press handled inside the sound has already shown the answer.
            if (st.quizState == QuizStage::Reading) endStage(true);
        }
        break;
    default:
        break;
    }
}

QuizRules::BuzzResult QuizRules::registerMatchBuzz(int key, qint64 momentMs) {
    const int last = std::clamp(roster->lastPlayer, 0, int(roster->players.size()) - 1);
    int slot = -1;
    for (int i = 0; i <= last; ++i) {
        if (roster->players[i].keyCode == key) {
            slot = i;
            break;
        }
    }
    if (slot < 0 || st.playerBuzzed[slot]) return BuzzResult::NotAPlayer;

    if (st.playSounds) view_.playBuzzSound();
    QuizBuzz buzz;
    buzz.slot = slot;
    buzz.keyCode = key;
    buzz.name = roster->players[slot].name;
    buzz.momentMs = momentOrNow(momentMs);
    // Ties keep the order of arrival.
    qsizetype rank = buzzes_.size();
    while (rank > 0 && buzzes_[rank - 1].momentMs > buzz.momentMs)
        --rank;
    buzzes_.insert(rank, buzz);
    ++st.buzzCount;
    st.playerBuzzed[slot] = true;
    for (qsizetype i = 0; i < buzzes_.size(); ++i) {
        buzzes_[i].lagMs = buzzes_[i].momentMs - buzzes_[0].momentMs;
        if (i + 1 < qsizetype(st.buzzTimes.size()))
            st.buzzTimes[i + 1] = WithinMinute(buzzes_[i].momentMs);
    }
    if (rank == 0 && questionInRange()) st.answerers[st.questionNo] = buzz.name;
    for (QuizObserver* observer : observers_)
        observer->buzzesRanked(buzzes_);

    if (rank == buzzes_.size() - 1) {
        view_.showBuzz(int(rank) + 1, buzzes_[rank]);
        return BuzzResult::Ranked;
    }
    view_.showBuzzOrder(buzzes_);
    if (rank != 0) return BuzzResult::Ranked;
    if (st.buzzKey == buzzes_[1].keyCode) st.buzzKey = key;
    if (buzzAtMs_ != 0) buzzAtMs_ = buzz.momentMs;
    return BuzzResult::TookTheLead;
}

void QuizRules::judge(bool right) {
    // A verdict belongs to the question on the board; after the run or with no file there is none.
    if (!st.running || !questionInRange()) return;
    if (st.verdicts[st.questionNo] == right) return;
    st.verdicts[st.questionNo] = right;
    notifyJudged(true);
    st.quizState = right ? QuizStage::Answering : QuizStage::Wrong;
    view_.playStateSound();
    view_.showVerdict(false);
    st.quizState = QuizStage::Idle;
}

void QuizRules::endStage(bool startCount) {
    if (startCount) {
        st.quizState = QuizStage::Answering;
        st.timerMode = st.buzzed ? TimerMode::Answer : TimerMode::Thinking;
        st.tick = 0;
        st.countSeconds = 0;
        return;
    }
    view_.setTickInterval(2 * st.baseInterval);
    if (questionInRange()) {
        st.verdicts[st.questionNo] = st.quizState == QuizStage::Wrong ? st.timeOverVerdict : true;
        notifyJudged(false);
    }
    view_.playStateSound();
    view_.showVerdict(true);
    st.quizState = QuizStage::Idle;
    st.timerMode = TimerMode::JudgeWait;
    st.tick = 0;
    st.countSeconds = 0;
}

void QuizRules::notifyJudged(bool rejudged) {
    if (observers_.isEmpty()) return;
    JudgedQuestion j;
    j.questionNo = st.questionNo;
    j.recordNo = recordNo_;
    j.record = asked_;
    j.questionLength = int(questionText_.size());
    j.buzzPosition = st.buzzPositions.value(st.questionNo);
    j.correct = st.verdicts.value(st.questionNo);
    j.timeOver = !rejudged && st.quizState == QuizStage::Wrong;
    j.rejudged = rejudged;
    j.answerer = st.answerers.value(st.questionNo);
    j.buzzes = buzzes_;
    j.askedAtMs = askedAtMs_;
    j.buzzAtMs = buzzAtMs_;
    j.judgedAtMs = clock();
    for (QuizObserver* observer : observers_)
        observer->questionJudged(j);
}

void QuizRules::tick() {
    ++st.tick;
    switch (st.timerMode) {
    case TimerMode::Reveal:
        revealTick();
        break;
    case TimerMode::Thinking:
        thinkingTick();
        break;
    case TimerMode::Answer:
        answerTick();
        break;
    case TimerMode::JudgeWait:
        judgeWaitTick();
        break;
    default:
        break;
    }
}

void QuizRules::revealTick() {
    const long t = st.tick;
    // Past the end there is no character, which pauses like a comma.
    const QString c =
        (t >= 1 && t <= questionText_.size()) ? questionText_.mid(t - 1, 1) : QString();
    if (c.isEmpty() || pauseSet_.contains(c)) {
        view_.setTickInterval(5 * st.baseInterval);
        if (st.buzzed) st.revealEnd -= 2;
    } else {
        view_.setTickInterval(st.baseInterval);
    }
    if (!c.isEmpty()) view_.showCharacter(c);
    if (st.revealLine >= 1 && st.revealLine <= 7 && t == st.lineBreaks[st.revealLine]) {
        ++st.revealLine;
        view_.startRevealLine();
    }
    if (t >= st.revealEnd) endStage(true);
}

void QuizRules::thinkingTick() {
    if (st.playSounds) view_.playTickSound();
    if (st.tick == 10) {
        ++st.countSeconds;
        st.tick = 0;
        if (st.countSeconds > 8) st.digitRow += 35;
    }
    view_.showCount(st.countSeconds / 10, st.countSeconds % 10);
    if (st.countSeconds == 10) {
        st.quizState = QuizStage::Wrong;
        endStage(false);
    }
}

void QuizRules::answerTick() {
    view_.setTickInterval(10 * st.baseInterval);
    if (st.tick == 6) {
        st.quizState = QuizStage::Wrong;
        endStage(false);
    } else {
        view_.showIndicator(int(st.tick) - 1, 240);
    }
}

void QuizRules::judgeWaitTick() {
    view_.showIndicator(int(st.tick) - 1, 200);
    st.tick = st.tick % 18;
}

void QuizRules::clearQuestion() {
    st.quizState = QuizStage::Idle;
    st.revealLine = 1;
    st.tick = 0;
    st.buzzCount = 0;
    st.digitRow = 0;
    st.buzzKey = 0;
    st.buzzed = false;
    st.buzzTimes.fill(0);
    st.playerBuzzed.fill(false);
    st.lineBreaks.fill(0);
    buzzes_.clear();
    buzzAtMs_ = 0;
}

void QuizRules::beginQuestion(int recordNo, const QuestionRecord& record,
                              const QString& questionText) {
    recordNo_ = recordNo;
    asked_ = record;
    questionText_ = questionText;
    st.revealEnd = questionText.size();
    if (observers_.isEmpty()) return;
    askedAtMs_ = clock();
    for (QuizObserver* observer : observers_)
        observer->questionAsked(st.questionNo, recordNo, record);
}

void QuizRules::startAsking() {
    if (st.revealMode) {
        st.quizState = QuizStage::Reading;
        st.timerMode = TimerMode::Reveal;
        st.tick = 0;
    } else {
        endStage(true);
    }
}
