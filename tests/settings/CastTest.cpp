#include "settings/Cast.h"
#include "core/AppGlobals.h"
#include "core/Resources.h"
#include "core/Sjis.h"
#include "settings/SliderPicture.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

namespace {

const QByteArray DefaultRecord = "ON 3ON 2ON ON ON X\r\n";

class CastTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        G().Settings = SettingsRecord{};
        G().Roster = MatchRoster{};
        G().CurrentFile.clear();
        G().SkinDC = QImage(640, 480, QImage::Format_RGB32);
        G().SkinDC.fill(Qt::black);
        QPainter painter(&G().SkinDC);
        painter.drawImage(0, 0, LoadPicture(QStringLiteral("sprites")));
    }

    void writeIni(const QByteArray& bytes) {
        QFile file(G().IniPath);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ini() const {
        QFile file(G().IniPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // An open, active dialog, as the user sees it.
    std::unique_ptr<Cast> open() {
        auto cast = std::make_unique<Cast>();
        cast->show();
        QApplication::setActiveWindow(cast.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(cast.get()));
        return cast;
    }

    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    static void clickRadio(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, {6, 8}); }
    static void setPlayer(Cast& c, int i, const QString& name, const QString& key) {
        c.NameK[i]->setEditText(name);
        c.UKey[i]->setCurrentIndex(c.UKey[i]->findText(key));
    }

    FakePlatform fake;
    QTemporaryDir dir;
};

TEST_F(CastTest, OpensWithItsControlsAndTheRecordsChoices) {
    writeIni(QByteArray("OFF4OFF5OFFOFFON O\r\n\r\n"));
    auto c = open();
    EXPECT_EQ(c->windowTitle(), QStringLiteral("設定"));
    EXPECT_EQ(c->size(), QSize(376, 328));
    EXPECT_FALSE(c->waku[2]->isVisible());
    EXPECT_EQ(c->OK_CAN[3]->text(), QStringLiteral("対戦 >>"));
    EXPECT_EQ(c->Rbot[8]->text(), QStringLiteral("ゴシック"));
    EXPECT_FALSE(c->waku[10]->isEnabled());
    EXPECT_FALSE(c->cmbQue->isEnabled());
    EXPECT_EQ(c->OK_CAN[0]->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(c->F_Path->font().family(), QStringLiteral("ＭＳ ゴシック"));

    for (int i : {1, 3, 7, 9, 10, 12})
        EXPECT_TRUE(c->Rbot[i]->isChecked()) << i;
    EXPECT_TRUE(c->Rbot[4]->isChecked()); // "ON " reads as on here
    EXPECT_EQ(c->sliderPos, (std::array<int, 2>{3, 3}));
    EXPECT_EQ(c->UKey[9]->count(), 78);
    EXPECT_EQ(c->UKey[9]->currentText(), QString());
    EXPECT_EQ(c->NameK[3]->geometry().topLeft(), QPoint(8 + 169, 52 + 21));
}

TEST_F(CastTest, SpeedOffTakesReadAndPressWithIt) {
    writeIni(DefaultRecord + "\r\n");
    auto c = open();
    clickRadio(c->Rbot[5]);
    EXPECT_FALSE(c->Psp[0]->isVisible());
    EXPECT_TRUE(c->Rbot[3]->isChecked());
    EXPECT_FALSE(c->Psp[1]->isVisible());
    EXPECT_FALSE(c->Rbot[2]->isEnabled());
    EXPECT_FALSE(c->Rbot[3]->isEnabled());

    clickRadio(c->Rbot[4]);
    EXPECT_TRUE(c->Psp[0]->isVisible());
    EXPECT_TRUE(c->Rbot[2]->isEnabled());
    EXPECT_TRUE(c->Rbot[3]->isChecked());
    EXPECT_FALSE(c->Psp[1]->isVisible());
    clickRadio(c->Rbot[2]);
    EXPECT_TRUE(c->Psp[1]->isVisible());
}

TEST_F(CastTest, RevealOffOpensWithReadAndPressOffAndSavesIt) {
    writeIni(QByteArray("ON 9ON 7ON ON OFFX\r\n\r\n"));
    auto c = open();
    EXPECT_TRUE(c->Rbot[3]->isChecked());
    EXPECT_FALSE(c->Rbot[2]->isEnabled());
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), QByteArray("ON 9OFF7ON ON OFFX\r\n\r\n")); // odd digits kept
}

