#include "quiz/ExitButton.h"

#include <QMouseEvent>

ExitButton::ExitButton(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
    setAttribute(Qt::WA_TranslucentBackground);
}

void ExitButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    if (onMouseDown) onMouseDown();
}

void ExitButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    if (onMouseUp) onMouseUp();
    // A click is a left-button release over the button, as with any button.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        onClick)
        onClick();
}
