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
    EXPECT_TRUE(codeOf.size() == KeyTable().size() && codes.size() == KeyTable().size());
    EXPECT_FALSE(codes.contains(VK::Escape) || codes.contains(VK::F1) || codes.contains(VK::F2));
    EXPECT_TRUE(codeOf.value(";") == 187 && codeOf.value(":") == 186);
}
