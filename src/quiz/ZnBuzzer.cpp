#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/Resources.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>

// Keys, buzzers and verdicts go to the quiz rules; what the rules show and play is here.

void ZN::Form_KeyDown(int key) {
    // F1/F2 in the judge wait act on release only. Elsewhere F1 is the window's context help.
    if (key == VK::F1 && !(st.running && st.timerMode == TimerMode::JudgeWait))
        menu3_Click(HelpContents);
}

void ZN::Form_KeyUp(int key) {
    rules_.playerBuzz(key, QuizRules::Now);
}

void ZN::playerBuzz(int keyCode, qint64 momentMs) {
    rules_.playerBuzz(keyCode, momentMs);
}

qint64 ZN::clockMs() const {
    return platform().utcNow().toMSecsSinceEpoch();
}

void ZN::Form_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    if (button == Qt::RightButton && st.timerMode == TimerMode::JudgeWait && st.running &&
        questionInRange())
        menu[JudgeMenu]->popup(globalPos);
}

void ZN::PopUp_Click(int index) {
    rules_.judge(index == JudgeRight);
}

void ZN::EndStage(bool startCount) {
    rules_.endStage(startCount);
}

void ZN::PlayStateSound() {
    if ((st.quizState == QuizStage::Reading && G().Roster.matchOn) || !st.playSounds) return;
    const int id = st.quizState + 10;
    stateSound_ = LoadSound(id);
    if (st.quizState == QuizStage::Idle && !st.revealMode) {
        platform().playSound(id, stateSound_, true);
    } else {
        platform().playSound(id, stateSound_, false);
        // A press queued behind a buzz may open the answer at once. Behind a new question or a
        // verdict the board is only half drawn: a queued key would skip a question or redraw the
        // wrong mark, so it is dropped.
        const bool wasDropping = rules_.dropKeys;
        rules_.dropKeys = wasDropping || st.quizState != QuizStage::Reading;
        QCoreApplication::processEvents();
        rules_.dropKeys = wasDropping;
    }
}

void ZN::restoreAnswerArea() {
    Blit(drawing, 20, 270, G().SkinDC, 0, 300, 200, 110);
}

void ZN::drawMark() {
    // Mask first (clears the figure's place, inverting the rest), then the figure XORed in,
    // which puts the rest back: a transparent copy of the circle or the cross.
    const int column = (4 - st.quizState) * 110;
    const QImage& marks = markImage();
    Blit(drawing, 62, 270, marks, column, 110, 110, 110, BlitOp::SourceAndNotDest);
    Blit(drawing, 62, 270, marks, column, 0, 110, 110, BlitOp::SourceXorDest);
}

const QImage& ZN::markImage() {
    if (MarkImage.isNull()) {
        MarkImage = QImage(640, 480, QImage::Format_RGB32);
        MarkImage.fill(Qt::black);
        const QImage mark = LoadPicture(QStringLiteral("mark"));
        Blit(MarkImage, 0, 0, mark, 0, 0, mark.width(), mark.height());
    }
    return MarkImage;
}

// --- QuizView -------------------------------------------------------------------------------

void ZN::quitProgram() {
    recordLastAnswer(false);
    endProgram();
}

void ZN::askNextQuestion() {
    NextQuestion();
}

void ZN::playStateSound() {
    PlayStateSound();
}

void ZN::playBuzzSound() {
    if (buzzSound_.isEmpty()) buzzSound_ = LoadSound(12);
    platform().playSound(12, buzzSound_, false);
}

void ZN::playTickSound() {
    platform().playSound(15, tickSound_, false);
}

void ZN::setTickInterval(int ms) {
    setTimerInterval(ms);
}

void ZN::showCharacter(const QString& c) {
    const QFont font = windowFont();
    const QFontMetrics metrics(font);
    const int advance = metrics.horizontalAdvance(c);
    QPainter painter(&drawing);
    painter.setFont(font);
    painter.setPen(foreColor_);
    DrawEmbossedText(painter, c, textX_, textY_, false);
    refresh(QRect(textX_ - 1, textY_ - 1, advance + 3, metrics.height() + 2));
    textX_ += advance;
}

void ZN::startRevealLine() {
    textX_ = 24;
    textY_ += st.lineSpacing;
}

void ZN::showCount(int tens, int ones) {
    ShowTime(tens, ones);
}

void ZN::showIndicator(int column, int row) {
    DrawIndicator(column, row);
}

void ZN::showVerdict(bool withQuestion) {
    restoreAnswerArea();
    drawMark();
    if (withQuestion) DrawQuestion();
    DrawAnswer();
    refresh();
}

void ZN::showBuzz(int rank, const QuizBuzz& buzz) {
    AddBuzzLine(rank, buzz.name, buzz.lagMs);
}

void ZN::showBuzzOrder(const QList<QuizBuzz>& byRank) {
    Blit(Kazu, 0, 0, G().SkinDC, 0, 300, 200, 110);
    for (int i = 0; i < byRank.size(); ++i)
        AddBuzzLine(i + 1, byRank[i].name, byRank[i].lagMs);
}