TEST_F(CastTest, SlidersFollowTheMouse) {
    writeIni(DefaultRecord + "\r\n");
    auto c = open();
    const QImage before = c->Psp[0]->image;
    QTest::mouseClick(c->Psp[0], Qt::LeftButton, {}, {59, 20});
    EXPECT_EQ(c->sliderPos[0], 2);
    // The knob leaves position 2 (x 56) for 0: its columns change, the far end does not.
    QTest::mouseClick(c->Psp[0], Qt::LeftButton, {}, {10, 20});
    EXPECT_EQ(c->sliderPos[0], 0);
    const QImage atZero = c->Psp[0]->image;
    EXPECT_NE(atZero.copy(0, 5, 9, 17), before.copy(0, 5, 9, 17));
    EXPECT_EQ(atZero.copy(100, 0, 20, 41), before.copy(100, 0, 20, 41));
    for (int y = 0; y < atZero.height(); ++y)
        for (int x = 0; x < atZero.width(); ++x)
            ASSERT_EQ(qAlpha(atZero.pixel(x, y)), 255) << x << "," << y;

    QTest::mousePress(c->Psp[0], Qt::LeftButton, {}, {30, 20});
    EXPECT_EQ(c->sliderPos[0], 1);
    QTest::mouseMove(c->Psp[0], {200, 20});
    EXPECT_EQ(c->sliderPos[0], 4);
    QTest::mouseRelease(c->Psp[0], Qt::LeftButton, {}, {200, 20});
    EXPECT_EQ(c->sliderPos[0], 4);
    QTest::mouseClick(c->Psp[0], Qt::LeftButton, {}, {59, 20});
    EXPECT_EQ(c->Psp[0]->image, before); // back at position 2 draws the picture of opening

    QTest::mouseClick(c->Psp[1], Qt::LeftButton, {}, {61, 20});
    EXPECT_EQ(c->sliderPos[1], 3);

    // The right button moves the knob where it is pressed, but dragging with it does nothing.
    QTest::mousePress(c->Psp[1], Qt::RightButton, {}, {25, 20});
    EXPECT_EQ(c->sliderPos[1], 1);
    QTest::mouseMove(c->Psp[1], {70, 20});
    EXPECT_EQ(c->sliderPos[1], 1);
    QTest::mouseRelease(c->Psp[1], Qt::RightButton, {}, {70, 20});
}

TEST_F(CastTest, DefaultsThenOkWriteTheDefaultChoices) {
    QFile picture(dir.filePath(QStringLiteral("wall.bmp")));
    ASSERT_TRUE(picture.open(QIODevice::WriteOnly));
    picture.write("BM");
    picture.close();
    writeIni("OFF1OFF5OFFOFFOFFO\r\n" + picture.fileName().toUtf8() + "\r\nTaro\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    EXPECT_EQ(c->F_Path->text(), picture.fileName());
    EXPECT_EQ(c->height(), 528);
    click(c->OK_CAN[2]);
    EXPECT_FALSE(G().Roster.matchOn);
    EXPECT_EQ(c->height(), 328);
    EXPECT_TRUE(c->F_Path->text().isEmpty());
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), QByteArray("ON 3ON 3ON ON ON O\r\n\r\nTaro\r\n"));
}

