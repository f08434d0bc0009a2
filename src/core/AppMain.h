#pragma once

#include <QString>

#include <functional>

// The windows AppMain can open first; filled by the program's main().
struct AppWindows {
    std::function<void()> showMain;    // the quiz window ZN (a file was named on the command line)
    std::function<void()> showOpening; // the opening screen op
};

// Start-up: refuses a second copy (returns false), fills G(), reads the command line and shows the
// first window. `executablePath` is the program's own path; `commandLine` the whole argument text.
bool AppMain(const QString& executablePath, const QString& commandLine, const AppWindows& windows);

// Where ZN.INI lives: `appFolder` + "ZN.INI" for a portable copy in a writable folder, else (an
// installed copy, or a read-only folder) the per-user configuration folder, created when
// missing. Same format in both places.
QString ChooseIniPath(const QString& appFolder);
// The per-user ZN.INI in `configFolder` (created when missing). While that file does not exist,
// a ZN.INI shipped in `appFolder` is copied there first, so settings placed beside the program
// apply from the first start; when the copy cannot be made, the shipped file itself is used.
QString UserIniPath(const QString& appFolder, const QString& configFolder);
