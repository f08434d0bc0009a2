#pragma once

#include <QString>

#include <functional>

class QWidget;

// F1 opens the help from anywhere in `window`, whichever of its controls has the focus, as the
// program-wide help key. The help file is asked for when the key is pressed.
void AddHelpKey(QWidget* window, std::function<QString()> helpFile);
