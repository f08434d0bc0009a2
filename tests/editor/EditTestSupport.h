#pragma once

#include "editor/Edit.h"
#include "support/TestKit.h"

// An editor window shown and active over the main window's artwork, its dialogs and boxes
// answered by a fake platform.
class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        G().SkinDC = LoadPicture(QStringLiteral("sprites")).convertToFormat(QImage::Format_RGB32);
        G().AppFolder = dir.path() + QLatin1Char('/');
        G().CurrentFile.clear();
        open();
    }
    void TearDown() override { ed->SavedFlag = true; } // closing the fixture never asks
    void open() {
        ed = std::make_unique<Edit>();
        ed->show();
        ed->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // Every character arrives as typed text, as from an input method.
    void type(QWidget* w, const QString& text) {
        focus(w);
        for (QChar c : text)
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    void click(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    void menu(int index) {
        ed->menu1[index]->trigger();
        QApplication::processEvents();
    }
    // Typed the way a user does, Enter moving on from box to box to the store button.
    void enterRecord(const QString& question, const QString& answer, const QString& genre) {
        type(ed->QA[0], question);
        for (const QString& next : {answer, genre, QString()}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            type(QApplication::focusWidget(), next);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QString question() const { return ed->QA[0]->toPlainText(); }
    QString status() const { return ed->msg->text(); }
    bool captionsAre(int id) const {
        return std::ranges::equal(ed->Command1, LoadResString(id).split(' '), {},
                                  &QAbstractButton::text);
    }
    // A question file record composed byte by byte, independent of the editor.
    static QByteArray record(const QByteArray& q, const QByteArray& a, char genre) {
        return q.leftJustified(288, ' ') + a.leftJustified(60, ' ') + genre + "\r\n";
    }
    void load(const QString& name) {
        fake.dialogAnswers.enqueue(path(name));
        menu(1);
    }

    FakePlatform fake;
    QTemporaryDir dir;
    std::unique_ptr<Edit> ed;
};
