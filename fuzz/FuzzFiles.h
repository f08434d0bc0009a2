#pragma once

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// The readers take paths, so every input becomes a file first. The folder lives for the whole
// run (a RAM folder when there is one); the file is rewritten for each input.
QString FuzzFolder();
QString WriteFuzzFile(const char* name, const uint8_t* data, size_t size);
