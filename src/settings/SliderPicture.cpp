#include "settings/SliderPicture.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

SliderPicture::SliderPicture(int width, int height, const QColor& background, QWidget* parent)
    : QWidget(parent), image(width, height, QImage::Format_RGB32) {
    image.fill(background);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(width, height);
}

void SliderPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image);
}

void SliderPicture::mousePressEvent(QMouseEvent* event) {
    emit mouseDown(event->button(), static_cast<int>(std::lround(event->position().x())));
}

void SliderPicture::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMove(event->buttons(), static_cast<int>(std::lround(event->position().x())));
}
