#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "data/DataFiles.h"
#include "settings/Cast.h"
#include "support/FakeControllers.h"
#include "support/FakePlatform.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

class CastPadsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        writeBytes(G().IniPath, "ON 3ON 2ON ON ON X\r\n\r\n");
        G().Roster = MatchRoster{};
        G().Roster.matchOn = true;
        G().SkinDC = LoadPicture(QStringLiteral("sprites")).copy(0, 0, 640, 480);
        c = std::make_unique<Cast>();
        c->show();
        QApplication::setActiveWindow(c.get());
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.get()));
        c->VScroll1->setValue(3);
        for (int i = 0; i < 3; ++i)
            c->NameK[i]->setEditText(QStringLiteral("P%1").arg(i));
    }
    // Presses pad/button while `box` has the focus.
    void pressOn(QWidget* box, int pad, int button) {
        box->setFocus();
        pads.click(pad, button);
    }
    QStringList keys() const {
        QStringList out;
        for (int i = 0; i < 3; ++i)
            out << c->UKey[i]->currentText();
        return out;
    }
    int padEntries(int i) const {
        int n = 0;
        for (int k = 0; k < c->UKey[i]->count(); ++k)
            n += IsControllerCode(c->UKey[i]->itemData(k).toInt());
        return n;
    }

    FakePlatform fake;
    FakeControllers pads;
    QTemporaryDir dir;
    std::unique_ptr<Cast> c;
};

} // namespace

TEST_F(CastPadsTest, AButtonPressedInAKeyBoxBecomesThatPlayersKey) {
    pressOn(c->UKey[1], 0, 2);
    pressOn(c->NameK[2], 1, 0); // only a key box takes a button
    pressOn(c->UKey[0], 1, 11);
    pressOn(c->UKey[0], 1, 4); // pressed again: the box keeps only the last button
    EXPECT_EQ(keys(), (QStringList{"Pad2-B5", "Pad1-B3", ""}));
    EXPECT_EQ(padEntries(0), 1);
    c->UKey[2]->setCurrentIndex(c->UKey[2]->findText(QStringLiteral("Z")));
    // With the list open, the button is taken and the list closes.
    c->UKey[2]->showPopup();
    pads.press(0, 7);
    EXPECT_EQ(c->UKey[2]->currentText(), QStringLiteral("Pad1-B8"));
    EXPECT_FALSE(c->UKey[2]->view()->isVisible());

    QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
    ASSERT_EQ(c->result(), QDialog::Accepted) << c->MSG->text().toStdString();
    const auto& p = G().Roster.players;
    EXPECT_EQ((QList<int>{p[0].keyCode, p[1].keyCode, p[2].keyCode}),
              (QList<int>{0x10104, 0x10002, 0x10007}));
    EXPECT_EQ(readBytes(G().IniPath), "ON 3ON 2ON ON ON X\r\n\r\nP0\r\nP1\r\nP2\r\n"); // no buttons
}

TEST_F(CastPadsTest, ButtonsFollowTheKeyChecks) {
    // Buttons pressed per row (pad * 100 + button, -1: none), row 1's key, the message and the
    // row whose key box gets the focus (-1: accepted).
    const std::tuple<std::array<int, 3>, const char*, int, int> cases[] = {
        {{2, -1, 2}, "A", 78, 0},  // a shared button
        {{2, 101, -1}, "", 77, 2}, // row 2 has neither key nor button
        {{2, 102, 3}, "", 0, -1},  // the same button number on two pads
    };
    for (const auto& [buttons, key, message, failing] : cases) {
        for (int i = 0; i < 3; ++i) {
            c->UKey[i]->setCurrentIndex(-1);
            if (buttons[i] >= 0) pressOn(c->UKey[i], buttons[i] / 100, buttons[i] % 100);
        }
        if (*key) c->UKey[1]->setCurrentIndex(c->UKey[1]->findText(QString::fromLatin1(key)));
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
        if (failing < 0) {
            EXPECT_EQ(c->result(), QDialog::Accepted) << c->MSG->text().toStdString();
            continue;
        }
        EXPECT_EQ(c->MSG->text(), LoadResString(message));
        EXPECT_EQ(QApplication::focusWidget(), c->UKey[failing]);
    }
}
