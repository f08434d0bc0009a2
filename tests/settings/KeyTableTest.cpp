#include "settings/KeyTable.h"
#include "platform/Keys.h"

#include <QKeyEvent>

#include <gtest/gtest.h>

TEST(KeyTable, EveryEntryIsDistinctAndCanBuzz) {
    const QList<int> producible = ProducibleVirtualKeys();
    QHash<QString, int> codeOf;
    QSet<int> codes; // two players can never share a code under different texts
    for (const KeyEntry& key : KeyTable()) {
        codeOf.insert(key.text, key.code);
        codes.insert(key.code);
        EXPECT_TRUE(producible.contains(key.code)) << key.text.toStdString() << " " << key.code;
    }
    EXPECT_TRUE(codeOf.size() == 78 && codes.size() == 78);
    EXPECT_FALSE(codes.contains(VK::Escape) || codes.contains(VK::F1) || codes.contains(VK::F2));

    // ";" and ":" carry what their keys send on a Japanese keyboard.
    for (const auto& [key, text, code] :
         {std::tuple{Qt::Key_Semicolon, ";", 187}, std::tuple{Qt::Key_Colon, ":", 186}}) {
        QKeyEvent event(QEvent::KeyRelease, key, Qt::NoModifier, QString::fromLatin1(text));
        EXPECT_TRUE(codeOf.value(text) == code && VirtualKey(&event) == code) << text;
    }
}
