#include "platform/SdlControllers.h"
#include "quiz/ZnFixture.h"
#include "settings/Cast.h"
#include "support/VirtualPad.h"

namespace {

// The SDL reader as the program's controllers for one test.
struct InstalledReader {
    InstalledReader() { previous = setControllers(&reader); }
    ~InstalledReader() { setControllers(previous); }
    SdlControllers reader;
    Controllers* previous = nullptr;
};

} // namespace

// Aki on a buzzer box, Ben on the keyboard's ";" and Cy on a gamepad, all chosen in the settings
// dialog (the buttons by pressing them); the boxes are SDL's virtual joysticks.
TEST_F(ZnTest, ControllerButtonsAndAKeyPlayOneMatchAndSurviveUnplugging) {
    InstalledReader installed;
    SdlControllers& reader = installed.reader;
    ASSERT_TRUE(reader.started());
    reader.pollNow();
    const int box1 = int(reader.connectedPads().size()), pad1 = box1 + 1; // after real devices
    VirtualPad box(20, 0x1111, 1, "Buzzer box"), pad(12, 0x2222, 1, "Gamepad");
    reader.pollNow();

    windowFactory().showSettings = ShowCast;
    load();
    activate();
    QStringList chosen;
    QTimer::singleShot(0, [&] {
        auto* c = qobject_cast<Cast*>(G().Cast.data());
        if (!c) return;
        // Buttons, like keys, reach the dialog only while it is the active window.
        QApplication::setActiveWindow(c);
        if (!QTest::qWaitForWindowActive(c)) return;
        QTest::mouseClick(c->OK_CAN[3], Qt::LeftButton);
        QTest::mouseClick(c->Rbot[7], Qt::LeftButton, {}, {6, 8});
        c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        for (int i = 0; i < 3; ++i)
            c->NameK[i]->setEditText(QStringList{"Aki", "Ben", "Cy"}[i]);
        c->UKey[0]->setFocus();
        box.tap(reader, 2);
        c->UKey[1]->setCurrentIndex(c->UKey[1]->findText(QStringLiteral(";")));
        c->UKey[2]->setFocus();
        pad.tap(reader, 0);
        for (int i = 0; i < 3; ++i)
            chosen << c->UKey[i]->currentText();
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
        if (c->isVisible()) c->reject();
    });
    zn->menu2_Click(0);
    EXPECT_EQ(chosen, (QStringList{QStringLiteral("Pad%1-B3").arg(box1 + 1), ";",
                                   QStringLiteral("Pad%1-B1").arg(pad1 + 1)}));
    ASSERT_TRUE(G().Roster.matchOn);
    ASSERT_EQ(G().Roster.lastPlayer, 2);

    start(
        {{QStringLiteral("日本で一番高い山は何？"), QStringLiteral("富士山"), QStringLiteral("2")},
         {QStringLiteral("水の化学式は何？"), QStringLiteral("Ｈ２Ｏ"), QStringLiteral("3")}});
    ticks(4);
    activate(); // only keys pressed in the main window count, once the dialog has gone
    const QImage emptyPanel = zn->Kazu.copy();
    fake.clear();
    const QDateTime t0(QDate(2026, 12, 6), QTime(12, 0, 58, 900), Qt::UTC);
    fake.now = t0;
    box.tap(reader, 0); // nobody's button before the first buzz: nothing
    EXPECT_EQ(zn->st.buzzCount, 0);
    pad.tap(reader, 0); // Cy
    fake.now = t0.addMSecs(250);
    QTest::keyClick(zn->board(), Qt::Key_Semicolon); // Ben
    fake.now = t0.addMSecs(1234);                    // past the minute
    box.tap(reader, 2);                              // Aki
    EXPECT_EQ(zn->st.buzzTimes, (std::array<long long, 4>{0, 58900, 59150, 134}));
    EXPECT_EQ(fake.soundIds(), (QList<int>{12, 12, 12}));
    for (int line = 1; line <= 3; ++line) // a ranking line per buzz
        EXPECT_NE(zn->Kazu.copy(0, 30 * line, 200, 16), emptyPanel.copy(0, 30 * line, 200, 16));
    pad.tap(reader, 0); // Cy answers
    EXPECT_EQ(zn->st.timerMode, 3);
    box.tap(reader, 7); // nobody's button in the judge wait: the next question
    EXPECT_EQ(zn->st.questionNo, 2);

    // Unplugged during the run: the title says so; plugged in again, Aki's button works.
    ticks(2);
    box.unplug();
    reader.pollNow();
    EXPECT_EQ(zn->windowTitle(), G().AppTitle + QStringLiteral("　［Pad%1 未接続］").arg(box1 + 1));
    box.plug();
    reader.pollNow();
    EXPECT_EQ(zn->windowTitle(), G().AppTitle);
    box.tap(reader, 2);
    box.tap(reader, 2);
    EXPECT_EQ(zn->st.verdicts.value(2), true);
    QTest::keyClick(zn->board(), Qt::Key_Space);
    EXPECT_FALSE(zn->st.running);
    EXPECT_EQ(saveLog("match.csv"),
              Log("VS", {QStringLiteral("\"日本で一//番高い山は何？\",\"富士山\",\"Cy\",\"○\""),
                         QStringLiteral("\"水の//化学式は何？\",\"Ｈ２Ｏ\",\"Aki\",\"○\"")}));
}
