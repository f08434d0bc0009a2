#include "platform/HelpViewer.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

HelpViewer::HelpViewer(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("ZN ﾍﾙﾌﾟ"));
    // An open help window must not keep the program alive once its last real window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    browser_ = new QTextBrowser(this);
    browser_->setOpenExternalLinks(true);
    layout->addWidget(browser_);
    resize(640, 520);
}

QString HelpViewer::builtInHelp() {
    return QStringLiteral(":/zn.hlp");
}

QUrl HelpViewer::load(const QString& helpFile) {
    QUrl source;
    if (!helpFile.isEmpty() && QFileInfo(helpFile).isFile() && QFileInfo(helpFile).isReadable())
        source = QUrl::fromLocalFile(QFileInfo(helpFile).absoluteFilePath());
    else if (QFile::exists(builtInHelp()))
        source = QUrl(QStringLiteral("qrc") + builtInHelp());

    if (source.isEmpty()) {
        browser_->setSource(QUrl());
        browser_->setHtml(QStringLiteral("<h3>ﾍﾙﾌﾟﾌｧｲﾙがありません。</h3><p>%1</p>")
                              .arg(helpFile.toHtmlEscaped()));
        return source;
    }
    // The help file's name does not end in .html; say what it is so it is not shown as text.
    browser_->setSource(source, QTextDocument::HtmlResource);
    return source;
}
