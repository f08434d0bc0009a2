#include "platform/Fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

void InstallFontSubstitutions() {
    const QStringList gothic{QStringLiteral("IPAGothic"),        QStringLiteral("IPAゴシック"),
                             QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans JP"),
                             QStringLiteral("VL Gothic"),        QStringLiteral("Hiragino Sans"),
                             QStringLiteral("MS Gothic")};
    const QStringList mincho{QStringLiteral("IPAMincho"),
                             QStringLiteral("IPA明朝"),
                             QStringLiteral("Noto Serif CJK JP"),
                             QStringLiteral("Noto Serif JP"),
                             QStringLiteral("Hiragino Mincho ProN"),
                             QStringLiteral("MS Mincho")};
    const QStringList pgothic{QStringLiteral("IPAPGothic"),   QStringLiteral("IPA Pゴシック"),
                              QStringLiteral("IPAGothic"),    QStringLiteral("Noto Sans CJK JP"),
                              QStringLiteral("Noto Sans JP"), QStringLiteral("Hiragino Sans"),
                              QStringLiteral("MS PGothic")};
    const QStringList times{QStringLiteral("Liberation Serif"), QStringLiteral("Tinos"),
                            QStringLiteral("DejaVu Serif"), QStringLiteral("Times")};

    // The full-width names are how the program asks for its fonts; the half-width ones are
    // the same fonts' English names. On Windows the real fonts win and these are never used.
    QFont::insertSubstitutions(QStringLiteral("ＭＳ ゴシック"), gothic);
    QFont::insertSubstitutions(QStringLiteral("MS Gothic"), gothic.mid(0, gothic.size() - 1));
    QFont::insertSubstitutions(QStringLiteral("ＭＳ 明朝"), mincho);
    QFont::insertSubstitutions(QStringLiteral("MS Mincho"), mincho.mid(0, mincho.size() - 1));
    QFont::insertSubstitutions(QStringLiteral("ＭＳ Ｐゴシック"), pgothic);
    QFont::insertSubstitutions(QStringLiteral("MS PGothic"), pgothic.mid(0, pgothic.size() - 1));
    QFont::insertSubstitutions(QStringLiteral("Times New Roman"), times);
}
