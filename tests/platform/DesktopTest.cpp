#include "platform/DesktopSession.h"
#include "platform/QtTranslations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QOperatingSystemVersion>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

TEST(JapaneseDialogs, QtButtonsAndFileDialogsSpeakJapanese) {
    ASSERT_TRUE(InstallJapaneseDialogs()) << "Qt's Japanese translation (qtbase_ja.qm) is missing";
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);
    QMessageBox box(QMessageBox::Warning, "title", "text", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));

    // Qt's own save dialog (never the desktop's, which follows the user's language).
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    const QString replace = QFileDialog::tr("%1 already exists.\nDo you want to replace it?");
    EXPECT_TRUE(std::any_of(replace.begin(), replace.end(), [](QChar c) { return c >= u'\u3000'; }))
        << replace.toStdString();
}

TEST(DesktopSession, NoDisplayIsOneLineOnlyWhenNothingCanShowAWindow) {
    const auto system = QOperatingSystemVersion::currentType();
    if (system == QOperatingSystemVersion::Windows || system == QOperatingSystemVersion::MacOS)
        GTEST_SKIP() << "windows need no display server here";
    const char* const names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[3];
    for (int i = 0; i < 3; ++i)
        if (qEnvironmentVariableIsSet(names[i])) saved[i] = qgetenv(names[i]);
    // DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM (null: unset), arguments, refused.
    const std::tuple<const char*, const char*, const char*, QStringList, bool> cases[] = {
        {nullptr, nullptr, nullptr, {"zn", "a.znd"}, true},
        {"", "", "", {"zn"}, true}, // set but empty is no display either
        {":0", nullptr, nullptr, {"zn"}, false},
        {nullptr, "wayland-0", nullptr, {"zn"}, false},
        {nullptr, nullptr, "offscreen", {"zn"}, false},
        {nullptr, nullptr, nullptr, {"zn", "-platform", "offscreen"}, false},
        {nullptr, nullptr, nullptr, {"zn", "--platform", "vnc"}, false},
    };
    for (const auto& [display, wayland, platform, arguments, refused] : cases) {
        const char* values[] = {display, wayland, platform};
        for (int i = 0; i < 3; ++i)
            values[i] ? qputenv(names[i], values[i]) : qunsetenv(names[i]);
        const QString message = NoDisplayMessage(arguments);
        EXPECT_EQ(!message.isEmpty(), refused) << arguments.join(' ').toStdString();
        EXPECT_FALSE(message.contains('\n'));
    }
    for (int i = 0; i < 3; ++i)
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
}
