#pragma once

#include <QByteArray>
#include <QString>

// The character encodings a question list may come in. Auto looks at the bytes.
enum class TableEncoding { Auto, Utf8, Utf16, Cp932 };

// A table file's bytes as text, with the encoding they were read in.
struct DecodedTable {
    QString text;
    TableEncoding encoding = TableEncoding::Utf8; // never Auto
    bool bom = false;
    int badBytes = 0; // byte sequences that were not text in `encoding` (each became U+FFFD)
};

// Why the bytes cannot be a question list (a workbook saved by mistake, a picture or other
// binary data), to tell the user; empty when they read as text.
QString NotTextReason(const QByteArray& bytes, TableEncoding choice);

// Short name for messages and the encoding box: "UTF-8", "UTF-16", "Shift-JIS".
QString EncodingName(TableEncoding encoding);

// True when bytes without a byte-order mark are UTF-16: their line feeds sit beside NUL bytes.
bool LooksLikeUtf16(const QByteArray& bytes);

// The encoding the bytes are most likely written in: a byte-order mark decides, then the NUL
// bytes of UTF-16; otherwise text that is valid UTF-8 is UTF-8 unless its code page 932 reading
// is clean and looks more like Japanese (a Shift-JIS file can be valid UTF-8 by accident). Both
// equally Japanese: UTF-8.
TableEncoding DetectEncoding(const QByteArray& bytes);

// Decodes in `choice` (Auto: DetectEncoding). A byte-order mark of the chosen encoding is
// skipped; UTF-16 without a mark is read as little-endian, as Windows writes it, unless its
// NUL bytes show it is big-endian.
DecodedTable DecodeTable(const QByteArray& bytes, TableEncoding choice);
