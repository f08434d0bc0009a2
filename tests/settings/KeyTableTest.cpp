#include "settings/KeyTable.h"
#include "platform/Keys.h"

#include "support/TestKit.h"

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
    EXPECT_EQ(std::pair(codeOf.size(), codes.size()),
              std::pair(KeyTable().size(), KeyTable().size()));
    for (int reserved : {VK::Escape, VK::F1, VK::F2}) // Esc ends, F1 helps, F2 judges
        EXPECT_FALSE(codes.contains(reserved)) << reserved;
    EXPECT_EQ(std::pair(codeOf.value(";"), codeOf.value(":")), std::pair(187, 186));
}
