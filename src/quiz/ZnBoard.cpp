#include "quiz/ZnBoard.h"

#include <QMouseEvent>
#include <QPainter>

ZnBoard::ZnBoard(const QImage* image, QWidget* parent) : QWidget(parent), image_(image) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void ZnBoard::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect r = event->rect();
    painter.drawImage(r, *image_, r);
}

void ZnBoard::mousePressEvent(QMouseEvent* event) {
    if (onMouseDown) onMouseDown(event->button(), event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}