TEST_F(CastTest, CancelTurnsMatchModeOffAndWritesNothing) {
    writeIni(DefaultRecord + "\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    clickRadio(c->Rbot[1]);
    click(c->OK_CAN[1]);
    EXPECT_EQ(c->result(), QDialog::Rejected);
    EXPECT_FALSE(G().Roster.matchOn);
    EXPECT_EQ(ini(), DefaultRecord + "\r\n");
}

TEST_F(CastTest, BackgroundPathMustNameAFile) {
    writeIni(DefaultRecord + "\r\n");
    auto c = open();
    c->F_Path->setText(dir.filePath(QStringLiteral("missing.bmp")));
    click(c->OK_CAN[0]);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 0);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("File読込Error"));
    EXPECT_EQ(fake.messages[0].text,
              QStringLiteral("指定されたFileは存在しません、\r\nFileを読み直して下さい。"));
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), c->F_Path);
    EXPECT_EQ(ini(), DefaultRecord + "\r\n");

    // A folder given with a trailing separator passes once it holds a file; so does a pattern.
    QDir(dir.path()).mkdir(QStringLiteral("pics"));
    const QString folder = dir.filePath(QStringLiteral("pics")) + QStringLiteral("\\");
    EXPECT_FALSE(Cast::BackgroundPathExists(folder));
    EXPECT_FALSE(Cast::BackgroundPathExists(dir.filePath(QStringLiteral("pics"))));
    QFile file(dir.filePath(QStringLiteral("pics/a.jpg")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(Cast::BackgroundPathExists(folder));
    EXPECT_TRUE(Cast::BackgroundPathExists(dir.filePath(QStringLiteral("pics/*.jpg"))));
    EXPECT_FALSE(Cast::BackgroundPathExists(dir.filePath(QStringLiteral("pics/*.gif"))));
    EXPECT_TRUE(Cast::BackgroundPathExists(QStringLiteral("   ")));

    fake.dialogAnswers.enqueue(file.fileName());
    click(c->OK_CAN[5]);
    ASSERT_EQ(fake.dialogs.size(), 1);
    EXPECT_EQ(fake.dialogs[0].title, QStringLiteral("背景画像を読む"));
    EXPECT_EQ(c->F_Path->text(), file.fileName());
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), DefaultRecord + file.fileName().toUtf8() + "\r\n");
}

TEST_F(CastTest, MatchToggleShowsThePlayersAndCountsThem) {
    writeIni(DefaultRecord + "\r\n");
    auto c = open();
    click(c->OK_CAN[3]);
    EXPECT_TRUE(G().Roster.matchOn);
    EXPECT_TRUE(c->waku[2]->isVisible());
    EXPECT_EQ(c->OK_CAN[3]->text(), QStringLiteral("対戦Off"));
    EXPECT_EQ(c->height(), 528);
    EXPECT_TRUE(c->NameK[1]->isEnabled());
    EXPECT_FALSE(c->NameK[2]->isEnabled());
    EXPECT_EQ(c->UKey[2]->palette().color(QPalette::Base),
              QApplication::palette().color(QPalette::Button));

    // The up arrow raises the count.
    c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(c->Nin->text(), QStringLiteral("4"));
    EXPECT_EQ(G().Roster.lastPlayer, 3);
    EXPECT_TRUE(c->UKey[3]->isEnabled());
    EXPECT_EQ(c->UKey[3]->palette().color(QPalette::Base), QColor(Qt::white));
    EXPECT_FALSE(c->UKey[4]->isEnabled());
    c->VScroll1->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(c->Nin->text(), QStringLiteral("3"));

    // A fractional count is rounded half up, for the scroll bar and the roster alike.
    c->Nin->setFocus();
    c->Nin->setText(QStringLiteral("4.5"));
    c->NameK[0]->setFocus();
    EXPECT_EQ(c->VScroll1->value(), 5);
    EXPECT_EQ(c->Nin->text(), QStringLiteral("5"));
    EXPECT_EQ(G().Roster.lastPlayer, 4);

    for (const QString& bad : {QStringLiteral("11"), QStringLiteral("1.4"), QStringLiteral("x"),
                               QStringLiteral("10.5"), QStringLiteral("inf")}) {
        c->Nin->setFocus();
        c->Nin->setText(bad);
        c->NameK[0]->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), c->Nin) << bad.toStdString();
        EXPECT_EQ(c->MSG->text(), QStringLiteral("人数は２～10で設定して下さい。"));
        EXPECT_EQ(G().Roster.lastPlayer, 4);
    }
    // Even pressed at once, "OK" does not take a count it refused.
    click(c->OK_CAN[0]);
    QApplication::processEvents();
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(c->MSG->text(), QStringLiteral("人数は２～10で設定して下さい。"));
    EXPECT_EQ(ini(), DefaultRecord + "\r\n");
}

