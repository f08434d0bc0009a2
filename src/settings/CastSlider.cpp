#include "settings/Cast.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "core/ResText.h"
#include "settings/CastHelpers.h"
#include "settings/SliderPicture.h"

#include <QApplication>
#include <QPainter>

#include <algorithm>

// The two sliders (Speed and the read-and-press characters): picked with the mouse and drawn
// on Bap, then copied into their picture boxes.

void Cast::Psp_MouseDown(int index, Qt::MouseButton, int x) {
    const int limit = 4 - index;
    sliderPos[index] = std::min(x / (24 - 4 * index), limit);
    DrawSliderPreview(index);
}

void Cast::Psp_MouseMove(int index, Qt::MouseButtons buttons, int x) {
    if (x > 0 && buttons == Qt::LeftButton) Psp_MouseDown(index, Qt::LeftButton, x);
}

void Cast::Psp_KeyStep(int index, int steps) {
    sliderPos[index] = std::clamp(sliderPos[index] + steps, 0, 4 - index);
    DrawSliderPreview(index);
}

void Cast::DrawSliderPreview(int index) {
    const int spacing = (7 - index) * 4;
    const int rightEnd = 119 - 40 * index;
    const QColor foreground = QApplication::palette().color(QPalette::ButtonText);

    Bap.fill(ButtonFace());
    {
        QPainter painter(&Bap);
        DrawEdgeBar(painter, 2, rightEnd, 7, 2);
        // Ticks are four pixels long: the end point of a line is not drawn.
        painter.setPen(foreground);
        for (int k = 0; k <= 4 - index; ++k)
            painter.drawLine(3 + k * spacing, 18, 3 + k * spacing, 21);
        painter.setFont(AppFont(LoadResString(FontGothic), G().FontSmall));
        painter.setPen(foreground);
        DrawEmbossedText(painter, ResText(98 - index, QString(12, u' ')), index + 2, 25, false);
    }
    // The knob: its mask erases the knob's place, then the picture is XORed into it.
    const int knobX = sliderPos[index] * spacing;
    Blit(Bap, knobX, 0, G().SkinDC, 224, 70, 9, 17, BlitOp::SourceAndNotDest);
    Blit(Bap, knobX, 0, G().SkinDC, 215, 70, 9, 17, BlitOp::SourceXorDest);

    SliderPicture* target = Psp[index];
    {
        QPainter painter(&target->image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 5), Bap, QRect(0, 0, rightEnd + 4, 40));
    }
    target->update();
}
