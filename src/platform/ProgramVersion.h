#pragma once

#include <QString>

// Asks the program at `path` for its version with "--version" and waits at most `timeoutMs`.
// The first line of its answer must end in "<major>.<minor>" (for example "Pomvex 1.2"); the
// result is "major.minor", or empty when the program is not a regular file, does not start,
// answers late or answers something else. A program still running at the limit is killed.
QString AskProgramVersion(const QString& path, int timeoutMs = 2000);
