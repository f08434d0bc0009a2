#include "settings/SliderPicture.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

#include <cmath>

SliderPicture::SliderPicture(int width, int height, const QColor& background, QWidget* parent)
    : QWidget(parent), image(width, height, QImage::Format_RGB32) {
    image.fill(background);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    resize(width, height);
}

void SliderPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
    if (hasFocus()) {
        QStyleOptionFocusRect frame;
        frame.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
    }
}

void SliderPicture::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), static_cast<int>(std::lround(event->position().x())));
}

void SliderPicture::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->buttons(), static_cast<int>(std::lround(event->position().x())));
}

void SliderPicture::keyPressEvent(QKeyEvent* event) {
    constexpr int AllTheWay = 100;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        emit stepped(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        emit stepped(1);
        break;
    case Qt::Key_Home:
        emit stepped(-AllTheWay);
        break;
    case Qt::Key_End:
        emit stepped(AllTheWay);
        break;
    default:
        QWidget::keyPressEvent(event); // Tab, Enter and Esc stay the dialog's
        return;
    }
}

void SliderPicture::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void SliderPicture::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}
