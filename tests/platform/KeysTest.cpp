#include "platform/Keys.h"

#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

namespace {

int vkOf(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, quint32 scanCode = 0) {
    const QKeyEvent e(QEvent::KeyRelease, key, mods, scanCode, 0, 0);
    return VirtualKey(&e);
}

} // namespace

// Every key of the players' key table must give the code stored in ZN.INI, and with Shift a JIS
// key types another character while the player still pressed the same key.
TEST(VirtualKey, PlayerKeysPlainAndShifted) {
    const int plain[][2] = {
        {Qt::Key_Return, 13},       {Qt::Key_Space, 32},         {Qt::Key_Minus, 189},
        {Qt::Key_AsciiCircum, 222}, {Qt::Key_yen, 220},          {Qt::Key_Backslash, 220},
        {Qt::Key_At, 192},          {Qt::Key_BracketLeft, 219},  {Qt::Key_Semicolon, 187},
        {Qt::Key_Colon, 186},       {Qt::Key_BracketRight, 221}, {Qt::Key_Comma, 188},
        {Qt::Key_Period, 190},      {Qt::Key_Slash, 191},        {Qt::Key_Underscore, 226},
        {Qt::Key_F3, 114},          {Qt::Key_F10, 121},          {Qt::Key_Left, 37},
        {Qt::Key_Up, 38},           {Qt::Key_Right, 39},         {Qt::Key_Down, 40},
        {Qt::Key_Escape, 27},       {Qt::Key_F1, 112},           {Qt::Key_F2, 113},
    };
    for (const auto& [key, vk] : plain)
        EXPECT_EQ(vkOf(key), vk) << "Qt key " << key;

    const int shifted[][2] = {
        {Qt::Key_Exclam, 49},     {Qt::Key_QuoteDbl, 50},    {Qt::Key_NumberSign, 51},
        {Qt::Key_Dollar, 52},     {Qt::Key_Percent, 53},     {Qt::Key_Ampersand, 54},
        {Qt::Key_Apostrophe, 55}, {Qt::Key_ParenLeft, 56},   {Qt::Key_ParenRight, 57},
        {Qt::Key_Equal, 189},     {Qt::Key_AsciiTilde, 222}, {Qt::Key_Bar, 220},
        {Qt::Key_QuoteLeft, 192}, {Qt::Key_BraceLeft, 219},  {Qt::Key_Plus, 187},
        {Qt::Key_Asterisk, 186},  {Qt::Key_BraceRight, 221}, {Qt::Key_Less, 188},
        {Qt::Key_Greater, 190},   {Qt::Key_Question, 191},
    };
    for (const auto& [key, vk] : shifted)
        EXPECT_EQ(vkOf(key, Qt::ShiftModifier), vk) << "Qt key " << key;

    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(vkOf(Qt::Key_A + i, Qt::ShiftModifier), 65 + i);
        EXPECT_EQ(vkOf('a' + i), 65 + i) << "lower-case key value";
    }
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(vkOf(Qt::Key_0 + i), 48 + i);
}

TEST(VirtualKey, KeypadAndPosition) {
    const Qt::KeyboardModifiers kp = Qt::KeypadModifier;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(vkOf(Qt::Key_0 + i, kp), 96 + i);
    // The keypad's own symbols must not become the main block's ";" (187) or ":" (186) keys.
    const int keypad[][2] = {{Qt::Key_Asterisk, 106}, {Qt::Key_Plus, 107},   {Qt::Key_Comma, 108},
                             {Qt::Key_Minus, 109},    {Qt::Key_Period, 110}, {Qt::Key_Slash, 111},
                             {Qt::Key_Enter, 13}};
    for (const auto& [key, vk] : keypad)
        EXPECT_EQ(vkOf(key, kp), vk) << "keypad Qt key " << key;
    // NumLock off and macOS arrows carry the keypad flag but are the ordinary keys.
    EXPECT_EQ(vkOf(Qt::Key_Left, kp), 37);
    EXPECT_EQ(vkOf(Qt::Key_Home, kp), 36);
    EXPECT_EQ(vkOf(Qt::Key_Delete, kp), 46);
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The "ro" key types the same backslash as the yen key on many layouts.
    EXPECT_EQ(vkOf(Qt::Key_Backslash, Qt::NoModifier, 97), 226);
    EXPECT_EQ(vkOf(Qt::Key_Backslash, Qt::NoModifier, 132), 220);
#endif
}

TEST(VirtualKey, UnknownKeysAndAutoRepeat) {
    EXPECT_EQ(VirtualKey(nullptr), 0);
    for (int odd : {0, int(Qt::Key_unknown), int(Qt::Key_Launch0), 0x3042 /* a kana */})
        EXPECT_EQ(vkOf(odd), 0) << odd;

    const QKeyEvent held(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
    const QKeyEvent single(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), false);
    EXPECT_TRUE(IsAutoRepeat(&held));
    EXPECT_FALSE(IsAutoRepeat(&single));
    EXPECT_FALSE(IsAutoRepeat(nullptr));
    EXPECT_EQ(VirtualKey(&held), 65);
}

// The list of producible codes and the mapping must agree both ways: the settings offer keys
// from it, and a listed code that no event produces would be a player who can never buzz.
TEST(VirtualKey, ProducibleListMatchesTheMapping) {
    const QList<int> listed = ProducibleVirtualKeys();
    const QSet<int> listedSet(listed.begin(), listed.end());
    EXPECT_EQ(listedSet.size(), listed.size()) << "duplicates";
    for (int never : {0, 286, 287})
        EXPECT_FALSE(listedSet.contains(never)) << never;

    QList<int> candidates{Qt::Key_yen};
    for (int k = 0x20; k <= 0x7e; ++k)
        candidates.append(k);
    for (int k = 0x01000000; k <= 0x010000ff; ++k)
        candidates.append(k);
    for (int k = 0x01001100; k <= 0x010011ff; ++k)
        candidates.append(k);
    QSet<int> produced;
    for (int key : candidates) {
        for (auto mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)}) {
            if (const int vk = vkOf(key, mods)) {
                produced.insert(vk);
                EXPECT_TRUE(listedSet.contains(vk)) << "key " << key << " gives unlisted " << vk;
            }
        }
    }
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    produced.insert(vkOf(Qt::Key_Backslash, Qt::NoModifier, 97));
#endif
    for (int vk : listed)
        EXPECT_TRUE(produced.contains(vk)) << "listed code " << vk << " comes from no key";
}
