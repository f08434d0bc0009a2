#pragma once

#include "remote/QrCode.h"

#include <QWidget>

// A QR code drawn crisp at any size: each module is a whole number of pixels, with a quiet zone
// of four modules, centred in the widget.
class QrView : public QWidget {
    Q_OBJECT
public:
    explicit QrView(QWidget* parent = nullptr);
    void setText(const QByteArray& text);
    const QrMatrix& matrix() const { return matrix_; }
    // Pixels per module at the current size; 0 when the code does not fit.
    int moduleSize() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QrMatrix matrix_;
};
