#include "settings/KeyTable.h"

namespace {

QList<KeyEntry> buildKeyTable() {
    QList<KeyEntry> table;
    table.append({QStringLiteral("Enter"), 13});
    table.append({QStringLiteral("Space"), 32});
    for (int c = 'A'; c <= 'Z'; ++c)
        table.append({QString(QChar(c)), c});
    for (int c = '1'; c <= '9'; ++c)
        table.append({QString(QChar(c)), c});
    table.append({QStringLiteral("0"), '0'});
    // The symbol keys of a Japanese keyboard carry the codes those keys really send, so that
    // ";" (187) and ":" (186) can buzz like every other key.
    table.append({QStringLiteral("-"), 189});
    table.append({QStringLiteral("^"), 222});
    table.append({QStringLiteral("\\"), 220});
    table.append({QStringLiteral("@"), 192});
    table.append({QStringLiteral("["), 219});
    table.append({QStringLiteral(";"), 187});
    table.append({QStringLiteral(":"), 186});
    table.append({QStringLiteral("]"), 221});
    table.append({QStringLiteral(","), 188});
    table.append({QStringLiteral("."), 190});
    table.append({QStringLiteral("/"), 191});
    table.append({QStringLiteral("_"), 226});
    for (int n = 3; n <= 10; ++n)
        table.append({QStringLiteral("F%1").arg(n), 111 + n});
    table.append({QStringLiteral("←"), 37});
    table.append({QStringLiteral("↑"), 38});
    table.append({QStringLiteral("→"), 39});
    table.append({QStringLiteral("↓"), 40});
    for (int n = 0; n <= 9; ++n)
        table.append({QStringLiteral("Num%1").arg(n), 96 + n});
    table.append({QStringLiteral("Num*"), 106});
    table.append({QStringLiteral("Num+"), 107});
    table.append({QStringLiteral("NumEnt"), 108});
    table.append({QStringLiteral("Num-"), 109});
    table.append({QStringLiteral("Num."), 110});
    table.append({QStringLiteral("Num/"), 111});
    return table;
}

} // namespace

const QList<KeyEntry>& KeyTable() {
    static const QList<KeyEntry> table = buildKeyTable();
    return table;
}