TEST_F(CastTest, PlayerChecksNameTheFirstFault) {
    writeIni(DefaultRecord + "\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    c->VScroll1->setValue(3);

    struct Case {
        QStringList names, keys;
        QString message;
        QWidget* focus;
    };
    const QString dup = QStringLiteral("重複項目があります。");
    const QList<Case> cases = {
        {{"Aki", "Ben", "Aki"}, {"A", "B", "C"}, dup, c->NameK[0]},
        {{"Aki", "", "Cy"},
         {"", "B", "C"},
         QStringLiteral("使用Keyを設定して下さい。"),
         c->UKey[0]},
        {{"Aki", "  ", "Cy"},
         {"A", "B", "C"},
         QStringLiteral("Player名が未入力です。"),
         c->NameK[1]},
        {{"Aki", "Ben", "Cy"}, {"A", "B", "B"}, dup, c->UKey[1]},
    };
    for (const Case& t : cases) {
        for (int i = 0; i < 3; ++i)
            setPlayer(*c, i, t.names[i], t.keys[i]);
        click(c->OK_CAN[0]);
        EXPECT_TRUE(c->isVisible());
        EXPECT_EQ(c->MSG->text(), t.message) << t.names.join(u',').toStdString();
        EXPECT_EQ(QApplication::focusWidget(), t.focus) << t.names.join(u',').toStdString();
        EXPECT_TRUE(c->pendingMessage.isEmpty());
    }
    // The message goes at the next focus change.
    c->Nin->setFocus();
    EXPECT_TRUE(c->MSG->text().isEmpty());
    EXPECT_EQ(G().Roster.players[0].keyCode, 'A'); // set before the failing player
    EXPECT_EQ(G().Roster.players[2].keyCode, 0);
    EXPECT_EQ(ini(), DefaultRecord + "\r\n");
}

TEST_F(CastTest, ValidPlayersFillTheRosterAndAreRememberedOnce) {
    writeIni(DefaultRecord + "\r\nTaro\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    EXPECT_EQ(c->NameK[5]->count(), 1);
    EXPECT_EQ(c->NameK[5]->currentText(), QString());
    c->VScroll1->setValue(5);
    setPlayer(*c, 0, QStringLiteral("Aa"), QStringLiteral(";"));
    setPlayer(*c, 1, QStringLiteral("aa"), QStringLiteral(":"));
    setPlayer(*c, 2, QStringLiteral(" Tar"), QStringLiteral("Num+"));
    setPlayer(*c, 3, QStringLiteral("日本語の長い名前です"), QStringLiteral("Space"));
    setPlayer(*c, 4, QStringLiteral("Ed\r\nX"), QStringLiteral("F3"));
    setPlayer(*c, 5, QStringLiteral("Aa"), QStringLiteral(";")); // not in use: not checked
    click(c->OK_CAN[0]);
    ASSERT_EQ(c->result(), QDialog::Accepted) << c->MSG->text().toStdString();
    const MatchRoster& r = G().Roster;
    EXPECT_EQ(r.lastPlayer, 4);
    EXPECT_EQ(r.players[0].name, QStringLiteral("Aa"));
    EXPECT_EQ(r.players[0].keyCode, 187);
    EXPECT_EQ(r.players[1].keyCode, 186);
    EXPECT_EQ(r.players[2].name, QStringLiteral("Tar"));
    EXPECT_EQ(r.players[2].keyCode, 107);
    EXPECT_EQ(r.players[3].name, QStringLiteral("日本語の長い名")); // 14 bytes
    EXPECT_EQ(r.players[3].keyCode, 32);
    EXPECT_EQ(r.players[4].name, QStringLiteral("Ed  X"));
    const QByteArray once = ini();
    EXPECT_TRUE(once.endsWith("Taro\r\nAa\r\naa\r\n" +
                              SjisEncode(QStringLiteral("日本語の長い名")) + "\r\nEd  X\r\n"))
        << once.toStdString();

    // The next opening offers the new names and adds nothing for the same players.
    auto again = open();
    EXPECT_EQ(again->NameK[0]->count(), 5);
    EXPECT_EQ(G().Roster.lastPlayer, 1);
    setPlayer(*again, 0, QStringLiteral("Aa"), QStringLiteral("Z"));
    setPlayer(*again, 1, QStringLiteral("aa"), QStringLiteral("M"));
    click(again->OK_CAN[0]);
    EXPECT_EQ(again->result(), QDialog::Accepted);
    EXPECT_EQ(ini(), once);
}

TEST_F(CastTest, AHundredNamesAreTheLimit) {
    QByteArray bytes = DefaultRecord + "\r\n";
    for (int i = 0; i < 105; ++i)
        bytes += "N" + QByteArray::number(i) + "\r\n";
    writeIni(bytes);
    G().Roster.matchOn = true;
    auto c = open();
    EXPECT_EQ(c->NameK[0]->count(), 100);
    EXPECT_EQ(c->NameK[9]->count(), 100);
    EXPECT_EQ(c->NameK[9]->itemText(99), QStringLiteral("N99"));
    setPlayer(*c, 0, QStringLiteral("Newcomer"), QStringLiteral("A"));
    setPlayer(*c, 1, QStringLiteral("N3"), QStringLiteral("B"));
    click(c->OK_CAN[0]);
    EXPECT_EQ(c->result(), QDialog::Accepted);
    EXPECT_EQ(G().Roster.players[0].name, QStringLiteral("Newcomer"));
    EXPECT_FALSE(ini().contains("Newcomer"));
}

TEST_F(CastTest, DeletingAllMembersRewritesTheFile) {
    writeIni(DefaultRecord + "\r\nTaro\r\nHanako\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    c->NameK[0]->setEditText(QStringLiteral("Jiro"));
    fake.messageAnswers.enqueue(7);
    click(c->OK_CAN[4]);
    ASSERT_EQ(fake.messages.size(), 1);
    EXPECT_EQ(fake.messages[0].kind, 2);
    EXPECT_EQ(fake.messages[0].title, QStringLiteral("警告"));
    EXPECT_EQ(fake.messages[0].text, QStringLiteral("Memberを削除しますか？"));
    EXPECT_EQ(ini(), DefaultRecord + "\r\nTaro\r\nHanako\r\n");
    EXPECT_EQ(c->NameK[0]->count(), 2);

    clickRadio(c->Rbot[1]); // written along with the members' removal
    fake.messageAnswers.enqueue(6);
    click(c->OK_CAN[4]);
    EXPECT_EQ(ini(), QByteArray("OFF3ON 2ON ON ON X\r\n\r\n"));
    EXPECT_EQ(c->NameK[0]->count(), 0);
    EXPECT_EQ(c->NameK[7]->count(), 0);
    EXPECT_EQ(c->NameK[0]->currentText(), QStringLiteral("Jiro"));
    EXPECT_TRUE(c->isVisible());

    // Names confirmed afterwards are remembered again.
    setPlayer(*c, 0, QStringLiteral("Taro"), QStringLiteral("A"));
    setPlayer(*c, 1, QStringLiteral("Jiro"), QStringLiteral("B"));
    click(c->OK_CAN[0]);
    EXPECT_EQ(ini(), QByteArray("OFF3ON 2ON ON ON X\r\n\r\nTaro\r\nJiro\r\n"));
}

TEST_F(CastTest, EnterMovesTheFocusOn) {
    writeIni(DefaultRecord + "\r\n");
    G().Roster.matchOn = true;
    auto c = open();
    c->F_Path->setFocus();
    QTest::keyClick(c->F_Path, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), c->OK_CAN[5]);
    EXPECT_TRUE(c->isVisible());
    c->NameK[0]->setFocus();
    QTest::keyClick(c->NameK[0], Qt::Key_Return);
    EXPECT_NE(QApplication::focusWidget(), c->NameK[0]);
    EXPECT_EQ(c->NameK[0]->count(), 0); // Enter never adds the typed name to the list
    EXPECT_TRUE(c->isVisible());
}

TEST_F(CastTest, ShowCastRunsModallyAndReadsAFileWithoutBackgroundLine) {
    writeIni(DefaultRecord + "Taro\r\nHanako\r\n");
    bool seen = false;
    QTimer::singleShot(0, [&seen] {
        auto* c = qobject_cast<Cast*>(G().Cast.data());
        ASSERT_NE(c, nullptr);
        seen = c->isModal() || c->isVisible();
        EXPECT_EQ(c->NameK[0]->count(), 2);
        EXPECT_TRUE(c->F_Path->text().isEmpty());
        QTest::mouseClick(c->OK_CAN[0], Qt::LeftButton);
    });
    ShowCast(nullptr);
    EXPECT_TRUE(seen);
    EXPECT_TRUE(G().Cast.isNull());
    EXPECT_EQ(ini(), DefaultRecord + "\r\nTaro\r\nHanako\r\n");
}

} // namespace
