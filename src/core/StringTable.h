#pragma once

#include <QString>

// Ids run from 21 up; each subsystem keeps to its own range and the table has gaps.
constexpr int StringTableSize = 400;

// The table text of `id`, or nullptr when the table has no such id.
const QString* StringTableText(int id);
