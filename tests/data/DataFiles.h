#pragma once

#include "core/Sjis.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Half uniform bytes, half the ones that matter: line ends, blanks, digits, lead and trail bytes,
// half-width katakana, bytes code page 932 does not use, and NUL (the pool's terminator).
inline QByteArray randomBytes(std::mt19937& rng, int size) {
    static const char pool[] = "\r\n\r\n  09ONFX:\\/\x81\x82\xe0\xfc\x40\x7e\x80\xa0\xb1\xfd\xff";
    std::uniform_int_distribution<int> any(0, 255), pick(0, sizeof pool - 1), coin(0, 1);
    QByteArray out(size, '\0');
    for (char& c : out)
        c = coin(rng) ? char(any(rng)) : pool[pick(rng)];
    return out;
}
