#pragma once

#include "quiz/QuizRules.h"

#include <gtest/gtest.h>

#include <functional>

// Records what the rules ask of the window, one word a call.
struct ViewLog : QuizView {
    QStringList calls;
    std::string said() const { return calls.join(QLatin1Char('|')).toStdString(); }
    void quitProgram() override { calls << "quit"; }
    void askNextQuestion() override { calls << "next"; }
    void playStateSound() override { calls << "sound"; }
    void playBuzzSound() override { calls << "buzz"; }
    void playTickSound() override { calls << "tick"; }
    void setTickInterval(int) override {}
    void showCharacter(const QString& c) override { calls << c; }
    void startRevealLine() override {}
    void showCount(int, int) override {}
    void showIndicator(int, int) override {}
    void showVerdict(bool) override { calls << "verdict"; }
    void showBuzz(int rank, const QuizBuzz& b) override {
        calls << QStringLiteral("line%1 %2 %3").arg(rank).arg(b.name).arg(b.lagMs);
    }
    void showBuzzOrder(const QList<QuizBuzz>& byRank) override {
        QStringList names;
        for (const QuizBuzz& b : byRank)
            names << b.name + QString::number(b.lagMs);
        calls << QStringLiteral("order ") + names.join(QLatin1Char(' '));
    }
};

struct Judgements : QuizObserver {
    QList<JudgedQuestion> judged;
    void questionJudged(const JudgedQuestion& j) override { judged << j; }
};

// One question read out from `now` in a three-player match of P, Q and R, without sounds;
// `before` adjusts the rules before the question begins.
struct Match {
    ViewLog view;
    QuizRules rules{view};
    MatchRoster roster{true, 2, {{{"P", 'P'}, {"Q", 'Q'}, {"R", 'R'}}}};
    Judgements history;
    qint64 now;

    explicit Match(const QString& question = QStringLiteral("ABCDEFG"), int interval = 50,
                   qint64 start = 100000, const std::function<void(QuizRules&)>& before = {})
        : now(start) {
        rules.roster = &roster;
        rules.clock = [this] { return now; };
        rules.addObserver(&history);
        ZnState& st = rules.st;
        st.running = st.fileOpen = st.revealMode = true;
        st.questionNo = st.questionTotal = 1;
        st.verdicts = {false, false};
        st.buzzPositions = {0, 0};
        st.answerers = {QString(), QString()};
        st.baseInterval = interval;
        if (before) before(rules);
        rules.clearQuestion();
        QuestionRecord asked;
        asked.question = question;
        rules.beginQuestion(9, asked, asked.question);
        rules.startAsking();
    }
};
