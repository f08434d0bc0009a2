#include "platform/Keys.h"

#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

namespace {
int vkOf(int key, Qt::KeyboardModifiers mods = {}, quint32 scanCode = 0,
         KeyLayout layout = KeyLayout::Jis) {
    const QKeyEvent e(QEvent::KeyRelease, key, mods, scanCode, 0, 0);
    return VirtualKey(&e, layout);
}
} // namespace

// Every key of the players' key table gives the code stored in ZN.INI; with Shift a JIS key types
// another character while the player pressed the same key; the keypad's symbols are its own keys.
TEST(VirtualKey, PlayerKeysPlainShiftedAndOnTheKeypad) {
    const Qt::KeyboardModifiers mods[] = {{}, Qt::ShiftModifier, Qt::KeypadModifier};
    // The symbol keys (Qt's codes are the characters typed) and the code of the key pressed.
    const std::tuple<const char*, int, QList<int>> symbols[] = {
        {"-^\\@[;:],./_ ", 0, {189, 222, 220, 192, 219, 187, 186, 221, 188, 190, 191, 226, 32}},
        {"!\"#$%&'()=~|`{+*}<>?", 1, {49,  50,  51,  52,  53,  54,  55,  56,  57,  189,
                                      222, 220, 192, 219, 187, 186, 221, 188, 190, 191}},
        {"*+,-./", 2, {106, 107, 108, 109, 110, 111}}};
    for (const auto& [chars, mod, vks] : symbols)
        for (int i = 0; i < vks.size(); ++i)
            EXPECT_EQ(vkOf(chars[i], mods[mod]), vks[i]) << chars[i] << " modifiers " << mod;
    // NumLock off and macOS arrows carry the keypad flag but are the ordinary keys.
    const int others[][3] = {{Qt::Key_Return, 0, 13}, {Qt::Key_yen, 0, 220},  {Qt::Key_F10, 0, 121},
                             {Qt::Key_Escape, 0, 27}, {Qt::Key_Enter, 2, 13}, {Qt::Key_Left, 2, 37},
                             {Qt::Key_Delete, 2, 46}};
    for (const auto& [key, mod, vk] : others)
        EXPECT_EQ(vkOf(key, mods[mod]), vk) << "Qt key " << key;
    for (int i = 0; i < 26; ++i)
        EXPECT_EQ(std::pair(vkOf(Qt::Key_A + i, Qt::ShiftModifier), vkOf('a' + i)),
                  std::pair(65 + i, 65 + i));
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(std::pair(vkOf(Qt::Key_0 + i), vkOf(Qt::Key_0 + i, Qt::KeypadModifier)),
                  std::pair(48 + i, 96 + i));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The "ro" key types the same backslash as the yen key on many layouts.
    EXPECT_EQ(std::pair(vkOf(Qt::Key_Backslash, {}, 97), vkOf(Qt::Key_Backslash, {}, 132)),
              std::pair(226, 220));
#endif
}

// On a US keyboard the symbol keys give the codes Windows gives those keys there, plain or with
// Shift, not those of the JIS keys typing the same characters; letters and digits stay.
TEST(VirtualKey, UsLayoutCodesThePhysicalKeys) {
    const char chars[] = "-=[]\\;',./`_+{}|:\"<>?~!@#$%^&*()q7";
    const int codes[] = {189, 187, 219, 221, 220, 186, 222, 188, 190, 191, 192, 189,
                         187, 219, 221, 220, 186, 222, 188, 190, 191, 192, 49,  50,
                         51,  52,  53,  54,  55,  56,  57,  48,  81,  55};
    for (int i = 0; i < int(std::size(codes)); ++i)
        EXPECT_EQ(vkOf(chars[i], i < 11 ? Qt::NoModifier : Qt::ShiftModifier, 0, KeyLayout::Us),
                  codes[i])
            << chars[i];
}

// The settings offer keys from the producible list; a listed code that no event produces would be
// a player who can never buzz, an unlisted one a key nobody can choose.
TEST(VirtualKey, ProducibleListMatchesTheMappingOddKeysGiveNothing) {
    const QList<int> listed = ProducibleVirtualKeys();
    const QSet<int> listedSet(listed.begin(), listed.end());
    EXPECT_EQ(listedSet.size(), listed.size()) << "duplicates";
    EXPECT_FALSE(listedSet.contains(0));
    EXPECT_EQ(VirtualKey(nullptr), 0);
    for (int odd : {int(Qt::Key_unknown), int(Qt::Key_Launch0), 0x3042 /* a kana */})
        EXPECT_EQ(vkOf(odd), 0) << odd;
    const QKeyEvent held(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QString(), true);
    EXPECT_TRUE(IsAutoRepeat(&held) && VirtualKey(&held) == 65 && !IsAutoRepeat(nullptr));
    QSet<int> produced;
    for (int k = 0; k <= 0xff; ++k)
        for (int key : {k, 0x01000000 | k, 0x01001100 | k})
            for (auto mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)})
                for (KeyLayout layout : {KeyLayout::Jis, KeyLayout::Us})
                    if (const int vk = vkOf(key, mods, 0, layout)) produced.insert(vk);
    EXPECT_EQ(produced, listedSet);
}
