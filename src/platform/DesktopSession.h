#pragma once

#include <QString>
#include <QStringList>

// The name the desktop knows the program by: its desktop entry, icon and AppStream id.
inline constexpr char DesktopId[] = "org.example.zn_quiz";

// On systems where windows need a display server: one line saying that there is none to connect
// to (no DISPLAY, no WAYLAND_DISPLAY, no platform chosen through QT_QPA_PLATFORM or -platform
// among `arguments`), so the program can say so instead of aborting inside Qt. Empty otherwise.
QString NoDisplayMessage(const QStringList& arguments);

// The steps every windowed program of ZN takes around creating its QApplication.
// Before it: false, after one line on standard error, when there is no display to open windows
// on; a write past the file-size limit is made to fail instead of ending the program.
bool PrepareDesktopProgram(int argc, char** argv);
// After it: the desktop id, Qt's standard dialogs in Japanese and the font substitutions.
void SetUpDesktopProgram();
