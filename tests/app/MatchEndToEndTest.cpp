#include "quiz/ZnFixture.h"
#include "settings/Cast.h"

#include <QtWidgets>

TEST_F(ZnTest, ThreePlayersSetInTheDialogBuzzWithTheirKeysAndAreLogged) {
    windowFactory().showSettings = ShowCast;
    load();
    activate();
    // Each key is pressed and released a little after the last, where the window has its focus.
    const auto release = [&](std::initializer_list<Qt::Key> keys) {
        for (Qt::Key key : keys) {
            fake.now = fake.now.addMSecs(320);
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus ? focus : zn.get(), key);
        }
    };

    // Aki on ";", Ben on "Z", Cy on "M"; questions in file order.
    QTimer::singleShot(0, [] {
        auto* c = qobject_cast<Cast*>(G().Cast.data());
        if (!c) return;
        QTest::mouseClick(c->OK_CAN[3], Qt::LeftButton);
        QTest::mouseClick(c->Rbot[7], Qt::LeftButton, {}, {6, 8});
        c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
        const char* players[][2] = {{"Aki", ";"}, {"Ben", "Z"}, {"Cy", "M"}};
        for (int i = 0; i < 3; ++i) {
            c->NameK[i]->setFocus();
            QTest::keyClicks(c->NameK[i], players[i][0]);
            c->UKey[i]->setCurrentIndex(c->UKey[i]->findText(players[i][1]));
        }
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
        if (c->isVisible()) c->reject();
    });
    zn->menu2_Click(0);
    ASSERT_TRUE(G().Roster.matchOn);
    ASSERT_EQ(G().Roster.lastPlayer, 2);

    start(
        {{QStringLiteral("日本で一番高い山は何？"), QStringLiteral("富士山"), QStringLiteral("2")},
         {QStringLiteral("水の化学式は何？"), QStringLiteral("Ｈ２Ｏ"), QStringLiteral("3")}});
    ticks(4);
    activate(); // only keys pressed in the main window count, once the dialog has gone
    const QImage emptyPanel = zn->Kazu.copy();
    release({Qt::Key_Z, Qt::Key_M, Qt::Key_Semicolon});
    EXPECT_EQ(zn->st.buzzCount, 3);
    for (int line = 1; line <= 3; ++line) // a ranking line per buzz
        EXPECT_NE(zn->Kazu.copy(0, 30 * line, 200, 16), emptyPanel.copy(0, 30 * line, 200, 16));

    release({Qt::Key_Z, Qt::Key_Space}); // the first buzzer answers; next question
    EXPECT_TRUE(zn->st.verdicts.value(1));
    ticks(2);
    release({Qt::Key_M, Qt::Key_M, Qt::Key_Space}); // Cy answers; the run ends
    EXPECT_FALSE(zn->st.running);
    EXPECT_EQ(saveLog("match.csv"),
              Log("VS", {QStringLiteral("\"日本で一//番高い山は何？\",\"富士山\",\"Ben\",\"○\""),
                         QStringLiteral("\"水の//化学式は何？\",\"Ｈ２Ｏ\",\"Cy\",\"○\"")}));
}
