#pragma once

#include "core/Records.h"
#include "data/QuestionFile.h"
#include "quiz/ZnState.h"

#include <QList>
#include <QString>

#include <functional>
#include <limits>

// One player's buzz in a match. Buzzes are ranked by the moment they were made, which for a key
// is the moment it was handled and for a remote buzzer the moment it reports.
struct QuizBuzz {
    int slot = -1; // index in the match roster
    int keyCode = 0;
    QString name;
    qint64 momentMs = 0; // on the window's clock
    qint64 lagMs = 0;    // behind the first buzz
};

// A question as it was judged, for whoever keeps a record of the run.
struct JudgedQuestion {
    int questionNo = 0; // position in the run
    int recordNo = 0;   // record in the question file
    QuestionRecord record;
    int questionLength = 0; // characters of the question
    int buzzPosition = 0;   // characters shown when the answer buzz came; 0 = nobody buzzed
    bool correct = false;
    bool timeOver = false;  // the count ran out; the verdict is the one set for a time over
    bool rejudged = false;  // changed afterwards from the judging pop-up or F1/F2
    QString answerer;       // the first match player; empty outside a match
    QList<QuizBuzz> buzzes; // the match buzzes by rank
    qint64 askedAtMs = 0;   // moments on the window's clock; 0 = not known
    qint64 buzzAtMs = 0;
    qint64 judgedAtMs = 0;
};

// Told what happens in a run. The moments are only read from the clock while an observer is
// attached.
class QuizObserver {
public:
    virtual ~QuizObserver() = default;
    virtual void questionAsked(int questionNo, int recordNo, const QuestionRecord& record) {
        (void)questionNo, (void)recordNo, (void)record;
    }
    virtual void buzzesRanked(const QList<QuizBuzz>& byRank) { (void)byRank; }
    virtual void questionJudged(const JudgedQuestion& judged) { (void)judged; }
};

// What the rules ask of the window: drawing, sound and the timer.
class QuizView {
public:
    virtual ~QuizView() = default;
    virtual void quitProgram() = 0;
    virtual void askNextQuestion() = 0;
    // The sound of the current quiz state. It may handle queued key events before it returns.
    virtual void playStateSound() = 0;
    virtual void playBuzzSound() = 0;
    virtual void playTickSound() = 0;
    virtual void setTickInterval(int ms) = 0;
    virtual void showCharacter(const QString& c) = 0; // the next character of the question
    virtual void startRevealLine() = 0;               // the next one goes on a new line
    virtual void showCount(int tens, int ones) = 0;
    virtual void showIndicator(int column, int row) = 0;
    virtual void showVerdict(bool withQuestion) = 0; // the mark of st.quizState and the answer
    virtual void showBuzz(int rank, const QuizBuzz& buzz) = 0;     // one more line in the panel
    virtual void showBuzzOrder(const QList<QuizBuzz>& byRank) = 0; // the panel redrawn
};

// The rules of a run, without widgets: what a released key or buzzer does, the reveal, the
// thinking and answer counts, verdicts and the buzz order of a match. The window drives it
// (keys, ticks, the judging pop-up) and draws what it is told.
class QuizRules {
public:
    // A moment to be read from the clock when it is needed.
    static constexpr qint64 Now = std::numeric_limits<qint64>::min();

    explicit QuizRules(QuizView& view);

    ZnState st;
    const MatchRoster* roster = nullptr; // null: never a match
    std::function<qint64()> clock;       // ms; the UTC clock unless replaced
    // Set while a sound that may run queued events plays behind a question or a verdict.
    bool dropKeys = false;

    void addObserver(QuizObserver* observer);
    void removeObserver(QuizObserver* observer);

    // A key or buzzer let go at `momentMs`: Esc ends the program, F1/F2 judge in the judge wait,
    // a player's code buzzes, opens the answer or goes on to the next question.
    void playerBuzz(int keyCode, qint64 momentMs = Now);
    // The judging pop-up: the verdict of the question on the board.
    void judge(bool right);
    // The end of reading (startCount: the count begins) or of answering (the verdict).
    void endStage(bool startCount);
    void tick();

    // A new question position: the state of the last one cleared.
    void clearQuestion();
    // The question at st.questionNo has been read from the file and is about to be asked.
    void beginQuestion(int recordNo, const QuestionRecord& record, const QString& questionText);
    // The reading starts (reveal mode) or the whole question is up and the count starts.
    void startAsking();
    bool questionInRange() const;
    const QList<QuizBuzz>& buzzes() const { return buzzes_; }

private:
    enum class BuzzResult { NotAPlayer, Ranked, TookTheLead };
    BuzzResult registerMatchBuzz(int key, qint64 momentMs);
    void revealTick();
    void thinkingTick();
    void answerTick();
    void judgeWaitTick();
    qint64 momentOrNow(qint64 momentMs) const;
    void notifyJudged(bool rejudged);

    QuizView& view_;
    QList<QuizObserver*> observers_;
    QList<QuizBuzz> buzzes_; // this question's, by rank
    QString pauseSet_;
    QString questionText_;
    int recordNo_ = 0;
    QuestionRecord asked_;
    qint64 askedAtMs_ = 0;
    qint64 buzzAtMs_ = 0;
};
