#pragma once

#include <QString>

// The file name of a program called `base` on this system: "Pomvex.exe" on Windows, "Pomvex"
// elsewhere.
QString ExecutableName(const QString& base);
