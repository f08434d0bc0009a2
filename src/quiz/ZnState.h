#pragma once

#include "core/ResText.h"

#include <QString>
#include <QVector>

#include <array>

// Where a question stands. The numbers are those the rules and the sounds use: a state's sound
// is resource 10 + state, and the mark column is (4 - state) * 110.
namespace QuizStage {
enum : int {
    Idle = 1,     // nothing asked yet, or the last question judged
    Reading = 2,  // the question is being read out (or a buzz was just taken)
    Wrong = 3,    // time over, or judged wrong
    Answering = 4 // the count runs for an answer; judged right when it ends by a press
};
}

// What the timer's ticks do.
namespace TimerMode {
enum : int {
    Reveal = 0,   // one character of the question a tick
    Thinking = 1, // the ten-second count after the question, nobody having buzzed
    Answer = 2,   // the short count for the player who buzzed
    JudgeWait = 3 // the verdict is up; the judging pop-up may change it
};
}

// The quiz state of the main window. Arrays indexed by question position or line number are
// 1-based (element 0 unused) so the code reads like the rules it follows.
struct ZnState {
    bool running = false; // a run is in progress; the timer may run only while this holds
    int quizState = QuizStage::Idle;   // a QuizStage
    int timerMode = TimerMode::Reveal; // a TimerMode
    long tick = 0;        // ticks in the current mode; while revealing, characters shown
    int revealLine = 1;   // question line being revealed, 1-4
    int countSeconds = 0; // completed groups of ten ticks in the thinking count
    int questionNo = 0;   // position of the current question in the run
    int questionTotal = 0;
    bool fileOpen = false; // a question file is held (it may hold no records)

    QVector<int> questionOrder; // 1..RecordCount: record number asked at each position
    QVector<bool> verdicts;     // 1..questionTotal: true = correct
    QVector<int> buzzPositions; // 1..questionTotal: characters shown at the buzz; 0 = none
    QVector<QString> answerers; // 1..questionTotal: first buzzing match player

    long revealEnd = 0;
    std::array<int, 8> lineBreaks{}; // 1-4 question lines, 5-7 answer lines
    int questionTop = 0;
    int lineSpacing = 0;

    int buzzKey = 0;
    bool buzzed = false;
    int buzzCount = 0;
    std::array<long long, 4> buzzTimes{}; // 1..3: ms within the minute, by rank
    std::array<bool, 10> playerBuzzed{};
    int digitRow = 0;

    int baseInterval = 0;
    int extraChars = 0;
    bool playSounds = false;
    bool readPress = false;
    bool revealMode = false;
    bool shuffle = false;
    bool timeOverVerdict = false;
    int fontResId = FontGothic; // the string id of the board font
};
