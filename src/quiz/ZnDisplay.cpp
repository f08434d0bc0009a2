#include "quiz/ZN.h"

#include "core/AppGlobals.h"
#include "core/Blit.h"
#include "core/Drawing.h"
#include "quiz/QuizLogic.h"

#include <QFontMetrics>
#include <QPainter>

namespace {

inline bool IsBlack(quint32 pixel) {
    return (pixel & 0x00ffffffu) == 0;
}

} // namespace

void ZN::composeArtwork() {
    QImage& skin = G().SkinDC;
    if (skin.isNull()) return;
    // Exit-button faces and the saved backgrounds are cut from the current background, so every
    // piece drawn later sits on the picture the user chose.
    Blit(skin, 80, 70, drawing, 296, 378, 54, 32);
    Blit(skin, 137, 73, skin, 82, 72, 50, 28);
    Blit(skin, 0, 300, drawing, 20, 270, 200, 110);
    Blit(skin, 544, 200, drawing, 307, 295, 32, 32);
    for (int x = 0; x <= 512; x += 32) {
        Blit(skin, x, 200, skin, 544, 200, 32, 32);
        Blit(skin, x, 240, skin, 544, 200, 32, 32);
    }
    // Overlay the arrow frames and the count digits; black is transparent. Detach first so the
    // rows read and the rows written belong to the same buffer.
    skin.bits();
    for (int y = 106; y <= 134; ++y) {
        const auto* row1 = reinterpret_cast<const quint32*>(skin.constScanLine(y));
        const auto* row2 = reinterpret_cast<const quint32*>(skin.constScanLine(y + 31));
        auto* out1 = reinterpret_cast<quint32*>(skin.scanLine(y + 94));
        auto* out2 = reinterpret_cast<quint32*>(skin.scanLine(y + 97));
        for (int x = 2; x <= 283; ++x) {
            if (!IsBlack(row1[x])) out1[x] = row1[x];
            if (!IsBlack(row2[x])) out2[x + 288] = row2[x];
        }
    }
    for (int y = 166; y <= 192; ++y) {
        const auto* row = reinterpret_cast<const quint32*>(skin.constScanLine(y));
        auto* out = reinterpret_cast<quint32*>(skin.scanLine(y + 76));
        for (int x = 8; x <= 151; ++x)
            if (!IsBlack(row[x])) out[x] = row[x];
    }
}

void ZN::ShowTime(int tens, int ones) {
    QImage& skin = G().SkinDC;
    if (skin.isNull()) return;
    const int row = st.digitRow;
    Blit(skin, 432, 346, skin, 24 * tens, row, 24, 35);
    Blit(skin, 466, 346, skin, 24 * ones, row, 24, 35);
    Blit(skin, 499, 346, skin, 240, row, 7, 35);
    Blit(skin, 515, 346, skin, 24 * int(st.tick), row, 24, 35);
    Blit(drawing, 432, 346, skin, 432, 346, 107, 35);
    refresh(QRect(432, 346, 107, 35));
}

void ZN::DrawIndicator(int column, int row) {
    const QImage& skin = G().SkinDC;
    if (row != 0) {
        Blit(drawing, 307, 295, skin, column * 32, row, 32, 32);
        refresh(QRect(307, 295, 32, 32));
    } else {
        Blit(drawing, 296, 378, skin, column, 70, 54, 32);
        refresh(QRect(296, 378, 54, 32));
    }
}

void ZN::AddBuzzLine(int n, const QString& name, long long lagMs) {
    const QFont font = AppFont(fontName_, G().FontNormal);
    const QFontMetrics metrics(font);
    QPainter painter(&Kazu);
    painter.setFont(font);
    // Light text: the answer board behind the panel is dark.
    painter.setPen(Qt::white);
    int x = 10;
    int y = 30 * n;
    const QString head = QString::number(n) + QStringLiteral(". ") + name;
    painter.drawText(x, y + metrics.ascent(), head);
    x += metrics.horizontalAdvance(head);
    // Print column 22 begins after 21 average character widths; a line already past it
    // continues at that column on the next line, as printing does.
    const int column22 = 21 * metrics.averageCharWidth();
    if (x > column22) y += metrics.height();
    painter.drawText(column22, y + metrics.ascent(), FormatLag(lagMs));
    painter.end();
    Blit(drawing, 20, 270, Kazu, 0, 0, 200, 110);
    refresh(QRect(20, 270, 200, 110));
}
