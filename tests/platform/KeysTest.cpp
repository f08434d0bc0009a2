#include "platform/Keys.h"

#include "support/TestKit.h"

namespace {
int vkOf(int key, Qt::KeyboardModifiers mods = {}, KeyLayout layout = KeyLayout::Jis,
         quint32 scanCode = 0) {
    const QKeyEvent e(QEvent::KeyRelease, key, mods, scanCode, 0, 0);
    return VirtualKey(&e, layout);
}
} // namespace

// Qt's codes for the symbol keys are the characters typed, with Shift another one while the
// player pressed the same key. The code stored in ZN.INI is the key's, as Windows codes it on
// that layout: ";" and "+" share a key on a JIS keyboard, "=" and "+" on a US one.
TEST(VirtualKey, KeysGiveThePhysicalKeyOfTheLayout) {
    const char chars[] = "-=^~\\|@`[{;+:*]},<.>/?_!\"#$%&'() ";
    const int jis[] = {189, 189, 222, 222, 220, 220, 192, 192, 219, 219, 187,
                       187, 186, 186, 221, 221, 188, 188, 190, 190, 191, 191,
                       226, 49,  50,  51,  52,  53,  54,  55,  56,  57,  32};
    const int us[] = {189, 187, 54,  192, 220, 220, 50,  192, 219, 219, 186,
                      187, 186, 56,  221, 221, 188, 188, 190, 190, 191, 191,
                      189, 49,  222, 51,  52,  53,  55,  222, 57,  48,  32};
    static_assert(std::size(jis) == std::size(chars) - 1 && std::size(us) == std::size(jis));
    for (auto mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier)})
        for (int i = 0; i < int(std::size(jis)); ++i)
            EXPECT_EQ(std::pair(vkOf(chars[i], mods), vkOf(chars[i], mods, KeyLayout::Us)),
                      std::pair(jis[i], us[i]))
                << chars[i];
    // Letters and digits are the same on every layout; the keypad's digits and symbols are its
    // own keys.
    for (KeyLayout layout : {KeyLayout::Jis, KeyLayout::Us}) {
        for (int i = 0; i < 26; ++i)
            EXPECT_EQ(std::pair(vkOf(Qt::Key_A + i, Qt::ShiftModifier, layout), vkOf('a' + i)),
                      std::pair(65 + i, 65 + i));
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(std::pair(vkOf(Qt::Key_0 + i, {}, layout),
                                vkOf(Qt::Key_0 + i, Qt::KeypadModifier, layout)),
                      std::pair(48 + i, 96 + i));
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(vkOf("*+,-./"[i], Qt::KeypadModifier, layout), 106 + i);
    }
    // NumLock off and macOS arrows carry the keypad flag but are the ordinary keys.
    for (const auto& [key, vk] :
         {std::pair(Qt::Key_Enter, 13), {Qt::Key_Left, 37}, {Qt::Key_Delete, 46}})
        EXPECT_EQ(vkOf(key, Qt::KeypadModifier), vk) << "Qt key " << key;
    EXPECT_EQ(std::tuple(vkOf(Qt::Key_F10), vkOf(Qt::Key_Escape), vkOf(Qt::Key_yen)),
              std::tuple(121, 27, 220));
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // The "ro" key types the same backslash as the yen key on many layouts.
    EXPECT_EQ(std::pair(vkOf(Qt::Key_Backslash, {}, KeyLayout::Jis, 97),
                        vkOf(Qt::Key_Backslash, {}, KeyLayout::Jis, 132)),
              std::pair(226, 220));
#endif
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
    QSet<int> produced;
    for (int k = 0; k <= 0xff; ++k)
        for (int key : {k, 0x01000000 | k, 0x01001100 | k})
            for (auto mods : {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::KeypadModifier)})
                for (KeyLayout layout : {KeyLayout::Jis, KeyLayout::Us})
                    if (const int vk = vkOf(key, mods, layout)) produced.insert(vk);
    EXPECT_EQ(produced, listedSet);
}
