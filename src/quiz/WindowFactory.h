#pragma once

#include <functional>

class QWidget;

// The modal windows the main window opens from its menus. The program's main() fills these in;
// an empty entry means the window does not exist yet and the command does nothing more.
struct WindowFactory {
    std::function<void(QWidget* owner)> showSettings; // Cast
    std::function<void(QWidget* owner)> showEditor;   // Edit
    std::function<void(QWidget* owner)> showPrint;    // PriPri
    std::function<void(QWidget* owner)> showVersion;  // Jyou
    std::function<void(QWidget* owner)> showStats;    // Seiseki (成績)
};

WindowFactory& windowFactory();
