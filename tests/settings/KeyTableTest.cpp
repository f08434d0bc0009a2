#include "settings/KeyTable.h"
#include "platform/Keys.h"

#include <QKeyEvent>
#include <QSet>

#include <gtest/gtest.h>

TEST(KeyTable, EntriesAreDistinctAndKeepTheJudgeKeysOut) {
    const QList<KeyEntry>& table = KeyTable();
    ASSERT_EQ(table.size(), 78);
    QSet<QString> texts;
    QSet<int> codes;
    for (const KeyEntry& key : table) {
        texts.insert(key.text);
        codes.insert(key.code);
    }
    EXPECT_EQ(texts.size(), 78);
    EXPECT_EQ(codes.size(), 78); // two players can never share a code under different texts
    for (int reserved : {VK::Escape, VK::F1, VK::F2})
        EXPECT_FALSE(codes.contains(reserved)) << reserved;
}

TEST(KeyTable, EveryKeyCanBuzz) {
    const QList<int> producible = ProducibleVirtualKeys();
    for (const KeyEntry& key : KeyTable())
        EXPECT_TRUE(producible.contains(key.code)) << key.text.toStdString() << " " << key.code;

    // The semicolon and colon keys of a Japanese keyboard send 187 and 186.
    const auto codeOf = [](const QString& text) {
        for (const KeyEntry& key : KeyTable())
            if (key.text == text) return key.code;
        return -1;
    };
    QKeyEvent semicolon(QEvent::KeyRelease, Qt::Key_Semicolon, Qt::NoModifier, QStringLiteral(";"));
    QKeyEvent colon(QEvent::KeyRelease, Qt::Key_Colon, Qt::NoModifier, QStringLiteral(":"));
    EXPECT_EQ(codeOf(QStringLiteral(";")), VirtualKey(&semicolon));
    EXPECT_EQ(codeOf(QStringLiteral(":")), VirtualKey(&colon));
    QKeyEvent num7(QEvent::KeyRelease, Qt::Key_7, Qt::KeypadModifier, QStringLiteral("7"));
    EXPECT_EQ(codeOf(QStringLiteral("Num7")), VirtualKey(&num7));
}
