#pragma once

#include <QDialog>
#include <QImage>
#include <QTimer>

#include <array>

class QLabel;

// The version window "ﾊﾞｰｼﾞｮﾝ情報": version and credits, the site link, the free space of the
// program's drive, the time of opening and the conversion tool's version, with a small
// animation in its corner and a hidden key sequence that turns the link to a second page.
class Jyou : public QDialog {
    Q_OBJECT
public:
    explicit Jyou(QWidget* owner = nullptr);
    ~Jyou() override;

    void Form_Load();
    void Tim_Timer();
    void Form_MouseMove(int x, int y);
    void Form_Click();
    void Form_KeyDown(int key);
    void Label1_MouseMove();
    void Label1_Click();
    void Form_Unload();

    // The conversion tool's version ("major.minor"), empty when it tells none.
    QString ToolVersion() const;
    // The disk line for the program folder.
    static QString DiskText();

    // The hidden sequence: Z N Q U I Z.
    static constexpr std::array<int, 6> EggKeys = {'Z', 'N', 'Q', 'U', 'I', 'Z'};

    QTimer Tim;
    QLabel* Label1 = nullptr;
    quint8 AnimFrame = 0;
    quint8 EggStep = 0;
    QImage drawing; // the persistent image, 279 x 144
    QImage frame;   // the animation strip drawn over it at (7, 10), 65 x 13
    bool useRealTimer = true;

    bool closeMarkPointer() const { return closeMarkPointer_; }
    bool toolLineShown() const { return toolLine_; }
    // Whether the tool has answered (or was given up) and what it said.
    bool toolAnswered() const { return toolAnswered_; }
    QString toolVersion() const { return toolVersion_; }

public slots:
    void done(int result) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void writeText(const QString& text, int x, int y);
    void writeText(const QString& text, int x, int y, const QFont& textFont);

    bool closeMarkPointer_ = false;
    bool toolLine_ = false;
    bool toolAnswered_ = false;
    QString toolVersion_;
    bool unloaded_ = false;
};

// Opens the version window modally over `owner`.
void ShowJyou(QWidget* owner);
