#include "support/FakePlatform.h"

#include <QPrinter>

FakePlatform::FakePlatform() { previous_ = setPlatform(this); }

FakePlatform::~FakePlatform() { setPlatform(previous_); }

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
    cursorMoves.clear();
    freeBytesAsked.clear();
}

int FakePlatform::messageBox(QWidget*, int kind, const QString& title, const QString& text) {
    Message m{kind, title, text};
    messages.append(m);
    if (onMessage)
        onMessage(m);
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    return kind == MsgYesNo || kind == MsgReplace ? AnswerYes : AnswerOk;
}

QString FakePlatform::dialog(bool save, const QString& title, const QList<FileFilter>& filters,
                             const QString& initialFolder) {
    dialogs.append(Dialog{save, title, filters, initialFolder});
    return dialogAnswers.isEmpty() ? QString() : dialogAnswers.dequeue();
}

QString FakePlatform::openFileName(QWidget*, const QString& title, const QList<FileFilter>& filters,
                                   const QString& initialFolder) {
    return dialog(false, title, filters, initialFolder);
}

QString FakePlatform::saveFileName(QWidget*, const QString& title, const QList<FileFilter>& filters,
                                   const QString& initialFolder) {
    return dialog(true, title, filters, initialFolder);
}

void FakePlatform::playSound(int resourceId, const QByteArray& wave, bool synchronous) {
    sounds.append(Sound{resourceId, synchronous, int(wave.size())});
}

void FakePlatform::showHelp(QWidget*, const QString& helpFile) { helpShown.append(helpFile); }

bool FakePlatform::runAndWait(const QString& program, const QStringList& arguments) {
    programsRun.append(QStringList{program} + arguments);
    if (runSucceeds && whileRunning)
        whileRunning();
    return runSucceeds;
}

bool FakePlatform::openUrl(const QString& url) {
    urlsOpened.append(url);
    return true;
}

QString FakePlatform::registeredOwnerName() { return ownerName; }

qint64 FakePlatform::freeBytes(const QString& path) {
    freeBytesAsked.append(path);
    return freeBytesAnswer;
}

bool FakePlatform::acquireSingleInstance() { return singleInstance; }

QDateTime FakePlatform::utcNow() {
    QDateTime t = now;
    now = now.addMSecs(clockStepMs);
    return t;
}

double FakePlatform::monotonicMs() {
    const double t = monotonic;
    monotonic += monotonicStepMs;
    return t;
}

quint32 FakePlatform::randomSeed() { return seed; }

void FakePlatform::moveCursor(const QPoint& screenPos) { cursorMoves.append(screenPos); }

QString FakePlatform::fileVersion(const QString&) { return fileVersionAnswer; }

std::unique_ptr<QPrinter> FakePlatform::createPrinter(QWidget*) {
    if (printerPdfPath.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printerPdfPath);
    printer->setResolution(600);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageOrientation(QPageLayout::Portrait);
    return printer;
}

VolumeInfo FakePlatform::volumeInfo(const QString&) { return volumeAnswer; }
