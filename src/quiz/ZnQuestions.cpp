#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Paths.h"
#include "core/ResText.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryTexts.h"
#include "platform/Platform.h"
#include "quiz/QuizLogic.h"

#include <QAction>

#include <algorithm>

bool ZN::OpenQuestionFile() {
    ClearBoard();
    questionFile_.close();
    st.fileOpen = false;
    if (!questionFile_.open(G().CurrentFile)) return false;
    // The count comes from the length check; a file that shrank since then is read no further.
    const int count = std::clamp(G().RecordCount, 0, questionFile_.recordCount());
    st.questionOrder = AskingOrder(count, st.shuffle, st.shuffle ? platform().randomSeed() : 0);
    st.questionTotal = count;
    if (st.shuffle && count > 99) st.questionTotal = 100;
    st.verdicts = QVector<bool>(st.questionTotal + 1, false);
    st.buzzPositions = QVector<int>(st.questionTotal + 1, 0);
    st.answerers = QVector<QString>(st.questionTotal + 1);
    askedRecords_.clear();
    // The rules read the clock for their observers only; without a history nobody listens.
    if (historyRecorder()) {
        historyObserver_.setQuestionFile(G().CurrentFile);
        rules_.addObserver(&historyObserver_);
    } else {
        rules_.removeObserver(&historyObserver_);
    }
    st.fileOpen = true;
    drawText(ResText(39), 120, 115, false);
    refresh();
    return true;
}

void ZN::CloseQuestionFile() {
    // An open file of no records is still held and must be given up like any other.
    if (!st.fileOpen) return;
    recordLastAnswer(false);
    ResMsgBox(this, MsgPlain, TitleConfirm, 41, 0);
    questionFile_.close();
    st.fileOpen = false;
    st.running = false;
    st.questionNo = 0;
    st.questionTotal = 0;
    setTimerEnabled(false);
    G().Roster.matchOn = false;
    if (matchEnded) matchEnded();
    ShowPadNotice();
    buzzSound_.clear();
    st.answerers.clear();
    st.verdicts.clear();
    st.buzzPositions.clear();
    st.questionOrder.clear();
    askedRecords_.clear();
    ClearBoard();
    menu1[FileStart]->setEnabled(false);
    menu1[FileSaveLog]->setEnabled(false);
}

void ZN::endRunUnreadable() {
    // The file was cut short or changed while the run went on: a record read as blanks would be
    // asked and logged as a question. The run ends here with what was really asked, so the
    // verdicts given so far can still be saved.
    st.questionTotal = st.questionNo - 1;
    st.questionNo = st.questionTotal;
    st.running = false;
    ResMsgBox(this, MsgError, TitleReadError, TextQuestionFileChanged, 0);
    NextQuestion();
}

void ZN::NextQuestion() {
    setTimerEnabled(false);
    ++st.questionNo;
    ClearBoard();
    if (st.questionNo > st.questionTotal) {
        st.running = false;
        drawText(QString::number(st.questionTotal) + ResText(58) + ResText(40), 30, 115, false);
        refresh();
        menu1[FileSaveLog]->setEnabled(true);
        recordLastAnswer(true);
        return;
    }
    PlayStateSound();
    // The sound lets queued events run; one of them may have given up the file meanwhile.
    if (!st.running || !questionInRange()) return;

    QuestionRecord& record = G().CurrentRecord;
    record = QuestionRecord{};
    const int recordNo =
        st.questionNo < st.questionOrder.size() ? st.questionOrder[st.questionNo] : 0;
    if (!questionFile_.read(recordNo, record)) {
        endRunUnreadable();
        return;
    }
    askedRecords_.resize(st.questionNo + 1);
    askedRecords_[st.questionNo] = record;
    bool digit = false;
    const int genre = record.genre.toInt(&digit);
    if (!digit || genre < 1 || genre > 7) record.genre = QStringLiteral("7");

    G().QuestionText = TrimBlanks(record.question);
    G().AnswerText = TrimBlanks(record.answer);
    const int length = int(G().QuestionText.size());
    rules_.beginQuestion(recordNo, askedRecords_[st.questionNo], G().QuestionText);
    st.lineBreaks[4] = length;
    st.lineBreaks[7] = int(G().AnswerText.size());

    BreakLines(4);
    st.questionTop = QuestionTopFor(questionLines_);
    st.lineSpacing = LineSpacingFor(questionLines_);
    BreakLines(7);

    fontBold_ = true;
    drawText(QString::number(st.questionNo).rightJustified(3, QLatin1Char(' ')), 551, 17, true);
    drawText(ResText(20 + record.genre.toInt()), 430, 254, true);
    foreColor_ = Qt::white;
    fontSize_ = G().FontNormal;
    drawText(ResText(96, QString::number(length)), 135, 58, false);
    fontSize_ = G().FontLarge;
    fontBold_ = false;
    textX_ = 24;
    textY_ = st.questionTop;

    if (!st.revealMode) DrawQuestion();
    rules_.startAsking();
    setTimerEnabled(st.running);
}

void ZN::recordLastAnswer(bool tellProblems) {
    historyObserver_.finish();
    HistoryRecorder* recorder = historyRecorder();
    if (!tellProblems || !recorder) return;
    const QString notice = recorder->takeNotice();
    if (!notice.isEmpty())
        platform().messageBox(this, MsgWarning, ResText(TitleHistoryError), notice);
}
