#pragma once

#include "data/QuestionFile.h"
#include "quiz/HeldKeys.h"
#include "quiz/HistoryObserver.h"
#include "quiz/QuizRules.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QSet>
#include <QTimer>

#include <array>
#include <functional>

class QAction;
class QMenu;
class ZnBoard;
class ExitButton;

// The main quiz window: question board, buzzer keys, countdowns, judging, menus and the log.
// Whoever opens it constructs it, calls Form_Load() and then shows it (or keeps it hidden).
// The rules of a run live in QuizRules; the window feeds it keys and ticks, and draws and plays
// what it is told.
class ZN : public QMainWindow, private QuizView {
    Q_OBJECT
public:
    explicit ZN(QWidget* parent = nullptr);
    ~ZN() override;

    // Menu and item indices; the gaps among the items are separators.
    enum MenuIndex { FileMenu = 0, EditMenu = 1, HelpMenu = 2, JudgeMenu = 3 };
    enum FileItem {
        FileStart = 0,
        FileLoad = 2,
        FileMake = 3,
        FilePrint = 5,
        FileSaveLog = 6,
        FileExit = 8
    };
    enum EditItem { EditOptions = 0, EditConvert = 2 };
    enum HelpItem { HelpContents = 0, HelpVersion = 2, HelpStats = 4 };
    enum JudgeItem { JudgeRight = 0, JudgeWrong = 1 };

    // --- window events ---------------------------------------------------------------------
    void Form_Load();
    // The end of the load step: the file named on the command line (CurrentFile), if any, is
    // checked, opened and its run started. Run by Form_Load; the program runs it again once the
    // window is on screen when it kept the file back from the load.
    void OpenCommandLineFile();
    void Form_Activate();
    void Form_Deactivate();
    void Form_Resize();
    void Form_Unload();
    void Tim_Timer();
    void Form_KeyDown(int key);
    void Form_KeyUp(int key);
    void Form_MouseDown(Qt::MouseButton button, QPoint globalPos);
    void PopUp_Click(int index);
    void menu1_Click(int index);
    void menu2_Click(int index);
    void menu3_Click(int index);
    void Exit_But_Click();
    void Exit_But_MouseDown();
    void Exit_But_MouseUp();
    // A game-controller button went down or up (its code as a player's key code).
    void Pad_Button(int code, bool pressed);

    // --- routines --------------------------------------------------------------------------
    void ClearBoard();
    void LoadSettings();
    void ApplySettings();
    bool OpenQuestionFile();
    void CloseQuestionFile();
    void NextQuestion();
    void BreakLines(int which);
    void DrawQuestion();
    void DrawAnswer();
    void EndStage(bool startCount);
    void PlayStateSound();
    void ShowTime(int tens, int ones);
    void DrawIndicator(int column, int row);
    void AddBuzzLine(int n, const QString& name, long long lagMs);
    void SaveLog();
    // The window title, with a note of the match players' pads that are unplugged.
    void ShowPadNotice();

    // --- buzzers ---------------------------------------------------------------------------
    // A player's buzzer let go at `momentMs` on clockMs(): the same step as a key release, with
    // its lag and rank in a match taken from that moment.
    void playerBuzz(int keyCode, qint64 momentMs);
    qint64 clockMs() const;
    // A phone's touch made at `monotonicMs` on platform().monotonicMs(): a buzz at that moment.
    // Only the operator moves on, so between questions a touch does nothing.
    void remoteBuzz(int keyCode, double monotonicMs);
    // Called when the window turns match mode off (it gave up the question file).
    std::function<void()> matchEnded;
    QuizRules& rules() { return rules_; }

private:
    QuizRules rules_{*this};

public:
    // --- state, open to tests ----------------------------------------------------------------
    ZnState& st = rules_.st;
    QImage drawing;   // the client area, 632 x 434
    QImage Kazu;      // the buzz-order panel canvas, 200 x 110
    QImage MarkImage; // circle, cross and their masks, 640 x 480; made on the first verdict
    std::array<QMenu*, 4> menu{};
    std::array<QAction*, 9> menu1{};
    std::array<QAction*, 3> menu2{};
    std::array<QAction*, 5> menu3{}; // 3 "-", 4 成績 (added to the original three)
    std::array<QAction*, 2> PopUp{};
    QTimer Tim;

