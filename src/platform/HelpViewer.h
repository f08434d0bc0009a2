#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The help window: an HTML document in a browser pane, non-modal, beside the program's windows.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // Shows `helpFile`; when it is missing, the help compiled into the program, else a short
    // notice naming the missing file. Returns the address actually shown (empty for the notice).
    QUrl load(const QString& helpFile);

    QTextBrowser* browser() const { return browser_; }

    // Where the help compiled into the program lives.
    static QString builtInHelp();

private:
    QTextBrowser* browser_;
};
