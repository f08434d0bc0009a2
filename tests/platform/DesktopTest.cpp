#include "platform/DesktopSession.h"
#include "platform/QtTranslations.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>

#include <algorithm>

#include <gtest/gtest.h>

#include <optional>

TEST(JapaneseDialogs, QtButtonsAndFileDialogsSpeakJapanese) {
    ASSERT_TRUE(InstallJapaneseDialogs()) << "Qt's Japanese translation (qtbase_ja.qm) is missing";
    EXPECT_EQ(QLocale().language(), QLocale::Japanese);

    QMessageBox box(QMessageBox::Warning, "title", "text", QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
    EXPECT_EQ(box.button(QMessageBox::No)->text(), QStringLiteral("いいえ(&N)"));

    // Qt's own save dialog, as the program shows it: labels and the replace question.
    QFileDialog dialog;
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    EXPECT_TRUE(QCoreApplication::testAttribute(Qt::AA_DontUseNativeDialogs));
    const QLabel* nameLabel = dialog.findChild<QLabel*>("fileNameLabel");
    ASSERT_NE(nameLabel, nullptr);
    const QString replace = QFileDialog::tr("%1 already exists.\nDo you want to replace it?");
    for (const QString& text :
         {nameLabel->text(), dialog.findChild<QLabel*>("lookInLabel")->text(), replace}) {
        const bool japanese =
            std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x3000; });
        EXPECT_TRUE(japanese) << text.toStdString();
    }
}

TEST(DesktopSession, NoDisplayIsOneLineOnlyWhenNothingCanShowAWindow) {
    const char* const names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[3];
    for (int i = 0; i < 3; ++i)
        if (qEnvironmentVariableIsSet(names[i])) saved[i] = qgetenv(names[i]);

    struct Case {
        const char* display;
        const char* wayland;
        const char* platform;
        QStringList arguments;
        bool refused;
    };
    const Case cases[] = {
        {nullptr, nullptr, nullptr, {"zn", "a.znd"}, true},
        {"", "", "", {"zn"}, true}, // set but empty is no display either
        {":0", nullptr, nullptr, {"zn"}, false},
        {nullptr, "wayland-0", nullptr, {"zn"}, false},
        {nullptr, nullptr, "offscreen", {"zn"}, false},
        {nullptr, nullptr, nullptr, {"zn", "-platform", "offscreen"}, false},
        {nullptr, nullptr, nullptr, {"zn", "--platform", "vnc"}, false},
    };
    for (const Case& c : cases) {
        const char* values[] = {c.display, c.wayland, c.platform};
        for (int i = 0; i < 3; ++i)
            values[i] ? qputenv(names[i], values[i]) : qunsetenv(names[i]);
        const QString message = NoDisplayMessage(c.arguments);
#if defined(Q_OS_WIN) || defined(Q_OS_DARWIN)
        EXPECT_TRUE(message.isEmpty());
#else
        EXPECT_EQ(!message.isEmpty(), c.refused) << c.arguments.join(' ').toStdString();
        EXPECT_FALSE(message.contains('\n'));
#endif
    }
    for (int i = 0; i < 3; ++i)
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
}
