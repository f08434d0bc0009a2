#include "settings/KeyTable.h"
#include "platform/Keys.h"

#include <QHash>
#include <QSet>

#include <gtest/gtest.h>

// Two players can never share a code under different texts, every key can buzz, and ";" and ":"
// carry what their keys send on a Japanese keyboard.
TEST(KeyTable, EveryEntryIsDistinctAndCanBuzz) {
    const QList<int> producible = ProducibleVirtualKeys();
    QHash<QString, int> codeOf;
    QSet<int> codes;
    for (const KeyEntry& key : KeyTable()) {
        codeOf.insert(key.text, key.code);
        codes.insert(key.code);
        EXPECT_TRUE(producible.contains(key.code)) << key.text.toStdString() << " " << key.code;
    }
    EXPECT_EQ(codeOf.size(), KeyTable().size());
    EXPECT_EQ(codes.size(), KeyTable().size());
    EXPECT_FALSE(codes.contains(VK::Escape));
    EXPECT_FALSE(codes.contains(VK::F1));
    EXPECT_FALSE(codes.contains(VK::F2));
    EXPECT_EQ(codeOf.value(";"), 187);
    EXPECT_EQ(codeOf.value(":"), 186);
}
