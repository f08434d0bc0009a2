#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>

#include <array>

// The opening animation without its window: the title card drawn once off screen, and one tick
// of the animation drawn into the window's persistent image. Tests and benchmarks drive it
// directly; the window op only shows `screen` and forwards its timer.
class OpeningScene {
public:
    static constexpr int BlockColumns = 52, BlockRows = 26;

    OpeningScene();

    // Load step: the icon at (0, 0) and its top-left 30 x 30 pixels repeated over a 30-pixel
    // grid, shown while the rest is prepared.
    void TileIcon(const QImage& icon);
    // Load step: the effect for this time of day, the blocks' start positions from `seed`, the
    // title card with its sprite, seal mask and colour row, the empty logo band and the credit
    // text; then the red window.
    void Prepare(double secondsSinceMidnight, quint32 seed);
    // One animation tick. False when the opening is over (stage 3, tick 50): nothing was drawn
    // and the window must unload.
    bool TT_Timer();
    // Drops both off-screen images; ticks do nothing afterwards.
    void Release();
    bool released() const { return CardImage.isNull(); }

    // Which of the nine logo effects plays: the seconds since midnight taken to the nearest
    // whole second (halves to even), modulo 9.
    static int EffectNumber(double secondsSinceMidnight);
    // x to the nearest integer, halves to even.
    static int Nearest(double x);

    quint8 Stage = 0;
    qint16 Tick = 0;
    quint8 EffectNo = 0;
    std::array<std::array<qint32, BlockRows>, BlockColumns> BlockRadius{};
    std::array<std::array<qint32, BlockRows>, BlockColumns> BlockAngle{};
    QImage CardImage; // 640 x 480: logo, caption, colour row, lower card, sprite and mask
    QImage LogoBand;  // 640 x 154: where the logo effect is composed
    QImage screen;    // the window's persistent image, 640 x 480
    QString CreditText;
    qint32 BandWidth = 0, SourceX = 0;
    QFont windowFont;                     // the window's font (text 90 at FontNormal)
    QColor foreColor = QColor(Qt::white); // the window's text colour

private:
    void DrawTitleCard(QImage& pic);
    void DrawSprite(QImage& pic);
    void DrawEffect(int t);
    void DrawBlocks(int t, bool wholeRadians);
    void ShowCardBand();
    void NextStage();
    void Stage0();
    void Stage1();
    void Stage2();
    bool Stage3();
};
