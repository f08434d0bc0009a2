#include "platform/DesktopSession.h"
#include "platform/DisplayProbe.h"
#include "platform/QtTranslations.h"

#include "support/TestKit.h"

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

TEST(DesktopSession, NoDisplayIsOneLineOnlyWhenNoServerAnswers) {
    const auto system = QOperatingSystemVersion::currentType();
    if (system == QOperatingSystemVersion::Windows || system == QOperatingSystemVersion::MacOS)
        GTEST_SKIP() << "windows need no display server here";
    const char* const names[] = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"};
    std::optional<QByteArray> saved[3];
    for (int i = 0; i < 3; ++i)
        if (qEnvironmentVariableIsSet(names[i])) saved[i] = qgetenv(names[i]);
    // Only ":0" and "wayland-0" answer.
    const DisplayProbe fake{[](const QString& d) { return d == ":0"; },
                            [](const QString& d) { return d == "wayland-0"; }};
    // DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM (null: unset), arguments, refused.
    const std::tuple<const char*, const char*, const char*, QStringList, bool> cases[] = {
        {nullptr, nullptr, nullptr, {"zn", "a.znd"}, true},
        {"", "", "", {"zn"}, true}, // set but empty is no display either
        {":0", nullptr, nullptr, {"zn"}, false},
        {":5", nullptr, nullptr, {"zn"}, true}, // no server behind it
        {nullptr, "wayland-0", nullptr, {"zn"}, false},
        {nullptr, "wayland-9", nullptr, {"zn"}, true},
        {":0", "wayland-9", nullptr, {"zn"}, false}, // Qt falls back to X
        {":0", "wayland-0", "wayland", {"zn"}, false},
        {":0", "wayland-9", "wayland", {"zn"}, true},
        {":5", "wayland-0", "xcb", {"zn"}, true},
        {":5", "wayland-0", "xcb;wayland", {"zn"}, false},
        {nullptr, nullptr, "offscreen", {"zn"}, false},
        {nullptr, nullptr, nullptr, {"zn", "-platform", "offscreen"}, false},
        {nullptr, nullptr, nullptr, {"zn", "--platform", "vnc"}, false},
        {":5", nullptr, "offscreen", {"zn", "-platform", "xcb"}, true},
    };
    for (const auto& [display, wayland, platform, arguments, refused] : cases) {
        const char* values[] = {display, wayland, platform};
        for (int i = 0; i < 3; ++i)
            values[i] ? qputenv(names[i], values[i]) : qunsetenv(names[i]);
        const QString message = NoDisplayMessage(arguments, fake);
        EXPECT_EQ(!message.isEmpty(), refused)
            << (display ? display : "-") << " " << (wayland ? wayland : "-") << " "
            << arguments.join(' ').toStdString();
        EXPECT_FALSE(message.contains('\n'));
    }

    // The message names the displays that were tried, and only those.
    qputenv("DISPLAY", ":0");
    qunsetenv("WAYLAND_DISPLAY");
    qputenv("QT_QPA_PLATFORM", "wayland");
    EXPECT_EQ(NoDisplayMessage({"zn"}, fake),
              "zn: cannot connect to the display (WAYLAND_DISPLAY is not set); start ZN from a "
              "desktop session");
    qputenv("WAYLAND_DISPLAY", "wayland-9");
    qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    qputenv("DISPLAY", ":5");
    EXPECT_EQ(NoDisplayMessage({"zn"}, fake),
              "zn: cannot connect to the display (DISPLAY=:5, WAYLAND_DISPLAY=wayland-9); start "
              "ZN from a desktop session");

    // The real probes: nothing listens on a display numbered this high, nor at a made-up socket.
    const DisplayProbe real = SystemDisplayProbe();
    EXPECT_FALSE(real.x11(":987"));
    EXPECT_FALSE(real.wayland("/nonexistent/wayland-socket"));
    for (int i = 0; i < 3; ++i)
        saved[i] ? qputenv(names[i], *saved[i]) : qunsetenv(names[i]);
}

// A program started without a server answering ends with one line and status 1, not an abort.
TEST(DesktopSession, ProgramWithADeadDisplayEndsWithOneLine) {
    const auto system = QOperatingSystemVersion::currentType();
    if (system == QOperatingSystemVersion::Windows || system == QOperatingSystemVersion::MacOS)
        GTEST_SKIP() << "windows need no display server here";
    const QString zn = QStringLiteral(ZN_PATH);
    if (!QFileInfo(zn).isExecutable()) GTEST_SKIP() << "zn is not built";
    QTemporaryDir runtime;
    const std::pair<const char*, const char*> cases[] = {
        {":987", nullptr}, {nullptr, "wayland-987"}, {":987", "wayland-987"}};
    for (const auto& [display, wayland] : cases) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        if (display) env.insert("DISPLAY", display);
        if (wayland) env.insert("WAYLAND_DISPLAY", wayland);
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        QProcess process;
        process.setProcessEnvironment(env);
        process.start(zn, {});
        ASSERT_TRUE(process.waitForFinished(20000));
        const QString err = QString::fromLocal8Bit(process.readAllStandardError()).trimmed();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        EXPECT_EQ(err.count('\n'), 0) << err.toStdString();
        EXPECT_TRUE(err.startsWith("zn: cannot connect to the display")) << err.toStdString();
    }
}
