#include "platform/Keys.h"

#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

namespace {

int vkOf(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, quint32 scanCode = 0) {
    const QKeyEvent e(QEvent::KeyRelease, key, mods, scanCode, 0, 0);
    return VirtualKey(&e);
}

struct Case {
    int qtKey;
    Qt::KeyboardModifiers mods;
    int vk;
    const char* what;
};

} // namespace

// Every key of the players' key table, as Qt reports it, must give the code stored in ZN.INI.
TEST(VirtualKey, PlayerKeyTable) {
    const Qt::KeyboardModifiers kp = Qt::KeypadModifier;
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Case cases[] = {
        {Qt::Key_Return, none, 13, "Enter"},    {Qt::Key_Space, none, 32, "Space"},
        {Qt::Key_Minus, none, 189, "-"},        {Qt::Key_AsciiCircum, none, 222, "^"},
        {Qt::Key_yen, none, 220, "yen"},        {Qt::Key_Backslash, none, 220, "\\ on yen key"},
        {Qt::Key_At, none, 192, "@"},           {Qt::Key_BracketLeft, none, 219, "["},
        {Qt::Key_Semicolon, none, 187, ";"},    {Qt::Key_Colon, none, 186, ":"},
        {Qt::Key_BracketRight, none, 221, "]"}, {Qt::Key_Comma, none, 188, ","},
        {Qt::Key_Period, none, 190, "."},       {Qt::Key_Slash, none, 191, "/"},
        {Qt::Key_Underscore, none, 226, "_"},   {Qt::Key_F3, none, 114, "F3"},
        {Qt::Key_F10, none, 121, "F10"},        {Qt::Key_Left, none, 37, "left"},
        {Qt::Key_Up, none, 38, "up"},           {Qt::Key_Right, none, 39, "right"},
        {Qt::Key_Down, none, 40, "down"},       {Qt::Key_Asterisk, kp, 106, "Num*"},
        {Qt::Key_Plus, kp, 107, "Num+"},        {Qt::Key_Comma, kp, 108, "Num separator"},
        {Qt::Key_Minus, kp, 109, "Num-"},       {Qt::Key_Period, kp, 110, "Num."},
        {Qt::Key_Slash, kp, 111, "Num/"},       {Qt::Key_Enter, kp, 13, "keypad Enter"},
        {Qt::Key_Escape, none, 27, "Esc"},      {Qt::Key_F1, none, 112, "F1"},
        {Qt::Key_F2, none, 113, "F2"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vkOf(c.qtKey, c.mods), c.vk) << c.what;

    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(vkOf(Qt::Key_A + i), 65 + i);
        EXPECT_EQ(vkOf(Qt::Key_A + i, Qt::ShiftModifier), 65 + i);
        EXPECT_EQ(vkOf('a' + i), 65 + i) << "lower-case key value";
    }
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(vkOf(Qt::Key_0 + i), 48 + i);
        EXPECT_EQ(vkOf(Qt::Key_0 + i, kp), 96 + i) << "keypad digit " << i;
    }
}

