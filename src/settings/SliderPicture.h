#pragma once

#include <QImage>
#include <QWidget>

// A picture box that shows a composed image and hands mouse presses and moves (with the
// buttons held) to its owner. The image is opaque Format_RGB32; paintEvent only copies it.
class SliderPicture : public QWidget {
    Q_OBJECT
public:
    SliderPicture(int width, int height, const QColor& background, QWidget* parent);

    QImage image;

signals:
    void mouseDown(Qt::MouseButton button, int x);
    void mouseMove(Qt::MouseButtons buttons, int x);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};
