#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Resources.h"
#include "platform/Keys.h"
#include "platform/Platform.h"

#include <QCoreApplication>
#include <QMenu>

#include <algorithm>

void ZN::Form_KeyDown(int key) {
    // F1/F2 in the judge wait act on release only. Elsewhere F1 is the window's context help.
    if (key == VK::F1 && !(st.running && st.timerMode == 3)) menu3_Click(0);
}

void ZN::Form_KeyUp(int key) {
    if (key <= 0) return;
    if (key == VK::Escape) {
        endProgram();
        return;
    }
    if (dropKeys_) return;
    if (key == VK::F1 || key == VK::F2) {
        if (st.timerMode == 3) PopUp_Click(key == VK::F1 ? 0 : -1);
        return;
    }
    if (!st.running) return;

    if (G().Roster.matchOn && st.buzzCount < 3 && st.quizState != 1) {
        registerMatchBuzz(key);
        // Until a player has buzzed, keys that belong to nobody do nothing in a match.
        if (st.buzzCount == 0) return;
    }

    switch (st.quizState) {
    case 1:
        NextQuestion();
        break;
    case 2:
        if (st.buzzKey == 0) {
            st.buzzKey = key;
            st.buzzed = true;
            // Recorded before the sound: a second press handled inside it shows the answer and
            // resets the tick count, which must not erase where the buzz came.
            if (questionInRange()) st.buzzPositions[st.questionNo] = int(st.tick);
            st.revealEnd = st.tick + st.extraChars;
            PlayStateSound();
        } else if (key == st.buzzKey) {
            st.quizState = 4;
            EndStage(false);
        }
        break;
    case 3:
    case 4:
        if (key == st.buzzKey) {
            EndStage(false);
        } else if (!st.buzzed) {
            st.buzzKey = key;
            st.quizState = 2;
            st.buzzed = true;
            PlayStateSound();
            // Unless a press handled inside the sound has already shown the answer.
            if (st.quizState == 2) EndStage(true);
        }
        break;
    default:
        break;
    }
}

bool ZN::registerMatchBuzz(int key) {
    const MatchRoster& roster = G().Roster;
    const int last = std::clamp(roster.lastPlayer, 0, int(roster.players.size()) - 1);
    int slot = -1;
    for (int i = 0; i <= last; ++i) {
        if (roster.players[i].keyCode == key) {
            slot = i;
            break;
        }
    }
    if (slot < 0 || st.playerBuzzed[slot]) return false;

    if (st.playSounds) {
        if (buzzSound_.isEmpty()) buzzSound_ = LoadSound(12);
        platform().playSound(12, buzzSound_, false);
    }
    const QString& name = roster.players[slot].name;
    if (st.buzzCount == 0 && questionInRange()) st.answerers[st.questionNo] = name;
    ++st.buzzCount;
    st.playerBuzzed[slot] = true;
    const QTime now = platform().utcNow().time();
    st.buzzTimes[st.buzzCount] = now.second() * 1000LL + now.msec();
    long long lag = st.buzzTimes[st.buzzCount] - st.buzzTimes[1];
    if (lag < 0) lag += 60000;
    AddBuzzLine(st.buzzCount, name, lag);
    return true;
}

void ZN::Form_MouseDown(Qt::MouseButton button, QPoint globalPos) {
    if (button == Qt::RightButton && st.timerMode == 3 && st.running && questionInRange())
        menu[3]->popup(globalPos);
}

void ZN::PopUp_Click(int index) {
    // A verdict belongs to the question on the board; after the run or with no file there is none.
    if (!st.running || !questionInRange()) return;
    const bool right = index == 0;
    if (st.verdicts[st.questionNo] == right) return;
    st.verdicts[st.questionNo] = right;
    st.quizState = right ? 4 : 3;
    PlayStateSound();
    restoreAnswerArea();
    drawMark();
    DrawAnswer();
    refresh();
    st.quizState = 1;
}

void ZN::EndStage(bool startCount) {
    if (startCount) {
        st.quizState = 4;
        st.timerMode = st.buzzed ? 2 : 1;
        st.tick = 0;
        st.countSeconds = 0;
        return;
    }
    setTimerInterval(2 * st.baseInterval);
    if (questionInRange())
        st.verdicts[st.questionNo] = st.quizState == 3 ? st.timeOverVerdict : true;
    PlayStateSound();
    restoreAnswerArea();
    drawMark();
    DrawQuestion();
    DrawAnswer();
    refresh();
    st.quizState = 1;
    st.timerMode = 3;
    st.tick = 0;
    st.countSeconds = 0;
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

void ZN::PlayStateSound() {
    if ((st.quizState == 2 && G().Roster.matchOn) || !st.playSounds) return;
    const int id = st.quizState + 10;
    stateSound_ = LoadSound(id);
    if (st.quizState == 1 && !st.revealMode) {
        platform().playSound(id, stateSound_, true);
    } else {
        platform().playSound(id, stateSound_, false);
        // A press queued behind a buzz may open the answer at once. Behind a new question or a
        // verdict the board is only half drawn: a queued key would skip a question or redraw the
        // wrong mark, so it is dropped.
        const bool wasDropping = dropKeys_;
        dropKeys_ = wasDropping || st.quizState != 2;
        QCoreApplication::processEvents();
        dropKeys_ = wasDropping;
    }
}

void ZN::thinkingTick() {
    if (st.playSounds) platform().playSound(15, tickSound_, false);
    if (st.tick == 10) {
        ++st.countSeconds;
        st.tick = 0;
        if (st.countSeconds > 8) st.digitRow += 35;
    }
    ShowTime(st.countSeconds / 10, st.countSeconds % 10);
    if (st.countSeconds == 10) {
        st.quizState = 3;
        EndStage(false);
    }
}

void ZN::answerTick() {
    setTimerInterval(10 * st.baseInterval);
    if (st.tick == 6) {
        st.quizState = 3;
        EndStage(false);
    } else {
        DrawIndicator(int(st.tick) - 1, 240);
    }
}

void ZN::judgeWaitTick() {
    DrawIndicator(int(st.tick) - 1, 200);
    st.tick = st.tick % 18;
}
