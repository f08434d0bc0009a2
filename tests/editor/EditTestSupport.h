#pragma once

#include "core/AppGlobals.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "core/Sjis.h"
#include "editor/Edit.h"
#include "support/FakePlatform.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

// An editor window shown and active, over the main window's artwork surface, with a fake
// platform answering its dialogs and boxes.
class EditWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QImage skin(640, 480, QImage::Format_RGB32);
        skin.fill(Qt::black);
        QPainter p(&skin);
        p.drawImage(0, 0, LoadPicture(QStringLiteral("sprites")));
        p.end();
        G().SkinDC = skin;
        G().AppFolder = dir.path() + QLatin1Char('/');
        G().CurrentFile.clear();
        G().RecordCount = 0;
        ed = std::make_unique<Edit>();
        ed->show();
        ed->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ed.get()));
    }
    void TearDown() override {
        ed->SavedFlag = true; // closing the fixture never asks
        ed.reset();
    }

    QString path(const QString& name) const { return dir.filePath(name); }

    void focus(QWidget* w) {
        w->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // Key clicks for every character; those without a key of their own arrive as typed text,
    // as from an input method.
    static void keys(QWidget* w, const QString& text) {
        for (QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(w, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    void type(QWidget* w, const QString& text) {
        focus(w);
        keys(w, text);
    }
    void click(QPushButton* b) {
        QTest::mouseClick(b, Qt::LeftButton);
        QApplication::processEvents();
    }
    void menu(int index) {
        ed->menu1[index]->trigger();
        QApplication::processEvents();
    }
    // Types one record the way a user does and stores it with button 0.
    void enterRecord(const QString& question, const QString& answer, const QString& genre) {
        type(ed->QA[0], question);
        QTest::keyClick(ed->QA[0], Qt::Key_Return);
        keys(ed->QA[1], answer);
        QTest::keyClick(ed->QA[1], Qt::Key_Return);
        keys(ed->jun->lineEdit(), genre);
        click(ed->Command1[0]);
    }
    QString question() const { return ed->QA[0]->toPlainText(); }
    QString answer() const { return ed->QA[1]->toPlainText(); }
    QString status() const { return ed->msg->text(); }
    QStringList captions() const {
        QStringList c;
        for (auto* b : ed->Command1)
            c << b->text();
        return c;
    }
    // A question file written byte by byte, independent of the editor's own composing.
    static QByteArray record(const QByteArray& q, const QByteArray& a, char genre) {
        return q + QByteArray(288 - q.size(), ' ') + a + QByteArray(60 - a.size(), ' ') + genre +
               "\r\n";
    }
    void writeFile(const QString& name, const QByteArray& bytes) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& p) {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void load(const QString& name) {
        fake.dialogAnswers.enqueue(path(name));
        menu(1);
    }

    FakePlatform fake;
    QTemporaryDir dir;
    std::unique_ptr<Edit> ed;
};
