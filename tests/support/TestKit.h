#pragma once

// What nearly every test here needs: the test framework, Qt's widget and test headers, the
// program's globals and texts, the fake platform and the file helpers.
#include "core/AppGlobals.h"
#include "core/ResText.h"
#include "core/Resources.h"
#include "core/Sjis.h"
#include "support/FakePlatform.h"
#include "support/HostileFiles.h"

#include <QtTest>
#include <QtWidgets>

#include <gtest/gtest.h>

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// `value` as the first `bytes` bytes of a little-endian number, as in a file header.
inline QByteArray LittleEndian(quint32 value, int bytes = 4) {
    QByteArray out(4, '\0');
    qToLittleEndian(value, out.data());
    return out.left(bytes);
}
