#pragma once

#include <QList>
#include <QString>

// One choice of a player's key list: the text shown and the virtual-key code that buzzes.
struct KeyEntry {
    QString text;
    int code = 0;
};

// The 78 keys a match player may own, in list order. Esc, F1 and F2 are absent: the quiz window
// keeps them for ending the program and judging.
const QList<KeyEntry>& KeyTable();
