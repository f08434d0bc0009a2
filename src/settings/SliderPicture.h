#pragma once

#include <QImage>
#include <QWidget>

// A picture box that shows a composed image and hands mouse presses and moves (with the
// buttons held) to its owner. The image is opaque Format_RGB32; paintEvent only copies it, with a
// focus frame while the box has the keyboard. Tab reaches it, and the arrow keys, Home and End
// step the slider, so the dialog works without a mouse.
class SliderPicture : public QWidget {
    Q_OBJECT
public:
    SliderPicture(int width, int height, const QColor& background, QWidget* parent);

    QImage image;

signals:
    void mouseDown(Qt::MouseButton button, int x);
    void mouseMove(Qt::MouseButtons buttons, int x);
    // An arrow key: -1 or +1; Home and End: as far as the slider goes.
    void stepped(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};
