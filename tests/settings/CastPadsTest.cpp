#include "CastFixture.h"
#include "support/FakeControllers.h"

// A button pressed while a player's key box has the focus (or its list open) becomes that
// player's key, checked on "OK" like a key and kept in memory only.
TEST_F(CastTest, AButtonPressedInAKeyBoxBecomesThatPlayersKey) {
    FakeControllers pads;
    auto cast = open(Default, true);
    Cast& c = *cast;
    c.VScroll1->setValue(3);
    for (int i = 0; i < 3; ++i)
        c.NameK[i]->setEditText(QStringLiteral("P%1").arg(i));
    const auto pressOn = [&](QWidget* box, int pad, int button) {
        box->setFocus();
        pads.click(pad, button);
    };
    const auto ok = [&](int failingRow, int message) {
        QTest::mouseClick(c.OK_CAN[0], Qt::LeftButton);
        EXPECT_EQ(c.MSG->text(), LoadResString(message));
        EXPECT_EQ(QApplication::focusWidget(), c.UKey[failingRow]);
    };

    pressOn(c.UKey[1], 0, 2);
    pressOn(c.NameK[2], 1, 0); // only a key box takes a button
    pressOn(c.UKey[0], 1, 11);
    ok(2, 77); // row 2 has neither a key nor a button
    pressOn(c.UKey[2], 0, 2);
    ok(1, 78);                // rows 1 and 2 share a button
    pressOn(c.UKey[0], 1, 4); // the box keeps only the last button pressed there
    int padEntries = 0;
    for (int k = 0; k < c.UKey[0]->count(); ++k)
        padEntries += IsControllerCode(c.UKey[0]->itemData(k).toInt());
    EXPECT_EQ(padEntries, 1);
    c.UKey[2]->showPopup();
    pads.press(0, 7);
    EXPECT_FALSE(c.UKey[2]->view()->isVisible()); // taken from the open list, which closes
    EXPECT_EQ(
        (QStringList{c.UKey[0]->currentText(), c.UKey[1]->currentText(), c.UKey[2]->currentText()}),
        (QStringList{"Pad2-B5", "Pad1-B3", "Pad1-B8"}));

    QTest::mouseClick(c.OK_CAN[0], Qt::LeftButton);
    ASSERT_EQ(c.result(), QDialog::Accepted) << c.MSG->text().toStdString();
    const auto& p = G().Roster.players;
    EXPECT_EQ((QList<int>{p[0].keyCode, p[1].keyCode, p[2].keyCode}),
              (QList<int>{0x10104, 0x10002, 0x10007}));
    EXPECT_EQ(ini(), Default + "P0\r\nP1\r\nP2\r\n");
}
