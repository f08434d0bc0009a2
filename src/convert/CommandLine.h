#pragma once

#include <QStringList>
#include <QTextStream>

// Exit statuses of the command line.
enum ExitStatus : int { ExitOk = 0, ExitRowErrors = 1, ExitUnusable = 2 };

// "Pomvex 1.0"
QString VersionLine();

// Runs the tool without a window. `args` are the arguments after the program name. Problems go
// to `err` as "FILE:ROW: reason", the result to `out`.
int RunCommandLine(const QStringList& args, QTextStream& out, QTextStream& err);
