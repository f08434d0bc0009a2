#include "settings/QrView.h"

#include <QPainter>

QrView::QrView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(120, 120);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void QrView::setText(const QByteArray& text) {
    matrix_ = EncodeQr(text);
    update();
}

int QrView::moduleSize() const {
    if (matrix_.size == 0) return 0;
    return std::min(width(), height()) / (matrix_.size + 8);
}

void QrView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const int m = moduleSize();
    if (m == 0) return;
    const int side = m * matrix_.size;
    const int left = (width() - side) / 2;
    const int top = (height() - side) / 2;
    for (int y = 0; y < matrix_.size; ++y)
        for (int x = 0; x < matrix_.size; ++x)
            if (matrix_.at(x, y)) painter.fillRect(left + x * m, top + y * m, m, m, Qt::black);
}
