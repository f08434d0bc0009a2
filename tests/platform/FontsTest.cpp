#include "platform/Fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QStringList>

#include <gtest/gtest.h>

// The program asks for Windows font names; each must end up in a real font of the right kind,
// not in whatever default font Qt falls back to.
TEST(FontSubstitution, WindowsNamesResolveToInstalledSubstitutes) {
    InstallFontSubstitutions();
    const QStringList installed = QFontDatabase::families();
    const QStringList gothic{"IPAGothic", "Noto Sans CJK JP"};
    const QStringList mincho{"IPAMincho", "Noto Serif CJK JP"};
    const QStringList pgothic{"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"};
    const QStringList serif{"Liberation Serif", "DejaVu Serif", "Tinos"};
    const std::pair<const char*, QStringList> cases[] = {
        {"ＭＳ ゴシック", gothic},  {"MS Gothic", gothic},        {"ＭＳ 明朝", mincho},
        {"MS Mincho", mincho},      {"ＭＳ Ｐゴシック", pgothic}, {"MS PGothic", pgothic},
        {"Times New Roman", serif},
    };
    for (const auto& [name, acceptable] : cases) {
        if (std::none_of(acceptable.begin(), acceptable.end(),
                         [&](const QString& f) { return installed.contains(f); }))
            continue; // a machine without these fonts cannot check this name
        const QString family = QFontInfo(QFont(QString::fromUtf8(name), 12)).family();
        EXPECT_TRUE(acceptable.contains(family)) << name << " -> " << family.toStdString();
    }

    if (!installed.contains(QStringLiteral("IPAPGothic"))) return;
    // Fixed-width fields are laid out by character cells: the fixed font's half-width
    // characters are equally wide and a full-width one is two of them; the P font is not fixed.
    const QFontMetrics fixed(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
    EXPECT_EQ(fixed.horizontalAdvance(QLatin1Char('i')), fixed.horizontalAdvance(QLatin1Char('W')));
    EXPECT_EQ(fixed.horizontalAdvance(QStringLiteral("あ")),
              2 * fixed.horizontalAdvance(QLatin1Char('i')));
    const QFontMetrics proportional(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    EXPECT_NE(proportional.horizontalAdvance(QLatin1Char('i')),
              proportional.horizontalAdvance(QLatin1Char('W')));
}
