#include "support/FakePlatform.h"

#include <QPrinter>

FakePlatform::FakePlatform() {
    previous_ = setPlatform(this);
}

FakePlatform::~FakePlatform() {
    setPlatform(previous_);
}

QList<int> FakePlatform::soundIds() const {
    QList<int> ids;
    for (const Sound& s : sounds)
        ids.append(s.resourceId);
    return ids;
}

void FakePlatform::clear() {
    messages.clear();
    dialogs.clear();
    sounds.clear();
    helpShown.clear();
    programsRun.clear();
    urlsOpened.clear();
    freeBytesAsked.clear();
}

int FakePlatform::messageBox(QWidget*, int kind, const QString& title, const QString& text) {
    messages.append(Message{kind, title, text});
    if (!messageAnswers.isEmpty()) return messageAnswers.dequeue();
    return kind == MsgYesNo || kind == MsgReplace ? AnswerYes : AnswerOk;
}

QString FakePlatform::dialog(bool save, const QString& title, const QList<FileFilter>& filters,
                             const QString& initialFolder) {
    dialogs.append(Dialog{save, title, filters, initialFolder});
    return dialogAnswers.isEmpty() ? QString() : dialogAnswers.dequeue();
}

bool FakePlatform::runAndWait(const QString& program, const QStringList& arguments) {
    programsRun.append(QStringList{program} + arguments);
    if (runSucceeds && whileRunning) whileRunning();
    return runSucceeds;
}

std::unique_ptr<QPrinter> FakePlatform::createPrinter(QWidget*) {
    if (printerPdfPath.isEmpty()) return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printerPdfPath);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}
