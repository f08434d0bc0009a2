#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "data/DataFiles.h"
#include "settings/Cast.h"
#include "support/FakePlatform.h"
#include "support/HostileFiles.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

namespace {

const QByteArray Record = "ON 3ON 2ON ON ON X\r\n";

class CastFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        G().IniPath = dir.filePath(QStringLiteral("ZN.INI"));
        G().Roster = MatchRoster{};
        G().SkinDC = LoadPicture(QStringLiteral("sprites")).copy(0, 0, 640, 480);
    }
    void TearDown() override { QDir::setCurrent(startFolder); }
    static QByteArray ini() { return readBytes(G().IniPath); }
    std::unique_ptr<Cast> open(const QByteArray& bytes, bool match = false) {
        writeBytes(G().IniPath, bytes);
        G().Roster.matchOn = match;
        return show();
    }
    static std::unique_ptr<Cast> show() {
        auto cast = std::make_unique<Cast>();
        cast->show();
        QApplication::setActiveWindow(cast.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(cast.get()));
        return cast;
    }
    // "OK" with `path` typed as the background; returns the texts shown.
    QStringList okWith(Cast& c, const QString& path) {
        fake.clear();
        c.F_Path->setText(path);
        QTest::mouseClick(c.OK_CAN[0], Qt::LeftButton);
        QStringList out;
        for (const auto& m : fake.messages)
            out << m.title + QLatin1Char('|') + m.text;
        return out;
    }
    static QString box(int title, int text, int second = 0) {
        return LoadResString(title) + QLatin1Char('|') + LoadResString(text) +
               (second ? QStringLiteral("\r\n") + LoadResString(second) : QString());
    }
    QString file(const QString& name) {
        writeBytes(dir.filePath(name), "BM");
        return dir.filePath(name);
    }

    FakePlatform fake;
    QTemporaryDir dir;
    QString startFolder = QDir::currentPath();
};

} // namespace

// Paths the dialog must not store: a pipe, a bare name found only through the working folder,
// a name the code page of ZN.INI cannot hold. Each keeps the dialog open and ZN.INI unchanged.
TEST_F(CastFilesTest, BackgroundPathsThatCannotServeAreRefused) {
    const QByteArray before = Record + "\r\n";
    auto c = open(before);
    const QString fifo = dir.filePath(QStringLiteral("pipe.bmp"));
    ASSERT_TRUE(MakeFifo(fifo));
    file(QStringLiteral("bare.bmp"));
    QDir::setCurrent(dir.path());
    const QString missing = box(82, 46, 40);
    // {path typed, message}
    const std::pair<QString, QString> cases[] = {
        {fifo, missing},
        {QStringLiteral("bare.bmp"), missing},
        {QStringLiteral("./bare.bmp"), missing},
        {file(QStringLiteral("café\U0001F600.bmp")), box(82, TextPathNotSjis)},
    };
    for (const auto& [path, message] : cases) {
        EXPECT_EQ(okWith(*c, path), QStringList{message}) << path.toStdString();
        EXPECT_TRUE(c->isVisible() && QApplication::focusWidget() == c->F_Path);
        EXPECT_EQ(ini(), before);
    }
    const QString good = file(QStringLiteral("カフェ.bmp"));
    EXPECT_TRUE(okWith(*c, good).isEmpty());
    EXPECT_EQ(ini(), Record + SjisEncode(good) + "\r\n");
}

// Every ZN.INI rewrite of the dialog meets a full disk: ZN.INI stays as it was, the user hears
// of a write failure (not of defaults being used), and OK leaves the dialog open.
TEST_F(CastFilesTest, FullDiskKeepsZnIniAndIsToldAsAWriteFailure) {
    const QString failed = box(TitleWriteError, TextSettingsNotWritten);
    const QByteArray noPathLine = Record + "Taro\r\n";
    std::unique_ptr<Cast> c;
    {
        // The repair on opening: line 1 is a name and needs an empty line inserted.
        writeBytes(G().IniPath, noPathLine);
        FileSizeLimit limit(16);
        c = show();
    }
    EXPECT_EQ(ini(), noPathLine);
    EXPECT_EQ(fake.messages.value(0).text, LoadResString(TextSettingsNotWritten));

    const QByteArray before = Record + "\r\nTaro\r\n";
    c = open(before);
    const QString picture = file(QStringLiteral("wall.bmp"));
    QStringList okShown;
    {
        FileSizeLimit limit(16);
        okShown = okWith(*c, picture);
    }
    EXPECT_EQ(okShown, QStringList{failed});
    EXPECT_TRUE(c->isVisible());
    EXPECT_EQ(ini(), before);

    fake.clear();
    fake.messageAnswers.enqueue(6); // yes, delete all members
    {
        FileSizeLimit limit(16);
        QTest::mouseClick(c->OK_CAN[4], Qt::LeftButton);
    }
    EXPECT_EQ(ini(), before);
    EXPECT_EQ(fake.messages.value(1).text, LoadResString(TextSettingsNotWritten));
    EXPECT_EQ(c->kept.members, QStringList{QStringLiteral("Taro")});
}

// A player name the code page cannot hold is warned about as soon as its box is left.
TEST_F(CastFilesTest, UnmappableNameIsWarnedWhenItsBoxIsLeft) {
    auto c = open(Record + "\r\n", true);
    c->NameK[0]->setFocus(Qt::TabFocusReason);
    c->NameK[0]->setEditText(QStringLiteral("Zoë\U0001F600"));
    c->NameK[1]->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(c->MSG->text(), LoadResString(TextUnmappableChars));
}
