#pragma once

#include "settings/Cast.h"
#include "support/TestKit.h"

const QByteArray Record = "ON 3ON 2ON ON ON X\r\n";
const QByteArray Default = Record + "\r\n"; // with an empty background line

// The settings dialog over the ZN.INI of a temporary folder.
class CastTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        G().Roster = MatchRoster{};
        G().SkinDC = LoadPicture(QStringLiteral("sprites")).copy(0, 0, 640, 480); // black beyond
    }
    static QByteArray ini() { return readBytes(G().IniPath); }
    // An open, active dialog over the given ZN.INI.
    std::unique_ptr<Cast> open(const QByteArray& bytes = Default, bool match = false) {
        writeBytes(G().IniPath, bytes);
        G().Roster.matchOn = match;
        auto cast = std::make_unique<Cast>();
        cast->show();
        QApplication::setActiveWindow(cast.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(cast.get()));
        return cast;
    }
    static void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
    static void clickRadio(QRadioButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, {6, 8}); }
    static void drag(QWidget* w, Qt::MouseButton button, int from, int to) {
        QTest::mousePress(w, button, {}, {from, 20});
        QTest::mouseMove(w, {to, 20});
        QTest::mouseRelease(w, button, {}, {to, 20});
    }
    // Comma-separated names and key captions, one per row from the first.
    static void setPlayers(Cast& c, const QString& nameList, const QString& keyList) {
        const QStringList names = nameList.split(u','), keys = keyList.split(u',');
        for (int i = 0; i < names.size(); ++i) {
            c.NameK[i]->setEditText(names[i]);
            c.UKey[i]->setCurrentIndex(c.UKey[i]->findText(keys[i]));
        }
    }

    FakePlatform fake;
    QTemporaryDir dir;
};
