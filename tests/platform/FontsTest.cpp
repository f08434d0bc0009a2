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
    struct Expect {
        const char* name;
        QStringList acceptable;
    };
    const Expect cases[] = {
        {"ＭＳ ゴシック", {"IPAGothic", "Noto Sans CJK JP"}},
        {"MS Gothic", {"IPAGothic", "Noto Sans CJK JP"}},
        {"ＭＳ 明朝", {"IPAMincho", "Noto Serif CJK JP"}},
        {"MS Mincho", {"IPAMincho", "Noto Serif CJK JP"}},
        {"ＭＳ Ｐゴシック", {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}},
        {"MS PGothic", {"IPAPGothic", "IPAGothic", "Noto Sans CJK JP"}},
        {"Times New Roman", {"Liberation Serif", "DejaVu Serif", "Tinos"}},
    };
    for (const Expect& c : cases) {
        bool anyInstalled = false;
        for (const QString& family : c.acceptable)
            anyInstalled |= installed.contains(family);
        if (!anyInstalled) continue; // a machine without these fonts cannot check this name
        const QFontInfo info(QFont(QString::fromUtf8(c.name), 12));
        EXPECT_TRUE(c.acceptable.contains(info.family()))
            << c.name << " resolved to " << info.family().toStdString();
    }
}

TEST(FontSubstitution, ProportionalAndFixedGothicDiffer) {
    InstallFontSubstitutions();
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
        GTEST_SKIP() << "IPAPGothic not installed";
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 12)).family(),
              QStringLiteral("IPAPGothic"));
    // Fixed-width fields are laid out by character cells: every half-width character of the
    // fixed font must be equally wide, and the proportional one must not be.
    const QFontMetrics fixed(QFont(QStringLiteral("ＭＳ ゴシック"), 12));
    EXPECT_EQ(fixed.horizontalAdvance(QLatin1Char('i')), fixed.horizontalAdvance(QLatin1Char('W')));
    EXPECT_EQ(fixed.horizontalAdvance(QStringLiteral("あ")),
              2 * fixed.horizontalAdvance(QLatin1Char('i')));
    const QFontMetrics proportional(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 12));
    EXPECT_NE(proportional.horizontalAdvance(QLatin1Char('i')),
              proportional.horizontalAdvance(QLatin1Char('W')));
}