    // Called to end the program at once (Esc, the exit button).
    std::function<void()> endProgram;
    // Tests drive ticks by hand: with this false the QTimer itself is never started.
    bool useRealTimer = true;

    bool timerEnabled() const { return timerEnabled_; }
    int timerInterval() const { return timerInterval_; }
    ZnBoard* board() const { return board_; }
    ExitButton* exitButton() const { return exitBut_; }
    const QImage& background() const { return background_; }
    QPoint textPosition() const { return {textX_, textY_}; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    void setTimerEnabled(bool enabled);
    void setTimerInterval(int ms);
    void refresh(const QRect& area = QRect());
    QFont windowFont() const;
    void drawText(const QString& text, int x, int y, bool emboss);
    void setBackgroundPicture(const QImage& picture);
    bool loadBackgroundFrom(const QString& path);
    void composeArtwork();
    void drawMark();
    // MarkImage, decoded on first use: the first frame does not need it.
    const QImage& markImage();
    void restoreAnswerArea();
    bool questionInRange() const { return rules_.questionInRange(); }

    // QuizView
    void quitProgram() override;
    void askNextQuestion() override;
    void playStateSound() override;
    void playBuzzSound() override;
    void playTickSound() override;
    void setTickInterval(int ms) override;
    void showCharacter(const QString& c) override;
    void startRevealLine() override;
    void showCount(int tens, int ones) override;
    void showIndicator(int column, int row) override;
    void showVerdict(bool withQuestion) override;
    void showBuzz(int rank, const QuizBuzz& buzz) override;
    void showBuzzOrder(const QList<QuizBuzz>& byRank) override;
    void reportSettingsFailure(bool writeFailed = false);
    void endRunUnreadable();
    // The last judged question goes to the study history; a problem of the history not yet
    // told is shown now (between runs, never during a question).
    void recordLastAnswer(bool tellProblems);

    ZnBoard* board_ = nullptr;
    ExitButton* exitBut_ = nullptr;
    QImage builtInBackground_; // the picture the window carries
    QImage background_;        // what clearing the drawing restores: background picture on colour

    QByteArray tickSound_, buzzSound_, stateSound_;
    QuestionFile questionFile_;
    // 1..questionNo: the records as they were asked, so the log shows what was asked even when
    // the file changes afterwards.
    QVector<QuestionRecord> askedRecords_;

    // The window's text attributes, as the drawing routines leave them.
    QString fontName_;
    int fontSize_ = 12;
    bool fontBold_ = false;
    QColor foreColor_ = Qt::black;
    int textX_ = 0, textY_ = 0;

    bool timerEnabled_ = false;
    int timerInterval_ = 0;
    int questionLines_ = 1;
    bool allowClose_ = false;
    bool loaded_ = false;
    bool settingsFailureReported_ = false;
    // Which presses and releases reach Form_KeyDown and Form_KeyUp (held keys, auto-repeat).
    HeldKeys heldKeys_;
    QTimer settleKeys_; // the next turn of the event loop, for a release held back
    QTimer forgetKeys_; // the application lost the keyboard for longer than a menu takes it
    // The last key event met in another window, and the widget it was offered to.
    struct ForeignKey {
        const QKeyEvent* event = nullptr;
        int type = 0, key = 0;
        quint32 scan = 0;
        quint64 time = 0;
        bool operator==(const ForeignKey&) const = default;
    } lastForeignKey_;
    QPointer<QWidget> lastForeignReceiver_;
    void feedKey(QKeyEvent* event, bool press, HeldKeys::Owner owner);
    bool hasKeyboard() const;
    HistoryObserver historyObserver_;
    // Controller buttons pressed while this window was active; only their releases buzz.
    QSet<int> pressedButtons_;
    void connectPads();
};
