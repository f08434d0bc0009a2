#pragma once

#include <QPlainTextEdit>

// A text box holding at most a number of characters. Input that would pass the limit, typed,
// pasted, dropped or committed by an input method, is refused whole and the text stays as it
// was. Text still being composed by an input method is neither counted nor cut.
class LimitedTextEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    LimitedTextEdit(int maxLength, QWidget* parent = nullptr);

    int maxLength() const { return maxLength_; }

signals:
    // A paste, drop or input-method commit was refused whole; `room` characters would fit.
    void refused(int room);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // Whether inserting `text` over the selection, after removing `alsoRemoved` more
    // characters, keeps the box within its limit (or at least makes it no longer).
    bool fits(const QString& text, int alsoRemoved = 0) const;
    int room(int alsoRemoved = 0) const;

    int maxLength_;
};