// With Shift a JIS key types another character; the player still pressed the same key.
TEST(VirtualKey, ShiftedJisSymbolsGiveTheirKeysCode) {
    const Qt::KeyboardModifiers sh = Qt::ShiftModifier;
    const Case cases[] = {
        {Qt::Key_Exclam, sh, 49, "!"},          {Qt::Key_QuoteDbl, sh, 50, "\""},
        {Qt::Key_NumberSign, sh, 51, "#"},      {Qt::Key_Dollar, sh, 52, "$"},
        {Qt::Key_Percent, sh, 53, "%"},         {Qt::Key_Ampersand, sh, 54, "&"},
        {Qt::Key_Apostrophe, sh, 55, "'"},      {Qt::Key_ParenLeft, sh, 56, "("},
        {Qt::Key_ParenRight, sh, 57, ")"},      {Qt::Key_Equal, sh, 189, "="},
        {Qt::Key_AsciiTilde, sh, 222, "~"},     {Qt::Key_Bar, sh, 220, "|"},
        {Qt::Key_QuoteLeft, sh, 192, "`"},      {Qt::Key_BraceLeft, sh, 219, "{"},
        {Qt::Key_Plus, sh, 187, "+ (Shift+;)"}, {Qt::Key_Asterisk, sh, 186, "* (Shift+:)"},
        {Qt::Key_BraceRight, sh, 221, "}"},     {Qt::Key_Less, sh, 188, "<"},
        {Qt::Key_Greater, sh, 190, ">"},        {Qt::Key_Question, sh, 191, "?"},
        {Qt::Key_Underscore, sh, 226, "_"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vkOf(c.qtKey, c.mods), c.vk) << c.what;
}

TEST(VirtualKey, PositionAndKeypadDisambiguation) {
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The "ro" key types the same backslash as the yen key on many layouts.
    EXPECT_EQ(vkOf(Qt::Key_Backslash, Qt::NoModifier, 97), 226);
    EXPECT_EQ(vkOf(Qt::Key_Backslash, Qt::NoModifier, 132), 220);
#endif
    // NumLock off and macOS arrows carry the keypad flag but are the ordinary keys.
    EXPECT_EQ(vkOf(Qt::Key_Left, Qt::KeypadModifier), 37);
    EXPECT_EQ(vkOf(Qt::Key_Down, Qt::KeypadModifier), 40);
    EXPECT_EQ(vkOf(Qt::Key_Home, Qt::KeypadModifier), 36);
    EXPECT_EQ(vkOf(Qt::Key_Delete, Qt::KeypadModifier), 46);
    // The keypad plus must not become the main block's ";" key (187), nor Num* its ":".
    EXPECT_NE(vkOf(Qt::Key_Plus, Qt::KeypadModifier), 187);
    EXPECT_NE(vkOf(Qt::Key_Asterisk, Qt::KeypadModifier), 186);
}

TEST(VirtualKey, UnknownAndNullGiveZero) {
    EXPECT_EQ(VirtualKey(nullptr), 0);
    EXPECT_EQ(vkOf(Qt::Key_unknown), 0);
    EXPECT_EQ(vkOf(0), 0);
    EXPECT_EQ(vkOf(Qt::Key_Launch0), 0);
    EXPECT_EQ(vkOf(0x3042), 0) << "a kana character";
    EXPECT_FALSE(IsAutoRepeat(nullptr));
}

TEST(VirtualKey, AutoRepeatIsFlagged) {
    const QKeyEvent held(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
    const QKeyEvent single(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), false);
    EXPECT_TRUE(IsAutoRepeat(&held));
    EXPECT_FALSE(IsAutoRepeat(&single));
    EXPECT_EQ(VirtualKey(&held), 65);
}

// The list of producible codes and the mapping must agree both ways: the settings offer keys
// from it, and a code that no event produces would be a player who can never buzz.
TEST(VirtualKey, ProducibleListMatchesTheMapping) {
    const QList<int> listed = ProducibleVirtualKeys();
    const QSet<int> listedSet(listed.begin(), listed.end());
    EXPECT_EQ(listedSet.size(), listed.size()) << "duplicates";
    EXPECT_FALSE(listedSet.contains(0));
    EXPECT_FALSE(listedSet.contains(286));
    EXPECT_FALSE(listedSet.contains(287));

    QList<int> candidates;
    for (int k = 0x20; k <= 0x7e; ++k)
        candidates.append(k);
    candidates.append(Qt::Key_yen);
    for (int k = 0x01000000; k <= 0x010000ff; ++k)
        candidates.append(k);
    for (int k = 0x01001100; k <= 0x010011ff; ++k)
        candidates.append(k);

    QSet<int> produced;
    for (int key : candidates) {
        for (Qt::KeyboardModifiers mods :
             {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
            const int vk = vkOf(key, mods);
            if (vk == 0) continue;
            produced.insert(vk);
            EXPECT_TRUE(listedSet.contains(vk)) << "key " << key << " gives unlisted " << vk;
        }
    }
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    produced.insert(vkOf(Qt::Key_Backslash, Qt::NoModifier, 97));
#endif
    for (int vk : listed)
        EXPECT_TRUE(produced.contains(vk)) << "listed code " << vk << " comes from no key";

    // Every code of the players' key table except ";" (287) and ":" (286) can be pressed.
    for (int vk : {13,  32,  189, 222, 220, 192, 219, 221, 188, 190, 191, 226,
                   114, 121, 37,  40,  96,  105, 106, 107, 108, 109, 110, 111})
        EXPECT_TRUE(listedSet.contains(vk)) << vk;
}
