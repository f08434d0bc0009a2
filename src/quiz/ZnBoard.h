#pragma once

#include <QImage>
#include <QWidget>

#include <functional>

// The client area of the main window: shows the window's persistent drawing and nothing else.
class ZnBoard : public QWidget {
    Q_OBJECT
public:
    ZnBoard(const QImage* image, QWidget* parent);

    std::function<void(Qt::MouseButton, QPoint)> onMouseDown;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    const QImage* image_;
};
