#pragma once

#include <QWidget>

#include <functional>

// The exit button's click area: invisible, its face is part of the window's drawing.
class ExitButton : public QWidget {
    Q_OBJECT
public:
    explicit ExitButton(QWidget* parent);

    std::function<void()> onMouseDown;
    std::function<void()> onMouseUp;
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
