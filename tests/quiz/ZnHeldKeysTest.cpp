#include "ZnFixture.h"

namespace {

const QList<QStringList> TwoQuestions = {
    {QStringLiteral("長").repeated(140), QStringLiteral("東京")},
    {QStringLiteral("富士山の高さは何メートル。"), QStringLiteral("3776メートル")},
};

// XKB keycodes of the keys used, so press and release meet as on a real keyboard.
constexpr quint32 ScanZ = 52, ScanX = 53, ScanEsc = 9, ScanReturn = 36, ScanF1 = 67;

class ZnHeldKeysTest : public ZnTest {
protected:
    // A key event as the window system delivers it, to whichever widget has the keyboard.
    void key(QEvent::Type type, Qt::Key k, quint32 scan, quint64 time = 0, bool autoRepeat = false,
             QWidget* to = nullptr) {
        QKeyEvent e(type, k, Qt::NoModifier, scan, 0, 0, QString(), autoRepeat);
        e.setTimestamp(time);
        QCoreApplication::sendEvent(to ? to : target(), &e);
    }
    QWidget* target() const {
        if (QWidget* popup = QApplication::activePopupWidget()) return popup;
        if (QWidget* modal = QApplication::activeModalWidget()) return modal;
        return zn->board();
    }
    void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    void startMatch() {
        MatchRoster& roster = G().Roster;
        roster.matchOn = true;
        roster.lastPlayer = 1;
        roster.players[0] = {QStringLiteral("Zさん"), 'Z'};
        roster.players[1] = {QStringLiteral("Mさん"), 'M'};
    }
    void openJudgePopUp() {
        zn->Form_MouseDown(Qt::RightButton, QPoint(10, 10));
        ASSERT_TRUE(zn->menu[3]->isVisible());
    }
    // Who has the keyboard follows the open menus and dialogs, not the window activation, which
    // the offscreen platform reports late after a pop-up.
    void focusQuiz() {
        zn->show();
        QApplication::setActiveWindow(zn.get());
        QApplication::processEvents();
        ASSERT_FALSE(QApplication::activePopupWidget() || QApplication::activeModalWidget());
    }
};

// Held for a few seconds, a key sends what X11 sends: release+press pairs with one time stamp,
// marked auto-repeat or not (Qt marks only the pairs it finds together), or, with detectable
// auto-repeat, presses only. Each hold is one buzz, on the real release, one loop turn later.
TEST_F(ZnHeldKeysTest, AHeldKeyIsOneReleaseWhateverTheRepeatLooksLike) {
    load();
    for (const bool pairs : {true, false})
        for (const bool marked : {true, false}) {
            SCOPED_TRACE(std::string(pairs ? "pairs" : "presses only") +
                         (marked ? ", marked auto-repeat" : ", not marked"));
            start(TwoQuestions);
            activate();
            ticks(2);
            fake.clear();
            key(QEvent::KeyPress, Qt::Key_X, ScanX, 1000);
            for (quint64 at = 1500; at < 4000; at += 33) {
                if (pairs) key(QEvent::KeyRelease, Qt::Key_X, ScanX, at, marked);
                key(QEvent::KeyPress, Qt::Key_X, ScanX, at, marked);
                // The window redraws and ticks between repeats.
                settle();
                ticks(1);
            }
            EXPECT_EQ(zn->st.buzzKey, 0);
            key(QEvent::KeyRelease, Qt::Key_X, ScanX, 4100);
            EXPECT_EQ(zn->st.buzzKey, 0) << "decided at the next loop turn";
            settle();
            EXPECT_EQ(zn->st.buzzKey, 'X');
            EXPECT_EQ(zn->st.timerMode, 0) << "the answer opened by a fake release";
            EXPECT_EQ(fake.soundIds(), QList<int>{12});
        }
    // Two quick taps are two releases: the second opens the answer.
    key(QEvent::KeyPress, Qt::Key_X, ScanX, 5000);
    key(QEvent::KeyRelease, Qt::Key_X, ScanX, 5060);
    key(QEvent::KeyPress, Qt::Key_Z, ScanZ, 5060); // another key at the same moment
    settle();
    EXPECT_EQ(zn->st.timerMode, 3);
}

// Keys held or pressed around the judge pop-up and a dialog, in the judge wait, where a release
// that acts starts the next question. Z is a match player's key, X is nobody's.
TEST_F(ZnHeldKeysTest, KeysAroundThePopUpAndDialogsActByWhoHadTheKeyboard) {
    // Steps: "Z+" presses a key, "Z-" releases it, "menu" opens the judge pop-up, "dialog" a
    // modal dialog, "close" closes whichever is open.
    const struct {
        const char* name;
        const char* steps;
        bool actsSingle, actsMatch;
    } cases[] = {
        {"held across the pop-up", "Z+ menu close Z-", true, true},
        {"let go in the pop-up", "Z+ menu Z- close Z-", false, false},
        {"pressed in the pop-up", "menu Z+ close Z-", false, true},
        {"nobody's key pressed in the pop-up", "menu X+ close X-", false, false},
        // Esc and Return close the pop-up as they are pressed; their releases come here.
        {"Esc pressed in the pop-up", "menu Esc+ close Esc-", false, false},
        {"Return pressed in the pop-up", "menu Return+ close Return-", false, false},
        {"F1 pressed in the pop-up", "menu F1+ close F1-", false, false},
        {"held across a dialog", "Z+ dialog close Z-", true, true},
        {"let go in a dialog", "Z+ dialog Z- close", false, false},
        {"pressed in a dialog", "dialog Z+ close Z-", false, true},
    };
    const QHash<QString, std::pair<Qt::Key, quint32>> keyOf = {
        {"Z", {Qt::Key_Z, ScanZ}},
        {"X", {Qt::Key_X, ScanX}},
        {"Esc", {Qt::Key_Escape, ScanEsc}},
        {"Return", {Qt::Key_Return, ScanReturn}},
        {"F1", {Qt::Key_F1, ScanF1}}};
    std::unique_ptr<QDialog> shown;
    auto play = [&](const char* steps) {
        for (const QString& step : QString::fromLatin1(steps).split(u' ')) {
            if (step == "menu") {
                openJudgePopUp();
            } else if (step == "dialog") {
                shown = std::make_unique<QDialog>();
                shown->setModal(true);
                shown->show();
                ASSERT_TRUE(QApplication::activeModalWidget());
            } else if (step == "close") {
                if (shown)
                    shown.reset();
                else
                    zn->menu[3]->close();
                focusQuiz();
            } else {
                const auto [k, scan] = keyOf.value(step.chopped(1));
                key(step.endsWith(u'+') ? QEvent::KeyPress : QEvent::KeyRelease, k, scan);
            }
        }
    };
    load();
    for (bool match : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.name);
            start(TwoQuestions); // gives up the last file, and with it the match
            if (match) startMatch();
            focusQuiz();
            keys('Z', 2); // buzz and answer: the judge wait of question 1
            ASSERT_EQ(zn->st.timerMode, 3);
            play(c.steps);
            settle();
            EXPECT_EQ(zn->st.questionNo, (match ? c.actsMatch : c.actsSingle) ? 2 : 1)
                << c.name << (match ? " (match)" : " (single)");
            EXPECT_EQ(endCalls, 0) << c.name;
            EXPECT_TRUE(zn->st.verdicts[1]) << c.name; // F1 judged nothing
        }
    }
}

// A key held while the operator opens and closes a menu during the reveal buzzes when let go.
TEST_F(ZnHeldKeysTest, AKeyHeldWhileAMenuOpensBuzzesWhenLetGo) {
    load();
    for (bool match : {false, true}) {
        start(TwoQuestions);
        if (match) startMatch();
        activate();
        ticks(2);
        key(QEvent::KeyPress, Qt::Key_Z, ScanZ, 100);
        zn->menu[0]->popup(QPoint(20, 20));
        ASSERT_TRUE(zn->menu[0]->isVisible());
        key(QEvent::KeyPress, Qt::Key_Down, 116, 200);
        key(QEvent::KeyRelease, Qt::Key_Down, 116, 300);
        zn->menu[0]->close();
        activate();
        ticks(1);
        EXPECT_EQ(zn->st.buzzCount + zn->st.buzzKey, 0);
        key(QEvent::KeyRelease, Qt::Key_Z, ScanZ, 900);
        settle();
        EXPECT_EQ(zn->st.buzzKey, 'Z') << match;
        EXPECT_EQ(zn->st.buzzCount, match ? 1 : 0);
    }
}

} // namespace
