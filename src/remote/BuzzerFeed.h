#pragma once

#include <QVector>

// What the quiz tells the buzzers outside the keyboard (phones) about the question on the
// board, so each can show its player where they stand. The quiz knows only this interface.
class BuzzerFeed {
public:
    struct Ranked {
        int keyCode;
        long long lagMs;
    };
    virtual ~BuzzerFeed() = default;
    // A question is being asked: buzzers are live.
    virtual void questionOpened() = 0;
    // The buzz order so far; `full` when no further buzz can be ranked on this question.
    virtual void buzzesRanked(const QVector<Ranked>& order, bool full) = 0;
    // The answer is on the board with this verdict (again when the judge changes it).
    virtual void answerShown(int answererKey, bool right) = 0;
    // No question on the board: between runs, after the last question, file given up.
    virtual void quizIdle() = 0;
    // Match mode was turned off (the question file was given up).
    virtual void matchEnded() = 0;
};
