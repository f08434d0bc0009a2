#include "data/PlayerName.h"
#include "support/TestKit.h"

TEST(PlayerName, PhonesAndTheDialogShareOneSetOfRules) {
    const QStringList taken{QStringLiteral("Aki"), QStringLiteral("あいうえおかき")};
    const struct {
        QString typed;
        int problem;
        QString stored;
    } cases[] = {
        {QStringLiteral("Ben"), 0, QStringLiteral("Ben")},
        {QStringLiteral("   "), 76, QString()},
        {QStringLiteral("\t\n"), 76, QString()},
        {QStringLiteral(" Aki "), 78, QStringLiteral("Aki")},
        {QStringLiteral("aki"), 0, QStringLiteral("aki")},
        // Fourteen bytes are kept: the eighth kana does not fit, so it is the seventh's twin.
        {QStringLiteral("あいうえおかきくけこさしす"), 78, QStringLiteral("あいうえおかき")},
        {QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿ"), 0, QStringLiteral("ｱｲｳｴｵｶｷｸｹｺｻｼｽｾ")},
        {QStringLiteral("①～"), 0, QStringLiteral("①～")},
        {QStringLiteral("Señor"), TextUnmappableChars, QStringLiteral("Se?or")},
        {QStringLiteral("😀"), TextUnmappableChars, QStringLiteral("??")},
        {QStringLiteral("한국"), TextUnmappableChars, QStringLiteral("??")},
        {QStringLiteral("a\r\nb"), 0, QStringLiteral("a  b")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlayerNameProblem(c.typed, taken), c.problem) << c.typed.toStdString();
        EXPECT_EQ(StoredPlayerName(c.typed), c.stored) << c.typed.toStdString();
    }
}
