#pragma once

#include <QString>
#include <QStringList>

struct DisplayProbe;

// The name the desktop knows the program by: its desktop entry, icon and AppStream id.
inline constexpr char DesktopId[] = "org.example.zn_quiz";

// On systems where windows need a display server: one line saying that none answers (neither
// the X server of DISPLAY nor the Wayland compositor of WAYLAND_DISPLAY, asked through `probe`),
// so the program can say so instead of aborting inside Qt. Empty otherwise, and whenever
// QT_QPA_PLATFORM or -platform among `arguments` chooses a platform that needs no server.
QString NoDisplayMessage(const QStringList& arguments, const DisplayProbe& probe);

// The steps every windowed program of ZN takes around creating its QApplication.
// Before it: false, after one line on standard error, when there is no display to open windows
// on; a write past the file-size limit is made to fail instead of ending the program.
bool PrepareDesktopProgram(int argc, char** argv);
// After it: the desktop id, menus inside the windows, Qt's standard dialogs in Japanese and the
// font substitutions.
void SetUpDesktopProgram();
